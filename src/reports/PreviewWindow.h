#pragma once

#include "framework/Window.h"
#include "reports/PageChoice.h"
#include "reports/PreviewState.h"
#include "views/ReportPass.h"

#include <map>

namespace nidora::framework {
class ButtonControl;
class DropListControl;
} // namespace nidora::framework

// The report preview: the report's pages, one zoomed or a grid of thumbnails, with the commands
// to walk through them, mark and delete pages, print all or some of them, and save them as text
// or a page as a metafile. It runs on the report's logical thread and answers Completed when the
// pages were printed from it, Cancelled otherwise.
namespace nidora::reports {

class PreviewCanvasControl;
class StatusBarControl;

class PreviewWindow final : public framework::Window {
public:
    // The pages are numbered ("Page xxxxx of xxxxx") as the preview opens. The print options
    // chosen are left in `printOptions`, for the report's later hand-overs.
    PreviewWindow(std::vector<views::ReportPage> pages, const views::PreviewOptions& options,
        PrintOptions& printOptions);

    const PreviewState& state() const { return state_; }
    StatusBarControl& statusBar() const { return *status_; }
    PreviewCanvasControl& canvas() const { return *canvas_; }

    // Control names.
    static constexpr auto kPrint = "?PRINTBUTTON";
    static constexpr auto kExit = "?EXITBUTTON";
    static constexpr auto kJump = "?JUMP";
    static constexpr auto kTop = "?PREVIEWTOP";
    static constexpr auto kPrevious = "?PREVIOUS";
    static constexpr auto kNext = "?NEXT";
    static constexpr auto kBottom = "?PREVIEWBOTTOM";
    static constexpr auto kPrintSingle = "?PRINTSINGLE";
    static constexpr auto kChangeDisplay = "?CHANGEDISPLAY";
    static constexpr auto kSaveCurrent = "?SAVECURRENT";
    static constexpr auto kSaveAll = "?SAVEALL";
    static constexpr auto kZoom = "?ZOOMSTATUS";
    static constexpr auto kDelete = "?PREVIEWDELETE";
    static constexpr auto kMark = "?PREVIEWMARK";
    static constexpr auto kCanvas = "?PREVIEWIMAGE";
    static constexpr auto kStatus = "?StatusBar";

protected:
    void onOpened() override;
    int onWindowEvent(const framework::ThreadEvent& event) override;
    int onAccepted(framework::Control& control) override;
    int onFieldEvent(framework::Control& control, const framework::ThreadEvent& event) override;

private:
    enum class Command {
        Print,
        Exit,
        Jump,
        Top,
        Previous,
        Next,
        Bottom,
        PrintSingle,
        ChangeDisplay,
        SaveCurrent,
        SaveAll,
        Delete,
        Mark
    };
    framework::ButtonControl& button(
        Command command, const char* name, const char* icon, const QString& tip, int x);
    // Shows the state: the view, the status bar and which commands can be used.
    void show();
    void setZoom(const QString& name);
    int print();
    bool sendToPrinter(const std::vector<int>& order);
    void saveCurrent();
    void saveAll();
    bool writeFile(const QString& name, const std::function<bool(QIODevice&)>& write);

    PreviewState state_;
    PrintOptions& printOptions_;
    QString title_;
    QString zoomName_;
    QString lastFile_;
    QString lastSaveAll_;
    std::map<const framework::Control*, Command> commands_;
    std::map<Command, framework::ButtonControl*> buttons_;
    framework::DropListControl* zoom_;
    PreviewCanvasControl* canvas_;
    StatusBarControl* status_;
};

} // namespace nidora::reports
