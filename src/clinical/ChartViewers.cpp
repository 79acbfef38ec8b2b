#include "clinical/ChartViewers.h"

#include "clinical/ChartDrawings.h"
#include "clinical/ChartParameters.h"

#include "core/TextClip.h"
#include "framework/Await.h"
#include "framework/ControlButton.h"
#include "framework/MessageBoxes.h"
#include "framework/WindowEvent.h"
#include "platform/Chart.h"
#include "views/DataWindow.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace nidora::clinical {

namespace {

using framework::Control;
using framework::handled::Consumed;
using framework::handled::GoOn;

enum class ChartKind { Lines, Bars, Pie };

// A saved chart's name is at most this long, its ".jpg" included.
constexpr int kFileNameLength = 199;

class ChartViewer final : public views::DataWindow {
public:
    ChartViewer(const QString& procedure, ChartKind kind)
        : DataWindow(procedure, data::FileId::GRAFICO)
        , kind_(kind)
    {
        setCaption(QStringLiteral("Gráfico"));
        setSize(460, 260);
        setResizable(true);
        setCentred();
        copy_ = &add<framework::ButtonControl>(QStringLiteral("?BUTTON1:3"), { 4, 1, 60, 18 },
            QStringLiteral("Copiar"), QStringLiteral("Clipboard.ico"));
        save_ = &add<framework::ButtonControl>(QStringLiteral("?BUTTON1"), { 66, 1, 60, 18 },
            QStringLiteral("Guardar"), QStringLiteral("importar.ico"));
        print_ = &add<framework::ButtonControl>(QStringLiteral("?BUTTON1:2"), { 128, 1, 60, 18 },
            QStringLiteral("Imprimir"), QStringLiteral("printer1.ico"));
    }

protected:
    void onOpened() override
    {
        DataWindow::onOpened();
        chart_ = platform::ChartService::current().make();
        drawChart();
    }

    int onWindowEvent(const framework::ThreadEvent& event) override
    {
        const int result = DataWindow::onWindowEvent(event);
        // Made again at the new size from GRAFICO as it is now; a resize that leaves the chart's
        // size as it was (the window's first showing) changes nothing.
        if (event.code == framework::event::Sized && chart_ && chartPlace() != drawn_) {
            chart_->reset();
            drawChart();
        }
        return result;
    }

    int onAccepted(Control& control) override
    {
        if (const int result = DataWindow::onAccepted(control); result != GoOn)
            return result;
        if (&control == save_)
            return saveChart();
        if (&control == print_)
            return printChart();
        if (&control == copy_)
            return copyChart();
        return GoOn;
    }

private:
    // Below the buttons, as wide and high as the window lets it, from the window's size in
    // dialog units: in the chart's units, of one and a half a dialog unit across and 1.6 down
    // (682 by 380 at the opening size).
    QRect chartPlace() const
    {
        const framework::DialogUnits& du = units();
        const QSize pixels = widget()->size();
        const int across = (pixels.width() * 4 + du.baseWidth() / 2) / du.baseWidth();
        const int down = (pixels.height() * 8 + du.baseHeight() / 2) / du.baseHeight();
        const int width = std::max(0, int(std::floor(across * 1.5)) - 8);
        const int height = std::max(0, int(std::floor(down * 1.6)) - 36);
        return QRect(4, 34, width, height);
    }

    // The chart's place in the window's pixels, whose dialog units the window's font sizes.
    QRect shownPlace(const QRect& place) const
    {
        const double across = units().baseWidth() / 4.0 / 1.5;
        const double down = units().baseHeight() / 8.0 / 1.6;
        const auto scaled = [](int value, double by) { return int(std::lround(value * by)); };
        return QRect(scaled(place.x(), across), scaled(place.y(), down), scaled(place.width(), across),
            scaled(place.height(), down));
    }

    void drawChart()
    {
        drawn_ = chartPlace();
        const std::vector<data::GRAFICO> points = chartPoints(access());
        ChartParameters& parameters = chartParameters();
        switch (kind_) {
        case ChartKind::Lines:
            drawLineChart(*chart_, widget(), { drawn_, shownPlace(drawn_) }, points, parameters);
            break;
        case ChartKind::Bars:
            drawBarChart(*chart_, widget(), { drawn_, shownPlace(drawn_) }, points, parameters);
            break;
        case ChartKind::Pie:
            drawPieChart(*chart_, widget(), { drawn_, shownPlace(drawn_) }, points, parameters);
            break;
        }
        display();
    }

    int saveChart()
    {
        updateFields();
        const QString name = clipped(chartParameters().ChartImageName);
        const QString file = (name + QStringLiteral(".jpg")).left(kFileNameLength);
        // Said to be saved only when it was: a file that could not be written says so.
        if (chart_->saveJpeg(file, drawn_.size(), 100))
            framework::showMessage(QStringLiteral("EL GRÁFICO HA SIDO GUARDADO CON EL NOMBRE: \n") + file);
        else
            framework::showMessage(
                QStringLiteral("EL GRÁFICO NO PUDO SER GUARDADO CON EL NOMBRE: \n") + file);
        return Consumed;
    }

    int printChart()
    {
        updateFields();
        // The window takes no input while the print dialog is open; other threads' windows do.
        widget()->setEnabled(false);
        const std::optional<platform::PrintOutcome> printed = framework::awaitAnswer<platform::PrintOutcome>(
            [this](auto done) { chart_->print(widget(), std::move(done)); });
        widget()->setEnabled(true);
        if (printed == platform::PrintOutcome::Failed)
            framework::showMessage(QStringLiteral("EL GRÁFICO NO PUDO SER IMPRESO."));
        return Consumed;
    }

    int copyChart()
    {
        updateFields();
        if (!chart_->copyToClipboard())
            framework::showMessage(QStringLiteral("EL GRÁFICO NO PUDO SER COPIADO."));
        return Consumed;
    }

    ChartKind kind_;
    framework::ButtonControl* copy_ = nullptr;
    framework::ButtonControl* save_ = nullptr;
    framework::ButtonControl* print_ = nullptr;
    std::unique_ptr<platform::Chart> chart_;
    QRect drawn_;
};

} // namespace

void GraficoX1()
{
    ChartViewer(QStringLiteral("GraficoX1"), ChartKind::Lines).run();
}

void GraficoX2()
{
    ChartViewer(QStringLiteral("GraficoX2"), ChartKind::Bars).run();
}

void GraficoX3()
{
    ChartViewer(QStringLiteral("GraficoX3"), ChartKind::Pie).run();
}

} // namespace nidora::clinical
