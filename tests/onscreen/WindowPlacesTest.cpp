#include "views/RecordWindowsTest.h"

#include "clinical/BrowsePACIENTES.h"
#include "clinical/PACIENTES_Seleccionar.h"
#include "clinical/ParentWindows.h"
#include "clinical/PatientListSlot.h"
#include "practice/BrowseMEDICOS.h"
#include "practice/ReferenceTables.h"
#include "shell/BrowseUSUARIOS.h"
#include "shell/Identificacion.h"
#include "shell/MainFrame.h"
#include "shell/ProductWindows.h"
#include "shell/UsersFile.h"

#include "framework/DialogUnits.h"
#include "framework/FontSubstitution.h"
#include "framework/WindowArea.h"
#include "views/ProgramGlobals.h"

#include <QDir>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTabWidget>

#include <cstdlib>
#include <functional>
#include <optional>

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

auto closing(std::initializer_list<const char*> captions)
{
    return [names = std::vector<const char*>(captions)](nidora::test::WindowDriver& driver) {
        for (const char* caption : names)
            driver.close(QString::fromUtf8(caption));
    };
}

class WindowPlacesTest : public views::test::RecordWindowsTest {
protected:
    WindowPlacesTest()
    {
        views::AppGlobals.grantAllRights();
        views::AppGlobals.CurrentPhysician = 1;
        store(nidora::test::doctor(1, "Dra. Gómez"));
        store(nidora::test::patient(1, "Pérez, Ana"));
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
            { 520, 272 }, std::nullopt },
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

        EXPECT_EQ(inner->size(), units.toPixels(place.size));
        EXPECT_TRUE(shown->rect().contains(inner->geometry()));
        EXPECT_EQ(shown->height() > inner->height(), place.titleBar);
        if (place.at) {
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

TEST_F(WindowPlacesTest, TheFrameOpensInTheMiddleOfTheScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    keepScreenshot("frame");
    EXPECT_EQ(frame.frameGeometry().size(), QSize(1024, 720));
    EXPECT_EQ(frame.frameGeometry().center(), screen.center());
}

} // namespace
} // namespace nidora::onscreen
