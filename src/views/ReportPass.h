#pragma once

#include "framework/Requests.h"
#include "views/ReportPage.h"
#include "views/SortOrder.h"
#include "views/ViewRows.h"

#include <QString>

#include <chrono>
#include <vector>

// One report's pass over its view: records in key order, held to the range and the filter,
// read a step at a time from the progress window's timer so that the window can show how far
// the pass has come and be cancelled; each record becomes a detail band in the report's page
// queue, and the pages go to the previewer at the end.
//
//   ReportPass pass(data.access(FileId::CONSULTAS), { &byPatient, LocatorKind::None, {}, patientRange },
//                   dateFilter, bands);
//   while (pass.step()) progress.setValue(pass.percent());   // from the timer, in truth
//   CallResponse = pass.finish(previewer);
namespace nidora::views {

// The report's layout: it prints bands into its page queue, opening pages as they fill.
class ReportBands {
public:
    virtual ~ReportBands() = default;
    virtual void detail(const data::Record& record) = 0;
    virtual int pageCount() const = 0;
    // Ends the last page (its footer) and hands over the queue.
    virtual std::vector<ReportPage> closePages() = 0;
};

// How the previewer opens: its zoom caption and the report's title (no report has one yet).
struct PreviewOptions {
    QString zoom = QStringLiteral("Zoom (100%)");
    QString title {};
};

class ReportPreviewer {
public:
    virtual ~ReportPreviewer() = default;
    // Shows the pages until the user closes the preview; the answer goes to the caller.
    virtual Response preview(std::vector<ReportPage> pages, const PreviewOptions& options) = 0;
};

class ReportPass {
public:
    // The progress window's timer.
    static constexpr std::chrono::milliseconds kTimerInterval { 100 };
    // Records read per tick: small enough that the window stays responsive.
    static constexpr int kRecordsPerStep = 50;

    // The file must be open through `access`.
    ReportPass(data::AccessObject& access, SortOrder order, RecordFilter filter, ReportBands& bands);

    // Reads and prints the next records; false once the pass is over (or failed).
    bool step();
    void cancel() { cancelled_ = true; }
    bool cancelled() const { return cancelled_; }

    // How far the pass has come, from the records read against the file's records (0 to 100).
    int percent() const;
    std::int64_t printed() const { return printed_; }

    // After the pass: nothing printed shows message 25 and answers 2 without a preview; a
    // cancelled or failed pass answers 2; otherwise the previewer's answer.
    Response finish(ReportPreviewer& previewer, const PreviewOptions& options = {});

private:
    data::AccessObject& access_;
    SortOrder order_;
    RecordFilter filter_;
    ReportBands& bands_;
    data::Position position_;
    std::int64_t total_ = 0;
    std::int64_t read_ = 0;
    std::int64_t printed_ = 0;
    bool done_ = false;
    bool failed_ = false;
    bool cancelled_ = false;
};

} // namespace nidora::views
