#include "views/RecordWindowsTest.h"
#include "views/ReportTestSupport.h"

#include "clinical/BrowsePACIENTES.h"
#include "clinical/Camera.h"
#include "clinical/ChartParameters.h"
#include "clinical/ChartViewers.h"
#include "clinical/ClinicalForms.h"
#include "clinical/ClinicalHistoryRules.h"
#include "clinical/GrowthCharts.h"
#include "clinical/PACIENTES_Seleccionar.h"
#include "clinical/ParentWindows.h"
#include "clinical/PatientListSlot.h"
#include "clinical/Prescription.h"
#include "practice/Biblioteca.h"
#include "practice/BrowseAGENDA.h"
#include "practice/BrowseMEDICOS.h"
#include "practice/ReferenceTables.h"
#include "practice/SelectDate.h"
#include "practice/WorkingHours.h"
#include "reports/Launchers.h"
#include "reports/PreviewWindow.h"
#include "reports/Prompts.h"
#include "reports/StatisticsWindows.h"
#include "shell/BackupWindows.h"
#include "shell/BrowseUSUARIOS.h"
#include "shell/Identificacion.h"
#include "shell/MainFrame.h"
#include "shell/ProductWindows.h"
#include "shell/UsersFile.h"

#include "core/Date.h"
#include "data/ScratchRecords.h"
#include "framework/DialogUnits.h"
#include "framework/FontSubstitution.h"
#include "framework/WindowArea.h"
#include "platform/PracticeSettings.h"
#include "views/DictionarySetup.h"
#include "views/ProgramGlobals.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

// Every window of the program, opened as a user opens it in the frame on a real X display: it
// comes at the size its description gives, in dialog units of its font, and at its place or in
// the middle of the frame's workspace.
namespace nidora::onscreen {
namespace {

struct Place {
    const char* window;
    // Brings the window up, the newest in the workspace, and takes it (and any window it was
    // opened from) down again.
    std::function<void(framework::test::WindowsTest&, nidora::test::WindowDriver&)> open;
    std::function<void(nidora::test::WindowDriver&)> close;
    QSize size; // dialog units
    std::optional<QPoint> at; // dialog units; none: centred
    bool resizable = false;
    bool wallpaper = false;
    bool titleBar = true;
    // Opens filling the workspace, its described size the least it keeps.
    bool maximised = false;
};

void startIn(nidora::test::WindowDriver& driver, void (*procedure)())
{
    driver.start([procedure] { procedure(); });
}

void lookUp(nidora::test::WindowDriver& driver, void (*lookup)())
{
    driver.start([lookup] { framework::callWithRequest(4, lookup); });
}

// The list's own insert button, as the user presses it, calls its form.
auto fromList(void (*list)())
{
    return [list](framework::test::WindowsTest&, nidora::test::WindowDriver& driver) {
        startIn(driver, list);
        driver.click(QStringLiteral("?INSERT:2"));
    };
}

// The library's tree, its insert button on the row of the given level's entry (0 the heading, 1
// the first topic, 2 its first title) calling the form of the level below.
auto fromLibrary(int level)
{
    return [level](framework::test::WindowsTest&, nidora::test::WindowDriver& driver) {
        startIn(driver, practice::Biblioteca);
        auto* tree = qobject_cast<QTreeWidget*>(driver.find(QStringLiteral("?RELTREE")));
        // The heading, then the first entry under each row, down to the depth asked.
        const auto rowAt = [tree](int depth) {
            QTreeWidgetItem* row = tree->topLevelItem(0);
            for (int down = 0; down < depth && row; ++down)
                row = row->child(0);
            return row;
        };
        for (int depth = 1; depth < level; ++depth) {
            tree->expandItem(rowAt(depth));
            driver.settle();
        }
        tree->setCurrentItem(rowAt(level));
        driver.settle();
        driver.click(QStringLiteral("?INSERT"));
    };
}

// The agenda, and the button of it that opens the window.
auto fromAgenda(const char* button)
{
    return [button](framework::test::WindowsTest&, nidora::test::WindowDriver& driver) {
        startIn(driver, practice::BrowseAGENDA);
        driver.click(QString::fromLatin1(button));
    };
}

// The reference tables' window on one table's page, and that page's insert button pressed.
auto fromTables(int page, const char* insert)
{
    return [page, insert](framework::test::WindowsTest&, nidora::test::WindowDriver& driver) {
        startIn(driver, practice::Tablas);
        static_cast<QTabWidget*>(driver.find(QStringLiteral("?SHEET2")))->setCurrentIndex(page);
        driver.settle();
        driver.click(QString::fromUtf8(insert));
    };
}

auto started(void (*procedure)())
{
    return [procedure](framework::test::WindowsTest&, nidora::test::WindowDriver& driver) {
        startIn(driver, procedure);
    };
}

// A clinical-history form as the patient form calls it: a new record of its file for patient 1.
template <class R> auto historyForm(void (*form)())
{
    return [form](framework::test::WindowsTest&, nidora::test::WindowDriver& driver) {
        driver.start([form] {
            data::Dictionary& data = views::threadDictionary();
            data::RelationObject& consultations = data.relation<data::CONSULTAS>();
            consultations.open();
            clinical::readPatient(data, 1);
            data.access<R>().prime();
            framework::callWithRequest(InsertRecord, form);
            consultations.close();
        });
    };
}

constexpr std::int32_t kPrescribed = 2;

// A consultation of patient 1, with what its prescription is built from.
data::CONSULTAS prescribedConsultation()
{
    data::CONSULTAS visit = nidora::test::consultation(kPrescribed, 1);
    visit.ANIOS = 3;
    visit.MESES = 4;
    visit.DIAS = 12;
    visit.DIAGNOSTICOP = QStringLiteral("Otitis media aguda");
    visit.MEDICACION
        = QStringLiteral("Amoxicilina 250 mg/5 ml: 5 ml cada 8 horas durante 7 días.\nParacetamol gotas si "
                         "hay fiebre.");
    return visit;
}

// A few generated pages of a report, as a layout draws them.
std::vector<views::ReportPage> generatedPages(int count)
{
    std::vector<views::ReportPage> pages;
    for (int n = 1; n <= count; ++n) {
        views::ReportPage page = views::ReportPage::portrait();
        QPainter painter(&page);
        painter.fillRect(QRectF(500, 300, 7000, 250), QColor(40, 90, 150));
        painter.setFont(QFont(QStringLiteral("Courier New"), 11, QFont::Bold));
        painter.drawText(QPointF(1600, 900), QStringLiteral("HISTORIAL DE CONSULTAS"));
        painter.setFont(QFont(QStringLiteral("Courier New"), 9));
        for (int band = 0; band < 8; ++band) {
            const double top = 1700 + band * 1050;
            painter.drawLine(QLineF(500, top, 7500, top));
            painter.drawText(QPointF(600, top + 200),
                QStringLiteral("Fecha: %1/03/2023  Peso: 12.5  Altura: 88.5").arg(band + 10));
            painter.drawText(
                QPointF(600, top + 400), QStringLiteral("Diagnóstico confirmado: BRONQUIOLITIS"));
        }
        painter.drawText(QPointF(3500, 10700), QStringLiteral("Page xxxxx of xxxxx"));
        painter.end();
        pages.push_back(std::move(page));
    }
    return pages;
}

void previewPages(nidora::test::WindowDriver& driver)
{
    driver.start([] {
        reports::PrintOptions options;
        reports::PreviewWindow window(generatedPages(6), {}, options);
        window.run();
    });
}

auto closing(std::initializer_list<const char*> captions)
{
    return [names = std::vector<const char*>(captions)](nidora::test::WindowDriver& driver) {
        for (const char* caption : names)
            driver.close(QString::fromUtf8(caption));
    };
}

// A growth reference table of plausible values for every month of the first year.
data::TABCRECIMIENTO growthRow(int month)
{
    data::TABCRECIMIENTO row;
    row.EDAD = std::int16_t(month);
    const int spread[7] = { -180, -120, -60, 0, 60, 120, 180 };
    for (std::size_t p = 0; p < 7; ++p)
        for (std::size_t s = 0; s < 2; ++s)
            row.PESOS[p][s] = std::int64_t(
                (3300 + month * 600 - month * month * 18) * (100 + spread[p] / 6) / 100 - int(s) * 200);
    return row;
}

// The texts of a statistics window at their longest: a reason of 25 characters and the range.
void fillStatistics(clinical::ChartParameters& parameters)
{
    parameters.ChartTitle = clinical::fitted(QStringLiteral("DISTRIBUCION MENSUAL CONSULTAS"), 33);
    parameters.ChartSubtitle
        = clinical::fitted(QStringLiteral("Control de niño sano y va 01/01/10-31/12/11"), 43);
    parameters.ChartXTitle = clinical::fitted(QStringLiteral("Meses"), 20);
    parameters.ChartYTitle = clinical::fitted(QStringLiteral("# Casos"), 20);
    parameters.ChartSeriesText = clinical::fitted(QStringLiteral("Casos mensuales*"), 250);
    parameters.ChartColors[0] = 0x3C14DC;
}

class WindowPlacesTest : public views::test::RecordWindowsTest {
protected:
    WindowPlacesTest()
    {
        views::AppGlobals.grantAllRights();
        views::AppGlobals.CurrentPhysician = 1;
        store(nidora::test::doctor(1, "Dra. Gómez"));
        store(nidora::test::patient(1, "Pérez, Ana"));
        store(nidora::test::topic("Pediatría"));
        store(nidora::test::title("Pediatría", "Vacunas"));
        store(nidora::test::article("Pediatría", "Vacunas", "Calendario nacional"));
        shell::test::addUser("jefa", "Jefa", { 30 });
        frame.show();
        framework::setWindowArea(frame.workspace());
        driver.runUntil([this] { return frame.isVisible(); });
    }
    ~WindowPlacesTest() override
    {
        framework::setWindowArea(nullptr);
        clinical::PatientBrowseThread = 0;
        views::AppGlobals = views::ProgramGlobals {};
    }

    // The charts: a boy's first-year weight with its reference curves, and the bars and the pie
    // of a statistics window over points laid out just before.
    void openGrowthChart()
    {
        for (int month = 0; month <= 12; ++month)
            store(growthRow(month));
        data::CONSULTAS visit = nidora::test::consultation(1, 1);
        visit.MESES = 4;
        visit.DIAS = 12;
        visit.PESO = 6400;
        store(visit);
        driver.start([] {
            data::PACIENTES& boy = views::threadDictionary().buffer<data::PACIENTES>();
            boy = nidora::test::patient(1, "Fernández Ruiz, María de los Ángeles");
            boy.SEXO = QStringLiteral("M");
            boy.PESO = 3250;
            clinical::growthChart(1);
        });
    }
    void openStatisticsChart(void (*viewer)())
    {
        const double counts[] = { 12, 18, 9, 22, 15, 11 };
        const char* labels[]
            = { "menores de  1 años", " 1 a  5 años", "", " 5 a 10 años", "", "mayores de 10 años" };
        ASSERT_TRUE(data::DataFile::createEmpty(data::fileDesc(data::FileId::GRAFICO)).ok());
        for (int i = 0; i < 6; ++i) {
            data::GRAFICO point;
            point.SERIE = 1;
            point.X = i + 1;
            point.Y = counts[i];
            point.REFERENCIA = QString::fromUtf8(labels[i]);
            store(point);
        }
        driver.start([viewer] {
            fillStatistics(clinical::chartParameters());
            viewer();
        });
    }

    QMdiSubWindow* newest() const
    {
        const auto open = frame.workspace()->subWindowList(QMdiArea::CreationOrder);
        return open.isEmpty() ? nullptr : open.back();
    }
    int openCount() const { return int(frame.workspace()->subWindowList().size()); }

    // With NIDORA_SCREENSHOTS naming a folder, what the X server shows is kept there.
    static void keepScreenshot(const char* name)
    {
        const QString folder = qEnvironmentVariable("NIDORA_SCREENSHOTS");
        if (folder.isEmpty())
            return;
        if (QScreen* screen = QGuiApplication::primaryScreen())
            screen->grabWindow(0).save(
                QDir(folder).filePath(QString::fromUtf8(name) + QStringLiteral(".png")));
    }

    shell::MainFrame frame;
};

TEST_F(WindowPlacesTest, EveryWindowOpensAtItsDescribedSizeAndPlace)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under an X server";
    const framework::DialogUnits units(framework::describedFont(QStringLiteral("MS Sans Serif"), 8));
    const auto closeProduct = [this](nidora::test::WindowDriver&) {
        if (QMdiSubWindow* shown = newest())
            shown->close();
    };
    const auto growthChart = [this](auto&, nidora::test::WindowDriver&) { openGrowthChart(); };
    const auto statistics = [this](void (*viewer)()) {
        return [this, viewer](auto&, nidora::test::WindowDriver&) { openStatisticsChart(viewer); };
    };
    // The prescription of a consultation, started on it directly as the patient form starts it.
    const auto prescription = [this](auto&, nidora::test::WindowDriver& driver) {
        store(prescribedConsultation());
        driver.start([] { clinical::prescription(kPrescribed); });
    };
    const Place places[] = {
        { "login", started(shell::Identificacion), closeProduct, { 150, 60 }, std::nullopt },
        { "users list", started(shell::BrowseUSUARIOS), closing({ "Usuarios" }), { 180, 170 }, QPoint(0, 0) },
        { "users form", fromList(shell::BrowseUSUARIOS),
            closing({ "Agregando un Registro a USUARIOS", "Usuarios" }), { 190, 150 }, std::nullopt },
        { "doctors list", started(practice::BrowseMEDICOS), closing({ "Archivo de Médicos" }), { 180, 177 },
            QPoint(0, 0), false, true },
        { "doctors form", fromList(practice::BrowseMEDICOS),
            closing({ "Nuevo Registro", "Archivo de Médicos" }), { 260, 150 }, std::nullopt, false, true },
        { "patient list", started(clinical::BrowsePACIENTES), closing({ "Pacientes" }), { 420, 230 },
            QPoint(0, 0), true },
        { "patient form", fromList(clinical::BrowsePACIENTES), closing({ "Nuevo Paciente", "Pacientes" }),
            { 610, 272 }, std::nullopt },
        { "mothers list", started(clinical::BrowseMADRES), closing({ "Archivo de Madres" }), { 200, 190 },
            QPoint(0, 0), true },
        { "mothers form", fromList(clinical::BrowseMADRES),
            closing({ "Nuevo Registro", "Archivo de Madres" }), { 280, 194 }, std::nullopt },
        { "fathers list", started(clinical::BrowsePADRES), closing({ "Archivo de Padres" }), { 200, 190 },
            QPoint(0, 0), true },
        { "fathers form", fromList(clinical::BrowsePADRES),
            closing({ "Nuevo Registro", "Archivo de Padres" }), { 280, 138 }, std::nullopt },
        { "patient lookup", [](auto&, auto& driver) { lookUp(driver, clinical::PACIENTES_Seleccionar); },
            closing({ "Seleccionar un registro de tabla PACIENTES" }), { 260, 180 }, std::nullopt, true },
        { "consultation form", historyForm<data::CONSULTAS>(clinical::UpdateCONSULTAS),
            closing({ "Alta de Consulta" }), { 448, 288 }, std::nullopt },
        { "pathology form", historyForm<data::ENFERMEDADES>(clinical::UpdateENFERMEDADES),
            closing({ "Nuevo Diagnóstico" }), { 260, 148 }, std::nullopt },
        { "vaccination form", historyForm<data::VACUNACION>(clinical::UpdateVACUNAS),
            closing({ "Agregar Vacuna" }), { 260, 118 }, std::nullopt },
        { "study form", historyForm<data::ANALISIS>(clinical::UpdateANALISIS), closing({ "Nuevo Estudio" }),
            { 300, 170 }, std::nullopt, true },
        { "prescription", prescription, closing({ "Receta" }), { 373, 249 }, std::nullopt },
        { "library", started(practice::Biblioteca), closing({ "Bibliioteca" }), { 280, 232 }, QPoint(0, 0),
            false, true },
        { "topic form", fromLibrary(0), closing({ "Nuevo Tema", "Bibliioteca" }), { 230, 50 }, std::nullopt,
            false, true },
        { "title form", fromLibrary(1), closing({ "Nuevo Título", "Bibliioteca" }), { 230, 64 }, std::nullopt,
            false, true },
        { "article form", fromLibrary(2), closing({ "Nuevo Título", "Bibliioteca" }), { 340, 240 },
            std::nullopt, false, true },
        { "agenda", started(practice::BrowseAGENDA), closing({ "Agenda" }), { 372, 240 }, QPoint(0, 0), false,
            true },
        { "report launcher", started(reports::Informes), closing({ "Informes" }), { 330, 176 }, std::nullopt,
            false, true },
        { "chart launcher", started(reports::Graficos), closing({ "Gráficas" }), { 330, 176 }, std::nullopt,
            false, true },
        { "monthly pathologies", started(reports::PantallaG1), closing({ "Graficas" }), { 200, 70 },
            std::nullopt, false, true },
        { "yearly pathologies", started(reports::PantallaG2), closing({ "Graficas" }), { 200, 52 },
            std::nullopt, false, true },
        { "pathologies by sex", started(reports::PantallaG3), closing({ "Graficas" }), { 200, 86 },
            std::nullopt, false, true },
        { "pathologies by age", started(reports::PantallaG4), closing({ "Graficas" }), { 200, 164 },
            std::nullopt, false, true },
        { "monthly consultations", started(reports::PantallaG21), closing({ "Graficas" }), { 200, 70 },
            std::nullopt, false, true },
        { "yearly consultations", started(reports::PantallaG22), closing({ "Graficas" }), { 200, 52 },
            std::nullopt, false, true },
        { "consultations by sex", started(reports::PantallaG23), closing({ "Graficas" }), { 200, 86 },
            std::nullopt, false, true },
        { "consultations by age", started(reports::PantallaG24), closing({ "Graficas" }), { 200, 164 },
            std::nullopt, false, true },
        { "appointment form", fromAgenda("?INSERT:2"), closing({ "Agregar Turno", "Agenda" }), { 236, 136 },
            std::nullopt, false, true },
        { "working hours", fromAgenda("?BUTTON8"), closing({ "Parámetros Agenda", "Agenda" }), { 244, 160 },
            std::nullopt, false, true },
        { "calendar",
            [](auto&, auto& driver) { driver.start([] { practice::SelectDate(QString(), 0, 0, 1); }); },
            closing({ "Calendar" }), { 144, 104 }, std::nullopt },
        { "tables", started(practice::Tablas), closing({ "Tablas" }), { 480, 230 }, QPoint(0, 0), false,
            true },
        { "reasons form", fromTables(0, "?INSERT"), closing({ "Nuevo Motivo Consulta", "Tablas" }),
            { 200, 60 }, std::nullopt, false, true },
        { "coverages form", fromTables(1, "?INSERT:2"), closing({ "Nueva Cobertura", "Tablas" }), { 200, 60 },
            std::nullopt, false, true },
        { "plans form", fromTables(2, "?INSERT:3"), closing({ "Agregar Registro", "Tablas" }), { 220, 132 },
            std::nullopt, false, true },
        { "pathologies form", fromTables(3, "?INSERT:4"), closing({ "Agregar Patología", "Tablas" }),
            { 300, 190 }, std::nullopt, false, true },
        { "growth form", fromTables(4, "?INSERT:5"), closing({ "Nuevo Registro", "Tablas" }), { 360, 196 },
            std::nullopt, false, true },
        { "pathology lookup", [](auto&, auto& driver) { lookUp(driver, practice::BrowseENFERMEDADES); },
            closing({ "Tabla de Patologías" }), { 200, 190 }, QPoint(0, 0), false, true },
        { "coverages list", [](auto&, auto& driver) { lookUp(driver, practice::Browse_OBRASSOCIALES); },
            closing({ "Coberturas Sociales" }), { 160, 170 }, QPoint(0, 0), false, true },
        { "splash", started(shell::PantallaFondo), closeProduct, { 200, 118 }, std::nullopt, false, true,
            false },
        { "about", started(shell::HelpAbout), closeProduct, { 200, 162 }, std::nullopt, false, false, false },
        { "line chart", growthChart, closing({ "Gráfico" }), { 460, 260 }, std::nullopt, true },
        { "bar chart", statistics(clinical::GraficoX2), closing({ "Gráfico" }), { 460, 260 }, std::nullopt,
            true },
        { "pie chart", statistics(clinical::GraficoX3), closing({ "Gráfico" }), { 460, 260 }, std::nullopt,
            true },
        { "patient card prompt", started(reports::Pantalla1), closing({ "Informes" }), { 232, 54 },
            std::nullopt, false, true },
        { "prenatal prompt", started(reports::Pantalla2), closing({ "Informes" }), { 232, 54 }, std::nullopt,
            false, true },
        { "growth prompt", started(reports::Pantalla3), closing({ "Informes" }), { 232, 54 }, std::nullopt,
            false, true },
        { "clinical history prompt", started(reports::Pantalla4), closing({ "Informes" }), { 232, 72 },
            std::nullopt, false, true },
        { "pathology history prompt", started(reports::Pantalla5), closing({ "Informes" }), { 232, 72 },
            std::nullopt, false, true },
        { "agenda prompt", started(reports::Pantalla21), closing({ "Informes" }), { 232, 54 }, std::nullopt,
            false, true },
        { "roster prompt", started(reports::Pantalla22), closing({ "Informes" }), { 232, 54 }, std::nullopt,
            false, true },
        { "blood group prompt", started(reports::Pantalla23), closing({ "Informes" }), { 232, 72 },
            std::nullopt, false, true },
        { "birthdays prompt", started(reports::Pantalla24), closing({ "Informes" }), { 232, 54 },
            std::nullopt, false, true },
        { "reason prompt", started(reports::Pantalla31), closing({ "Informes" }), { 232, 72 }, std::nullopt,
            false, true },
        { "pathology prompt", started(reports::Pantalla32), closing({ "Informes" }), { 232, 72 },
            std::nullopt, false, true },
        { "coverage prompt", started(reports::Pantalla33), closing({ "Informes" }), { 232, 72 }, std::nullopt,
            false, true },
        { "report preview", [](auto&, auto& driver) { previewPages(driver); }, closing({ "Report Preview" }),
            { 345, 195 }, std::nullopt, true, false, false, true },
        { "camera",
            [](auto&, auto& driver) { driver.start([] { clinical::Camera(QStringLiteral("P000001")); }); },
            closing({ "Captura foto de cámara" }), { 263, 138 }, std::nullopt },
        { "backup", started(shell::PantallaCopia), closing({ "Copia de Datos" }), { 260, 94 }, std::nullopt },
        { "restore", started(shell::PantallaRestaurar), closing({ "Restaurar Datos" }), { 260, 60 },
            std::nullopt },
    };
    const QSize area = frame.workspace()->viewport()->size();
    for (const Place& place : places) {
        SCOPED_TRACE(place.window);
        const int before = openCount();
        place.open(*this, driver);
        ASSERT_TRUE(
            driver.runUntil([&] { return newest() && newest()->isVisible() && openCount() > before; }));
        driver.settle();
        QMdiSubWindow* shown = newest();
        QWidget* inner = shown->widget();
        keepScreenshot(place.window);

        if (place.maximised) {
            EXPECT_TRUE(shown->isMaximized());
            EXPECT_EQ(shown->geometry(), frame.workspace()->viewport()->rect());
        } else {
            EXPECT_EQ(inner->size(), units.toPixels(place.size));
        }
        EXPECT_TRUE(shown->rect().contains(inner->geometry()));
        EXPECT_EQ(shown->height() > inner->height(), place.titleBar);
        if (place.maximised) {
        } else if (place.at) {
            EXPECT_EQ(shown->pos(), QPoint(units.toPixelsX(place.at->x()), units.toPixelsY(place.at->y())));
        } else {
            EXPECT_LE(std::abs(2 * shown->x() + shown->width() - area.width()), 1);
            EXPECT_LE(std::abs(2 * shown->y() + shown->height() - area.height()), 1);
        }
        EXPECT_EQ(inner->minimumSize(), units.toPixels(place.size));
        EXPECT_EQ(inner->maximumSize() == inner->minimumSize(), !place.resizable);
        EXPECT_EQ(!inner->palette().window().texture().isNull(), place.wallpaper);

        place.close(driver);
        ASSERT_TRUE(driver.runUntil([&] { return openCount() == before; }));
    }
}

// The three charts as they open, in a larger window and maximised: kept on screen to be looked at.
TEST_F(WindowPlacesTest, TheChartsAreRedrawnToEverySizeOfTheirWindow)
{
    struct Chart {
        const char* name;
        std::function<void()> open;
    };
    const Chart charts[] = {
        { "line chart", [this] { openGrowthChart(); } },
        { "bar chart", [this] { openStatisticsChart(clinical::GraficoX2); } },
        { "pie chart", [this] { openStatisticsChart(clinical::GraficoX3); } },
    };
    for (const Chart& chart : charts) {
        SCOPED_TRACE(chart.name);
        chart.open();
        ASSERT_TRUE(driver.runUntil([&] { return newest() && newest()->isVisible(); }));
        driver.settle();
        QMdiSubWindow* shown = newest();
        // The viewer makes its chart anew at every size: it is looked up again after each.
        auto drawnSize = [shown] {
            const QWidget* drawn = shown->widget()->findChild<QWidget*>(QStringLiteral("chart"));
            return drawn ? drawn->size() : QSize();
        };
        const QSize opened = drawnSize();
        ASSERT_TRUE(opened.isValid());
        keepScreenshot((std::string(chart.name) + " at its opening size").c_str());
        shown->resize(shown->size() + QSize(160, 90));
        driver.settle();
        EXPECT_GT(drawnSize().width(), opened.width());
        keepScreenshot((std::string(chart.name) + " larger").c_str());
        shown->showMaximized();
        driver.settle();
        EXPECT_GT(drawnSize().height(), opened.height() + 90);
        keepScreenshot((std::string(chart.name) + " maximised").c_str());
        driver.close(QStringLiteral("Gráfico"));
        ASSERT_TRUE(driver.runUntil([&] { return openCount() == 0; }));
    }
}

TEST_F(WindowPlacesTest, ThePreviewShowsAZoomedPageAndThumbnails)
{
    previewPages(driver);
    ASSERT_TRUE(driver.runUntil([&] { return newest() && newest()->isMaximized(); }));
    auto* zoom = qobject_cast<QComboBox*>(driver.find(QStringLiteral("?ZOOMSTATUS")));
    ASSERT_NE(zoom, nullptr);
    zoom->setCurrentText(QStringLiteral("Zoom (200%)"));
    emit zoom->activated(zoom->currentIndex());
    driver.settle();
    keepScreenshot("report preview zoomed");

    driver.click(QStringLiteral("?CHANGEDISPLAY"));
    ASSERT_TRUE(driver.runUntil([&] { return driver.window(QStringLiteral("Change the Report Display")); }));
    driver.settle();
    keepScreenshot("report preview display question");
    qobject_cast<QSpinBox*>(driver.find(QStringLiteral("?PAGESACROSS")))->setValue(3);
    qobject_cast<QSpinBox*>(driver.find(QStringLiteral("?PAGESDOWN")))->setValue(2);
    driver.click(QStringLiteral("?OkButton"));
    driver.settle();
    keepScreenshot("report preview thumbnails");
    EXPECT_EQ(zoom->currentText(), QStringLiteral("No Zoom"));

    driver.click(QStringLiteral("?PRINTBUTTON"));
    ASSERT_TRUE(driver.runUntil([&] { return driver.window(QStringLiteral("Print Options")); }));
    driver.settle();
    keepScreenshot("report preview print options");
    EXPECT_TRUE(newest()->isVisible());
    EXPECT_TRUE(frame.workspace()->subWindowList().front()->isMaximized());
    driver.click(QStringLiteral("?CancelButton"));
    ASSERT_TRUE(driver.runUntil([&] { return openCount() == 0; }));
}

// The patient form's pages share one sheet beside its task panel and chart buttons: on each
// page every control lies wholly inside the page.
TEST_F(WindowPlacesTest, EveryPageOfThePatientFormHoldsItsControls)
{
    fromList(clinical::BrowsePACIENTES)(*this, driver);
    ASSERT_TRUE(driver.runUntil([&] { return driver.window(QStringLiteral("Nuevo Paciente")) != nullptr; }));
    auto* sheet = qobject_cast<QTabWidget*>(driver.find(QStringLiteral("?SHEET2")));
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->count(), 9);
    for (int index = 0; index < sheet->count(); ++index) {
        sheet->setCurrentIndex(index);
        driver.settle();
        QWidget* page = sheet->currentWidget();
        SCOPED_TRACE(page->objectName().toStdString());
        keepScreenshot(QStringLiteral("patient form %1").arg(page->objectName()).toUtf8().constData());
        for (QWidget* each : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (each->isVisible()) {
                EXPECT_TRUE(page->rect().contains(each->geometry())) << each->objectName().toStdString();
            }
        }
    }
    closing({ "Nuevo Paciente", "Pacientes" })(driver);
    ASSERT_TRUE(driver.runUntil([&] { return openCount() == 0; }));
}

// The printed prescription, kept as a picture of the page beside the screenshots.
TEST_F(WindowPlacesTest, ThePrescriptionPrintsOnePageUnderTheDoctorsData)
{
    ASSERT_TRUE(platform::PracticeSettings::writeInt(QStringLiteral("medico"), 2));
    store(nidora::test::doctorWithHeader(2, "Dra. María Fernández"));
    store(prescribedConsultation());
    views::test::PreviewSink sink;
    const views::test::ProgramPreviewerOverride previewing(sink);
    bool ended = false;
    driver.start([&ended] {
        clinical::prescription(kPrescribed);
        ended = true;
    });
    ASSERT_TRUE(driver.runUntil([&] { return driver.window(QStringLiteral("Receta")) != nullptr; }));
    driver.click(QStringLiteral("?BUTTON1"));
    ASSERT_TRUE(driver.runUntil([&] { return ended; }));
    ASSERT_EQ(sink.handed.size(), 1u);
    const QString folder = qEnvironmentVariable("NIDORA_SCREENSHOTS");
    if (!folder.isEmpty()) {
        QImage picture(850, 1100, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        sink.handed.front().draw(painter, QRectF(0, 0, 850, 1100));
        painter.end();
        picture.save(QDir(folder).filePath(QStringLiteral("prescription page.png")));
    }
}

// A chart maximised over the patient form and closed: the form, which does not resize, comes back
// at its own size and place with its controls where they were; the patient list, which does,
// lays its controls out again for the size the workspace gives it.
TEST_F(WindowPlacesTest, AMaximisedChartLeavesThePatientFormsSizeAndLayoutAlone)
{
    const framework::DialogUnits units(framework::describedFont(QStringLiteral("MS Sans Serif"), 8));
    fromList(clinical::BrowsePACIENTES)(*this, driver);
    ASSERT_TRUE(driver.runUntil([&] { return driver.window(QStringLiteral("Nuevo Paciente")) != nullptr; }));
    driver.settle();
    QMdiSubWindow* form = newest();
    const QRect formPlace = form->geometry();
    QWidget* ok = driver.find(QStringLiteral("?OK"));
    const QRect okPlace = ok->geometry();

    ASSERT_TRUE(data::DataFile::createEmpty(data::fileDesc(data::FileId::GRAFICO)).ok());
    data::GRAFICO point;
    point.SERIE = 1;
    point.X = 1;
    point.Y = 12;
    store(point);
    driver.start([] {
        fillStatistics(clinical::chartParameters());
        clinical::GraficoX2();
    });
    ASSERT_TRUE(driver.runUntil([&] { return newest() != form && newest()->isVisible(); }));
    QMdiSubWindow* chart = newest();
    chart->showMaximized();
    driver.settle();
    keepScreenshot("maximised chart over the patient form");
    ASSERT_TRUE(chart->isMaximized());

    closing({ "Gráfico" })(driver);
    ASSERT_TRUE(driver.runUntil([&] { return !frame.workspace()->subWindowList().contains(chart); }));
    driver.settle();
    frame.workspace()->setActiveSubWindow(form);
    driver.settle();
    keepScreenshot("patient form after the maximised chart");
    EXPECT_FALSE(form->isMaximized());
    EXPECT_EQ(form->geometry(), formPlace);
    EXPECT_EQ(form->widget()->size(), units.toPixels(QSize(610, 272)));
    EXPECT_EQ(ok->geometry(), okPlace);

    closing({ "Nuevo Paciente" })(driver);
    ASSERT_TRUE(driver.runUntil([&] { return driver.window(QStringLiteral("Nuevo Paciente")) == nullptr; }));
    driver.settle();
    // The list, resizable, takes the workspace when it is maximised, and its list with it.
    QMdiSubWindow* list = newest();
    QWidget* rows = driver.find(QStringLiteral("?BROWSE:1"));
    const QSize rowsBefore = rows->size();
    list->showMaximized();
    driver.settle();
    keepScreenshot("patient list maximised");
    EXPECT_GT(rows->width(), rowsBefore.width());
    EXPECT_GT(rows->height(), rowsBefore.height());
    closing({ "Pacientes" })(driver);
    ASSERT_TRUE(driver.runUntil([&] { return openCount() == 0; }));
}

// Every value of a number, date or time column shows whole in it, and the list shows a scroll
// bar when its rows do not fit on its page.
void expectEveryRowReachableAndEveryValueWhole(QAbstractItemView* list, bool moreRowsThanFit)
{
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->verticalScrollBar()->isVisible(), moreRowsThanFit);
    const QAbstractItemModel* rows = list->model();
    QHeaderView* header = static_cast<QTableView*>(list)->horizontalHeader();
    ASSERT_NE(header, nullptr);
    for (int column = 0; column < rows->columnCount(); ++column)
        for (int row = 0; row < rows->rowCount(); ++row) {
            const QModelIndex cell = rows->index(row, column);
            if (!(Qt::Alignment(cell.data(Qt::TextAlignmentRole).toInt()) & Qt::AlignRight))
                continue;
            const QString text = cell.data().toString().trimmed();
            EXPECT_GE(header->sectionSize(column), list->fontMetrics().horizontalAdvance(text) + 4)
                << rows->headerData(column, Qt::Horizontal).toString().toStdString() << " "
                << text.toStdString();
        }
}

QAbstractItemView* listNamed(nidora::test::WindowDriver& driver, const char* name)
{
    return qobject_cast<QAbstractItemView*>(driver.find(QString::fromLatin1(name)));
}

// The lists a practice uses every day, each with more rows than it shows at once and its widest
// values: patients, a patient's consultations, vaccinations and pathologies, the agenda's day and
// the pathology lookup.
TEST_F(WindowPlacesTest, EveryListReachesEveryRowAndShowsEveryValueWhole)
{
    for (std::int32_t code = 2; code <= 40; ++code) {
        data::PACIENTES child = nidora::test::patient(code, "Paciente", "OSDE");
        child.NOMBRE = QStringLiteral("Paciente %1").arg(code, 2, 10, QLatin1Char('0'));
        child.FNACIMIENTO = makeDate(2019, 12, 28);
        child.GRUPO = QStringLiteral("AB+");
        child.NROOBRASOCIAL = QStringLiteral("123456789012345");
        child.TELEFONO = QStringLiteral("(011) 4555-1234 interno 22");
        store(child);
    }
    for (std::int32_t code = 1; code <= 24; ++code) {
        data::CONSULTAS visit = nidora::test::consultation(code, 1, "CONTROL DE NIÑO SANO");
        visit.ANIOS = 12;
        visit.MESES = 11;
        visit.DIAS = std::uint8_t(10 + code % 19);
        visit.PESO = 48250;
        visit.OBSERVACIONES = QStringLiteral("Buen estado general, vacunas al día.");
        store(visit);
        data::ENFERMEDADES found = nidora::test::pathologyCase(1, 80000 + code, "BRONQUIOLITIS");
        found.ANIOS = 10;
        found.MESES = 11;
        found.DIAS = 28;
        found.OBSERVACIONES = QStringLiteral("Tratada en casa.");
        if (code <= 20)
            store(found);
        data::VACUNACION dose;
        dose.PACIENTE = 1;
        dose.FECHAPROG = 80000 + code;
        dose.FECHAREAL = 80001 + code;
        dose.VACUNA = QStringLiteral("TRIPLE BACTERIANA %1").arg(code);
        dose.DOSIS = QStringLiteral("REFUERZO 2");
        store(dose);
        data::TABENFERMED kind;
        kind.NOMBRE = QStringLiteral("PATOLOGÍA %1").arg(code, 2, 10, QLatin1Char('0'));
        if (code <= 20)
            store(kind);
    }
    practice::WorkingHours hours;
    for (int weekday = 1; weekday <= 7; ++weekday) {
        hours.at(1, weekday) = makeTime(8, 0);
        hours.at(2, weekday) = makeTime(12, 0);
        hours.at(3, weekday) = makeTime(16, 0);
        hours.at(4, weekday) = makeTime(20, 0);
    }
    hours.INTERVALO = practice::WorkingHours::kDefaultInterval;
    ASSERT_TRUE(practice::writeWorkingHours(hours));

    startIn(driver, clinical::BrowsePACIENTES);
    ASSERT_TRUE(driver.runUntil([&] { return listNamed(driver, "?BROWSE:1") != nullptr; }));
    static_cast<QTabWidget*>(driver.find(QStringLiteral("?CURRENTTAB")))->setCurrentIndex(1);
    driver.settle();
    keepScreenshot("list of patients");
    expectEveryRowReachableAndEveryValueWhole(listNamed(driver, "?BROWSE:1"), true);
    // Patient 1, whose history the form shows, heads the list by code.
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    QApplication::sendEvent(listNamed(driver, "?BROWSE:1"), &home);
    driver.settle();

    driver.click(QStringLiteral("?CHANGE:2"));
    ASSERT_TRUE(
        driver.runUntil([&] { return driver.window(QStringLiteral("Edición de Paciente")) != nullptr; }));
    auto* sheet = qobject_cast<QTabWidget*>(driver.find(QStringLiteral("?SHEET2")));
    const struct {
        int page;
        const char* list;
        const char* screenshot;
    } pages[] = { { 1, "?BROWSE:2", "list of consultations" }, { 2, "?LIST", "list of vaccinations" },
        { 4, "?LIST:3", "list of pathologies" } };
    for (const auto& page : pages) {
        SCOPED_TRACE(page.screenshot);
        sheet->setCurrentIndex(page.page);
        driver.settle();
        keepScreenshot(page.screenshot);
        expectEveryRowReachableAndEveryValueWhole(listNamed(driver, page.list), true);
    }
    closing({ "Edición de Paciente", "Pacientes" })(driver);
    ASSERT_TRUE(driver.runUntil([&] { return openCount() == 0; }));

    startIn(driver, practice::BrowseAGENDA);
    ASSERT_TRUE(driver.runUntil([&] { return listNamed(driver, "?BROWSE:1") != nullptr; }));
    driver.settle();
    keepScreenshot("list of the agenda's day");
    expectEveryRowReachableAndEveryValueWhole(listNamed(driver, "?BROWSE:1"), true);
    closing({ "Agenda" })(driver);
    ASSERT_TRUE(driver.runUntil([&] { return openCount() == 0; }));

    lookUp(driver, practice::BrowseENFERMEDADES);
    ASSERT_TRUE(
        driver.runUntil([&] { return driver.window(QStringLiteral("Tabla de Patologías")) != nullptr; }));
    driver.settle();
    keepScreenshot("list of the pathology lookup");
    for (QAbstractItemView* each :
        driver.window(QStringLiteral("Tabla de Patologías"))->findChildren<QAbstractItemView*>())
        if (each->isVisible() && qobject_cast<QHeaderView*>(each) == nullptr)
            expectEveryRowReachableAndEveryValueWhole(each, true);
    closing({ "Tabla de Patologías" })(driver);
    ASSERT_TRUE(driver.runUntil([&] { return openCount() == 0; }));
}

TEST_F(WindowPlacesTest, TheFrameOpensInTheMiddleOfTheScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    keepScreenshot("frame");
    EXPECT_EQ(frame.frameGeometry().size(), QSize(1024, 720));
    EXPECT_EQ(frame.frameGeometry().center(), screen.center());
}
} // namespace
} // namespace nidora::onscreen
