#pragma once

#include "views/RecordWindowsTest.h"

#include "clinical/ChartParameters.h"
#include "data/ScratchRecords.h"
#include "platform/Chart.h"
#include "platform/RecordingChart.h"

#include <QMessageBox>

#include <functional>

// The chart viewers over a real GRAFICO, with charts that record what they were asked instead of
// drawing: a test lays points out, starts a viewer on a thread of its own with the parameters it
// chooses, reads the recorded charts and closes the window "Gráfico".
namespace nidora::clinical::test {

inline data::GRAFICO point(
    std::uint8_t series, double x, double y, const char* label = "", const char* name = "")
{
    data::GRAFICO p;
    p.SERIE = series;
    p.X = x;
    p.Y = y;
    p.REFERENCIA = QString::fromUtf8(label);
    p.NSERIE = QString::fromUtf8(name);
    return p;
}

class ChartViewerTest : public views::test::RecordWindowsTest {
protected:
    // Starts the procedure on a new thread after setting that thread's chart parameters with
    // set; when the procedure returns, the thread's parameters are kept in `left`.
    void open(std::function<void()> procedure, std::function<void(ChartParameters&)> set = {})
    {
        driver.start([this, procedure = std::move(procedure), set = std::move(set)] {
            if (set)
                set(chartParameters());
            procedure();
            left = chartParameters();
            closed = true;
        });
        ASSERT_NE(driver.window(QStringLiteral("Gráfico")), nullptr);
    }

    void closeViewer()
    {
        driver.close(QStringLiteral("Gráfico"));
        ASSERT_TRUE(driver.runUntil([this] { return closed; }));
    }

    platform::ChartRecord& recorded()
    {
        EXPECT_NE(charts.last(), nullptr);
        return *charts.last();
    }
    const platform::chart::Content& drawing() { return recorded().drawings.back(); }

    // The text of the message box shown now, answered with OK; empty when none is shown.
    QString answerMessage()
    {
        driver.settle();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
                const QString text = box->text();
                driver.answer(text, QStringLiteral("OK"));
                return text;
            }
        return {};
    }

    platform::RecordingChartMaker charts;
    platform::ChartService::Override useCharts { charts };
    ChartParameters left;
    bool closed = false;
};

} // namespace nidora::clinical::test
