#include "clinical/PatientLists.h"

#include "data/AccessTestFixture.h"
#include "support/SpanishNames.h"
#include "views/ListModel.h"
#include "views/PagingCursor.h"

#include <QColor>

#include <gmock/gmock.h>

namespace nidora::clinical {
namespace {

using data::FileId;
using data::PACIENTES;
using nidora::test::patient;
using testing::ElementsAre;
using views::ListMove;
using views::PagingCursor;

enum Tab { ByName, ByCode, ByBloodGroup, ByMother, ByCoverage };

class PatientListTest : public data::test::AccessTest {
protected:
    void SetUp() override { ASSERT_EQ(access(FileId::PACIENTES).open(), data::AccessResult::Ok); }

    static PACIENTES girl(std::int32_t code, const char* name)
    {
        PACIENTES p = patient(code, name);
        p.SEXO = "F";
        return p;
    }

    // The codes of the whole list under one tab, top to bottom.
    std::vector<std::int32_t> codesUnder(Tab tab)
    {
        view.switchOrder(tab);
        view.move(ListMove::First);
        std::vector<std::int32_t> codes;
        while (!view.empty()) {
            codes.push_back(highlighted().CODIGO);
            const std::int64_t before = view.highlighted()->ref.id;
            view.move(ListMove::RowDown);
            if (view.highlighted()->ref.id == before)
                break;
        }
        return codes;
    }
    const PACIENTES& highlighted() const
    {
        return static_cast<const PACIENTES&>(*view.highlighted()->record);
    }

    PagingCursor view { access(FileId::PACIENTES), patientListOrders(), 4 };
};

TEST_F(PatientListTest, TabsCarryTheirCaptionsAndLocators)
{
    std::vector<std::pair<QString, views::LocatorKind>> tabs;
    for (const views::SortOrder& order : patientListOrders())
        tabs.emplace_back(order.caption, order.locator);
    using views::LocatorKind;
    EXPECT_THAT(tabs,
        ElementsAre(std::pair { QStringLiteral("Indice x Nombre"), LocatorKind::Incremental },
            std::pair { QStringLiteral("Indice x Código"), LocatorKind::Incremental },
            std::pair { QStringLiteral("Indice x Grupo Sanguineo"), LocatorKind::Step },
            std::pair { QStringLiteral("Indice x Madre"), LocatorKind::Incremental },
            std::pair { QStringLiteral("Indice x Cobertura Social"), LocatorKind::Step }));
}

// The keys leave out patients whose key fields are all blank: each such patient is missing
// under that tab only.
TEST_F(PatientListTest, APatientWhoseKeyFieldsAreBlankIsMissingFromThatTabOnly)
{
    PACIENTES orphan = patient(1, "Zulema"); // no mother, no birth date
    orphan.GRUPO = "A+";
    PACIENTES born = patient(2, "Bruno"); // no mother, but a birth date
    born.FNACIMIENTO = 80000;
    PACIENTES withMother = patient(3, "Ana", "OSDE", "Carla");
    withMother.FNACIMIENTO = 79000;
    PACIENTES nameless = patient(4, ""); // no name, no blood group, no coverage
    nameless.MADRE = "Beatriz";
    for (const PACIENTES& p : { orphan, born, withMother, nameless })
        store(p);
    view.open();

    EXPECT_THAT(codesUnder(ByName), ElementsAre(3, 2, 1));
    EXPECT_THAT(codesUnder(ByCode), ElementsAre(1, 2, 3, 4));
    EXPECT_THAT(codesUnder(ByBloodGroup), ElementsAre(3, 2, 1)); // by name within a blank group
    // A birth date without a mother still makes an entry, and a blank name sorts first.
    EXPECT_THAT(codesUnder(ByMother), ElementsAre(2, 4, 3));
    EXPECT_THAT(codesUnder(ByCoverage), ElementsAre(2, 1, 3));
}

TEST_F(PatientListTest, LocatorsFollowTheirTabs)
{
    PACIENTES a = patient(1, "Alvarez", "OSDE", "Marta");
    a.GRUPO = "0+";
    PACIENTES b = patient(2, "García", "IOMA", "Gabriela");
    b.GRUPO = "B+";
    PACIENTES c = patient(3, "Garrido", "", "Ana");
    c.GRUPO = "AB-";
    PACIENTES d = patient(4, "Pérez", "Swiss", "Zoe");
    d.GRUPO = "A+";
    for (const PACIENTES& p : { a, b, c, d })
        store(p);
    view.open();

    for (QChar typed : QStringLiteral("gar"))
        EXPECT_TRUE(view.type(typed));
    EXPECT_EQ(highlighted().NOMBRE, "García");
    view.type(u'r');
    EXPECT_EQ(highlighted().NOMBRE, "Garrido");
    EXPECT_TRUE(view.backspace());
    EXPECT_EQ(view.locatorText(), "GAR");
    EXPECT_EQ(highlighted().NOMBRE, "García");

    view.switchOrder(ByBloodGroup);
    EXPECT_TRUE(view.type(u'b'));
    EXPECT_EQ(highlighted().GRUPO, "B+");
    EXPECT_TRUE(view.type(u'a')); // on its own, not "BA"
    EXPECT_EQ(highlighted().GRUPO, "A+");

    view.switchOrder(ByMother);
    for (QChar typed : QStringLiteral("ga"))
        view.type(typed);
    EXPECT_EQ(highlighted().MADRE, "Gabriela");

    view.switchOrder(ByCoverage);
    view.type(u'j');
    EXPECT_EQ(highlighted().OBRASOCIAL, "OSDE");
}

// The name order is the Spanish alphabet, and typing positions as a reader of it expects: "Á"
// or "A" at the first A, "ÁLV" among the Álvarez, "Ñ" after every N.
TEST_F(PatientListTest, TheNameOrderIsTheSpanishAlphabetAndItsLocatorFollowsIt)
{
    const QStringList names = nidora::test::spanishNamesWithTwins();
    std::vector<std::int32_t> inOrder;
    for (qsizetype i = 0; i < names.size(); ++i) {
        inOrder.push_back(std::int32_t(i + 1));
        store(patient(std::int32_t(i + 1), names[i].toUtf8().constData()));
    }
    view.open();
    EXPECT_EQ(codesUnder(ByName), inOrder);

    struct Case {
        const char* typed;
        const char* at;
    };
    const Case cases[] = { { "a", "ALBA" }, { "á", "ALBA" }, { "álv", "ALVAREZ" }, { "álvarez", "ÁLVAREZ" },
        { "é", "ÉBANO" }, { "nú", "NUNEZ" }, { "núñ", "NÚÑEZ" }, { "ñ", "ÑANDÚ" }, { "u", "ÚBEDA" } };
    for (const Case& c : cases) {
        view.switchOrder(ByCode);
        view.switchOrder(ByName);
        for (QChar typed : QString::fromUtf8(c.typed))
            EXPECT_TRUE(view.type(typed));
        EXPECT_EQ(highlighted().NOMBRE, QString::fromUtf8(c.at)) << c.typed;
    }
}

TEST_F(PatientListTest, ColumnsShowTheCoverageUnderOneGroupHeading)
{
    PACIENTES p = patient(12, "Ana", "OSDE", "Carla");
    p.GRUPO = "0+";
    p.FNACIMIENTO = 80000;
    p.NROOBRASOCIAL = "A-77";
    p.TELEFONO = "4321-1234";
    store(p);
    view.open();
    views::ListModel model(view, patientListColumns());
    model.setRowColouring(patientRowColours);

    std::vector<QString> headings, groups, texts;
    for (int c = 0; c < model.columnCount(); ++c) {
        headings.push_back(model.headerData(c, Qt::Horizontal).toString());
        groups.push_back(model.headerData(c, Qt::Horizontal, views::ListModel::GroupHeadingRole).toString());
        texts.push_back(model.data(model.index(0, c)).toString().trimmed());
    }
    EXPECT_THAT(headings, ElementsAre("Código", "Nombre", "GS", "F.Nacimiento", "", "", "Teléfono"));
    EXPECT_THAT(groups, ElementsAre("", "", "", "", "Cobertura Social", "Cobertura Social", ""));
    EXPECT_THAT(texts, ElementsAre("12", "Ana", "0+", "09/01/2020", "OSDE", "A-77", "4321-1234"));
}

struct ColourCase {
    const char* sex;
    views::RowColours expected;
};

void PrintTo(const ColourCase& c, std::ostream* out)
{
    *out << "sex \"" << c.sex << '"';
}

class PatientRowColours : public testing::TestWithParam<ColourCase> { };

TEST_P(PatientRowColours, FollowTheSexAndAnythingButFIsABoy)
{
    PACIENTES p = patient(1, "Ana");
    p.SEXO = QString::fromUtf8(GetParam().sex);
    EXPECT_EQ(patientRowColours(p), GetParam().expected);
}

constexpr views::RowColours kGirl { 0x8000FF, 0xFFFFFF, 0xFFFFFF, 0x8000FF };
constexpr views::RowColours kBoy { 0xFF0000, 0xFFFFFF, 0xFFFFFF, 0xFF0000 };

INSTANTIATE_TEST_SUITE_P(BySex, PatientRowColours,
    testing::Values(ColourCase { "F", kGirl }, ColourCase { "M", kBoy }, ColourCase { "", kBoy },
        ColourCase { "f", kBoy }, ColourCase { "X", kBoy }));

TEST_F(PatientListTest, TheLookupListsByNameWithNameCodeAndBirthDate)
{
    store(girl(5, "Zoe"));
    store(patient(6, "Abel"));
    PagingCursor lookup(access(FileId::PACIENTES), patientLookupOrders());
    lookup.open();
    views::ListModel model(lookup, patientLookupColumns());
    model.setRowColouring(patientRowColours);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "Fecha de Nacimiento");
    EXPECT_EQ(model.data(model.index(0, 0)).toString().trimmed(), "Abel");
    EXPECT_EQ(model.data(model.index(1, 1)).toString().trimmed(), "5");
    EXPECT_EQ(model.data(model.index(1, 0), Qt::ForegroundRole).value<QColor>(), QColor(0xFF, 0x00, 0x80));
    lookup.type(u'z');
    EXPECT_EQ(static_cast<const PACIENTES&>(*lookup.highlighted()->record).CODIGO, 5);
}

} // namespace
} // namespace nidora::clinical
