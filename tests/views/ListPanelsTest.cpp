#include "RecordWindowsTest.h"

#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "framework/ControlEntry.h"
#include "framework/ControlSheet.h"
#include "framework/KeyCodes.h"
#include "views/DictionarySetup.h"
#include "views/FormWindow.h"
#include "views/ListWindow.h"

#include <QApplication>
#include <QMouseEvent>

#include <gmock/gmock.h>

#include <ostream>

namespace nidora::views::test {
namespace {

using data::CONSULTAS;
using data::MEDICOS;
using data::MOTIVOS;
using data::PACIENTES;
using framework::DialogRect;
using testing::ElementsAre;
using testing::IsEmpty;

// A form of one entry over a field of its file, with OK and Cancel.
class OneEntryForm final : public FormWindow {
public:
    OneEntryForm(data::FileId file, const QString& caption, const QString& entry, QString& value)
        : FormWindow(QStringLiteral("Test:") + caption, file,
            { caption + QStringLiteral(" alta"), caption + QStringLiteral(" cambio"),
                caption + QStringLiteral(" baja") })
    {
        add<framework::EntryControl>(
            entry, DialogRect { 4, 4, 120, 10 }, QStringLiteral("@s25"), framework::entryValue(value));
        addOk(QStringLiteral("?OK"), { 4, 20, 40, 14 }, QStringLiteral("OK"));
        addCancel(QStringLiteral("?CANCEL"), { 50, 20, 40, 14 }, QStringLiteral("Cancel"));
    }
};

void doctorForm()
{
    OneEntryForm(data::FileId::MEDICOS, QStringLiteral("Médico"), QStringLiteral("?MED:NOMBRE"),
        views::threadDictionary().buffer<MEDICOS>().NOMBRE)
        .run();
}

void reasonForm()
{
    OneEntryForm(data::FileId::MOTIVOS, QStringLiteral("Motivo"), QStringLiteral("?MOT:MOTIVO"),
        views::threadDictionary().buffer<MOTIVOS>().MOTIVO)
        .run();
}

// Two lists side by side, each over its own file with its own buttons and form: the doctors
// (the window's own list, by number) and the consultation reasons (by name).
class TwoLists final : public ListWindow {
public:
    TwoLists()
        : ListWindow(QStringLiteral("Test:TwoLists"), data::FileId::MEDICOS)
    {
        setCaption(QStringLiteral("Listas"));
        setSize(300, 160);
        addList(QStringLiteral("?BROWSE:1"), { 4, 4, 140, 100 },
            { { &key("MED:KCODIGO"), LocatorKind::Incremental } },
            { fieldColumn(field("MED:NOMBRE"), QStringLiteral("Nombre"), QStringLiteral("@s30")) });
        addEditButtons({ 4, 110, 44, 14 }, 48);
        setForm(doctorForm);

        openAlso(data::FileId::MOTIVOS);
        ListPanel& reasons = addPanel(data::FileId::MOTIVOS);
        reasons.addList(QStringLiteral("?LIST:2"), { 156, 4, 140, 100 },
            { { &reasons.key("MOT:KMOTIVO"), LocatorKind::Step } },
            { fieldColumn(reasons.field("MOT:MOTIVO"), QStringLiteral("Título"), QStringLiteral("@s25")) });
        reasons.addEditButtons({ 156, 110, 44, 14 }, 48, QStringLiteral(":3"));
        reasons.setForm(reasonForm);
    }
};

// Each list's controls by name, its file, and its form's entry and caption.
struct PanelCase {
    const char* list;
    const char* suffix; // of the list's buttons
    data::FileId file;
    const char* entry;
    const char* caption;
};

void PrintTo(const PanelCase& c, std::ostream* out)
{
    *out << c.list;
}

class ListPanelsTest : public RecordWindowsTest {
protected:
    void SetUp() override
    {
        store(doctor(1, "Pérez"));
        store(doctor(2, "Gómez"));
        for (const char* title : { "CONTROL", "FIEBRE" }) {
            MOTIVOS reason;
            reason.MOTIVO = QString::fromUtf8(title);
            store(reason);
        }
    }
    void startLists()
    {
        driver.start([this] {
            TwoLists().run();
            ended = true;
        });
        ASSERT_NE(driver.window(QStringLiteral("Listas")), nullptr);
    }
    void closeLists()
    {
        driver.close(QStringLiteral("Listas"));
        ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    }
    QString highlighted(const char* list)
    {
        auto* table = static_cast<QAbstractItemView*>(driver.find(QString::fromUtf8(list)));
        return table->currentIndex().siblingAtColumn(0).data().toString().trimmed();
    }
    QString formCaption(const char* entry)
    {
        QWidget* found = driver.find(QString::fromUtf8(entry));
        return found ? found->window()->windowTitle() : QStringLiteral("(no form)");
    }
    static QString button(const char* role, const PanelCase& c)
    {
        return QString::fromUtf8(role) + QString::fromUtf8(c.suffix);
    }
    // The doctors' or the reasons' names as stored, in the order of the names.
    QStringList stored(data::FileId file)
    {
        QStringList names;
        if (file == data::FileId::MEDICOS)
            for (const MEDICOS& d : all<MEDICOS>())
                names << d.NOMBRE;
        else
            for (const MOTIVOS& m : all<MOTIVOS>())
                names << m.MOTIVO;
        names.sort();
        return names;
    }

    bool ended = false;
};

class EachPanel : public ListPanelsTest, public testing::WithParamInterface<PanelCase> {
protected:
    // The other list's file, which nothing done on this list may touch.
    QStringList otherStored()
    {
        return stored(
            GetParam().file == data::FileId::MEDICOS ? data::FileId::MOTIVOS : data::FileId::MEDICOS);
    }
};

TEST_P(EachPanel, InsertsChangesAndDeletesThroughItsOwnButtonsKeysAndForm)
{
    const PanelCase& c = GetParam();
    const QString list = QString::fromUtf8(c.list);
    const QString caption = QString::fromUtf8(c.caption);
    startLists();
    const QStringList other = otherStored();
    const QStringList before = stored(c.file);

    driver.click(button("?INSERT", c));
    ASSERT_EQ(formCaption(c.entry), caption + QStringLiteral(" alta"));
    driver.type(QString::fromUtf8(c.entry), QStringLiteral("NUEVO"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_EQ(highlighted(c.list), QStringLiteral("NUEVO"));
    QStringList expected = before;
    expected << QStringLiteral("NUEVO");
    expected.sort();
    EXPECT_EQ(stored(c.file), expected);

    driver.pressKey(list, keys::withCtrl(keys::Enter)); // on the new row
    ASSERT_EQ(formCaption(c.entry), caption + QStringLiteral(" cambio"));
    driver.type(QString::fromUtf8(c.entry), QStringLiteral("OTRO"));
    driver.click(QStringLiteral("?OK"));
    expected.replace(expected.indexOf(QStringLiteral("NUEVO")), QStringLiteral("OTRO"));
    expected.sort();
    EXPECT_EQ(stored(c.file), expected);

    driver.pressKey(list, keys::Delete);
    ASSERT_EQ(formCaption(c.entry), caption + QStringLiteral(" baja"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_EQ(stored(c.file), before);

    driver.click(button("?CHANGE", c));
    ASSERT_EQ(formCaption(c.entry), caption + QStringLiteral(" cambio"));
    driver.click(QStringLiteral("?CANCEL"));

    EXPECT_EQ(otherStored(), other);
    closeLists();
}

INSTANTIATE_TEST_SUITE_P(TwoFiles, EachPanel,
    testing::Values(PanelCase { "?BROWSE:1", ":2", data::FileId::MEDICOS, "?MED:NOMBRE", "Médico" },
        PanelCase { "?LIST:2", ":3", data::FileId::MOTIVOS, "?MOT:MOTIVO", "Motivo" }));

TEST_F(ListPanelsTest, EachLocatorMovesOnlyItsOwnList)
{
    startLists();
    EXPECT_EQ(highlighted("?BROWSE:1"), QStringLiteral("Pérez"));
    EXPECT_EQ(highlighted("?LIST:2"), QStringLiteral("CONTROL"));
    driver.pressKey(QStringLiteral("?LIST:2"), keys::letter('F'));
    EXPECT_EQ(highlighted("?LIST:2"), QStringLiteral("FIEBRE"));
    EXPECT_EQ(highlighted("?BROWSE:1"), QStringLiteral("Pérez"));
    driver.pressKey(QStringLiteral("?BROWSE:1"), keys::digit(2));
    EXPECT_EQ(highlighted("?BROWSE:1"), QStringLiteral("Gómez"));
    EXPECT_EQ(highlighted("?LIST:2"), QStringLiteral("FIEBRE"));
    closeLists();
}

TEST_F(ListPanelsTest, EachMenuCallsItsOwnListsForm)
{
    startLists();
    driver.pressKey(QStringLiteral("?LIST:2"), keys::Down);
    QMenu* menu = openContextMenu(QStringLiteral("?LIST:2"));
    ASSERT_NE(menu, nullptr);
    EXPECT_THAT(entries(*menu), ElementsAre("&Insert", "&Change", "&Delete"));
    menu->actions().at(2)->trigger();
    driver.settle();
    ASSERT_EQ(formCaption("?MOT:MOTIVO"), QStringLiteral("Motivo baja"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_THAT(stored(data::FileId::MOTIVOS), ElementsAre("CONTROL"));
    EXPECT_THAT(stored(data::FileId::MEDICOS), ElementsAre("Gómez", "Pérez"));
    closeLists();
}

// A patient form holding the list of the patient's consultations on a page of its sheet: the
// list shows only that patient's rows, and a new row is primed with the patient's code.
class PatientWithVisits final : public FormWindow {
public:
    explicit PatientWithVisits(std::function<void()> visitForm)
        : FormWindow(QStringLiteral("Test:Paciente"), data::FileId::PACIENTES,
            { QStringLiteral("Nuevo Paciente"), QStringLiteral("Edición de Paciente"),
                QStringLiteral("Borrar Paciente") })
    {
        setSize(260, 190);
        PACIENTES& patient = record<PACIENTES>();
        add<framework::EntryControl>(QStringLiteral("?PAC:NOMBRE"), DialogRect { 4, 4, 120, 10 },
            QStringLiteral("@s30"), framework::entryValue(patient.NOMBRE));
        auto& sheet = add<framework::SheetControl>(QStringLiteral("?SHEET1"), DialogRect { 4, 18, 252, 146 });
        auto& page
            = addIn<framework::TabControl>(sheet, QStringLiteral("?TAB10"), {}, QStringLiteral("Consultas"));

        openAlso(data::FileId::CONSULTAS);
        ListPanel& visits = addPanel(data::FileId::CONSULTAS, &page);
        visits.addList(QStringLiteral("?BROWSE:2"), { 4, 4, 240, 100 },
            { { &visits.key("CON:KPACIENTE"), LocatorKind::None, QString(),
                [&patient] { return std::vector<data::FieldValue> { std::int64_t(patient.CODIGO) }; } } },
            { fieldColumn(visits.field("CON:CODIGO"), QStringLiteral("Nº"), QStringLiteral("@n7")),
                fieldColumn(visits.field("CON:MOTIVO"), QStringLiteral("Motivo"), QStringLiteral("@s20")) });
        visits.addEditButtons({ 4, 110, 44, 14 }, 48, QStringLiteral(":3"));
        visits.setPriming(
            [&patient](data::Record& fresh) { static_cast<CONSULTAS&>(fresh).PACIENTE = patient.CODIGO; });
        visits.setForm(std::move(visitForm));

        // Named apart from the buttons of the visit's form, which opens over this one.
        addOk(QStringLiteral("?OK:PAC"), { 150, 170, 50, 14 }, QStringLiteral("OK"));
        addCancel(QStringLiteral("?CANCEL:PAC"), { 206, 170, 50, 14 }, QStringLiteral("Cancelar"));
    }
};

class ChildListTest : public RecordWindowsTest {
protected:
    void SetUp() override
    {
        std::int32_t code = 0;
        for (std::int32_t p : { 1, 2, 3 }) {
            PACIENTES patient;
            patient.CODIGO = p;
            patient.NOMBRE = p == 2 ? QStringLiteral("GARCIA ANA") : QStringLiteral("OTRO");
            store(patient);
            for (int k = 0; k < 3; ++k) {
                CONSULTAS visit;
                visit.CODIGO = ++code;
                visit.PACIENTE = p;
                visit.FECHA = 80000 + code;
                visit.MOTIVO = QStringLiteral("CONTROL");
                store(visit);
            }
        }
    }
    // The patient form with a request, the patient given loaded in the buffer as the patient
    // list would load it (or primed, for an insert).
    void startForm(std::uint8_t request, std::int32_t patientCode)
    {
        driver.start([this, request, patientCode] {
            data::Dictionary& data = views::threadDictionary();
            ASSERT_EQ(data.relation<PACIENTES>().open(), data::AccessResult::Ok);
            if (request == InsertRecord) {
                ASSERT_EQ(data.access<PACIENTES>().prime(), data::AccessResult::Ok);
            } else {
                data.buffer<PACIENTES>().CODIGO = patientCode;
                ASSERT_EQ(data.access<PACIENTES>().fetch(data.access<PACIENTES>().key("PAC:KCODIGO")),
                    data::AccessResult::Ok);
            }
            answer = framework::callWithRequest(request, [this] {
                PatientWithVisits([this] {
                    CONSULTAS& visit = views::threadDictionary().buffer<CONSULTAS>();
                    visitCalls.push_back({ scheduler.currentContext().CallRequest, visit.PACIENTE });
                    OneEntryForm(data::FileId::CONSULTAS, QStringLiteral("Consulta"),
                        QStringLiteral("?CON:MOTIVO"), visit.MOTIVO)
                        .run();
                }).run();
            });
            data.relation<PACIENTES>().close();
            ended = true;
        });
        ASSERT_NE(driver.find(QStringLiteral("?BROWSE:2")), nullptr);
    }
    // The codes the consultations list shows, as it shows them.
    QStringList shownVisits()
    {
        auto* table = static_cast<QAbstractItemView*>(driver.find(QStringLiteral("?BROWSE:2")));
        QStringList codes;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            codes << table->model()->index(row, 0).data().toString().trimmed();
        return codes;
    }
    std::vector<std::int32_t> visitsOf(std::int32_t patientCode)
    {
        std::vector<std::int32_t> codes;
        for (const CONSULTAS& c : all<CONSULTAS>())
            if (c.PACIENTE == patientCode)
                codes.push_back(c.CODIGO);
        return codes;
    }

    struct VisitCall {
        int request;
        std::int32_t patient; // CON:PACIENTE as the visit's form found it
        bool operator==(const VisitCall&) const = default;
    };
    std::vector<VisitCall> visitCalls;
    int answer = 0;
    bool ended = false;
};

TEST_F(ChildListTest, ShowsOnlyTheParentsRowsAndPrimesANewOneWithTheParentsCode)
{
    startForm(ChangeRecord, 2);
    EXPECT_THAT(shownVisits(), ElementsAre("4", "5", "6"));

    driver.click(QStringLiteral("?INSERT:3"));
    ASSERT_EQ(visitCalls, (std::vector<VisitCall> { { InsertRecord, 2 } }));
    EXPECT_THAT(visitsOf(2), ElementsAre(4, 5, 6, 10)); // numbered and added at once, with its parent
    driver.type(QStringLiteral("?CON:MOTIVO"), QStringLiteral("FIEBRE"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_THAT(shownVisits(), ElementsAre("10", "4", "5", "6")); // undated, so first by date
    EXPECT_EQ(all<CONSULTAS>().back().MOTIVO, QStringLiteral("FIEBRE"));

    // The form's own OK accepts every data control again, its list included: that calls no
    // form of the list.
    driver.type(QStringLiteral("?PAC:NOMBRE"), QStringLiteral("GARCIA ANA MARIA"));
    driver.click(QStringLiteral("?OK:PAC"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(visitCalls.size(), 1u);
    EXPECT_EQ(all<PACIENTES>().at(1).NOMBRE, QStringLiteral("GARCIA ANA MARIA"));
}

TEST_F(ChildListTest, ADoubleClickOnAChildRowChangesThatRow)
{
    startForm(ChangeRecord, 3);
    auto* table = static_cast<QAbstractItemView*>(driver.find(QStringLiteral("?BROWSE:2")));
    const QPoint second = table->visualRect(table->model()->index(1, 0)).center();
    for (const QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonDblClick }) {
        QMouseEvent event(type, second, table->viewport()->mapToGlobal(second), Qt::LeftButton,
            Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(table->viewport(), &event);
        driver.settle();
    }
    ASSERT_EQ(visitCalls, (std::vector<VisitCall> { { ChangeRecord, 3 } }));
    driver.type(QStringLiteral("?CON:MOTIVO"), QStringLiteral("VACUNA"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_EQ(all<CONSULTAS>().at(7).MOTIVO, QStringLiteral("VACUNA")); // consultation 8
    driver.click(QStringLiteral("?CANCEL:PAC"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
}

TEST_F(ChildListTest, CancellingANewPatientTakesTheRowsAddedThroughItsListWithIt)
{
    startForm(InsertRecord, 0);
    EXPECT_THAT(shownVisits(), IsEmpty());
    driver.click(QStringLiteral("?INSERT:3"));
    ASSERT_EQ(visitCalls, (std::vector<VisitCall> { { InsertRecord, 4 } }));
    driver.click(QStringLiteral("?OK"));
    EXPECT_THAT(shownVisits(), ElementsAre("10"));

    driver.click(QStringLiteral("?CANCEL:PAC"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(answer, Cancelled);
    EXPECT_THAT(visitsOf(4), IsEmpty());
    EXPECT_EQ(all<PACIENTES>().size(), 3u);
}

TEST_F(ChildListTest, AFormOpenedForViewingCallsNoFormFromItsList)
{
    startForm(ViewRecord, 2);
    EXPECT_THAT(shownVisits(), ElementsAre("4", "5", "6"));
    for (const char* name : { "?INSERT:3", "?CHANGE:3", "?DELETE:3" })
        EXPECT_FALSE(driver.find(QString::fromUtf8(name))->isEnabled()) << name;
    driver.pressKey(QStringLiteral("?BROWSE:2"), keys::Insert);
    EXPECT_THAT(visitCalls, IsEmpty());
    driver.click(QStringLiteral("?CANCEL:PAC"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
}

} // namespace
} // namespace nidora::views::test
