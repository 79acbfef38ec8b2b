#include "TablesWindowsTest.h"

#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "framework/KeyCodes.h"
#include "views/DictionarySetup.h"

#include <gmock/gmock.h>

#include <ostream>

namespace nidora::practice::test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

const QString kDuplicate = QStringLiteral("Adding this record creates a duplicate entry for the key");
const QString kReferenced = QStringLiteral("This record is referenced from the file %1.");

// The names a file holds, in record order.
template <class R, class Field> QStringList namesIn(nidora::test::DiskFiles& disk, Field R::*field)
{
    QStringList names;
    for (const R& record : disk.all<R>())
        names << record.*field;
    return names;
}

template <class R> R named(QString R::*field, const char* name)
{
    R record;
    record.*field = QString::fromUtf8(name);
    return record;
}

data::TABCRECIMIENTO growthRow(std::int16_t months)
{
    data::TABCRECIMIENTO row;
    row.EDAD = months;
    return row;
}

std::vector<std::int16_t> storedAges(nidora::test::DiskFiles& disk)
{
    std::vector<std::int16_t> ages;
    for (const data::TABCRECIMIENTO& row : disk.all<data::TABCRECIMIENTO>())
        ages.push_back(row.EDAD);
    return ages;
}

// ---- the unique keys ---------------------------------------------------------------------

// A table with two rows, its first (the one the list opens on) and another; typing the other's
// key over a new row, or over the first one, is refused.
struct UniqueKeyCase {
    const char* table;
    int task;
    const char* suffix; // of the page's buttons
    const char* insertForm;
    const char* changeForm;
    std::function<void(nidora::test::DiskFiles&)> lay;
    std::vector<std::pair<const char*, const char*>> typed; // the other row's key
    std::function<QStringList(nidora::test::DiskFiles&)> stored;
};

void PrintTo(const UniqueKeyCase& c, std::ostream* out)
{
    *out << c.table;
}

class UniqueKeys : public TablesWindowsTest, public testing::WithParamInterface<UniqueKeyCase> {
protected:
    void typeTheOtherKey()
    {
        for (const auto& [entry, text] : GetParam().typed)
            driver.type(QString::fromUtf8(entry), QString::fromUtf8(text));
    }
    QString button(const char* role)
    {
        return QString::fromUtf8(role) + QString::fromUtf8(GetParam().suffix);
    }
};

TEST_P(UniqueKeys, ANewRowOrAChangeThatRepeatsAKeyIsRefusedAndTheFormCanStayOpen)
{
    const UniqueKeyCase& c = GetParam();
    c.lay(disk);
    const QStringList before = c.stored(disk);
    startTablas();
    clickTask(c.task);

    driver.click(button("?INSERT"));
    typeTheOtherKey();
    refusedWith(kDuplicate, QString::fromUtf8(c.insertForm));
    driver.click(QStringLiteral("?CANCEL"));
    EXPECT_EQ(c.stored(disk), before);

    driver.click(button("?CHANGE"));
    ASSERT_NE(driver.window(QString::fromUtf8(c.changeForm)), nullptr);
    typeTheOtherKey();
    refusedWith(kDuplicate, QString::fromUtf8(c.changeForm), true);
    driver.click(QStringLiteral("?CANCEL"));
    EXPECT_EQ(c.stored(disk), before);
    closeWindow("Tablas");
}

INSTANTIATE_TEST_SUITE_P(OfEveryTable, UniqueKeys,
    testing::Values(
        UniqueKeyCase { "reasons", 0, "", "Nuevo Motivo Consulta", "Cambiar Motivo Consulta",
            [](auto& d) {
                d.store(named(&data::MOTIVOS::MOTIVO, "CONTROL"));
                d.store(named(&data::MOTIVOS::MOTIVO, "FIEBRE"));
            },
            { { "?MOT:MOTIVO", "fiebre" } }, [](auto& d) { return namesIn(d, &data::MOTIVOS::MOTIVO); } },
        UniqueKeyCase { "coverages", 1, ":2", "Nueva Cobertura", "Cambiar Cobertura",
            [](auto& d) {
                d.store(named(&data::OBRASSOCIALES::NOMBRE, "IOMA"));
                d.store(named(&data::OBRASSOCIALES::NOMBRE, "OSDE"));
            },
            { { "?OBR:NOMBRE", "OSDE" } }, [](auto& d) { return namesIn(d, &data::OBRASSOCIALES::NOMBRE); } },
        UniqueKeyCase { "pathologies", 3, ":4", "Agregar Patología", "Cambiar Patología",
            [](auto& d) {
                d.store(named(&data::TABENFERMED::NOMBRE, "ANGINA"));
                d.store(named(&data::TABENFERMED::NOMBRE, "SARAMPIÓN"));
            },
            { { "?TEN:NOMBRE", "sarampión" } },
            [](auto& d) { return namesIn(d, &data::TABENFERMED::NOMBRE); } },
        UniqueKeyCase { "growth ages", 4, ":5", "Nuevo Registro", "Cambiar Registro",
            [](auto& d) {
                d.store(growthRow(12));
                d.store(growthRow(24));
            },
            { { "?EDAD_A", "2" }, { "?EDAD_M", "0" } },
            [](auto& d) {
                QStringList ages;
                for (const std::int16_t age : storedAges(d))
                    ages << QString::number(age);
                return ages;
            } }),
    [](const testing::TestParamInfo<UniqueKeyCase>& which) {
        return QString::fromUtf8(which.param.table).replace(QLatin1Char(' '), QLatin1Char('_')).toStdString();
    });

// ---- the rules between files ---------------------------------------------------------------

class TableRulesTest : public TablesWindowsTest {
protected:
    void SetUp() override
    {
        store(named(&data::OBRASSOCIALES::NOMBRE, "IOMA"));
        store(named(&data::OBRASSOCIALES::NOMBRE, "OSDE"));
        data::MADRES mother;
        mother.NOMBRE = QStringLiteral("LUCÍA DÍAZ");
        mother.OBRASOCIAL = QStringLiteral("IOMA");
        store(mother);
        store(nidora::test::patient(1, "ANA DÍAZ", "IOMA", "LUCÍA DÍAZ"));
        store(named(&data::MOTIVOS::MOTIVO, "CONTROL"));
        store(nidora::test::consultation(1, 1, "CONTROL"));
        store(nidora::test::consultation(2, 1, "CONTROL"));
        store(named(&data::TABENFERMED::NOMBRE, "ANGINA"));
        store(named(&data::TABENFERMED::NOMBRE, "GRIPE"));
        data::ENFERMEDADES illness;
        illness.PACIENTE = 1;
        illness.FECHA = 80000;
        illness.ENFERMEDAD = QStringLiteral("ANGINA");
        store(illness);
    }
    void rename(int task, const char* suffix, const char* entry, const char* to)
    {
        clickTask(task);
        driver.click(QStringLiteral("?CHANGE") + QString::fromUtf8(suffix));
        driver.type(QString::fromUtf8(entry), QString::fromUtf8(to));
        driver.click(QStringLiteral("?OK"));
    }
};

TEST_F(TableRulesTest, RenamingAReasonACoverageOrAPathologyRenamesItWhereverItIsNamed)
{
    startTablas();
    rename(0, "", "?MOT:MOTIVO", "CONTROL SANO");
    rename(1, ":2", "?OBR:NOMBRE", "IOMA PLUS"); // the first coverage
    rename(3, ":4", "?TEN:NOMBRE", "AMIGDALITIS"); // the first pathology
    EXPECT_THAT(namesIn(disk, &data::MOTIVOS::MOTIVO), ElementsAre("CONTROL SANO"));
    EXPECT_THAT(namesIn(disk, &data::CONSULTAS::MOTIVO), ElementsAre("CONTROL SANO", "CONTROL SANO"));
    EXPECT_THAT(namesIn(disk, &data::MADRES::OBRASOCIAL), ElementsAre("IOMA PLUS"));
    EXPECT_THAT(namesIn(disk, &data::PACIENTES::OBRASOCIAL), ElementsAre("IOMA PLUS"));
    EXPECT_THAT(namesIn(disk, &data::ENFERMEDADES::ENFERMEDAD), ElementsAre("AMIGDALITIS"));
    EXPECT_EQ(highlighted("?LIST:4"), QStringLiteral("AMIGDALITIS"));
    closeWindow("Tablas");
}

TEST_F(TableRulesTest, ACoverageOrAPathologyStillNamedIsNotDeletedAndTheFormSaysWhereItIsNamed)
{
    startTablas();
    clickTask(1);
    driver.click(QStringLiteral("?DELETE:2")); // IOMA, named by a mother and her child
    ASSERT_NE(driver.window(QStringLiteral("Borrar Cobertura?")), nullptr);
    refusedWith(kReferenced.arg(QStringLiteral("MADRES")), QStringLiteral("Borrar Cobertura?"));
    driver.click(QStringLiteral("?CANCEL"));
    EXPECT_THAT(namesIn(disk, &data::OBRASSOCIALES::NOMBRE), ElementsAre("IOMA", "OSDE"));

    clickTask(3);
    driver.click(QStringLiteral("?DELETE:4")); // ANGINA, recorded for a patient
    refusedWith(kReferenced.arg(QStringLiteral("ENFERMEDADES")), QStringLiteral("Borrar Patología?"));
    driver.click(QStringLiteral("?CANCEL"));
    EXPECT_THAT(namesIn(disk, &data::TABENFERMED::NOMBRE), ElementsAre("ANGINA", "GRIPE"));

    // Those nobody names go.
    driver.pressKey(QStringLiteral("?LIST:4"), keys::Down);
    driver.click(QStringLiteral("?DELETE:4"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_THAT(namesIn(disk, &data::TABENFERMED::NOMBRE), ElementsAre("ANGINA"));
    closeWindow("Tablas");
}

TEST_F(TableRulesTest, DeletingAReasonLeavesTheConsultationsThatNameIt)
{
    startTablas();
    driver.click(QStringLiteral("?DELETE"));
    ASSERT_NE(driver.window(QStringLiteral("Borrar Motivo Consulta?")), nullptr);
    driver.click(QStringLiteral("?OK"));
    EXPECT_THAT(namesIn(disk, &data::MOTIVOS::MOTIVO), IsEmpty());
    EXPECT_THAT(namesIn(disk, &data::CONSULTAS::MOTIVO), ElementsAre("CONTROL", "CONTROL"));
    closeWindow("Tablas");
}

TEST_F(TableRulesTest, APathologysCasesAreThePatientsItWasRecordedFor)
{
    data::PACIENTES other = nidora::test::patient(2, "BRUNO PAZ");
    store(other);
    data::ENFERMEDADES illness;
    illness.PACIENTE = 2;
    illness.FECHA = 80100;
    illness.ANIOS = 3;
    illness.MESES = 2;
    illness.DIAS = 1;
    illness.ENFERMEDAD = QStringLiteral("ANGINA");
    store(illness);
    illness.ENFERMEDAD = QStringLiteral("GRIPE");
    store(illness);
    startTablas();
    clickTask(3);
    driver.click(QStringLiteral("?CHANGE:4"));
    ASSERT_NE(driver.window(QStringLiteral("Cambiar Patología")), nullptr);
    auto* sheet = static_cast<QTabWidget*>(driver.find(QStringLiteral("?CURRENTTAB")));
    ASSERT_TRUE(sheet->tabBar()->isVisible());
    EXPECT_EQ(sheet->tabText(1), QStringLiteral("Casos"));
    sheet->setCurrentIndex(1);
    driver.settle();
    EXPECT_THAT(shownRows("?BROWSE:2"),
        ElementsAre(ElementsAre("1", "ANA DÍAZ", "09/01/2020", "0", "0", "0"),
            ElementsAre("2", "BRUNO PAZ", "18/04/2020", "3", "2", "1")));
    driver.click(QStringLiteral("?CANCEL"));
    closeWindow("Tablas");
}

// The consultation form's way in: a reason typed there that is not on file, added through the
// reasons' form called with the insert request on the reason as typed.
TEST_F(TablesWindowsTest, AReasonTypedElsewhereIsAddedThroughItsFormAsTyped)
{
    QString left;
    driver.start([&] {
        data::Dictionary& data = views::threadDictionary();
        data.buffer<data::MOTIVOS>().MOTIVO = QStringLiteral("DOLOR DE OÍDO");
        answer = framework::callWithRequest(InsertRecord, UpdateMOTIVOS);
        left = data.buffer<data::MOTIVOS>().MOTIVO;
    });
    ASSERT_NE(driver.window(QStringLiteral("Nuevo Motivo Consulta")), nullptr);
    EXPECT_EQ(static_cast<QLineEdit*>(driver.find(QStringLiteral("?MOT:MOTIVO")))->text().trimmed(),
        QStringLiteral("DOLOR DE OÍDO"));
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(ended());
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(left, QStringLiteral("DOLOR DE OÍDO"));
    EXPECT_THAT(namesIn(disk, &data::MOTIVOS::MOTIVO), ElementsAre("DOLOR DE OÍDO"));
}

// ---- the plan's age -------------------------------------------------------------------------

class PlanFormTest : public TablesWindowsTest {
protected:
    void openNewDose()
    {
        startTablas();
        clickTask(2);
        driver.click(QStringLiteral("?INSERT:3"));
        ASSERT_NE(driver.window(QStringLiteral("Agregar Registro")), nullptr);
    }
    QString focused()
    {
        QWidget* widget = QApplication::focusWidget();
        return widget ? widget->objectName() : QString();
    }
};

TEST_F(PlanFormTest, MonthsAndDaysOutOfRangeAreSaidAsSoonAsTakenAndKeepTheFocus)
{
    openNewDose();
    struct {
        const char* entry;
        const char* tooMany;
        const char* message;
        const char* fine;
    } const limits[] = { { "?PLA:MESES", "13", "The value of PLA:MESES must be lower than 12", "12" },
        { "?PLA:DIAS", "32", "The value of PLA:DIAS must be lower than 31", "31" } };
    for (const auto& limit : limits) {
        SCOPED_TRACE(limit.entry);
        driver.type(QString::fromUtf8(limit.entry), QString::fromUtf8(limit.tooMany));
        driver.accept(QString::fromUtf8(limit.entry));
        ASSERT_TRUE(driver.answer(QString::fromUtf8(limit.message), QStringLiteral("OK")));
        EXPECT_EQ(focused(), QString::fromUtf8(limit.entry));
        driver.type(QString::fromUtf8(limit.entry), QString::fromUtf8(limit.fine));
        driver.accept(QString::fromUtf8(limit.entry));
        EXPECT_EQ(driver.messageBox(QString()), nullptr);
    }
    driver.type(QStringLiteral("?PLA:VACUNA"), QStringLiteral("BCG"));
    driver.click(QStringLiteral("?OK"));
    const std::vector<data::PLANVACUNACION> doses = all<data::PLANVACUNACION>();
    ASSERT_EQ(doses.size(), 1u);
    EXPECT_EQ(doses[0].MESES, 12);
    EXPECT_EQ(doses[0].DIAS, 31);
    EXPECT_EQ(doses[0].CODIGO, QStringLiteral("A"));
    closeWindow("Tablas");
}

TEST_F(PlanFormTest, OkStopsAtAMonthOutOfRangeAndWritesNothing)
{
    openNewDose();
    driver.type(QStringLiteral("?PLA:MESES"), QStringLiteral("40"));
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(driver.answer(QStringLiteral("PLA:MESES"), QStringLiteral("OK")));
    while (driver.messageBox(QStringLiteral("PLA:MESES")))
        driver.answer(QStringLiteral("PLA:MESES"), QStringLiteral("OK"));
    EXPECT_NE(driver.window(QStringLiteral("Agregar Registro")), nullptr);
    EXPECT_EQ(focused(), QStringLiteral("?PLA:MESES"));
    EXPECT_THAT(all<data::PLANVACUNACION>(), IsEmpty());
    driver.click(QStringLiteral("?CANCEL"));
    closeWindow("Tablas");
}

// ---- the growth row's age -------------------------------------------------------------------

class GrowthFormTest : public TablesWindowsTest {
protected:
    void openGrowthPage()
    {
        startTablas();
        clickTask(4);
    }
    QString shown(const char* entry)
    {
        return static_cast<QLineEdit*>(driver.find(QString::fromUtf8(entry)))->text().trimmed();
    }
    void typeAge(const char* years, const char* months)
    {
        driver.type(QStringLiteral("?EDAD_A"), QString::fromUtf8(years));
        driver.type(QStringLiteral("?EDAD_M"), QString::fromUtf8(months));
    }
};

TEST_F(GrowthFormTest, ANewRowComesOneMonthAfterTheHighestAgeAndAnyAgeCanBeTypedOverIt)
{
    openGrowthPage();
    driver.click(QStringLiteral("?INSERT:5"));
    ASSERT_NE(driver.window(QStringLiteral("Nuevo Registro")), nullptr);
    EXPECT_EQ(shown("?EDAD_A"), QStringLiteral("0"));
    EXPECT_EQ(shown("?EDAD_M"), QStringLiteral("1")); // the first row of an empty table
    EXPECT_THAT(storedAges(disk), ElementsAre(1)); // added at once
    typeAge("0", "0"); // a row of birth values
    driver.click(QStringLiteral("?OK"));
    EXPECT_THAT(storedAges(disk), ElementsAre(0));

    store(growthRow(72));
    driver.click(QStringLiteral("?INSERT:5"));
    EXPECT_EQ(shown("?EDAD_A"), QStringLiteral("6"));
    EXPECT_EQ(shown("?EDAD_M"), QStringLiteral("1"));
    typeAge("22", "0");
    driver.type(QStringLiteral("?TCR:ALTURA_7_2"), QStringLiteral("180.5"));
    driver.type(QStringLiteral("?TCR:PC_1_1"), QStringLiteral("-1.5"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_THAT(storedAges(disk), ElementsAre(0, 72, 264));
    const data::TABCRECIMIENTO added = all<data::TABCRECIMIENTO>().back();
    EXPECT_EQ(added.ALTURA[6][1], 1805);
    EXPECT_EQ(added.PC[0][0], -15);
    EXPECT_EQ(highlighted("?LIST:5"), QStringLiteral("22"));
    closeWindow("Tablas");
}

TEST_F(GrowthFormTest, MonthsPastElevenCarryIntoTheYearsShownNextTime)
{
    store(growthRow(5));
    openGrowthPage();
    driver.click(QStringLiteral("?CHANGE:5"));
    ASSERT_NE(driver.window(QStringLiteral("Cambiar Registro")), nullptr);
    typeAge("1", "15");
    driver.click(QStringLiteral("?OK"));
    EXPECT_THAT(storedAges(disk), ElementsAre(27));
    driver.click(QStringLiteral("?CHANGE:5"));
    EXPECT_EQ(shown("?EDAD_A"), QStringLiteral("2"));
    EXPECT_EQ(shown("?EDAD_M"), QStringLiteral("3"));
    driver.click(QStringLiteral("?CANCEL"));
    closeWindow("Tablas");
}

TEST_F(GrowthFormTest, CancellingANewRowTakesBackTheRowItsPrimingAdded)
{
    store(growthRow(12));
    openGrowthPage();
    driver.click(QStringLiteral("?INSERT:5"));
    EXPECT_THAT(storedAges(disk), ElementsAre(12, 13));
    driver.click(QStringLiteral("?CANCEL"));
    EXPECT_THAT(storedAges(disk), ElementsAre(12));
    closeWindow("Tablas");
}

} // namespace
} // namespace nidora::practice::test
