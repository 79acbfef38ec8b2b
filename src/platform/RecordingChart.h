#pragma once

#include "platform/Chart.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QWidget;

// Charts that draw nothing and keep what they were asked, for tests: the calls by name in
// order, the content at each drawing, the files asked for and the print requests, which wait
// for the test to answer them as the user would.
namespace nidora::platform {

struct ChartRecord {
    struct Saved {
        QString file;
        QSize size;
        int quality = 0;
    };

    QStringList calls;
    std::vector<chart::Content> drawings;
    QWidget* parent = nullptr; // the window the chart was last made in
    std::vector<Saved> saved;
    int copies = 0;
    std::vector<Chart::PrintCompletion> printing;
    // What saveJpeg answers.
    bool saveSucceeds = true;

    // Answers every print request still waiting.
    void answerPrint(PrintOutcome outcome);
};

class RecordingChart final : public CollectingChart {
public:
    explicit RecordingChart(std::shared_ptr<ChartRecord> record);

    void create(QWidget* parent, const chart::Frame& frame) override;
    void draw() override;
    bool saveJpeg(const QString& file, QSize size, int quality) override;
    void print(QWidget* parent, PrintCompletion done) override;
    bool copyToClipboard() override;

protected:
    void noted(const char* call) override;

private:
    std::shared_ptr<ChartRecord> record_;
};

// Every chart it makes records into a record of its own, kept here in the order made, so a
// test reads them after their windows have gone.
class RecordingChartMaker final : public ChartMaker {
public:
    std::unique_ptr<Chart> make() override;

    // What the charts made from now on answer when asked to save.
    void setSaveSucceeds(bool succeeds) { saveSucceeds_ = succeeds; }
    const std::vector<std::shared_ptr<ChartRecord>>& records() const { return records_; }
    // The latest chart's record; null before any was made.
    ChartRecord* last() const { return records_.empty() ? nullptr : records_.back().get(); }

private:
    std::vector<std::shared_ptr<ChartRecord>> records_;
    bool saveSucceeds_ = true;
};

} // namespace nidora::platform
