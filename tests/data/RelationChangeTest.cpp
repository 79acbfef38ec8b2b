#include "RelationTestFixture.h"

#include "data/KeyCollation.h"

#include <gmock/gmock.h>

#include <ostream>
#include <tuple>

namespace nidora::data::test {
namespace {

using testing::ElementsAre;

template <class R, class F> std::vector<QString> column(const std::vector<R>& records, F field)
{
    std::vector<QString> values;
    for (const R& r : records)
        values.push_back(r.*field);
    return values;
}

class RelationChangeTest : public RelationTest {
protected:
    // Reads the record `select` names, lets `edit` change the buffer and writes it through
    // the relation object.
    template <class R>
    AccessResult changeThrough(
        const char* keyName, const std::function<void(R&)>& select, const std::function<void(R&)>& edit)
    {
        fetchInto<R>(keyName, select);
        edit(data.buffer<R>());
        return data.relation<R>().change();
    }

    AccessResult renameProvider(const char* to)
    {
        return changeThrough<OBRASSOCIALES>(
            "OBR:KNOMBRE", [](OBRASSOCIALES& o) { o.NOMBRE = QStringLiteral("OSDE"); },
            [to](OBRASSOCIALES& o) { o.NOMBRE = QString::fromUtf8(to); });
    }

    void layOutProvider()
    {
        OBRASSOCIALES provider;
        provider.NOMBRE = QStringLiteral("OSDE");
        store(provider);
        MADRES mother;
        mother.NOMBRE = QStringLiteral("Marta");
        mother.OBRASOCIAL = QStringLiteral("osde");
        store(mother);
        mother.NOMBRE = QStringLiteral("Rosa");
        mother.OBRASOCIAL = QStringLiteral("IOMA");
        store(mother);
        store(patient(1, "Ana", "OSDE", "Marta"));
        store(patient(2, "Beto", "IOMA", "Rosa"));
        store(patient(3, "Carla", "Osde", "Marta"));
        store(consultation(10, 1));
    }
};

TEST_F(RelationChangeTest, RenamingAProviderRewritesTheMothersAndPatientsThatNamedIt)
{
    layOutProvider();
    ASSERT_EQ(renameProvider("OSDE Plus"), AccessResult::Ok);
    EXPECT_TRUE(presenter.shown().empty());
    EXPECT_THAT(column(all<MADRES>(), &MADRES::OBRASOCIAL), ElementsAre("OSDE Plus", "IOMA"));
    EXPECT_THAT(
        column(all<PACIENTES>(), &PACIENTES::OBRASOCIAL), ElementsAre("OSDE Plus", "IOMA", "OSDE Plus"));
    EXPECT_THAT(column(all<OBRASSOCIALES>(), &OBRASSOCIALES::NOMBRE), ElementsAre("OSDE Plus"));
}

TEST_F(RelationChangeTest, RenamingAMotherRewritesHerChildren)
{
    layOutProvider();
    ASSERT_EQ(changeThrough<MADRES>(
                  "MAD:KNOMBRE", [](MADRES& m) { m.NOMBRE = QStringLiteral("Marta"); },
                  [](MADRES& m) { m.NOMBRE = QStringLiteral("Marta Gómez"); }),
        AccessResult::Ok);
    EXPECT_THAT(
        column(all<PACIENTES>(), &PACIENTES::MADRE), ElementsAre("Marta Gómez", "Rosa", "Marta Gómez"));
}

TEST_F(RelationChangeTest, RenamingAReasonRewritesItsConsultations)
{
    // Each rewritten consultation is validated again, so its patient must exist.
    store(patient(1));
    store(patient(2));
    store(consultation(10, 1, "Gripe"));
    store(consultation(11, 1, "CONTROL"));
    store(consultation(12, 2, "gripe"));
    MOTIVOS reason;
    reason.MOTIVO = QStringLiteral("Gripe");
    store(reason);
    ASSERT_EQ(changeThrough<MOTIVOS>(
                  "MOT:KMOTIVO", [](MOTIVOS& m) { m.MOTIVO = QStringLiteral("Gripe"); },
                  [](MOTIVOS& m) { m.MOTIVO = QStringLiteral("Influenza"); }),
        AccessResult::Ok);
    EXPECT_THAT(
        column(all<CONSULTAS>(), &CONSULTAS::MOTIVO), ElementsAre("Influenza", "CONTROL", "Influenza"));
}

class RelationLibraryTest : public RelationChangeTest {
protected:
    void SetUp() override
    {
        TEMAS topic;
        topic.TEMA = QStringLiteral("Pediatría");
        store(topic);
        for (const char* name : { "Vacunas", "Nutrición" }) {
            TITULOS title;
            title.TEMA = QStringLiteral("Pediatría");
            title.TITULO = QString::fromUtf8(name);
            store(title);
            ARTICULOS article;
            article.TEMA = QStringLiteral("Pediatría");
            article.TITULO = QString::fromUtf8(name);
            article.ARTICULO = QStringLiteral("Guía");
            store(article);
        }
        ARTICULOS elsewhere;
        elsewhere.TEMA = QStringLiteral("Cardiología");
        elsewhere.TITULO = QStringLiteral("Vacunas");
        elsewhere.ARTICULO = QStringLiteral("Otra");
        store(elsewhere);
    }
};

TEST_F(RelationLibraryTest, RenamingATopicRewritesItsTitlesAndArticles)
{
    ASSERT_EQ(changeThrough<TEMAS>(
                  "TEM:KTITULOS", [](TEMAS& t) { t.TEMA = QStringLiteral("Pediatría"); },
                  [](TEMAS& t) { t.TEMA = QStringLiteral("Neonatología"); }),
        AccessResult::Ok);
    EXPECT_THAT(column(all<TITULOS>(), &TITULOS::TEMA), ElementsAre("Neonatología", "Neonatología"));
    EXPECT_THAT(column(all<ARTICULOS>(), &ARTICULOS::TEMA),
        ElementsAre("Neonatología", "Neonatología", "Cardiología"));
}

TEST_F(RelationLibraryTest, RenamingATitleRewritesOnlyTheArticlesOfItsTopicAndTitle)
{
    ASSERT_EQ(changeThrough<TITULOS>(
                  "TIT:KTITULO",
                  [](TITULOS& t) {
                      t.TEMA = QStringLiteral("Pediatría");
                      t.TITULO = QStringLiteral("Vacunas");
                  },
                  [](TITULOS& t) { t.TITULO = QStringLiteral("Inmunizaciones"); }),
        AccessResult::Ok);
    EXPECT_THAT(
        column(all<ARTICULOS>(), &ARTICULOS::TITULO), ElementsAre("Inmunizaciones", "Nutrición", "Vacunas"));
}

TEST_F(RelationChangeTest, AChangeThatLeavesTheLinkingFieldsWritesNoChild)
{
    layOutProvider();
    const auto patients = versions<PACIENTES>();
    const auto consultations = versions<CONSULTAS>();
    ASSERT_EQ(changeThrough<PACIENTES>(
                  "PAC:KCODIGO", [](PACIENTES& p) { p.CODIGO = 1; },
                  [](PACIENTES& p) { p.CIUDAD = QStringLiteral("Tandil"); }),
        AccessResult::Ok);
    EXPECT_EQ(versions<CONSULTAS>(), consultations);
    EXPECT_NE(versions<PACIENTES>(), patients);

    // A provider whose name only gains trailing spaces is not renamed either.
    const auto afterPatientChange = versions<PACIENTES>();
    const auto mothers = versions<MADRES>();
    ASSERT_EQ(renameProvider("OSDE   "), AccessResult::Ok);
    EXPECT_EQ(versions<PACIENTES>(), afterPatientChange);
    EXPECT_EQ(versions<MADRES>(), mothers);
}

TEST_F(RelationChangeTest, AFailedChildWriteRollsTheWholeRenameBack)
{
    layOutProvider();
    disk(FileId::PACIENTES);
    // The mothers are rewritten before the patients, so theirs must be undone.
    refuseWrites(FileId::PACIENTES, "UPDATE");
    acknowledge();
    EXPECT_EQ(renameProvider("OSDE Plus"), AccessResult::Failed);
    ASSERT_THAT(shownNumbers(), ElementsAre(28));
    EXPECT_EQ(lastShown().title, QStringLiteral("Record was not updated"));
    EXPECT_TRUE(lastShown().text.endsWith(QStringLiteral("making changes to the PACIENTES file.")))
        << qPrintable(lastShown().text);

    EXPECT_THAT(column(all<OBRASSOCIALES>(), &OBRASSOCIALES::NOMBRE), ElementsAre("OSDE"));
    EXPECT_THAT(column(all<MADRES>(), &MADRES::OBRASOCIAL), ElementsAre("osde", "IOMA"));
    EXPECT_THAT(column(all<PACIENTES>(), &PACIENTES::OBRASOCIAL), ElementsAre("OSDE", "IOMA", "Osde"));
    // The form keeps what the user typed; the record as read is still the stored one, so a
    // second try after the fault is mended goes through.
    EXPECT_EQ(data.buffer<OBRASSOCIALES>().NOMBRE, QStringLiteral("OSDE Plus"));
    sql::Connection connection(
        QDir::current().absoluteFilePath(fileDesc(FileId::PACIENTES).fileName()), false, false);
    ASSERT_TRUE(connection.exec("DROP TRIGGER refuse"));
    EXPECT_EQ(data.relation<OBRASSOCIALES>().change(), AccessResult::Ok);
    EXPECT_THAT(
        column(all<PACIENTES>(), &PACIENTES::OBRASOCIAL), ElementsAre("OSDE Plus", "IOMA", "OSDE Plus"));
}

// The children are rewritten where they stand when the rename is written, not as this thread
// last saw them: one that another station changed meanwhile is renamed too and keeps the
// other station's change.
TEST_F(RelationChangeTest, AChildChangedByAnotherStationMeanwhileIsRenamedAndKeepsThatChange)
{
    layOutProvider();
    fetchInto<OBRASSOCIALES>("OBR:KNOMBRE", [](OBRASSOCIALES& o) { o.NOMBRE = QStringLiteral("OSDE"); });
    {
        sql::Connection otherStation(
            QDir::current().absoluteFilePath(fileDesc(FileId::PACIENTES).fileName()), false, false);
        ASSERT_TRUE(registerKeyCollation(otherStation.handle()));
        ASSERT_TRUE(otherStation.exec("UPDATE records SET \"NOMBRE\" = 'Carla Ruiz', \"_version\" = "
                                      "\"_version\" + 1 WHERE \"CODIGO\" = 3"))
            << qPrintable(otherStation.error().text);
    }
    data.buffer<OBRASSOCIALES>().NOMBRE = QStringLiteral("OSDE Plus");
    ASSERT_EQ(data.relation<OBRASSOCIALES>().change(), AccessResult::Ok);
    EXPECT_THAT(
        column(all<PACIENTES>(), &PACIENTES::OBRASOCIAL), ElementsAre("OSDE Plus", "IOMA", "OSDE Plus"));
    EXPECT_THAT(column(all<PACIENTES>(), &PACIENTES::NOMBRE), ElementsAre("Ana", "Beto", "Carla Ruiz"));
    EXPECT_THAT(column(all<MADRES>(), &MADRES::OBRASOCIAL), ElementsAre("OSDE Plus", "IOMA"));
}

TEST_F(RelationChangeTest, ACascadeLeavesTheBufferOfAChildBeingEditedOnTheThread)
{
    layOutProvider();
    fetchInto<PACIENTES>("PAC:KCODIGO", [](PACIENTES& p) { p.CODIGO = 3; });
    data.buffer<PACIENTES>().TELEFONO = QStringLiteral("being typed");
    const auto edited = cloneRecord(fileDesc(FileId::PACIENTES), data.buffer<PACIENTES>());
    ASSERT_EQ(renameProvider("OSDE Plus"), AccessResult::Ok);
    expectSameFields(fileDesc(FileId::PACIENTES), *edited, data.buffer<PACIENTES>());
    EXPECT_EQ(data.access<PACIENTES>().current().id, 3);
}

TEST_F(RelationChangeTest, ATransactionThatCannotBeginShowsMessage24AndWritesNothing)
{
    layOutProvider();
    const auto providers = versions<OBRASSOCIALES>();
    ASSERT_TRUE(disk(FileId::MADRES).beginBuffered().ok());
    data.relation<OBRASSOCIALES>().setTransactionLimit(std::chrono::milliseconds(50));
    acknowledge();
    EXPECT_EQ(renameProvider("OSDE Plus"), AccessResult::Failed);
    ASSERT_THAT(shownNumbers(), ElementsAre(24));
    EXPECT_EQ(lastShown().title, QStringLiteral("Transaction cancelled"));
    EXPECT_TRUE(
        lastShown().text.endsWith(QStringLiteral(") attempting to frame the transaction on OBRASSOCIALES.")))
        << qPrintable(lastShown().text);
    ASSERT_TRUE(disk(FileId::MADRES).flush().ok());
    EXPECT_EQ(versions<OBRASSOCIALES>(), providers);
    EXPECT_THAT(column(all<MADRES>(), &MADRES::OBRASOCIAL), ElementsAre("osde", "IOMA"));
}

// A change that would give a unique key a value another record has: message 15 naming the
// key, as an insert gets, and the file as it was.
struct DuplicatingChange {
    const char* what;
    void (*layOut)(RelationTest&);
    AccessResult (*change)(Dictionary&);
    const char* keyDescription;
};

void PrintTo(const DuplicatingChange& c, std::ostream* out)
{
    *out << c.what;
}

template <class R>
AccessResult changeFetched(Dictionary& data, const char* keyName, const std::function<void(R&)>& select,
    const std::function<void(R&)>& edit)
{
    if (data.relation<R>().open() != AccessResult::Ok)
        return AccessResult::Fatal;
    select(data.buffer<R>());
    if (data.access<R>().fetch(data.access<R>().key(keyName)) != AccessResult::Ok)
        return AccessResult::Fatal;
    edit(data.buffer<R>());
    return data.relation<R>().change();
}

class DuplicatingChanges : public RelationTest, public testing::WithParamInterface<DuplicatingChange> { };

TEST_P(DuplicatingChanges, ShowMessage15NamingTheKeyAndWriteNothing)
{
    GetParam().layOut(*this);
    const auto before
        = std::make_tuple(versions<MOTIVOS>(), versions<OBRASSOCIALES>(), versions<PACIENTES>());
    acknowledge();
    EXPECT_EQ(GetParam().change(data), AccessResult::Failed);
    ASSERT_THAT(shownNumbers(), ElementsAre(core::message::DuplicateKey));
    EXPECT_EQ(lastShown().title, QStringLiteral("Duplicate Key Error"));
    EXPECT_EQ(lastShown().text,
        QStringLiteral("Adding this record creates a duplicate entry for the key: %1")
            .arg(QString::fromUtf8(GetParam().keyDescription)));
    EXPECT_EQ(std::make_tuple(versions<MOTIVOS>(), versions<OBRASSOCIALES>(), versions<PACIENTES>()), before);
}

INSTANTIATE_TEST_SUITE_P(OfUniqueKeys, DuplicatingChanges,
    testing::Values(DuplicatingChange { "a reason renamed to another in other case",
                        [](RelationTest& test) {
                            MOTIVOS reason;
                            reason.MOTIVO = QStringLiteral("CONTROL");
                            test.put(reason);
                            reason.MOTIVO = QStringLiteral("FIEBRE");
                            test.put(reason);
                        },
                        [](Dictionary& data) {
                            return changeFetched<MOTIVOS>(
                                data, "MOT:KMOTIVO", [](MOTIVOS& m) { m.MOTIVO = QStringLiteral("FIEBRE"); },
                                [](MOTIVOS& m) { m.MOTIVO = QStringLiteral("control"); });
                        },
                        "MOT:KMOTIVO" },
        DuplicatingChange { "a provider renamed to another",
            [](RelationTest& test) {
                OBRASSOCIALES provider;
                provider.NOMBRE = QStringLiteral("OSDE");
                test.put(provider);
                provider.NOMBRE = QStringLiteral("IOMA");
                test.put(provider);
                test.put(patient(1, "Ana", "IOMA"));
            },
            [](Dictionary& data) {
                return changeFetched<OBRASSOCIALES>(
                    data, "OBR:KNOMBRE", [](OBRASSOCIALES& o) { o.NOMBRE = QStringLiteral("IOMA"); },
                    [](OBRASSOCIALES& o) { o.NOMBRE = QStringLiteral("OSDE"); });
            },
            "OBR:KNOMBRE" },
        DuplicatingChange { "a patient code changed to a taken one",
            [](RelationTest& test) {
                test.put(patient(1, "Ana"));
                test.put(patient(2, "Beto"));
            },
            [](Dictionary& data) {
                return changeFetched<PACIENTES>(
                    data, "PAC:KCODIGO", [](PACIENTES& p) { p.CODIGO = 2; },
                    [](PACIENTES& p) { p.CODIGO = 1; });
            },
            "Indice por código" }));

} // namespace
} // namespace nidora::data::test
