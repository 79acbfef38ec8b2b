#include "views/RecordWindowsTest.h"

#include "support/QStringPrinter.h"

#include "platform/FileChooserDouble.h"
#include "platform/ShellLauncherDouble.h"

#include "framework/KeyCodes.h"
#include "framework/ThreadContext.h"
#include "practice/Biblioteca.h"
#include "practice/Procedures.h"
#include "views/ProgramGlobals.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>

#include <gmock/gmock.h>

namespace nidora::practice {
namespace {

using data::ARTICULOS;
using data::TEMAS;
using data::TITULOS;
using nidora::test::article;
using nidora::test::title;
using nidora::test::topic;
using testing::ElementsAre;

const QString kLibrary = QStringLiteral("Bibliioteca");

class LibraryWindowsTest : public views::test::RecordWindowsTest {
protected:
    void startLibrary()
    {
        thread = driver.start([this] {
            Biblioteca();
            ended = true;
        });
        ASSERT_NE(driver.window(kLibrary), nullptr);
    }
    void closeLibrary()
    {
        driver.close(kLibrary);
        ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    }

    QTreeWidget* tree() const { return qobject_cast<QTreeWidget*>(driver.find(QStringLiteral("?RELTREE"))); }
    // The rows as the tree shows them: indented by depth, "+" before a closed entry that can be
    // opened, "-" before an open one.
    QStringList rows() const
    {
        QStringList lines;
        for (QTreeWidgetItemIterator it(tree()); *it; ++it) {
            const QTreeWidgetItem* item = *it;
            int depth = 0;
            for (const QTreeWidgetItem* up = item->parent(); up; up = up->parent())
                ++depth;
            QString mark; // none on the heading, which has no expander
            if (depth > 0 && item->childCount() > 0 && item->isExpanded())
                mark = QStringLiteral("- ");
            else if (depth > 0 && item->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator)
                mark = QStringLiteral("+ ");
            lines << QString(2 * depth, u' ') + mark + item->text(0);
        }
        return lines;
    }
    QString highlighted() const
    {
        const QTreeWidgetItem* current = tree()->currentItem();
        return current ? current->text(0) : QString();
    }
    QTreeWidgetItem* item(const char* text) const
    {
        const QList<QTreeWidgetItem*> found
            = tree()->findItems(QString::fromUtf8(text), Qt::MatchExactly | Qt::MatchRecursive);
        EXPECT_EQ(found.size(), 1) << text;
        return found.value(0);
    }
    // As a click on the row does.
    void highlight(const char* text)
    {
        tree()->setCurrentItem(item(text));
        driver.settle();
    }
    // As a click on the row's expander does.
    void expand(const char* text)
    {
        tree()->expandItem(item(text));
        driver.settle();
    }
    void collapse(const char* text)
    {
        tree()->collapseItem(item(text));
        driver.settle();
    }
    void doubleClick(const char* text)
    {
        highlight(text);
        const QPoint at = tree()->visualItemRect(item(text)).center();
        QMouseEvent click(QEvent::MouseButtonDblClick, at, tree()->viewport()->mapToGlobal(at),
            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree()->viewport(), &click);
        driver.settle();
    }
    QString text(const char* name) const
    {
        if (auto* entry = qobject_cast<QLineEdit*>(driver.find(QString::fromUtf8(name))))
            return entry->text().trimmed();
        if (auto* box = qobject_cast<QPlainTextEdit*>(driver.find(QString::fromUtf8(name))))
            return box->toPlainText();
        return QStringLiteral("<no such control>");
    }
    // Fills the form's entry and presses its OK.
    void typeAndOk(const char* name, const char* typed)
    {
        driver.type(QString::fromUtf8(name), QString::fromUtf8(typed));
        driver.click(QStringLiteral("?OK"));
    }

    // Pediatría holds two titles, Vacunas with an article; Cardiología holds nothing.
    void layOutLibrary()
    {
        store(topic("Cardiología"));
        store(topic("Pediatría"));
        store(title("Pediatría", "Nutrición"));
        store(title("Pediatría", "Vacunas"));
        store(article("Pediatría", "Vacunas", "Calendario"));
    }

    int thread = 0;
    bool ended = false;
};

TEST_F(LibraryWindowsTest, TheFirstTopicIsAddedOnTheHeadingAndHighlighted)
{
    startLibrary();
    EXPECT_THAT(rows(), ElementsAre("TEMAS"));
    EXPECT_EQ(highlighted(), QStringLiteral("TEMAS"));
    driver.click(QStringLiteral("?INSERT"));
    ASSERT_NE(driver.window(QStringLiteral("Nuevo Tema")), nullptr);
    typeAndOk("?TEM:TEMA", "Pediatría");
    EXPECT_EQ(driver.window(QStringLiteral("Nuevo Tema")), nullptr);
    EXPECT_THAT(rows(), ElementsAre("TEMAS", "  Pediatría"));
    EXPECT_EQ(highlighted(), QStringLiteral("Pediatría"));
    ASSERT_EQ(all<TEMAS>().size(), 1u);
    EXPECT_EQ(all<TEMAS>()[0].TEMA, QStringLiteral("Pediatría"));
    closeLibrary();
}

TEST_F(LibraryWindowsTest, EachLevelAddsTheEntryBelowIt)
{
    layOutLibrary();
    startLibrary();
    EXPECT_THAT(rows(), ElementsAre("TEMAS", "  Cardiología", "  + Pediatría"));

    // A title on a topic: the form shows its topic.
    highlight("Cardiología");
    driver.click(QStringLiteral("?INSERT"));
    ASSERT_NE(driver.window(QStringLiteral("Nuevo Título")), nullptr);
    EXPECT_EQ(text("?TIT:TEMA"), QStringLiteral("Cardiología"));
    EXPECT_TRUE(qobject_cast<QLineEdit*>(driver.find(QStringLiteral("?TIT:TEMA")))->isReadOnly());
    typeAndOk("?TIT:TITULO", "Soplos");
    EXPECT_EQ(all<TITULOS>().back().TEMA, QStringLiteral("Cardiología"));
    EXPECT_EQ(all<TITULOS>().back().TITULO, QStringLiteral("Soplos"));
    EXPECT_THAT(rows(), ElementsAre("TEMAS", "  + Cardiología", "  + Pediatría"));

    // An article on an article row goes under that article's title, which stays open.
    expand("Pediatría");
    expand("Vacunas");
    highlight("Calendario");
    driver.click(QStringLiteral("?INSERT"));
    ASSERT_NE(driver.window(QStringLiteral("Nuevo Título")), nullptr);
    EXPECT_EQ(text("?ART:TEMA"), QStringLiteral("Pediatría"));
    EXPECT_EQ(text("?ART:TITULO"), QStringLiteral("Vacunas"));
    typeAndOk("?ART:ARTICULO", "Esquema nacional");
    EXPECT_THAT(rows(),
        ElementsAre("TEMAS", "  + Cardiología", "  - Pediatría", "    Nutrición", "    - Vacunas",
            "      Calendario", "      Esquema nacional"));
    EXPECT_EQ(highlighted(), QStringLiteral("Esquema nacional"));

    // An article on a title row.
    highlight("Nutrición");
    driver.click(QStringLiteral("?INSERT"));
    typeAndOk("?ART:ARTICULO", "Lactancia");
    const ARTICULOS added = all<ARTICULOS>().back();
    EXPECT_EQ(added.TEMA, QStringLiteral("Pediatría"));
    EXPECT_EQ(added.TITULO, QStringLiteral("Nutrición"));
    EXPECT_EQ(added.ARTICULO, QStringLiteral("Lactancia"));
    closeLibrary();
}

TEST_F(LibraryWindowsTest, OpeningAndClosingByKeysAndExpandersKeepTheInnerEntriesOpen)
{
    layOutLibrary();
    startLibrary();
    highlight("Pediatría");
    driver.pressKey(QStringLiteral("?RELTREE"), keys::withCtrl(keys::Right));
    EXPECT_THAT(
        rows(), ElementsAre("TEMAS", "  Cardiología", "  - Pediatría", "    Nutrición", "    + Vacunas"));
    EXPECT_EQ(highlighted(), QStringLiteral("Pediatría"));
    expand("Vacunas");
    EXPECT_EQ(highlighted(), QStringLiteral("Vacunas"));
    collapse("Pediatría");
    EXPECT_THAT(rows(), ElementsAre("TEMAS", "  Cardiología", "  + Pediatría"));
    EXPECT_EQ(highlighted(), QStringLiteral("Pediatría"));
    driver.pressKey(QStringLiteral("?RELTREE"), keys::withCtrl(keys::Right));
    const QStringList open { "TEMAS", "  Cardiología", "  - Pediatría", "    Nutrición", "    - Vacunas",
        "      Calendario" };
    EXPECT_EQ(rows(), open);
    driver.pressKey(QStringLiteral("?RELTREE"), keys::withCtrl(keys::Left));
    EXPECT_THAT(rows(), ElementsAre("TEMAS", "  Cardiología", "  + Pediatría"));
    closeLibrary();
}

TEST_F(LibraryWindowsTest, ATopicWithTitlesAndArticlesCannotBeDeletedAndTheTreeStaysAsItWas)
{
    layOutLibrary();
    startLibrary();
    expand("Pediatría");
    const QStringList before = rows();
    highlight("Pediatría");
    driver.click(QStringLiteral("?DELETE"));
    ASSERT_NE(driver.window(QStringLiteral("Borrar Tema?")), nullptr);
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(driver.answer(QStringLiteral("referenced from the file ARTICULOS."), QStringLiteral("OK")));
    ASSERT_NE(driver.window(QStringLiteral("Borrar Tema?")), nullptr) << "the form stays for a cancel";
    driver.click(QStringLiteral("?CANCEL"));
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(all<TEMAS>().size(), 2u);
    EXPECT_EQ(all<TITULOS>().size(), 2u);

    // A title with an article is held by it too; one without is deleted.
    highlight("Vacunas");
    driver.click(QStringLiteral("?DELETE"));
    ASSERT_NE(driver.window(QStringLiteral("Borrar Título")), nullptr);
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(driver.answer(QStringLiteral("referenced from the file ARTICULOS."), QStringLiteral("OK")));
    driver.click(QStringLiteral("?CANCEL"));
    highlight("Nutrición");
    driver.click(QStringLiteral("?DELETE"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_THAT(rows(), ElementsAre("TEMAS", "  Cardiología", "  - Pediatría", "    + Vacunas"));
    EXPECT_EQ(all<TITULOS>().size(), 1u);
    closeLibrary();
}

TEST_F(LibraryWindowsTest, RenamesReachTheEntriesBelowAndTheTreeKeepsItsOpenEntries)
{
    layOutLibrary();
    startLibrary();
    expand("Pediatría");
    expand("Vacunas");
    highlight("Pediatría");
    driver.click(QStringLiteral("?CHANGE"));
    ASSERT_NE(driver.window(QStringLiteral("Cambiar Tema")), nullptr);
    EXPECT_EQ(text("?TEM:TEMA"), QStringLiteral("Pediatría"));
    typeAndOk("?TEM:TEMA", "Neonatología");
    EXPECT_THAT(rows(),
        ElementsAre("TEMAS", "  Cardiología", "  - Neonatología", "    Nutrición", "    - Vacunas",
            "      Calendario"));
    EXPECT_EQ(highlighted(), QStringLiteral("Neonatología"));
    for (const TITULOS& each : all<TITULOS>())
        EXPECT_EQ(each.TEMA, QStringLiteral("Neonatología"));
    EXPECT_EQ(all<ARTICULOS>()[0].TEMA, QStringLiteral("Neonatología"));

    // A double click changes the row it is on.
    doubleClick("Vacunas");
    ASSERT_NE(driver.window(QStringLiteral("Cambiar Título")), nullptr);
    typeAndOk("?TIT:TITULO", "Inmunizaciones");
    EXPECT_THAT(rows(),
        ElementsAre("TEMAS", "  Cardiología", "  - Neonatología", "    - Inmunizaciones", "      Calendario",
            "    Nutrición"));
    EXPECT_EQ(highlighted(), QStringLiteral("Inmunizaciones"));
    EXPECT_EQ(all<ARTICULOS>()[0].TITULO, QStringLiteral("Inmunizaciones"));
    closeLibrary();
}

TEST_F(LibraryWindowsTest, TheHeadingCanOnlyBeAddedToAndTheMenuDoesWhatTheButtonsDo)
{
    layOutLibrary();
    startLibrary();
    for (const char* button : { "?CHANGE", "?DELETE" }) {
        driver.click(QString::fromUtf8(button));
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(driver.window(QStringLiteral("Cambiar Tema")), nullptr) << button;
        EXPECT_EQ(driver.window(QStringLiteral("Borrar Tema?")), nullptr) << button;
    }
    highlight("Cardiología");
    QContextMenuEvent click(
        QContextMenuEvent::Mouse, QPoint(5, 5), tree()->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(tree()->viewport(), &click);
    driver.settle();
    QMenu* menu = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* shown = qobject_cast<QMenu*>(top); shown && shown->isVisible())
            menu = shown;
    ASSERT_NE(menu, nullptr);
    EXPECT_THAT(entries(*menu), ElementsAre("&Agregar", "&Cambiar", "&Borrar"));
    menu->actions()[1]->trigger();
    menu->close();
    driver.settle();
    ASSERT_NE(driver.window(QStringLiteral("Cambiar Tema")), nullptr);
    driver.click(QStringLiteral("?CANCEL"));
    closeLibrary();
}

// The highlighted row number is kept over a rebuild that finds no entry to highlight: after
// the last row is deleted it comes back onto the tree.
TEST_F(LibraryWindowsTest, DeletingTheLastRowLeavesTheHighlightOnTheRowNowLast)
{
    store(topic("Cardiología"));
    store(topic("Pediatría"));
    startLibrary();
    highlight("Pediatría");
    driver.click(QStringLiteral("?DELETE"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_THAT(rows(), ElementsAre("TEMAS", "  Cardiología"));
    EXPECT_EQ(highlighted(), QStringLiteral("Cardiología"));
    driver.click(QStringLiteral("?DELETE"));
    ASSERT_NE(driver.window(QStringLiteral("Borrar Tema?")), nullptr);
    driver.click(QStringLiteral("?OK"));
    EXPECT_THAT(rows(), ElementsAre("TEMAS"));
    EXPECT_EQ(highlighted(), QStringLiteral("TEMAS"));
    EXPECT_TRUE(all<TEMAS>().empty());
    closeLibrary();
}

TEST_F(LibraryWindowsTest, ADuplicateOrABlankNameIsRefusedAndTheFormStaysOpen)
{
    layOutLibrary();
    startLibrary();
    highlight("Pediatría");
    driver.click(QStringLiteral("?INSERT"));
    typeAndOk("?TIT:TITULO", "VACUNAS");
    ASSERT_TRUE(driver.answer(QStringLiteral("duplicate entry"), QStringLiteral("OK")));
    ASSERT_NE(driver.window(QStringLiteral("Nuevo Título")), nullptr);
    typeAndOk("?TIT:TITULO", "  ");
    ASSERT_TRUE(driver.answer(QStringLiteral("Escriba el título."), QStringLiteral("OK")));
    ASSERT_NE(driver.window(QStringLiteral("Nuevo Título")), nullptr);
    driver.click(QStringLiteral("?CANCEL"));
    EXPECT_EQ(all<TITULOS>().size(), 2u);

    highlight("TEMAS");
    driver.click(QStringLiteral("?INSERT"));
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(driver.answer(QStringLiteral("Escriba el nombre del tema."), QStringLiteral("OK")));
    driver.click(QStringLiteral("?CANCEL"));
    EXPECT_EQ(all<TEMAS>().size(), 2u);
    closeLibrary();
}

TEST_F(LibraryWindowsTest, WhatAnotherStationAddedShowsWhenTheWindowGainsTheFocus)
{
    layOutLibrary();
    startLibrary();
    highlight("Pediatría");
    store(topic("Alergias"));
    scheduler.find(thread)->events().post(
        framework::ThreadEvent { framework::event::GainFocus, nullptr, {} });
    driver.settle();
    EXPECT_THAT(rows(), ElementsAre("TEMAS", "  Alergias", "  Cardiología", "  + Pediatría"));
    EXPECT_EQ(highlighted(), QStringLiteral("Pediatría"));
    closeLibrary();
}

class ArticleFormTest : public LibraryWindowsTest {
protected:
    ArticleFormTest()
    {
        ARTICULOS full = article("Pediatría", "Vacunas", "Calendario");
        QString* links[] = { &full.LINK1, &full.LINK2, &full.LINK3, &full.LINK4, &full.LINK5 };
        QString* notes[] = { &full.NOTAS1, &full.NOTAS2, &full.NOTAS3, &full.NOTAS4, &full.NOTAS5 };
        for (int n = 0; n < 5; ++n) {
            *links[n] = QStringLiteral("guia%1.pdf").arg(n + 1);
            *notes[n] = QStringLiteral("Notas %1").arg(n + 1);
        }
        store(topic("Pediatría"));
        store(title("Pediatría", "Vacunas"));
        store(full);
    }
    void openArticle()
    {
        startLibrary();
        expand("Pediatría");
        expand("Vacunas");
        doubleClick("Calendario");
        ASSERT_NE(driver.window(QStringLiteral("Cambiar Título")), nullptr);
    }

    nidora::test::FileChooserDouble chooser;
    platform::FileChooserService::Override useChooser { chooser };
    nidora::test::ShellLauncherDouble shell;
    platform::ShellLauncherService::Override useShell { shell };
};

TEST_F(ArticleFormTest, TheLookUpsFillTheirOwnLinkAndTheHiddenLinksSurviveTheChange)
{
    openArticle();
    EXPECT_EQ(text("?ART:LINK2"), QStringLiteral("guia2.pdf"));
    EXPECT_EQ(text("?ART:NOTAS3"), QStringLiteral("Notas 3"));
    driver.type(QStringLiteral("?ART:ARTICULO"), QStringLiteral("Calendario 2024"));
    driver.click(QStringLiteral("?LOOKUPFILE:2"));
    EXPECT_EQ(chooser.askedTitle, QString());
    EXPECT_EQ(chooser.askedFilter.name, QStringLiteral("All Files"));
    EXPECT_THAT(chooser.askedFilter.patterns, ElementsAre("*.*"));
    EXPECT_EQ(text("?ART:LINK2"), QStringLiteral("guia2.pdf")) << "a cancelled dialog keeps its link";
    EXPECT_EQ(text("?ART:ARTICULO"), QStringLiteral("Calendario 2024")) << "what was typed stays";
    chooser.answer = QStringLiteral("/docs/") + QString(150, u'x');
    driver.click(QStringLiteral("?LOOKUPFILE:3"));
    EXPECT_EQ(text("?ART:LINK3"), chooser.answer.left(120));
    driver.click(QStringLiteral("?OK"));
    ASSERT_EQ(driver.window(QStringLiteral("Cambiar Título")), nullptr);

    const ARTICULOS stored = all<ARTICULOS>()[0];
    EXPECT_EQ(stored.ARTICULO, QStringLiteral("Calendario 2024"));
    EXPECT_THAT(
        (std::vector<QString> { stored.LINK1, stored.LINK2, stored.LINK3, stored.LINK4, stored.LINK5 }),
        ElementsAre("guia1.pdf", "guia2.pdf", chooser.answer.left(120), "guia4.pdf", "guia5.pdf"));
    EXPECT_THAT(
        (std::vector<QString> { stored.NOTAS1, stored.NOTAS2, stored.NOTAS3, stored.NOTAS4, stored.NOTAS5 }),
        ElementsAre("Notas 1", "Notas 2", "Notas 3", "Notas 4", "Notas 5"));
    EXPECT_EQ(highlighted(), QStringLiteral("Calendario 2024"));
    closeLibrary();
}

TEST_F(ArticleFormTest, VerArticuloOpensItsLinkOrSaysWhyItCannot)
{
    QFile document(scratch.filePath("guia1.pdf"));
    ASSERT_TRUE(document.open(QIODevice::WriteOnly));
    document.close();
    openArticle();
    driver.type(QStringLiteral("?ART:LINK3"), QStringLiteral("https://example.org/vacunas"));
    driver.click(QStringLiteral("?BUTTON4"));
    driver.click(QStringLiteral("?BUTTON4:3"));
    ASSERT_EQ(shell.handed.size(), 2u);
    EXPECT_EQ(shell.handed[0], QUrl::fromLocalFile(QFileInfo(document).absoluteFilePath()));
    EXPECT_EQ(shell.handed[1], QUrl(QStringLiteral("https://example.org/vacunas")));
    EXPECT_EQ(views::AppGlobals.ShellTarget, QStringLiteral("https://example.org/vacunas"));
    driver.click(QStringLiteral("?BUTTON4:2"));
    EXPECT_TRUE(driver.answer(QStringLiteral("File not found\nguia2.pdf"), QStringLiteral("OK")));
    EXPECT_EQ(shell.handed.size(), 2u);
    driver.click(QStringLiteral("?CANCEL"));
    EXPECT_EQ(all<ARTICULOS>()[0].LINK3, QStringLiteral("guia3.pdf")) << "cancelled: nothing written";
    closeLibrary();
}

TEST(LibraryProcedures, TheFrameFindsTheLibraryByItsName)
{
    EXPECT_EQ(procedures().count(QStringLiteral("Biblioteca")), 1u);
}

} // namespace
} // namespace nidora::practice
