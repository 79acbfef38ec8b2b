#include "shell/FrameEmailLink.h"
#include "shell/FrameIcons.h"
#include "shell/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolBar>

#include <gtest/gtest.h>

#include <vector>

namespace nidora::shell {
namespace {

struct Item {
    const char* text;
    const char* statusTip;
};

struct Menu {
    const char* title;
    const char* statusTip;
    std::vector<Item> items;
};

TEST(FrameLayout, MenusHoldTheirItemsInOrderWithTheirStatusMessages)
{
    const std::vector<Menu> expected = {
        { "&Archivo", "",
            { { "Archivo de Usuarios", "" }, { "Archivo de Médicos", "" }, { "Backup de Datos", "" },
                { "Restaurar Backup", "" }, { "&Especificar Impresora", "Especificar Impresora" },
                { "&Salir", "Salir del Programa" } } },
        { "&Edición", "",
            { { "C&ortar", "Corta y envía al portapapeles de Windows" },
                { "&Copiar", "Copia al portapapeles de Windows" },
                { "&Pegar", "Pega el contenido del portapapeles de Windows" } } },
        { "&Informes", "Report data", { { "Reportes", "" }, { "Gráficos", "" } } },
        { "&Window", "Create and Arrange windows",
            { { "T&ile", "Make all open windows visible" }, { "&Cascade", "Stack all open windows" },
                { "&Arrange Icons", "Align all window icons" } } },
        { "A&yuda", "Windows Help", { { "Sobre Nidora 1.7", "" } } },
    };
    MainFrame frame;
    const QList<QAction*> menus = frame.menuBar()->actions();
    ASSERT_EQ(menus.size(), qsizetype(expected.size()));
    for (std::size_t m = 0; m < expected.size(); ++m) {
        const QAction* menu = menus[qsizetype(m)];
        EXPECT_EQ(menu->text(), QString::fromUtf8(expected[m].title));
        EXPECT_EQ(menu->statusTip(), QString::fromUtf8(expected[m].statusTip)) << expected[m].title;
        const QList<QAction*> items = menu->menu()->actions();
        ASSERT_EQ(items.size(), qsizetype(expected[m].items.size())) << expected[m].title;
        for (std::size_t i = 0; i < expected[m].items.size(); ++i) {
            EXPECT_EQ(items[qsizetype(i)]->text(), QString::fromUtf8(expected[m].items[i].text));
            EXPECT_EQ(items[qsizetype(i)]->statusTip(), QString::fromUtf8(expected[m].items[i].statusTip))
                << expected[m].items[i].text;
        }
    }
}

TEST(FrameLayout, ToolbarButtonsRunLeftToRightWithTheirCaptionsTooltipsAndOwnIcons)
{
    struct Button {
        int control;
        const char* caption;
        const char* tooltip;
        const char* icon;
    };
    const Button expected[] = {
        { -20, "Pacientes", "Pacientes", "doctor.ico" },
        { -21, "", "Archivo de Madres", "pregnant.ico" },
        { -30, "", "Archivo de Padres", "boss.ico" },
        { -22, "Tablas", "Tablas", "Documents.ico" },
        { -28, "", "Agenda", "calendario.ico" },
        { -29, "", "Biblioteca", "books.ico" },
        { -23, "", "Reportes", "Pencil.ico" },
        { -24, "", "Gráficas", "grabarr.ico" },
        { -25, "", "", "HELP2.ICO" },
        { -26, kContactAddress, kContactAddress, "" },
    };
    MainFrame frame;
    const QList<QAction*> buttons = frame.toolbar()->actions();
    ASSERT_EQ(buttons.size(), qsizetype(std::size(expected)));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Button& b = expected[i];
        const QAction* action = buttons[qsizetype(i)];
        EXPECT_EQ(action, frame.command(b.control)) << "button " << i;
        EXPECT_EQ(action->text(), QString::fromUtf8(b.caption)) << b.control;
        EXPECT_EQ(action->toolTip().remove(u'&'), QString::fromUtf8(b.tooltip)) << b.control;
        EXPECT_EQ(action->icon().isNull(), *b.icon == '\0') << b.control << " " << b.icon;
    }
}

TEST(FrameLayout, TheFrameIsSetInItsNamedFace)
{
    MainFrame frame;
    EXPECT_EQ(frame.font().family(), QStringLiteral("Liberation Sans"));
}

// The e-mail link: the region -26 under the hand cursor, the address -27 written on it in the
// stand-in for the typewriter face, and a click on the address chooses the region.
TEST(FrameLayout, TheEmailLinkIsARegionWithTheAddressWrittenOnIt)
{
    MainFrame frame;
    frame.show();
    auto* region = qobject_cast<FrameEmailLink*>(frame.toolbar()->widgetForAction(frame.command(-26)));
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(region->cursor().shape(), Qt::PointingHandCursor);
    const QLabel* address = region->text();
    EXPECT_EQ(address->text(), QString::fromUtf8(kContactAddress));
    EXPECT_EQ(address->font().family(), QStringLiteral("Liberation Mono"));
    EXPECT_TRUE(region->rect().contains(address->geometry()));

    std::vector<int> chosen;
    QObject::connect(
        &frame, &MainFrame::commandChosen, [&chosen](int control) { chosen.push_back(control); });
    const QPoint onText = address->geometry().center();
    EXPECT_EQ(region->childAt(onText), nullptr) << "the text lets the click through to the region";
    for (const QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease }) {
        QMouseEvent click(type, QPointF(onText), region->mapToGlobal(QPointF(onText)), Qt::LeftButton,
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(region, &click);
    }
    EXPECT_EQ(chosen, std::vector<int> { -26 });
}

TEST(FrameLayout, TheProgramIconIsFoundWhateverItsLetterCase)
{
    for (const char* name : { "nidora.ico", "NIDORA.ICO", "Help2.ico" })
        EXPECT_FALSE(frameIcon(QString::fromUtf8(name)).isNull()) << name;
    EXPECT_TRUE(frameIcon(QStringLiteral("nosuch.ico")).isNull());
}

} // namespace
} // namespace nidora::shell
