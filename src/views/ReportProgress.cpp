#include "views/ReportProgress.h"

#include "framework/ControlButton.h"
#include "framework/ControlLabels.h"
#include "framework/ControlShapes.h"
#include "framework/WindowEvent.h"

#include <QElapsedTimer>

namespace nidora::views {

using framework::DialogRect;
using framework::handled::EndLoop;
using framework::handled::GoOn;

Response runReport(const Report& report)
{
    ReportProgressWindow window(report);
    return Response(window.run());
}

ReportProgressWindow::ReportProgressWindow(const Report& report)
    : Window(report.procedure)
    , report_(report)
{
    setCaption(report.caption);
    setSize(142, 58);
    setCentred();
    userText_
        = &add<framework::StringControl>(QLatin1String(kUserText), DialogRect { 0, 3, 141, 10 }, QString());
    bar_ = &add<framework::ProgressControl>(QLatin1String(kBar), DialogRect { 15, 15, 111, 12 });
    percentText_ = &add<framework::StringControl>(
        QLatin1String(kPercentText), DialogRect { 0, 30, 141, 10 }, QString());
    cancel_ = &add<framework::ButtonControl>(
        QLatin1String(kCancel), DialogRect { 45, 42, 50, 14 }, QStringLiteral("Cancel"));
    userText_->widget()->setProperty("alignment", int(Qt::AlignCenter));
    percentText_->widget()->setProperty("alignment", int(Qt::AlignCenter));
}

bool ReportProgressWindow::onSetUp()
{
    if (report_.file.open() != data::AccessResult::Ok)
        return false;
    noteFilesOpened();
    // Made once the file is open: the pass counts its records for the percentage.
    pass_.emplace(report_.file.access(), report_.order, report_.filter, report_.bands);
    return true;
}

void ReportProgressWindow::onOpened()
{
    showProgress();
    select(*cancel_);
    setTimer(report_.timerHundredths);
    // The pass starts at once rather than a tick after the window opens.
    if (report_.timerHundredths > 0)
        post(framework::event::Timer);
}

void ReportProgressWindow::closeFiles()
{
    report_.file.close();
}

int ReportProgressWindow::onTimer()
{
    // On its own timer the window reads for a stretch of most of a tick at a time, so that a long
    // report takes the time its records take rather than a tick for every few of them; a tick
    // posted by hand reads one step.
    bool more = pass_->step();
    if (report_.timerHundredths > 0) {
        QElapsedTimer working;
        working.start();
        while (more && working.elapsed() < kWorkPerTick.count())
            more = pass_->step();
    }
    showProgress();
    if (more) {
        // The next stretch follows as soon as the window has taken the events that came
        // meanwhile, so the pass does not wait out the rest of the tick.
        if (report_.timerHundredths > 0)
            post(framework::event::Timer);
        return GoOn;
    }
    // The preview runs over this window, which still shows the finished pass; its answer is
    // the report's.
    setTimer(0);
    setResponse(pass_->finish(report_.previewer, report_.preview));
    return EndLoop;
}

int ReportProgressWindow::onAccepted(framework::Control& control)
{
    if (&control != cancel_)
        return GoOn;
    pass_->cancel();
    setResponse(Cancelled);
    return EndLoop;
}

void ReportProgressWindow::showProgress()
{
    const int percent = pass_->percent();
    bar_->setValue(percent);
    percentText_->setText(QStringLiteral("%1%").arg(percent));
}

} // namespace nidora::views
