#include "AgendaTestSupport.h"

#include "practice/BrowseAGENDA.h"
#include "practice/Procedures.h"

#include "framework/KeyCodes.h"
#include "platform/PracticeSettings.h"
#include "shell/FrameRules.h"
#include "views/FormWindow.h"
#include "views/ListModel.h"
#include "views/ProgramGlobals.h"

#include <gmock/gmock.h>

namespace nidora::practice {
namespace {

using data::AGENDA;
using nidora::test::doctor;
using test::kMonday;
using testing::Each;
using testing::ElementsAre;

class AgendaWindowsTest : public test::AgendaTest {
protected:
    AgendaWindowsTest()
    {
        views::AppGlobals.CurrentPhysician = 2;
        writeWorkingHours(test::usualHours());
        store(doctor(1, "Pérez"));
        store(doctor(2, "Gómez"));
        store(doctor(3, "Núñez"));
        store(nidora::test::patient(7, "García, Luis"));
    }
    ~AgendaWindowsTest() override { views::AppGlobals = views::ProgramGlobals {}; }

    void startList()
    {
        driver.start([this] {
            BrowseAGENDA();
            ended = true;
        });
        ASSERT_NE(driver.window(QStringLiteral("Agenda")), nullptr);
    }
    void closeList()
    {
        driver.close(QStringLiteral("Agenda"));
        ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    }
    std::vector<QString> column(int index)
    {
        std::vector<QString> texts;
        for (int row = 0; row < rows()->rowCount(); ++row)
            texts.push_back(cell(row, index));
        return texts;
    }
    void book(std::int32_t time, std::uint8_t doctorNumber, const char* name, const char* note = "",
        std::int32_t patient = 0)
    {
        AGENDA slot;
        slot.FECHA = kMonday;
        slot.HORA = time;
        slot.MEDICO = doctorNumber;
        slot.PACIENTE = patient;
        slot.NOMBRE = QString::fromUtf8(name);
        slot.COMENTARIOS = QString::fromUtf8(note);
        store(slot);
    }
    std::vector<AGENDA> stored(std::int32_t time, std::uint8_t doctorNumber)
    {
        std::vector<AGENDA> found;
        for (const AGENDA& slot : all<AGENDA>())
            if (slot.HORA == time && slot.MEDICO == doctorNumber)
                found.push_back(slot);
        return found;
    }
    bool enabled(const char* name) { return driver.find(QString::fromLatin1(name))->isEnabled(); }

    bool ended = false;
};

TEST_F(AgendaWindowsTest, OpensOnTodayWithTheCurrentDoctorsFreeSlotsMadeForEveryDoctor)
{
    startList();
    EXPECT_EQ(all<AGENDA>().size(), 102u);
    EXPECT_EQ(shown(QStringLiteral("?AUXFECHA")), QStringLiteral("01/02/2010"));
    EXPECT_EQ(shown(QStringLiteral("?AUXMEDICO")), QStringLiteral("2"));
    ASSERT_GT(rows()->rowCount(), 2);
    EXPECT_THAT(column(2), Each(QStringLiteral("2")));
    EXPECT_EQ(cell(0, 0), QStringLiteral("01/02/2010"));
    EXPECT_THAT((std::vector { cell(0, 1), cell(1, 1) }), ElementsAre("08:00", "08:15"));

    driver.click(QStringLiteral("?TMED"));
    EXPECT_FALSE(enabled("?AUXMEDICO"));
    EXPECT_THAT((std::vector { cell(0, 2), cell(1, 2), cell(2, 2), cell(3, 1) }),
        ElementsAre("1", "2", "3", "08:15"));
    driver.click(QStringLiteral("?TMED"));
    EXPECT_TRUE(enabled("?AUXMEDICO"));
    enter(QStringLiteral("?AUXMEDICO"), QStringLiteral("3"));
    EXPECT_THAT(column(2), Each(QStringLiteral("3")));
    closeList();
    EXPECT_EQ(all<AGENDA>().size(), 102u) << "closing makes nothing";
}

TEST_F(AgendaWindowsTest, FreeSlotsAreYellowAndTakenOnesWhiteAnOffGridOneAmongThemInTimeOrder)
{
    views::AppGlobals.CurrentPhysician = 1;
    book(makeTime(8, 0), 1, "García, Luis", "", 7);
    book(makeTime(8, 7), 1, "Fuera de hora");
    book(makeTime(8, 15), 1, "", "Solo una nota");
    startList();
    EXPECT_THAT((std::vector { cell(0, 1), cell(1, 1), cell(2, 1), cell(3, 1) }),
        ElementsAre("08:00", "08:07", "08:15", "08:30"));
    const auto ground
        = [&](int row) { return rows()->index(row, 4).data(Qt::BackgroundRole).value<QColor>(); };
    const auto selectedText = [&](int row) {
        return rows()->index(row, 0).data(views::ListModel::SelectedForegroundRole).value<QColor>();
    };
    const QColor white(Qt::white);
    const QColor lightYellow(0xFF, 0xFF, 0x80);
    EXPECT_THAT((std::vector { ground(0), ground(1), ground(2), ground(3) }),
        ElementsAre(white, white, white, lightYellow));
    EXPECT_EQ(selectedText(0), white);
    EXPECT_EQ(selectedText(3), lightYellow);
    EXPECT_EQ(rows()->index(3, 0).data(views::ListModel::SelectedBackgroundRole).value<QColor>(),
        QColor(0x00, 0x00, 0x80));
    EXPECT_EQ(rows()->index(3, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));

    // "Ficha Paciente" only on a row that names a patient, and it opens his form.
    EXPECT_TRUE(enabled("?BUTTON9"));
    driver.click(QStringLiteral("?BUTTON9"));
    ASSERT_NE(driver.window(QStringLiteral("Edición de Paciente")), nullptr);
    EXPECT_EQ(shown(QStringLiteral("?PAC:NOMBRE")), QStringLiteral("García, Luis"));
    driver.click(QStringLiteral("?CANCEL"));
    driver.pressKey(QStringLiteral("?BROWSE:1"), keys::Down);
    EXPECT_FALSE(enabled("?BUTTON9"));
    closeList();
}

TEST_F(AgendaWindowsTest, TheDayButtonsAndTheDateEntryShowAnotherDayWithItsSlots)
{
    startList();
    driver.click(QStringLiteral("?BUTTON7"));
    EXPECT_EQ(shown(QStringLiteral("?AUXFECHA")), QStringLiteral("02/02/2010"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("02/02/2010"));
    EXPECT_EQ(all<AGENDA>().size(), 204u);
    driver.click(QStringLiteral("?BUTTON6"));
    driver.click(QStringLiteral("?BUTTON6"));
    EXPECT_EQ(shown(QStringLiteral("?AUXFECHA")), QStringLiteral("31/01/2010"));
    EXPECT_EQ(rows()->rowCount(), 0) << "no hours on Sundays";
    enter(QStringLiteral("?AUXFECHA"), QStringLiteral("8/2/2010"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("08/02/2010"));
    EXPECT_EQ(all<AGENDA>().size(), 306u);
    // A cleared date shows nothing and makes nothing.
    enter(QStringLiteral("?AUXFECHA"), QString());
    EXPECT_EQ(rows()->rowCount(), 0);
    EXPECT_EQ(all<AGENDA>().size(), 306u);
    closeList();
}

TEST_F(AgendaWindowsTest, TheCalendarChoosesTheDayAndCancellingItKeepsTheDayShown)
{
    startList();
    driver.click(QStringLiteral("?POPCALENDAR"));
    ASSERT_NE(driver.window(QStringLiteral("Calendar")), nullptr);
    driver.pressKey(QStringLiteral("?FORLOOKSONLY"), keys::Escape);
    EXPECT_EQ(driver.window(QStringLiteral("Calendar")), nullptr);
    EXPECT_EQ(shown(QStringLiteral("?AUXFECHA")), QStringLiteral("01/02/2010"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("01/02/2010"));

    driver.click(QStringLiteral("?POPCALENDAR"));
    driver.pressKey(QStringLiteral("?FORLOOKSONLY"), keys::Right);
    driver.pressKey(QStringLiteral("?FORLOOKSONLY"), keys::Enter);
    EXPECT_EQ(shown(QStringLiteral("?AUXFECHA")), QStringLiteral("02/02/2010"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("02/02/2010"));
    closeList();
}

TEST_F(AgendaWindowsTest, BookingAFreeSlotByPatientCodeFillsHisNameAndKeepsTheSlot)
{
    views::AppGlobals.CurrentPhysician = 1;
    startList();
    driver.click(QStringLiteral("?CHANGE:2"));
    ASSERT_NE(driver.window(QStringLiteral("Cambiar Turno")), nullptr);
    enter(QStringLiteral("?AGE:PACIENTE"), QStringLiteral("7"));
    EXPECT_EQ(shown(QStringLiteral("?AGE:NOMBRE")), QStringLiteral("García, Luis"));
    EXPECT_FALSE(enabled("?AGE:NOMBRE"));
    driver.type(QStringLiteral("?AGE:COMENTARIOS"), QStringLiteral("Control de 6 meses"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_EQ(driver.window(QStringLiteral("Cambiar Turno")), nullptr);
    const std::vector<AGENDA> slot = stored(makeTime(8, 0), 1);
    ASSERT_EQ(slot.size(), 1u);
    EXPECT_EQ(slot[0].PACIENTE, 7);
    EXPECT_EQ(slot[0].NOMBRE, QStringLiteral("García, Luis"));
    EXPECT_EQ(slot[0].COMENTARIOS, QStringLiteral("Control de 6 meses"));
    EXPECT_EQ(all<AGENDA>().size(), 102u);
    EXPECT_EQ(cell(0, 3), QStringLiteral("García, Luis"));
    closeList();
}

TEST_F(AgendaWindowsTest, ACodeOnNoPatientOpensTheLookupAndClosingItLeavesNoName)
{
    views::AppGlobals.CurrentPhysician = 1;
    startList();
    driver.click(QStringLiteral("?CHANGE:2"));
    enter(QStringLiteral("?AGE:NOMBRE"), QStringLiteral("Otro"));
    enter(QStringLiteral("?AGE:PACIENTE"), QStringLiteral("99"));
    const QString lookup = QStringLiteral("Seleccionar un registro de tabla PACIENTES");
    ASSERT_NE(driver.window(lookup), nullptr);
    driver.close(lookup);
    EXPECT_EQ(shown(QStringLiteral("?AGE:PACIENTE")), QStringLiteral("99"));
    EXPECT_EQ(shown(QStringLiteral("?AGE:NOMBRE")), QString());

    // The lookup button chooses a patient: his code and his name.
    driver.click(QStringLiteral("?FLDLOOKUP"));
    ASSERT_NE(driver.window(lookup), nullptr);
    driver.click(QStringLiteral("?SELECT:2"));
    EXPECT_EQ(shown(QStringLiteral("?AGE:PACIENTE")), QStringLiteral("7"));
    EXPECT_EQ(shown(QStringLiteral("?AGE:NOMBRE")), QStringLiteral("García, Luis"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_EQ(stored(makeTime(8, 0), 1).at(0).PACIENTE, 7);
    closeList();
}

TEST_F(AgendaWindowsTest, ANewAppointmentStartsOnTheShownDayWithDoctorOneAndACancelledCalendarKeepsItsDate)
{
    startList();
    driver.click(QStringLiteral("?INSERT:2"));
    ASSERT_NE(driver.window(QStringLiteral("Agregar Turno")), nullptr);
    EXPECT_EQ(shown(QStringLiteral("?AGE:FECHA")), QStringLiteral("01/02/2010"));
    EXPECT_EQ(shown(QStringLiteral("?AGE:MEDICO")), QStringLiteral("1"));
    clickIn(QStringLiteral("Agregar Turno"), QStringLiteral("?POPCALENDAR"));
    ASSERT_NE(driver.window(QStringLiteral("Calendar")), nullptr);
    driver.click(QStringLiteral("?EXITNODATE"));
    EXPECT_EQ(shown(QStringLiteral("?AGE:FECHA")), QStringLiteral("01/02/2010"));
    enter(QStringLiteral("?AGE:MEDICO"), QStringLiteral("3"));
    enter(QStringLiteral("?AGE:HORA"), QStringLiteral("10:07"));
    driver.type(QStringLiteral("?AGE:NOMBRE"), QStringLiteral("Vecina sin ficha"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_EQ(driver.window(QStringLiteral("Agregar Turno")), nullptr);
    const std::vector<AGENDA> added = stored(makeTime(10, 7), 3);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].FECHA, kMonday);
    EXPECT_EQ(added[0].PACIENTE, 0);
    EXPECT_EQ(added[0].NOMBRE, QStringLiteral("Vecina sin ficha"));
    closeList();
}

TEST_F(AgendaWindowsTest, CtrlHRecallsEachOfTheSixFieldsOfTheLastAppointmentBooked)
{
    startList();
    driver.click(QStringLiteral("?INSERT:2"));
    enter(QStringLiteral("?AGE:MEDICO"), QStringLiteral("3"));
    enter(QStringLiteral("?AGE:FECHA"), QStringLiteral("02/02/2010"));
    enter(QStringLiteral("?AGE:HORA"), QStringLiteral("10:07"));
    enter(QStringLiteral("?AGE:PACIENTE"), QStringLiteral("7"));
    driver.type(QStringLiteral("?AGE:COMENTARIOS"), QStringLiteral("Control de 6 meses"));
    driver.click(QStringLiteral("?OK"));
    ASSERT_EQ(driver.window(QStringLiteral("Agregar Turno")), nullptr);

    // The name before the patient's code: leaving a recalled code takes it as typed, and
    // the name then follows the patient.
    driver.click(QStringLiteral("?INSERT:2"));
    ASSERT_NE(driver.window(QStringLiteral("Agregar Turno")), nullptr);
    const std::pair<const char*, const char*> recalled[] = { { "?AGE:MEDICO", "3" },
        { "?AGE:FECHA", "02/02/2010" }, { "?AGE:HORA", "10:07" }, { "?AGE:NOMBRE", "García, Luis" },
        { "?AGE:COMENTARIOS", "Control de 6 meses" }, { "?AGE:PACIENTE", "7" } };
    for (const auto& [control, text] : recalled) {
        const QString name = QString::fromLatin1(control);
        driver.find(name)->setFocus(Qt::TabFocusReason);
        driver.pressKey(name, views::FormWindow::kHistoryKey);
        EXPECT_EQ(shown(name), QString::fromUtf8(text)) << control;
    }
    EXPECT_EQ(shown(QStringLiteral("?AGE:MEDICO")), QStringLiteral("3")) << "each key fills its own field";
    // The same day, time and doctor cannot be booked twice: the form is left.
    driver.click(QStringLiteral("?CANCEL"));
    EXPECT_EQ(stored(makeTime(10, 7), 3).size(), 1u);
    closeList();
}

TEST_F(AgendaWindowsTest, TheSameDayTimeAndDoctorTwiceIsRefused)
{
    views::AppGlobals.CurrentPhysician = 1;
    startList();
    driver.click(QStringLiteral("?INSERT:2"));
    enter(QStringLiteral("?AGE:HORA"), QStringLiteral("08:00"));
    driver.type(QStringLiteral("?AGE:NOMBRE"), QStringLiteral("Otra"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_TRUE(driver.answer(QStringLiteral("AGE:KFECHA"), QStringLiteral("OK")));
    EXPECT_NE(driver.window(QStringLiteral("Agregar Turno")), nullptr);
    driver.click(QStringLiteral("?CANCEL"));
    EXPECT_EQ(all<AGENDA>().size(), 102u);
    closeList();
}

TEST_F(AgendaWindowsTest, AnAppointmentMovedOntoAFreeSlotTakesItsPlaceAndLeavesAFreeSlotBehind)
{
    views::AppGlobals.CurrentPhysician = 1;
    struct Case {
        std::int32_t from; // the day's first appointment, which the list opens on
        const char* name;
        std::int32_t patient;
        const char* to;
        std::int32_t moved;
        bool leavesSlot; // the generation makes a slot where it was
    };
    const Case cases[] = {
        { makeTime(8, 0), "García, Luis", 7, "09:00", makeTime(9, 0), true },
        { makeTime(7, 45), "Vecina sin ficha", 0, "10:00", makeTime(10, 0), false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        book(c.from, 1, c.name, "Control", c.patient);
        ended = false;
        startList();
        const std::size_t records = all<AGENDA>().size();
        driver.click(QStringLiteral("?CHANGE:2"));
        ASSERT_NE(driver.window(QStringLiteral("Cambiar Turno")), nullptr);
        ASSERT_EQ(shown(QStringLiteral("?AGE:NOMBRE")), QString::fromUtf8(c.name));
        enter(QStringLiteral("?AGE:HORA"), QString::fromLatin1(c.to));
        driver.click(QStringLiteral("?OK"));
        EXPECT_EQ(driver.window(QStringLiteral("Cambiar Turno")), nullptr)
            << "no message: the move is written";

        const std::vector<AGENDA> moved = stored(c.moved, 1);
        ASSERT_EQ(moved.size(), 1u);
        EXPECT_EQ(moved[0].PACIENTE, c.patient);
        EXPECT_EQ(moved[0].NOMBRE, QString::fromUtf8(c.name));
        EXPECT_EQ(moved[0].COMENTARIOS, QStringLiteral("Control"));
        const std::vector<AGENDA> left = stored(c.from, 1);
        if (c.leavesSlot) {
            ASSERT_EQ(left.size(), 1u);
            EXPECT_EQ(std::make_tuple(left[0].FECHA, left[0].PACIENTE, left[0].NOMBRE.trimmed(),
                          left[0].COMENTARIOS.trimmed(), left[0].DURACION),
                std::make_tuple(kMonday, 0, QString(), QString(), 0));
            EXPECT_EQ(all<AGENDA>().size(), records) << "nothing else is added or removed";
        } else {
            EXPECT_TRUE(left.empty());
            EXPECT_EQ(all<AGENDA>().size(), records - 1) << "the free slot went, nothing came";
        }
        closeList();
    }
}

TEST_F(AgendaWindowsTest, AnAppointmentMovedOntoAnotherPatientsIsRefusedWithTheKeysMessage)
{
    views::AppGlobals.CurrentPhysician = 1;
    book(makeTime(8, 0), 1, "García, Luis", "", 7);
    book(makeTime(9, 0), 1, "Otra", "primera vez");
    startList();
    driver.click(QStringLiteral("?CHANGE:2"));
    ASSERT_EQ(shown(QStringLiteral("?AGE:NOMBRE")), QStringLiteral("García, Luis"));
    enter(QStringLiteral("?AGE:HORA"), QStringLiteral("09:00"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_TRUE(driver.answer(QStringLiteral("AGE:KFECHA"), QStringLiteral("OK")));
    // Trying again would meet the same appointment there: back to the form, and out of it.
    EXPECT_TRUE(driver.answer(QStringLiteral("try to save again"), QStringLiteral("Cancel")));
    EXPECT_NE(driver.window(QStringLiteral("Cambiar Turno")), nullptr);
    driver.click(QStringLiteral("?CANCEL"));
    EXPECT_EQ(driver.window(QStringLiteral("Cambiar Turno")), nullptr);
    ASSERT_EQ(stored(makeTime(8, 0), 1).size(), 1u);
    EXPECT_EQ(stored(makeTime(8, 0), 1)[0].PACIENTE, 7);
    ASSERT_EQ(stored(makeTime(9, 0), 1).size(), 1u);
    EXPECT_EQ(stored(makeTime(9, 0), 1)[0].NOMBRE, QStringLiteral("Otra"));
    closeList();
}

TEST_F(AgendaWindowsTest, TheFramesAgendaButtonAsksForRightFourAndStartsTheList)
{
    const shell::FrameCommand* agenda = shell::findFrameCommand(-28);
    ASSERT_NE(agenda, nullptr);
    EXPECT_STREQ(agenda->procedure, "BrowseAGENDA");
    EXPECT_EQ(agenda->right, 4);
    views::ProgramGlobals globals;
    globals.grantAllRights();
    EXPECT_TRUE(shell::commandAvailable(*agenda, globals, procedures()));
    globals.AccessRights[3] = 0;
    EXPECT_FALSE(shell::commandAvailable(*agenda, globals, procedures()));
}

} // namespace
} // namespace nidora::practice
