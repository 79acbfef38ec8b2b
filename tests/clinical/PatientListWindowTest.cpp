#include "views/RecordWindowsTest.h"

#include "clinical/BrowsePACIENTES.h"
#include "clinical/PatientListSlot.h"
#include "clinical/Procedures.h"

#include "data/AccessTestFixture.h"
#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "framework/KeyCodes.h"
#include "framework/WindowArea.h"
#include "shell/FrameRules.h"
#include "shell/Main.h"
#include "shell/MainFrame.h"
#include "views/ProgramGlobals.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTableView>

#include <gmock/gmock.h>

namespace nidora::clinical {
namespace {

using data::PACIENTES;
using testing::ElementsAre;

const QString kCaption = QStringLiteral("Pacientes");

PACIENTES patient(std::int32_t code, const char* name, const char* mother = "", std::int32_t born = 0)
{
    PACIENTES made = nidora::test::patient(code, name, "", mother);
    made.FNACIMIENTO = born;
    return made;
}

class PatientListWindowTest : public views::test::RecordWindowsTest {
protected:
    ~PatientListWindowTest() override { PatientBrowseThread = 0; }

    // Starts a patient list on a thread of its own; `ended` counts the lists that have ended.
    int startList()
    {
        return driver.start([this] {
            BrowsePACIENTES();
            ++ended;
        });
    }
    void closeList()
    {
        const int before = ended;
        driver.close(kCaption);
        ASSERT_TRUE(driver.runUntil([&] { return ended == before + 1; }));
    }
    QAbstractItemView* list() const
    {
        return static_cast<QAbstractItemView*>(driver.find(QStringLiteral("?BROWSE:1")));
    }
    QTabWidget* tabs() const { return qobject_cast<QTabWidget*>(driver.find(QStringLiteral("?CURRENTTAB"))); }
    // The names the list shows, top to bottom.
    QStringList names() const
    {
        QStringList shown;
        QAbstractItemModel* rows = list()->model();
        for (int row = 0; row < rows->rowCount(); ++row)
            shown << rows->index(row, 1).data().toString().trimmed();
        return shown;
    }
    int listWindows() const
    {
        int count = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            count += top->isVisible() && top->windowTitle() == kCaption;
        return count;
    }

    int ended = 0;
};

TEST_F(PatientListWindowTest, ShowsTheColumnsAndOneTabPerOrder)
{
    store(patient(1, "Pérez, Ana"));
    startList();
    ASSERT_NE(driver.window(kCaption), nullptr);
    QAbstractItemModel* rows = list()->model();
    QStringList headings;
    for (int column = 0; column < rows->columnCount(); ++column)
        headings << rows->headerData(column, Qt::Horizontal).toString();
    EXPECT_THAT(headings,
        ElementsAre(QStringLiteral("Código"), QStringLiteral("Nombre"), QStringLiteral("GS"),
            QStringLiteral("F.Nacimiento"), QString(), QString(), QStringLiteral("Teléfono")));
    ASSERT_NE(tabs(), nullptr);
    QStringList captions;
    for (int tab = 0; tab < tabs()->count(); ++tab)
        captions << tabs()->tabText(tab);
    EXPECT_THAT(captions,
        ElementsAre(QStringLiteral("Indice x Nombre"), QStringLiteral("Indice x Código"),
            QStringLiteral("Indice x Grupo Sanguineo"), QStringLiteral("Indice x Madre"),
            QStringLiteral("Indice x Cobertura Social")));
    closeList();
}

// A column is as wide as its picture: a full name and a telephone number with its area code are
// shown whole; and the list grows with its window.
TEST_F(PatientListWindowTest, ColumnsAreAsWideAsTheirPicturesAndTheListFollowsItsWindow)
{
    const QString name = QStringLiteral("Fernández Echeverría, Ma. José"); // 30 characters
    PACIENTES made = patient(1, "");
    made.NOMBRE = name;
    made.TELEFONO = QStringLiteral("(011) 4444-5555");
    store(made);
    startList();
    QWidget* window = driver.window(kCaption);
    ASSERT_NE(window, nullptr);
    auto* table = static_cast<QTableView*>(list());
    const QFontMetrics metrics(table->font());
    for (const auto& [column, shown] : { std::pair { 1, name }, std::pair { 6, made.TELEFONO } })
        EXPECT_GE(table->columnWidth(column), metrics.horizontalAdvance(shown) + 4) << shown.toStdString();

    const QSize before = table->size();
    window->resize(window->size() + QSize(80, 50));
    driver.settle();
    EXPECT_EQ(table->size(), before + QSize(80, 50));
    closeList();
}

// Under "Indice x Madre" a patient with neither a mother nor a birth date has no entry, one
// with a birth date and no mother comes first.
TEST_F(PatientListWindowTest, TheTabInFrontChoosesTheOrder)
{
    store(patient(1, "Zulema"));
    store(patient(2, "Bruno", "", 80000));
    store(patient(3, "Ana", "Carla", 79000));
    startList();
    ASSERT_NE(driver.window(kCaption), nullptr);
    EXPECT_THAT(names(), ElementsAre("Ana", "Bruno", "Zulema"));
    tabs()->setCurrentIndex(3);
    driver.settle();
    EXPECT_THAT(names(), ElementsAre("Bruno", "Ana"));
    tabs()->setCurrentIndex(1);
    driver.settle();
    EXPECT_THAT(names(), ElementsAre("Zulema", "Bruno", "Ana"));
    closeList();
}

TEST_F(PatientListWindowTest, TypingMovesTheHighlightByTheLocatorOfTheTabInFront)
{
    struct Row {
        std::int32_t code;
        const char* name;
        const char* group;
    };
    for (const Row& row : { Row { 1, "Alvarez", "0+" }, Row { 2, "García", "B+" },
             Row { 3, "Garrido", "AB-" }, Row { 4, "Pérez", "A+" } }) {
        PACIENTES each = patient(row.code, row.name);
        each.GRUPO = QString::fromUtf8(row.group);
        store(each);
    }
    startList();
    ASSERT_NE(driver.window(kCaption), nullptr);
    const auto type = [&](char upper) { driver.pressKey(QStringLiteral("?BROWSE:1"), keys::letter(upper)); };
    const auto highlighted = [&](int column) {
        return list()->currentIndex().siblingAtColumn(column).data().toString().trimmed();
    };
    for (const char typed : { 'G', 'A', 'R', 'R' })
        type(typed);
    EXPECT_EQ(highlighted(1), QStringLiteral("Garrido"));
    driver.pressKey(QStringLiteral("?BROWSE:1"), keys::Backspace);
    EXPECT_EQ(highlighted(1), QStringLiteral("García")); // back to the first at or after "GAR"

    tabs()->setCurrentIndex(2); // "Indice x Grupo Sanguineo": each character on its own
    driver.settle();
    type('B');
    EXPECT_EQ(highlighted(2), QStringLiteral("B+"));
    type('A');
    EXPECT_EQ(highlighted(2), QStringLiteral("A+"));
    closeList();
}

// The list offers its actions through its buttons only.
TEST_F(PatientListWindowTest, HasNoInsertChangeOrDeleteKeysNorMenuEntries)
{
    store(patient(1, "Pérez, Ana"));
    startList();
    ASSERT_NE(driver.window(kCaption), nullptr);
    for (const int code : { keys::Insert, keys::withCtrl(keys::Enter), keys::Delete })
        driver.pressKey(QStringLiteral("?BROWSE:1"), code);
    EXPECT_THAT(all<PACIENTES>(), testing::SizeIs(1));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(openContextMenu(QStringLiteral("?BROWSE:1")), nullptr);
    for (const char* button : { "?INSERT:2", "?CHANGE:2", "?DELETE:2" })
        EXPECT_TRUE(driver.find(QString::fromUtf8(button))->isEnabled()) << button;
    closeList();
}

// The patient form through the list's buttons, writing for real.
class PatientListFormsTest : public PatientListWindowTest {
protected:
    void SetUp() override
    {
        store(patient(1, "Pérez, Ana"));
        startList();
        ASSERT_NE(driver.window(kCaption), nullptr);
    }
    void TearDown() override { closeList(); }

    // Presses a button of the list and waits for the form of that caption.
    QWidget* openForm(const char* button, const char* caption)
    {
        driver.click(QString::fromUtf8(button));
        return driver.window(QString::fromUtf8(caption));
    }
    QString shownCode() const
    {
        return static_cast<QLineEdit*>(driver.find(QStringLiteral("?PAC:CODIGO")))->text().trimmed();
    }
    void finish(const char* button, const char* caption)
    {
        driver.click(QString::fromUtf8(button));
        ASSERT_TRUE(driver.runUntil([&] { return driver.window(QString::fromUtf8(caption)) == nullptr; }));
    }
};

// What a cancelled insert undoes is the form's and the generic list's to test; here, that the
// list's insert button reaches the patient form on the next code and shows what it saved.
TEST_F(PatientListFormsTest, InsertOpensTheFormOnTheNextCodeAndTheListShowsTheSavedPatient)
{
    ASSERT_NE(openForm("?INSERT:2", "Nuevo Paciente"), nullptr);
    EXPECT_EQ(shownCode(), QStringLiteral("2"));
    driver.type(QStringLiteral("?PAC:NOMBRE"), QStringLiteral("Gómez, Luis"));
    finish("?OK", "Nuevo Paciente");
    const std::vector<PACIENTES> stored = all<PACIENTES>();
    ASSERT_THAT(stored, testing::SizeIs(2));
    EXPECT_EQ(stored[1].CODIGO, 2);
    EXPECT_EQ(stored[1].NOMBRE.trimmed(), QStringLiteral("Gómez, Luis"));
    EXPECT_THAT(names(), ElementsAre("Gómez, Luis", "Pérez, Ana"));
}

TEST_F(PatientListFormsTest, ChangeAndDeleteActOnTheHighlightedPatient)
{
    ASSERT_NE(openForm("?CHANGE:2", "Edición de Paciente"), nullptr);
    EXPECT_EQ(shownCode(), QStringLiteral("1"));
    driver.type(QStringLiteral("?PAC:NOMBRE"), QStringLiteral("Pérez, Ana María"));
    finish("?OK", "Edición de Paciente");
    ASSERT_THAT(all<PACIENTES>(), testing::SizeIs(1));
    EXPECT_EQ(all<PACIENTES>()[0].NOMBRE.trimmed(), QStringLiteral("Pérez, Ana María"));
    EXPECT_THAT(names(), ElementsAre("Pérez, Ana María"));

    data::CONSULTAS visit;
    visit.CODIGO = 1;
    visit.PACIENTE = 1;
    store(visit);
    ASSERT_NE(openForm("?DELETE:2", "Borrar Paciente"), nullptr);
    finish("?OK", "Borrar Paciente");
    EXPECT_THAT(all<PACIENTES>(), testing::IsEmpty());
    EXPECT_THAT(all<data::CONSULTAS>(), testing::IsEmpty()); // the patient's history goes with him
    EXPECT_THAT(names(), testing::IsEmpty());
}

// With a patient's form open over the list, that form is what comes back.
TEST_F(PatientListFormsTest, ASecondStartBringsBackTheFormOpenOverTheList)
{
    QWidget* form = openForm("?INSERT:2", "Nuevo Paciente");
    ASSERT_NE(form, nullptr);
    form->showMinimized();
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    driver.settle();

    startList();
    ASSERT_TRUE(driver.runUntil([&] { return ended == 1; }));
    EXPECT_TRUE(driver.runUntil([&] { return !form->isMinimized() && form->isActiveWindow(); }));
    EXPECT_EQ(listWindows(), 1);
    finish("?CANCEL", "Nuevo Paciente");
}

TEST_F(PatientListWindowTest, ASecondStartBringsTheOpenListBackAndOpensNothing)
{
    const int first = startList();
    QWidget* open = driver.window(kCaption);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(PatientBrowseThread, first);
    open->showMinimized();
    driver.settle();
    ASSERT_TRUE(open->isMinimized());

    startList();
    ASSERT_TRUE(driver.runUntil([&] { return ended == 1; })); // the second has ended at once
    EXPECT_TRUE(driver.runUntil([&] { return !open->isMinimized() && open->isActiveWindow(); }));
    EXPECT_EQ(listWindows(), 1);
    EXPECT_EQ(PatientBrowseThread, first);

    closeList();
    EXPECT_EQ(PatientBrowseThread, 0);
    const int third = startList();
    EXPECT_NE(driver.window(kCaption), nullptr);
    EXPECT_EQ(PatientBrowseThread, third);
    closeList();
}

// In the frame's workspace the open list is restored there and becomes its active window.
TEST_F(PatientListWindowTest, TheFramesPatientsButtonOpensOneListOnAThreadOfItsOwn)
{
    shell::MainFrame frame;
    frame.show();
    framework::setWindowArea(frame.workspace());
    shell::FrameServices services;
    services.procedures = procedures();
    // The button starts the list only for a user with the patients' right.
    struct RestoreGlobals {
        views::ProgramGlobals saved = views::AppGlobals;
        ~RestoreGlobals() { views::AppGlobals = saved; }
    } restoreGlobals;
    views::AppGlobals.LoggedIn = 1;
    views::AppGlobals.AccessRights[0] = 1;
    const auto press
        = [&] { framework::StartOnNewThread([&] { shell::runFrameCommand(-20, frame, services); }, 0); };
    press();
    ASSERT_TRUE(driver.runUntil([&] { return frame.workspace()->subWindowList().size() == 1; }));
    QMdiSubWindow* open = frame.workspace()->subWindowList().front();
    open->showMinimized();
    auto* other = frame.workspace()->addSubWindow(new QWidget);
    other->show();
    frame.workspace()->setActiveSubWindow(other);
    driver.settle();

    press();
    EXPECT_TRUE(driver.runUntil([&] { return frame.workspace()->activeSubWindow() == open; }));
    EXPECT_FALSE(open->isMinimized());
    EXPECT_EQ(frame.workspace()->subWindowList().size(), 2); // the list and the other window
    EXPECT_TRUE(driver.runUntil([&] { return scheduler.threadCount() == 2; })); // the frame's and the list's
    driver.close(kCaption);
    EXPECT_TRUE(driver.runUntil([&] { return scheduler.threadCount() == 1; }));
    framework::setWindowArea(nullptr);
}

TEST(PatientProcedures, EnableTheFramesPatientsButtonForUsersWithTheFirstRight)
{
    const shell::FrameCommand* patients = shell::findFrameCommand(-20);
    ASSERT_NE(patients, nullptr);
    ASSERT_STREQ(patients->procedure, "BrowsePACIENTES");
    EXPECT_EQ(patients->stackSize, 50'000u);
    views::ProgramGlobals globals;
    globals.grantAllRights();
    EXPECT_TRUE(shell::commandAvailable(*patients, globals, procedures()));
    EXPECT_FALSE(shell::commandAvailable(*patients, globals, {}));
    globals.AccessRights[0] = 0; // right 1
    EXPECT_FALSE(shell::commandAvailable(*patients, globals, procedures()));
}

} // namespace
} // namespace nidora::clinical
