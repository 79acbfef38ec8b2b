#include "views/RecordWindowsTest.h"

#include "support/QStringPrinter.h"

#include "clinical/ParentWindows.h"
#include "clinical/Procedures.h"

#include "data/PatientRecords.h"
#include "framework/KeyCodes.h"
#include "framework/Window.h"
#include "shell/FrameCommands.h"
#include "shell/FrameRules.h"
#include "views/DictionarySetup.h"
#include "views/ProgramGlobals.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

#include <gmock/gmock.h>

namespace nidora::clinical {
namespace {

using data::MADRES;
using data::PACIENTES;
using data::PADRES;
using testing::ElementsAre;

// What tells the mothers' windows from the fathers' in a test.
struct ParentFiles {
    const char* name;
    void (*browse)();
    const char* caption;
    const char* prefix; // of the form's control names
    QString PACIENTES::*childsField; // where a patient names this parent
    void (*store)(test::DiskFiles& disk, const char* name, const char* group);
    QStringList (*storedNames)(test::DiskFiles& disk);
    // The name in this thread's buffer of the file.
    QString& (*inBuffer)();
};

void PrintTo(const ParentFiles& files, std::ostream* out)
{
    *out << files.name;
}

template <class R> void storeParent(test::DiskFiles& disk, const char* name, const char* group)
{
    R parent;
    parent.NOMBRE = QString::fromUtf8(name);
    parent.GRUPO = QString::fromUtf8(group);
    disk.store(parent);
}

template <class R> QStringList storedParentNames(test::DiskFiles& disk)
{
    QStringList names;
    for (const R& each : disk.all<R>())
        names << each.NOMBRE;
    return names;
}

template <class R> QString& nameInBuffer()
{
    return views::threadDictionary().buffer<R>().NOMBRE;
}

const ParentFiles kMothers { "Mothers", BrowseMADRES, "Archivo de Madres", "?MAD:", &PACIENTES::MADRE,
    storeParent<MADRES>, storedParentNames<MADRES>, nameInBuffer<MADRES> };
const ParentFiles kFathers { "Fathers", BrowsePADRES, "Archivo de Padres", "?PAD:", &PACIENTES::PADRE,
    storeParent<PADRES>, storedParentNames<PADRES>, nameInBuffer<PADRES> };

class ParentListTest : public views::test::RecordWindowsTest,
                       public testing::WithParamInterface<ParentFiles> {
protected:
    const ParentFiles& files() const { return GetParam(); }
    QString caption() const { return QString::fromUtf8(files().caption); }
    void storeParent(const char* name, const char* group = "") { files().store(disk, name, group); }

    // Starts the list on a thread of its own, as the frame does (request 0), or as a caller on
    // that thread calls it with a request, leaving `named` in the file's buffer first. `answer`
    // and `chosen` receive the response and the name in the buffer afterwards.
    void startList(int request = 0, const QString& named = {})
    {
        ended = false;
        driver.start([this, request, named] {
            files().inBuffer() = named;
            answer = request == 0 ? (files().browse(), framework::currentThread().CallResponse)
                                  : framework::callWithRequest(request, files().browse);
            chosen = files().inBuffer();
            ended = true;
        });
        ASSERT_NE(driver.window(caption()), nullptr);
    }
    void closeList()
    {
        driver.close(caption());
        ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    }
    QAbstractItemView* list() const
    {
        return static_cast<QAbstractItemView*>(driver.find(QStringLiteral("?BROWSE:1")));
    }
    QTabWidget* tabs() const { return qobject_cast<QTabWidget*>(driver.find(QStringLiteral("?CURRENTTAB"))); }
    // The rows the list shows, top to bottom, each as its name and group.
    QStringList rows() const
    {
        QStringList shown;
        QAbstractItemModel* model = list()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            shown << model->index(row, 0).data().toString().trimmed() + QLatin1Char('|')
                    + model->index(row, 1).data().toString().trimmed();
        return shown;
    }
    QString highlighted(int column) const
    {
        return list()->currentIndex().siblingAtColumn(column).data().toString().trimmed();
    }
    QString control(const char* field) const { return QString::fromUtf8(files().prefix) + field; }

    int answer = 0;
    QString chosen;
    bool ended = false;
};

TEST_P(ParentListTest, ShowsNameAndGroupUnderATabPerOrderAndLeavesTheBlankOnesOutOfTheGroups)
{
    storeParent("Luna, Rosa", "A+");
    storeParent("", "");
    storeParent("", "0+");
    storeParent("Gómez, Marta", "B-");
    startList();
    QAbstractItemModel* model = list()->model();
    ASSERT_EQ(model->columnCount(), 2);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Nombre"));
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("G.Sang."));
    EXPECT_EQ(
        model->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
        Qt::AlignHCenter);
    ASSERT_NE(tabs(), nullptr);
    ASSERT_EQ(tabs()->count(), 2);
    EXPECT_EQ(tabs()->tabText(0), QStringLiteral("Indice por Nombres"));
    EXPECT_EQ(tabs()->tabText(1), QStringLiteral("Indice por grupo sanguineo"));

    // The nameless are listed by name, first; by group only the one with a group is.
    EXPECT_THAT(rows(), ElementsAre("|", "|0+", "Gómez, Marta|B-", "Luna, Rosa|A+"));
    tabs()->setCurrentIndex(1);
    driver.settle();
    EXPECT_THAT(rows(), ElementsAre("|0+", "Luna, Rosa|A+", "Gómez, Marta|B-"));
    closeList();
}

TEST_P(ParentListTest, SelectButtonShowsOnlyWhenCalledToChooseAndViewingEditsNothing)
{
    struct Case {
        int request;
        bool selectShown;
        bool editing;
    };
    storeParent("Luna, Rosa");
    for (const Case c :
        { Case { 0, false, true }, Case { SelectRecord, true, true }, Case { ViewRecord, false, false } }) {
        startList(c.request);
        QWidget* select = driver.find(QStringLiteral("?SELECT"));
        ASSERT_NE(select, nullptr);
        EXPECT_EQ(select->isVisible(), c.selectShown) << c.request;
        for (const char* button : { "?INSERT:2", "?CHANGE:2", "?DELETE:2" }) {
            QWidget* shown = driver.find(QString::fromUtf8(button));
            ASSERT_NE(shown, nullptr) << button;
            EXPECT_EQ(shown->isEnabled(), c.editing) << button << " under request " << c.request;
        }
        closeList();
        EXPECT_EQ(answer, Cancelled);
    }
}

TEST_P(ParentListTest, CalledToChooseItOpensNearTheNameInTheBufferAndAnswersWithTheRowChosen)
{
    storeParent("Gómez, Marta");
    storeParent("Luna, Rosa");
    storeParent("Pérez, Juana");
    startList(SelectRecord, QStringLiteral("lu"));
    EXPECT_EQ(highlighted(0), QStringLiteral("Luna, Rosa"));
    driver.pressKey(QStringLiteral("?BROWSE:1"), keys::Down);
    driver.click(QStringLiteral("?SELECT"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(chosen, QStringLiteral("Pérez, Juana"));
}

TEST_P(ParentListTest, EachCharacterTypedUnderTheGroupsMovesToTheFirstGroupBeginningWithIt)
{
    for (const auto& [name, group] : { std::pair { "Ana", "AB-" }, std::pair { "Bea", "B-" },
             std::pair { "Clara", "0-" }, std::pair { "Dora", "A+" }, std::pair { "Eva", "B+" },
             std::pair { "Flor", "0+" }, std::pair { "Gala", "XX" } })
        storeParent(name, group);
    startList();
    tabs()->setCurrentIndex(1);
    driver.settle();
    struct Case {
        char typed;
        const char* group;
        const char* name;
    };
    for (const Case c : { Case { 'A', "A+", "Dora" }, Case { 'B', "B+", "Eva" }, Case { '0', "0+", "Flor" },
             Case { 'X', "XX", "Gala" }, Case { 'A', "A+", "Dora" } }) {
        driver.pressKey(QStringLiteral("?BROWSE:1"), c.typed == '0' ? keys::digit(0) : keys::letter(c.typed));
        EXPECT_EQ(highlighted(1), QString::fromLatin1(c.group)) << c.typed;
        EXPECT_EQ(highlighted(0), QString::fromLatin1(c.name)) << c.typed;
    }
    closeList();
}

// A parent's children name him; renaming him is carried to them, deleting him is not.
TEST_P(ParentListTest, RenamingRewritesTheChildrenAndDeletingLeavesThem)
{
    storeParent("Gómez, Marta");
    PACIENTES child = test::patient(1, "Pérez, Ana");
    child.*files().childsField = QStringLiteral("gómez, marta");
    store(child);
    PACIENTES other = test::patient(2, "Luna, Eva");
    other.*files().childsField = QStringLiteral("Gómez");
    store(other);
    startList();
    driver.click(QStringLiteral("?CHANGE:2"));
    ASSERT_NE(driver.window(QStringLiteral("Editando Registro")), nullptr);
    driver.type(control("NOMBRE"), QStringLiteral("Gómez de Paz, Marta"));
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(
        driver.runUntil([&] { return driver.window(QStringLiteral("Editando Registro")) == nullptr; }));
    EXPECT_THAT(files().storedNames(disk), ElementsAre("Gómez de Paz, Marta"));
    const auto childrensParents = [&] {
        QStringList named;
        for (const PACIENTES& each : all<PACIENTES>())
            named << each.*files().childsField;
        return named;
    };
    EXPECT_THAT(childrensParents(), ElementsAre("Gómez de Paz, Marta", "Gómez"));

    driver.click(QStringLiteral("?DELETE:2"));
    ASSERT_NE(driver.window(QStringLiteral("Borrar Registro?")), nullptr);
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(
        driver.runUntil([&] { return driver.window(QStringLiteral("Borrar Registro?")) == nullptr; }));
    EXPECT_TRUE(files().storedNames(disk).isEmpty());
    EXPECT_THAT(childrensParents(), ElementsAre("Gómez de Paz, Marta", "Gómez"));
    closeList();
}

// Every field of the form is written; the father's form has only the name, the group and the
// history.
TEST_P(ParentListTest, FormOpensOnTheNameAndAddsTheRecordWithItsFields)
{
    startList();
    driver.click(QStringLiteral("?INSERT:2"));
    ASSERT_NE(driver.window(QStringLiteral("Nuevo Registro")), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), driver.find(control("NOMBRE")));
    const bool mother = files().childsField == &PACIENTES::MADRE;
    for (const char* field : { "DOMICILIO", "CIUDAD", "TELEFONO", "OBRASOCIAL" })
        EXPECT_EQ(driver.find(control(field)) != nullptr, mother) << field;
    auto* group = qobject_cast<QComboBox*>(driver.find(control("GRUPO")));
    ASSERT_NE(group, nullptr);
    QStringList groups;
    for (int row = 0; row < group->count(); ++row)
        groups << group->itemText(row);
    EXPECT_THAT(groups, ElementsAre("XX", "0+", "0-", "A+", "A-", "B+", "B-", "AB+", "AB-"));
    group->setCurrentIndex(group->findText(QStringLiteral("AB-")));
    driver.type(control("NOMBRE"), QStringLiteral("Núñez, Eva"));
    auto* history = qobject_cast<QPlainTextEdit*>(driver.find(control("ANTECEDENTES")));
    ASSERT_NE(history, nullptr);
    history->setPlainText(QStringLiteral("Diabetes\nHipertensión"));
    if (mother) {
        driver.type(control("DOMICILIO"), QStringLiteral("Calle 1"));
        driver.type(control("CIUDAD"), QStringLiteral("Rosario"));
        driver.type(control("TELEFONO"), QStringLiteral("4321-0000"));
    }
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(driver.runUntil([&] { return driver.window(QStringLiteral("Nuevo Registro")) == nullptr; }));
    EXPECT_THAT(rows(), ElementsAre("Núñez, Eva|AB-"));
    if (mother) {
        const std::vector<MADRES> stored = all<MADRES>();
        ASSERT_EQ(stored.size(), 1u);
        EXPECT_THAT((QStringList {
                        stored[0].DOMICILIO, stored[0].CIUDAD, stored[0].TELEFONO, stored[0].ANTECEDENTES }),
            ElementsAre("Calle 1", "Rosario", "4321-0000", "Diabetes\nHipertensión"));
    } else {
        const std::vector<PADRES> stored = all<PADRES>();
        ASSERT_EQ(stored.size(), 1u);
        EXPECT_EQ(stored[0].ANTECEDENTES, QStringLiteral("Diabetes\nHipertensión"));
    }
    closeList();
}

// The history holds 1,000 characters: a longer paste is cut there on screen, with a beep,
// so the file stores what the form showed.
TEST_P(ParentListTest, APastedHistoryHoldsAtItsSizeOnScreenAndInTheFile)
{
    startList();
    driver.click(QStringLiteral("?INSERT:2"));
    ASSERT_NE(driver.window(QStringLiteral("Nuevo Registro")), nullptr);
    driver.type(control("NOMBRE"), QStringLiteral("Núñez, Eva"));
    auto* history = qobject_cast<QPlainTextEdit*>(driver.find(control("ANTECEDENTES")));
    ASSERT_NE(history, nullptr);
    QString pasted;
    for (int line = 0; line < 120; ++line)
        pasted += QStringLiteral("\nAsma %1, ñ").arg(line % 10); // 10 characters a line
    ASSERT_EQ(pasted.size(), 1200);
    history->setFocus();
    QApplication::clipboard()->setText(pasted);
    history->paste();
    EXPECT_EQ(history->toPlainText(), pasted.left(1000));
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(driver.runUntil([&] { return driver.window(QStringLiteral("Nuevo Registro")) == nullptr; }));
    const QString stored = files().childsField == &PACIENTES::MADRE ? all<MADRES>().at(0).ANTECEDENTES
                                                                    : all<PADRES>().at(0).ANTECEDENTES;
    EXPECT_EQ(stored, pasted.left(1000));
    closeList();
}

INSTANTIATE_TEST_SUITE_P(MothersAndFathers, ParentListTest, testing::Values(kMothers, kFathers),
    [](const testing::TestParamInfo<ParentFiles>& param) { return std::string(param.param.name); });

TEST(ParentProcedures, TheFramesToolbarButtonsStartTheTwoLists)
{
    views::ProgramGlobals globals;
    for (const auto& [control, procedure] :
        { std::pair { -21, "BrowseMADRES" }, std::pair { -30, "BrowsePADRES" } }) {
        const shell::FrameCommand* button = shell::findFrameCommand(control);
        ASSERT_NE(button, nullptr);
        ASSERT_STREQ(button->procedure, procedure);
        EXPECT_TRUE(shell::commandAvailable(*button, globals, procedures())) << procedure;
    }
}

} // namespace
} // namespace nidora::clinical
