#include "reports/Launchers.h"

#include "controls/PageTaskPanel.h"
#include "framework/ControlButton.h"
#include "framework/ControlLabels.h"
#include "framework/ControlSheet.h"
#include "framework/Scheduler.h"
#include "framework/Window.h"
#include "views/ProgramGlobals.h"
#include "views/ProgramProcedures.h"

#include <optional>
#include <span>
#include <vector>

namespace nidora::reports {

namespace {

using framework::Control;
using framework::DialogRect;
using framework::handled::GoOn;

constexpr std::size_t kButtonStack = 25'000;

struct LauncherButton {
    const char* caption;
    const char* icon;
    const char* procedure;
    int row; // its place on the page, from the top
    int right; // the access right it needs; 0 for none
};

struct LauncherPage {
    const char* tab;
    const char* task;
    const char* taskIcon;
    std::span<const LauncherButton> buttons; // in the order of their control numbers
};

struct Launcher {
    const char* procedure;
    const char* caption;
    const char* header;
    bool boxedHeader;
    bool panelFirst; // the task panel is the window's first control, before the sheet
    std::span<const LauncherPage> pages;
};

constexpr LauncherButton kClinicalReports[] = {
    { "Ficha de Paciente", "Pencil.ico", "Pantalla1", 0, 1 },
    { "Información Prenatal", "Pencil.ico", "Pantalla2", 1, 1 },
    { "Desarrollo Crecimiento", "pencil.ico", "Pantalla3", 2, 2 },
    { "Historial de Consultas", "pencil.ico", "Pantalla4", 3, 2 },
    { "Historial de Patologías", "pencil.ico", "Pantalla5", 4, 2 },
};
constexpr LauncherButton kOfficeReports[] = {
    { "Agenda diaria", "pencil.ico", "Pantalla21", 0, 4 },
    { "Lista de Pacientes", "pencil.ico", "Pantalla22", 1, 0 },
    { "Agenda de Cumpleaños", "pencil.ico", "Pantalla24", 3, 0 },
    { "Lista de Grupos Sanguineos", "pencil.ico", "Pantalla23", 2, 0 },
};
constexpr LauncherButton kStatisticsReports[] = {
    { "Informes Consultas según Motivos", "pencil.ico", "Pantalla31", 0, 2 },
    { "Informes Consultas según Cobertra Social", "pencil.ico", "Pantalla33", 1, 2 },
    { "Informe Diagnósticos por Patología", "pencil.ico", "Pantalla32", 2, 2 },
};
constexpr LauncherPage kReportPages[] = {
    { "Tab 4", "Historias Clínicas", "Medical insurance.ico", kClinicalReports },
    { "Tab 5", "Secretaría Consultorio", "receptionist.ico", kOfficeReports },
    { "Tab 6", "Estadísticas", "estadisticasm.ico", kStatisticsReports },
};

constexpr LauncherButton kPathologyCharts[] = {
    { "Distribución Mensual", "grabarr.ico", "PantallaG1", 0, 0 },
    { "Evolución Casos Anuales", "grabarr.ico", "PantallaG2", 1, 0 },
    { "Distribución por Sexo", "grapie.ico", "PantallaG3", 2, 0 },
    { "Distribución por Grupos Etareos", "grapie.ico", "PantallaG4", 3, 0 },
};
constexpr LauncherButton kConsultationCharts[] = {
    { "Distribución Mensual", "grabarr.ico", "PantallaG21", 0, 0 },
    { "Evolución Anual", "grabarr.ico", "PantallaG22", 1, 0 },
    { "Distribución por Grupos Etareos", "grapie.ico", "PantallaG24", 3, 0 },
    { "Distribución por Sexo", "grapie.ico", "PantallaG23", 2, 0 },
};
constexpr LauncherPage kChartPages[] = {
    { "Tab 3", "Patologías", "dna.ico", kPathologyCharts },
    { "Tab 4", "Consultas", "stethoscope.ico", kConsultationCharts },
};

constexpr Launcher kInformes { "Informes", "Informes", "Reportes", false, true, kReportPages };
constexpr Launcher kGraficos { "Graficos", "Gráficas", "Gráficas", true, false, kChartPages };

class LauncherWindow final : public framework::Window {
public:
    explicit LauncherWindow(const Launcher& launcher)
        : Window(QString::fromLatin1(launcher.procedure))
    {
        setCaption(QString::fromUtf8(launcher.caption));
        setFont(QStringLiteral("MS Sans Serif"), 8);
        setWallpaper(QStringLiteral("fondo.bmp"));
        setSize(330, 176);
        setCentred();
        if (launcher.panelFirst)
            addPanelArea();
        sheet_ = &add<framework::SheetControl>(QStringLiteral("?SHEET1"), DialogRect { 132, 4, 194, 168 },
            framework::SheetControl::Style::Wizard);
        for (std::size_t p = 0; p < launcher.pages.size(); ++p) {
            const LauncherPage& page = launcher.pages[p];
            auto& tab = addIn<framework::TabControl>(
                *sheet_, QStringLiteral("?TAB%1").arg(p + 1), DialogRect {}, QString::fromLatin1(page.tab));
            for (const LauncherButton& button : page.buttons) {
                auto& made
                    = addIn<framework::ButtonControl>(tab, QStringLiteral("?BUTTON_%1").arg(button.procedure),
                        DialogRect { 12, 14 + button.row * 30, 170, 24 }, QString::fromUtf8(button.caption),
                        QString::fromLatin1(button.icon));
                buttons_.push_back({ &made, &button });
            }
        }
        if (!launcher.panelFirst)
            addPanelArea();
        std::vector<controls::PageTaskPanel::Task> tasks;
        for (std::size_t p = 0; p < launcher.pages.size(); ++p)
            tasks.push_back({ QString::fromUtf8(launcher.pages[p].task),
                QString::fromLatin1(launcher.pages[p].taskIcon), int(p) });
        controls::PageTaskPanel::Header header { QString::fromUtf8(launcher.header), 48, std::move(tasks) };
        header.boxed = launcher.boxedHeader;
        panel_.emplace(std::vector { std::move(header) },
            controls::PanelMargins { .TOP = 20, .LEFT = 5, .RIGHT = 5, .BOTTOM = 15 },
            [this](int page) { sheet_->setCurrentPage(page); });
    }

protected:
    void onOpened() override
    {
        Window::onOpened();
        panel_->Init(panelArea_->widget());
        // Rights are taken once, as the window opens; a window the program lacks stays out of reach.
        for (const Placed& placed : buttons_) {
            const bool allowed
                = placed.button->right == 0 || views::AppGlobals.hasRight(placed.button->right);
            const bool present
                = views::findProcedure(QString::fromLatin1(placed.button->procedure)) != nullptr;
            placed.control->setEnabled(allowed && present);
        }
        display();
    }

    int onAccepted(Control& control) override
    {
        if (const int result = Window::onAccepted(control); result != GoOn)
            return result;
        for (const Placed& placed : buttons_) {
            if (placed.control != &control)
                continue;
            updateFields();
            if (const framework::ThreadProcedure* procedure
                = views::findProcedure(QString::fromLatin1(placed.button->procedure)))
                framework::StartOnNewThread(*procedure, kButtonStack);
            display();
        }
        return GoOn;
    }

private:
    struct Placed {
        framework::ButtonControl* control;
        const LauncherButton* button;
    };

    void addPanelArea()
    {
        panelArea_
            = &add<framework::ImageControl>(QStringLiteral("?XPTASKPANEL"), DialogRect { 4, 4, 124, 168 });
    }

    framework::SheetControl* sheet_ = nullptr;
    framework::ImageControl* panelArea_ = nullptr;
    std::vector<Placed> buttons_;
    std::optional<controls::PageTaskPanel> panel_;
};

void runLauncher(const Launcher& launcher)
{
    LauncherWindow window(launcher);
    window.run();
}

} // namespace

void Informes()
{
    runLauncher(kInformes);
}

void Graficos()
{
    runLauncher(kGraficos);
}

} // namespace nidora::reports
