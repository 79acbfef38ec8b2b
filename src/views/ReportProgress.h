#pragma once

#include "data/RelationObject.h"
#include "framework/Window.h"
#include "views/ReportPass.h"

#include <QString>

#include <chrono>
#include <optional>

namespace nidora::framework {
class ButtonControl;
class ProgressControl;
class StringControl;
} // namespace nidora::framework

// A report as its procedure describes it, and the progress window that runs it: the window
// opens the report's files, steps the pass from its timer while the bar and the percentage
// advance, hands the pages to the previewer at the end and answers what the previewer
// answered; Cancel (or closing the window) ends the pass with nothing handed on. It runs on its
// caller's logical thread like a form, so the caller's windows wait and other threads' do not.
//
//   HistoryBands bands;
//   return runReport({ .procedure = "PrintHISCLINICA",
//       .file = data.relation(FileId::CONSULTAS),
//       .order = { &byPatient, LocatorKind::None, {}, [] { return std::vector<FieldValue> { patient }; } },
//       .filter = [](const Record& r) { return inDates(static_cast<const CONSULTAS&>(r).FECHA); },
//       .bands = bands,
//       .previewer = previewer });
namespace nidora::views {

struct Report {
    // The procedure's name exactly as written, for the error manager's list.
    QString procedure;
    // The file the pass reads, opened with its related files for the report's joins.
    data::RelationObject& file;
    SortOrder order;
    RecordFilter filter {};
    ReportBands& bands;
    ReportPreviewer& previewer;
    QString caption = QStringLiteral("Report Progress...");
    PreviewOptions preview {};
    // The window's timer in hundredths of a second; 0 leaves the stepping to timer events
    // posted to the window (as tests do, so that no step depends on real time).
    int timerHundredths = int(ReportPass::kTimerInterval.count() / 10);
};

// Runs the report on the calling logical thread and returns its answer, also left in
// CallResponse: the previewer's, or Cancelled when the pass was cancelled, failed or printed
// nothing (message 25), or when the file could not be opened.
Response runReport(const Report& report);

class ReportProgressWindow final : public framework::Window {
public:
    // How long each stretch of the pass reads records before the window takes its events
    // again: short enough that the window answers Cancel at once. On the window's own timer the
    // stretches follow one another without waiting for the next tick.
    static constexpr std::chrono::milliseconds kWorkPerTick { 70 };

    explicit ReportProgressWindow(const Report& report);

    // Texts shown by the window, by their control names.
    static constexpr auto kBar = "?Progress";
    static constexpr auto kUserText = "?UserText";
    static constexpr auto kPercentText = "?PercentText";
    static constexpr auto kCancel = "?Cancel";

protected:
    bool onSetUp() override;
    void onOpened() override;
    void closeFiles() override;
    int onTimer() override;
    int onAccepted(framework::Control& control) override;

private:
    void showProgress();

    const Report& report_;
    std::optional<ReportPass> pass_;
    framework::ProgressControl* bar_;
    framework::StringControl* userText_;
    framework::StringControl* percentText_;
    framework::ButtonControl* cancel_;
};

} // namespace nidora::views
