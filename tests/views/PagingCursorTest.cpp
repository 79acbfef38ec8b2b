#include "views/PagingCursor.h"

#include "data/AccessTestFixture.h"

#include <gmock/gmock.h>

namespace nidora::views {
namespace {

using data::CONSULTAS;
using data::FileId;
using data::PACIENTES;
using nidora::test::consultation;
using nidora::test::patient;
using testing::ElementsAre;
using testing::ElementsAreArray;

class PagingCursorTest : public data::test::AccessTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(access(FileId::PACIENTES).open(), data::AccessResult::Ok);
        ASSERT_EQ(access(FileId::CONSULTAS).open(), data::AccessResult::Ok);
    }

    const data::KeyDesc* consultationKey(const char* name) { return &key(FileId::CONSULTAS, name); }
    const data::KeyDesc* patientKey(const char* name) { return &key(FileId::PACIENTES, name); }

    static std::int32_t codeOf(const PagingCursor::Row& row)
    {
        if (const auto* c = dynamic_cast<const CONSULTAS*>(row.record.get()))
            return c->CODIGO;
        return static_cast<const PACIENTES&>(*row.record).CODIGO;
    }
    static QString nameOf(const PagingCursor* view)
    {
        return static_cast<const PACIENTES&>(*view->highlighted()->record).NOMBRE;
    }
    static std::vector<std::int32_t> visibleCodes(const PagingCursor& view)
    {
        std::vector<std::int32_t> codes;
        for (int i = 0; i < view.visibleCount(); ++i)
            codes.push_back(codeOf(view.visibleRow(i)));
        return codes;
    }
    // Moves row by row until the highlight stops moving, collecting the highlighted codes.
    static std::vector<std::int32_t> walk(PagingCursor& view, ListMove move)
    {
        std::vector<std::int32_t> codes { codeOf(*view.highlighted()) };
        for (;;) {
            const std::int64_t before = view.highlighted()->ref.id;
            view.move(move);
            if (view.highlighted()->ref.id == before)
                return codes;
            codes.push_back(codeOf(*view.highlighted()));
        }
    }

    void storePatients(const std::vector<PACIENTES>& patients)
    {
        for (const PACIENTES& p : patients)
            store(p);
    }
};

std::vector<std::int32_t> range(std::int32_t first, std::int32_t last)
{
    std::vector<std::int32_t> codes;
    for (std::int32_t c = first; c <= last; ++c)
        codes.push_back(c);
    return codes;
}

TEST_F(PagingCursorTest, PagesThroughEqualKeyValuesInBothDirectionsWithoutSkippingOrRepeating)
{
    // 23 consultations of one patient on one day: one key value, so only the identities
    // tell the rows apart at every page end.
    for (std::int32_t code = 1; code <= 23; ++code) {
        CONSULTAS c = consultation(code, 7);
        c.FECHA = 80000;
        store(c);
    }
    PagingCursor view(access(FileId::CONSULTAS), { { consultationKey("CON:KPACIENTE") } }, 4);
    ASSERT_EQ(view.open(), data::AccessResult::Ok);
    EXPECT_THAT(visibleCodes(view), ElementsAre(1, 2, 3, 4));

    EXPECT_THAT(walk(view, ListMove::RowDown), ElementsAreArray(range(1, 23)));
    std::vector<std::int32_t> back = range(1, 23);
    std::reverse(back.begin(), back.end());
    EXPECT_THAT(walk(view, ListMove::RowUp), ElementsAreArray(back));
    EXPECT_LE(view.loadedRows(), 12);

    std::vector<std::vector<std::int32_t>> pages { visibleCodes(view) };
    for (int k = 0; k < 6; ++k) {
        view.move(ListMove::PageDown);
        pages.push_back(visibleCodes(view));
    }
    EXPECT_THAT(pages,
        ElementsAre(ElementsAre(1, 2, 3, 4), ElementsAre(5, 6, 7, 8), ElementsAre(9, 10, 11, 12),
            ElementsAre(13, 14, 15, 16), ElementsAre(17, 18, 19, 20), ElementsAre(20, 21, 22, 23),
            ElementsAre(20, 21, 22, 23)));
    EXPECT_EQ(codeOf(*view.highlighted()), 23);
    view.move(ListMove::PageUp);
    EXPECT_THAT(visibleCodes(view), ElementsAre(16, 17, 18, 19));
    EXPECT_EQ(codeOf(*view.highlighted()), 19);
}

TEST_F(PagingCursorTest, FirstAndLastShowTheEndsOfTheList)
{
    for (std::int32_t code = 1; code <= 30; ++code)
        store(consultation(code, 1));
    PagingCursor view(access(FileId::CONSULTAS), { { consultationKey("CON:KCODIGO") } }, 5);
    view.open();
    view.move(ListMove::Last);
    EXPECT_THAT(visibleCodes(view), ElementsAre(26, 27, 28, 29, 30));
    EXPECT_EQ(view.highlightedIndex(), 4);
    EXPECT_FALSE(view.rowsAfter());
    EXPECT_TRUE(view.rowsBefore());
    view.move(ListMove::First);
    EXPECT_THAT(visibleCodes(view), ElementsAre(1, 2, 3, 4, 5));
    EXPECT_EQ(view.highlightedIndex(), 0);
    EXPECT_FALSE(view.rowsBefore());
}

// A list of a few pages is held whole and its thumb goes by rows; a longer one places its thumb
// by the key of its top row, and a thumb taken along its bar reads the page at that point.
TEST_F(PagingCursorTest, TheScrollBarGoesByRowsOnAShortListAndByTheKeyOnALongOne)
{
    for (std::int32_t code = 1; code <= 10; ++code)
        store(consultation(code, 1));
    PagingCursor shortList(access(FileId::CONSULTAS), { { consultationKey("CON:KCODIGO") } }, 4);
    shortList.open();
    EXPECT_EQ(shortList.loadedRows(), 10);
    EXPECT_EQ(shortList.scrollBar(), (ListScrollBar { true, 6, 4, 0 }));
    shortList.scrollTo(5);
    EXPECT_THAT(visibleCodes(shortList), ElementsAre(6, 7, 8, 9));
    EXPECT_EQ(codeOf(*shortList.highlighted()), 6) << "the highlight comes along onto the page";
    shortList.move(ListMove::Last);
    EXPECT_EQ(shortList.scrollBar().value, 6);
    PagingCursor fitting(access(FileId::CONSULTAS), { { consultationKey("CON:KCODIGO") } }, 10);
    fitting.open();
    EXPECT_FALSE(fitting.scrollBar().shown);

    // 26 names from A to Z, far more than a page of four holds.
    for (std::int32_t code = 1; code <= 26; ++code)
        store(patient(code, QStringLiteral("%1 Apellido").arg(QChar(u'A' + code - 1)).toUtf8().constData()));
    PagingCursor names(
        access(FileId::PACIENTES), { { patientKey("PAC:KNOMBRE"), LocatorKind::Incremental } }, 4);
    names.open();
    EXPECT_LT(names.loadedRows(), 26);
    const ListScrollBar atTop = names.scrollBar();
    ASSERT_TRUE(atTop.shown);
    EXPECT_EQ(atTop.value, 0);
    int before = 0;
    for (int k = 0; k < 4; ++k) {
        names.move(ListMove::PageDown);
        EXPECT_GT(names.scrollBar().value, before);
        before = names.scrollBar().value;
    }
    names.scrollTo(names.scrollBar().maximum / 2);
    EXPECT_THAT(nameOf(&names).left(1).toStdString(), testing::AnyOf("L", "M", "N"));
    names.scrollTo(names.scrollBar().maximum);
    EXPECT_EQ(nameOf(&names), QStringLiteral("Z Apellido"));
    EXPECT_EQ(names.scrollBar().value, names.scrollBar().maximum);
    names.scrollTo(0);
    EXPECT_EQ(nameOf(&names), QStringLiteral("A Apellido"));
    names.scrollRows(3);
    EXPECT_EQ(
        static_cast<const PACIENTES&>(*names.visibleRow(0).record).NOMBRE, QStringLiteral("D Apellido"));
}

TEST_F(PagingCursorTest, RangeAndFilterHoldTheListToTheirRows)
{
    std::int32_t code = 0;
    for (std::int32_t p : { 1, 2, 3 })
        for (int k = 0; k < 10; ++k)
            store(consultation(++code, p));
    std::int32_t patientCode = 2;
    PagingCursor view(access(FileId::CONSULTAS),
        { { consultationKey("CON:KPACIENTE"), LocatorKind::None, {},
            [&] { return std::vector<data::FieldValue> { std::int64_t(patientCode) }; } } },
        3);
    view.setFilter([](const data::Record& r) { return static_cast<const CONSULTAS&>(r).CODIGO % 2 == 0; });
    view.open();
    EXPECT_THAT(walk(view, ListMove::RowDown), ElementsAre(12, 14, 16, 18, 20));
    view.move(ListMove::Last);
    EXPECT_EQ(codeOf(*view.highlighted()), 20);
    EXPECT_THAT(walk(view, ListMove::RowUp), ElementsAre(20, 18, 16, 14, 12));

    // The range is asked again on every reload.
    patientCode = 3;
    view.move(ListMove::Last);
    EXPECT_EQ(codeOf(*view.highlighted()), 30);
    patientCode = 4;
    view.move(ListMove::First);
    EXPECT_TRUE(view.empty());
    EXPECT_EQ(view.highlighted(), nullptr);
    view.move(ListMove::RowDown);
    view.move(ListMove::Last);
    EXPECT_TRUE(view.empty());
}

class LocatorTest : public PagingCursorTest {
protected:
    void SetUp() override
    {
        PagingCursorTest::SetUp();
        PACIENTES a = patient(1, "Alvarez");
        a.GRUPO = "0+";
        PACIENTES b = patient(2, "García");
        b.GRUPO = "A+";
        PACIENTES c = patient(3, "gardel");
        c.GRUPO = "B-";
        PACIENTES d = patient(4, "Gómez");
        d.GRUPO = "AB+";
        PACIENTES e = patient(5, "Perez");
        e.GRUPO = "B+";
        storePatients({ a, b, c, d, e });
    }
    PagingCursor view { access(FileId::PACIENTES),
        { { patientKey("PAC:KNOMBRE"), LocatorKind::Incremental, "Indice x Nombre" },
            { patientKey("PAC:KCODIGO"), LocatorKind::Incremental, "Indice x Código" },
            { patientKey("PAC:KGRUPO"), LocatorKind::Step, "Indice x Grupo Sanguineo" } },
        3 };
};

TEST_F(LocatorTest, IncrementalLocatorMovesToTheFirstNameAtOrAfterTheFoldedText)
{
    view.open();
    EXPECT_TRUE(view.type(u'g'));
    EXPECT_EQ(nameOf(&view), "García");
    EXPECT_TRUE(view.type(u'a'));
    EXPECT_TRUE(view.type(u'r'));
    EXPECT_EQ(view.locatorText(), "GAR");
    EXPECT_EQ(nameOf(&view), "García");
    EXPECT_TRUE(view.type(u'd'));
    EXPECT_EQ(nameOf(&view), "gardel");
    EXPECT_TRUE(view.backspace());
    EXPECT_EQ(view.locatorText(), "GAR");
    EXPECT_EQ(nameOf(&view), "García");
    EXPECT_TRUE(view.type(u'z'));
    EXPECT_EQ(nameOf(&view), "Gómez"); // "GARZ" sorts before "GÓMEZ"
    for (int k = 0; k < 4; ++k)
        view.backspace();
    EXPECT_EQ(view.locatorText(), "");
    EXPECT_FALSE(view.backspace());
    EXPECT_EQ(nameOf(&view), "Alvarez");
    // Past the last name the highlight goes to the last row.
    view.type(u'z');
    EXPECT_EQ(nameOf(&view), "Perez");
    // Moving by other means starts the locator afresh.
    view.move(ListMove::First);
    EXPECT_EQ(view.locatorText(), "");
}

TEST_F(LocatorTest, IncrementalLocatorKeepsAtMostFortyCharacters)
{
    view.open();
    for (int k = 0; k < ListLocator::kMaxCharacters; ++k)
        EXPECT_TRUE(view.type(u'p'));
    EXPECT_FALSE(view.type(u'p'));
    EXPECT_EQ(view.locatorText().size(), ListLocator::kMaxCharacters);
}

TEST_F(LocatorTest, NumericLocatorTakesDigitsOnly)
{
    view.switchOrder(1);
    view.move(ListMove::First);
    EXPECT_FALSE(view.type(u'x'));
    EXPECT_TRUE(view.type(u'4'));
    EXPECT_EQ(nameOf(&view), "Gómez");
    EXPECT_TRUE(view.type(u'0')); // 40: past the last code
    EXPECT_EQ(nameOf(&view), "Perez");
}

TEST_F(LocatorTest, StepLocatorJumpsOnEachCharacterByItself)
{
    view.switchOrder(2);
    view.move(ListMove::First);
    EXPECT_TRUE(view.type(u'b'));
    EXPECT_EQ(nameOf(&view), "Perez"); // B+ before B-
    EXPECT_EQ(view.locatorText(), "");
    EXPECT_TRUE(view.type(u'a'));
    EXPECT_EQ(nameOf(&view), "García");
    EXPECT_FALSE(view.backspace());
}

TEST_F(LocatorTest, SwitchingTabsReordersAndStaysOnTheHighlightedRecord)
{
    view.open();
    view.type(u'g');
    view.type(u'o');
    ASSERT_EQ(nameOf(&view), "Gómez");
    view.switchOrder(1);
    EXPECT_EQ(nameOf(&view), "Gómez");
    view.move(ListMove::First);
    EXPECT_EQ(nameOf(&view), "Alvarez");
    view.move(ListMove::RowDown);
    EXPECT_EQ(nameOf(&view), "García");
    view.switchOrder(2);
    EXPECT_EQ(nameOf(&view), "García");
    view.move(ListMove::First);
    EXPECT_THAT(walk(view, ListMove::RowDown), ElementsAre(1, 2, 4, 5, 3));
}

TEST_F(PagingCursorTest, RefreshOnAWrittenRecordHighlightsItAndAGoneOneMovesToTheNext)
{
    for (std::int32_t code = 1; code <= 40; ++code)
        store(patient(code, qPrintable(QStringLiteral("P%1").arg(code, 3, 10, QLatin1Char('0')))));
    PagingCursor view(
        access(FileId::PACIENTES), { { patientKey("PAC:KNOMBRE"), LocatorKind::Incremental } }, 5);
    view.open();

    auto& buffer = data.buffer<PACIENTES>();
    data::AccessObject& patients = access(FileId::PACIENTES);
    ASSERT_EQ(patients.prime(), data::AccessResult::Ok);
    buffer.NOMBRE = "P0305";
    ASSERT_EQ(patients.insert(), data::AccessResult::Ok);
    view.refreshOn(buffer, patients.current().id);
    EXPECT_EQ(nameOf(&view), "P0305");
    EXPECT_EQ(codeOf(*view.highlighted()), 41);

    view.move(ListMove::RowUp);
    ASSERT_EQ(nameOf(&view), "P030");
    disk(FileId::PACIENTES).remove(view.highlighted()->ref.id);
    view.refresh();
    EXPECT_EQ(nameOf(&view), "P0305");
}

class CountingTotals : public ListTotals {
public:
    void reset() override { girls = 0; }
    void add(const data::Record& record) override
    {
        girls += static_cast<const PACIENTES&>(record).SEXO == "F";
    }
    int girls = -1;
};

TEST_F(PagingCursorTest, TotalsCountEveryRowOfTheListOnEachRefresh)
{
    ASSERT_TRUE(disk(FileId::PACIENTES).beginBuffered().ok());
    for (std::int32_t code = 1; code <= 700; ++code) {
        PACIENTES p = patient(code, "Ana");
        p.SEXO = code % 7 == 0 ? "F" : "M";
        store(p);
    }
    ASSERT_TRUE(disk(FileId::PACIENTES).flush().ok());
    PagingCursor view(access(FileId::PACIENTES), { { patientKey("PAC:KCODIGO") } }, 10);
    CountingTotals totals;
    view.setTotals(&totals);
    view.open();
    EXPECT_EQ(totals.girls, 100);
    EXPECT_EQ(view.countedRows(), 700);
    EXPECT_LE(view.loadedRows(), 30);

    view.setFilter([](const data::Record& r) { return static_cast<const PACIENTES&>(r).CODIGO > 350; });
    view.refresh();
    EXPECT_EQ(totals.girls, 50);
    EXPECT_EQ(view.countedRows(), 350);
}

TEST_F(PagingCursorTest, ChangeHandlerHearsOfEveryMove)
{
    store(patient(1, "Ana"));
    store(patient(2, "Bea"));
    PagingCursor view(access(FileId::PACIENTES), { { patientKey("PAC:KNOMBRE"), LocatorKind::Incremental } });
    int changes = 0;
    view.setChangeHandler([&] { ++changes; });
    view.open();
    view.move(ListMove::RowDown);
    view.type(u'a');
    view.highlightVisible(1);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(nameOf(&view), "Bea");
}

TEST_F(PagingCursorTest, AListOverAClosedFileReportsIt)
{
    access(FileId::MEDICOS);
    PagingCursor view(access(FileId::MEDICOS), { { &key(FileId::MEDICOS, "MED:KCODIGO") } });
    acknowledge();
    EXPECT_EQ(view.open(), data::AccessResult::Failed);
    EXPECT_THAT(shownNumbers(), ElementsAre(42));
    EXPECT_TRUE(view.empty());
}

} // namespace
} // namespace nidora::views
