#include "RelationTestFixture.h"

#include "support/RecordMakers.h"

#include <gmock/gmock.h>

namespace nidora::data::test {
namespace {

using core::Answer;
using nidora::test::article;
using nidora::test::title;
using nidora::test::topic;
using testing::ElementsAre;

class RelationDeleteTest : public RelationTest {
protected:
    // Patient 1 with a photo, a note, a pathology, a vaccination, an appointment and two
    // consultations; consultation 10 has a study filed under the patient and one filed only
    // under the consultation. Patient 2 has a consultation and a study of his own.
    void layOutTwoPatients()
    {
        store(patient(1, "Ana"));
        store(patient(2, "Beto"));
        FOTOS photo;
        photo.PACIENTE = 1;
        photo.ARCHIVO = QStringLiteral("P000001.jpg");
        store(photo);
        NOTASIMPO note;
        note.PACIENTE = 1;
        note.NOTA1 = QStringLiteral("Alergia");
        store(note);
        ENFERMEDADES pathology;
        pathology.PACIENTE = 1;
        pathology.FECHA = 80010;
        pathology.ENFERMEDAD = QStringLiteral("Varicela");
        store(pathology);
        VACUNACION vaccination;
        vaccination.PACIENTE = 1;
        vaccination.FECHAPROG = 80020;
        vaccination.VACUNA = QStringLiteral("BCG");
        store(vaccination);
        AGENDA appointment;
        appointment.FECHA = 80030;
        appointment.HORA = 1;
        appointment.MEDICO = 1;
        appointment.PACIENTE = 1;
        store(appointment);
        store(consultation(10, 1));
        store(consultation(11, 1));
        store(consultation(12, 2));
        store(study(10, 1, "Hemograma"));
        store(study(10, 0, "Orina"));
        store(study(12, 2, "Glucemia"));
    }

    static ANALISIS study(std::int32_t consultationCode, std::int32_t patientCode, const char* name)
    {
        ANALISIS a;
        a.CONSULTA = consultationCode;
        a.PACIENTE = patientCode;
        a.ANALISIS_ = QString::fromUtf8(name);
        return a;
    }

    void fetchPatient(std::int32_t code)
    {
        fetchInto<PACIENTES>("PAC:KCODIGO", [code](PACIENTES& p) { p.CODIGO = code; });
    }

    RelationObject& patients() { return data.relation<PACIENTES>(); }
};

TEST_F(
    RelationDeleteTest, DeletingAPatientTakesHisHistoryAndTheStudiesOfHisConsultationsButNotHisAppointments)
{
    layOutTwoPatients();
    fetchPatient(1);
    EXPECT_EQ(patients().deleteRecord(false), AccessResult::Ok);
    EXPECT_TRUE(presenter.shown().empty());

    ASSERT_EQ(count<PACIENTES>(), 1u);
    EXPECT_EQ(all<PACIENTES>().front().CODIGO, 2);
    EXPECT_EQ(count<FOTOS>(), 0u);
    EXPECT_EQ(count<NOTASIMPO>(), 0u);
    EXPECT_EQ(count<ENFERMEDADES>(), 0u);
    EXPECT_EQ(count<VACUNACION>(), 0u);
    ASSERT_EQ(count<CONSULTAS>(), 1u);
    EXPECT_EQ(all<CONSULTAS>().front().CODIGO, 12);
    ASSERT_EQ(count<ANALISIS>(), 1u);
    EXPECT_EQ(all<ANALISIS>().front().ANALISIS_, QStringLiteral("Glucemia"));
    ASSERT_EQ(count<AGENDA>(), 1u);
    EXPECT_EQ(all<AGENDA>().front().PACIENTE, 1) << "an appointment keeps the code of the deleted patient";
}

TEST_F(RelationDeleteTest, ADeleteAnsweredNoAtTheConfirmationChangesNothing)
{
    layOutTwoPatients();
    fetchPatient(1);
    presenter.answer(Answer::No);
    EXPECT_EQ(patients().deleteRecord(true), AccessResult::Cancelled);
    ASSERT_EQ(presenter.shown().size(), 1u);
    EXPECT_EQ(lastShown().number, 11);
    EXPECT_EQ(lastShown().title, QStringLiteral("Confirm Delete"));
    EXPECT_EQ(count<PACIENTES>(), 2u);
    EXPECT_EQ(count<CONSULTAS>(), 3u);
    EXPECT_EQ(count<ANALISIS>(), 3u);
}

// A delete refused by a restrict rule names the first child file, in registration order,
// that refers to the record; the parent and every child stay, and so does the buffer.
struct RestrictCase {
    const char* name;
    std::function<void(RelationTest&)> layOut;
    FileId parent;
    const char* key;
    std::function<void(Record&)> select;
    const char* childFile; // "" when nothing refers to the record
};

void PrintTo(const RestrictCase& c, std::ostream* os)
{
    *os << c.name;
}

class RelationRestrictTest : public RelationTest, public testing::WithParamInterface<RestrictCase> { };

OBRASSOCIALES provider(const char* name)
{
    OBRASSOCIALES o;
    o.NOMBRE = QString::fromUtf8(name);
    return o;
}

MADRES mother(const char* name, const char* providerName = "")
{
    MADRES m;
    m.NOMBRE = QString::fromUtf8(name);
    m.OBRASOCIAL = QString::fromUtf8(providerName);
    return m;
}

TABENFERMED tablePathology(const char* name)
{
    TABENFERMED t;
    t.NOMBRE = QString::fromUtf8(name);
    return t;
}

auto selectProvider = [](Record& r) { static_cast<OBRASSOCIALES&>(r).NOMBRE = QStringLiteral("OSDE"); };
auto selectTopic = [](Record& r) { static_cast<TEMAS&>(r).TEMA = QStringLiteral("Pediatría"); };

const RestrictCase kRestrictCases[] = {
    { "ProviderOfAMotherAndAPatientNamesMothersFirst",
        [](RelationTest& t) {
            t.put(provider("OSDE"));
            t.put(patient(1, "Ana", "OSDE"));
            t.put(mother("Marta", "osde"));
        },
        FileId::OBRASSOCIALES, "OBR:KNOMBRE", selectProvider, "MADRES" },
    { "ProviderOfAPatientOnly",
        [](RelationTest& t) {
            t.put(provider("OSDE"));
            t.put(patient(1, "Ana", "OSDE"));
            t.put(mother("Marta", "IOMA"));
        },
        FileId::OBRASSOCIALES, "OBR:KNOMBRE", selectProvider, "PACIENTES" },
    { "ProviderNobodyNames",
        [](RelationTest& t) {
            t.put(provider("OSDE"));
            t.put(patient(1, "Ana", "IOMA"));
        },
        FileId::OBRASSOCIALES, "OBR:KNOMBRE", selectProvider, "" },
    { "PathologySomePatientHas",
        [](RelationTest& t) {
            t.put(tablePathology("Varicela"));
            ENFERMEDADES e;
            e.PACIENTE = 1;
            e.FECHA = 80000;
            e.ENFERMEDAD = QStringLiteral("VARICELA");
            t.put(e);
        },
        FileId::TABENFERMED, "TEN:KNOMBRE",
        [](Record& r) { static_cast<TABENFERMED&>(r).NOMBRE = QStringLiteral("Varicela"); }, "ENFERMEDADES" },
    { "TopicWithArticlesNamesArticlesFirst",
        [](RelationTest& t) {
            t.put(topic("Pediatría"));
            t.put(title("Pediatría", "Vacunas"));
            t.put(article("Pediatría", "Vacunas", "Calendario"));
        },
        FileId::TEMAS, "TEM:KTITULOS", selectTopic, "ARTICULOS" },
    { "TopicWithTitlesOnly",
        [](RelationTest& t) {
            t.put(topic("Pediatría"));
            t.put(title("Pediatría", "Vacunas"));
        },
        FileId::TEMAS, "TEM:KTITULOS", selectTopic, "TITULOS" },
    { "TitleWithAnArticle",
        [](RelationTest& t) {
            t.put(title("Pediatría", "Vacunas"));
            t.put(article("Pediatría", "Vacunas", "Calendario"));
        },
        FileId::TITULOS, "TIT:KTITULO",
        [](Record& r) {
            auto& t = static_cast<TITULOS&>(r);
            t.TEMA = QStringLiteral("Pediatría");
            t.TITULO = QStringLiteral("Vacunas");
        },
        "ARTICULOS" },
    { "TitleWhoseArticlesAreUnderAnotherTitle",
        [](RelationTest& t) {
            t.put(title("Pediatría", "Vacunas"));
            t.put(article("Pediatría", "Nutrición", "Calendario"));
        },
        FileId::TITULOS, "TIT:KTITULO",
        [](Record& r) {
            auto& t = static_cast<TITULOS&>(r);
            t.TEMA = QStringLiteral("Pediatría");
            t.TITULO = QStringLiteral("Vacunas");
        },
        "" },
};

TEST_P(RelationRestrictTest, RefusesWhileAChildRefersToTheRecord)
{
    const RestrictCase& c = GetParam();
    c.layOut(*this);
    RelationObject& parent = data.relation(c.parent);
    AccessObject& access = data.access(c.parent);
    ASSERT_EQ(parent.open(), AccessResult::Ok);
    c.select(access.buffer());
    ASSERT_EQ(access.fetch(access.key(c.key)), AccessResult::Ok);
    const auto before = cloneRecord(access.desc(), access.buffer());
    std::int64_t records = 0;
    ASSERT_TRUE(disk(c.parent).count(records).ok());

    const bool refused = *c.childFile != '\0';
    if (refused)
        acknowledge();
    EXPECT_EQ(parent.deleteRecord(false), refused ? AccessResult::Failed : AccessResult::Ok);

    std::int64_t after = 0;
    ASSERT_TRUE(disk(c.parent).count(after).ok());
    if (!refused) {
        EXPECT_TRUE(presenter.shown().empty());
        EXPECT_EQ(after, records - 1);
        return;
    }
    EXPECT_EQ(after, records);
    ASSERT_EQ(presenter.shown().size(), 1u) << "a refusal is not offered again";
    EXPECT_EQ(lastShown().number, 33);
    EXPECT_EQ(lastShown().title, QStringLiteral("Referential Integrity Delete Error"));
    EXPECT_EQ(lastShown().text,
        QStringLiteral(
            "This record is referenced from the file %1. This record cannot be deleted while these "
            "references exist.")
            .arg(QString::fromUtf8(c.childFile)));
    expectSameFields(access.desc(), *before, access.buffer());
}

INSTANTIATE_TEST_SUITE_P(Rules, RelationRestrictTest, testing::ValuesIn(kRestrictCases),
    [](const testing::TestParamInfo<RestrictCase>& param) { return std::string(param.param.name); });

TEST_F(RelationDeleteTest, AFailureHalfWayThroughTheCascadeRollsEverythingBackAndOffersToTryAgain)
{
    layOutTwoPatients();
    disk(FileId::ANALISIS);
    refuseWrites(FileId::ANALISIS, "DELETE");
    fetchPatient(1);
    const auto consultations = versions<CONSULTAS>();

    // The studies go after photo and notes: those deletes must be undone.
    acknowledge(); // 13 on the study
    presenter.answer(Answer::Yes); // 36: try again
    acknowledge();
    presenter.answer(Answer::No);
    EXPECT_EQ(patients().deleteRecord(false), AccessResult::Failed);
    EXPECT_THAT(shownNumbers(), ElementsAre(13, 36, 13, 36));
    EXPECT_EQ(presenter.shown()[0].title, QStringLiteral("Record was not deleted"));
    EXPECT_TRUE(
        presenter.shown()[0].text.endsWith(QStringLiteral("deleting a record from the ANALISIS file.")))
        << qPrintable(presenter.shown()[0].text);
    EXPECT_EQ(presenter.shown()[1].title, QStringLiteral("Record Delete Error"));
    EXPECT_EQ(presenter.shown()[1].text,
        QStringLiteral(
            "An error was experienced deleting this record. Do you want to try to delete it again?"));

    EXPECT_EQ(count<PACIENTES>(), 2u);
    EXPECT_EQ(count<FOTOS>(), 1u);
    EXPECT_EQ(count<NOTASIMPO>(), 1u);
    EXPECT_EQ(count<ANALISIS>(), 3u);
    EXPECT_EQ(versions<CONSULTAS>(), consultations);
    EXPECT_EQ(data.buffer<PACIENTES>().CODIGO, 1);
    EXPECT_EQ(data.access<PACIENTES>().current().id, 1) << "the record last read is still the one to delete";
}

TEST_F(RelationDeleteTest, ACascadeLeavesTheBufferOfAChildBeingEditedOnTheThread)
{
    layOutTwoPatients();
    fetchInto<CONSULTAS>("CON:KCODIGO", [](CONSULTAS& c) { c.CODIGO = 10; });
    data.buffer<CONSULTAS>().FACTURA = QStringLiteral("being typed");
    const auto edited = cloneRecord(fileDesc(FileId::CONSULTAS), data.buffer<CONSULTAS>());

    fetchPatient(1);
    ASSERT_EQ(patients().deleteRecord(false), AccessResult::Ok);
    expectSameFields(fileDesc(FileId::CONSULTAS), *edited, data.buffer<CONSULTAS>());
    EXPECT_EQ(data.buffer<CONSULTAS>().FACTURA, QStringLiteral("being typed"));
}

TEST_F(RelationDeleteTest, CancelledNumberingRemovesThePrimedPatientWithoutAsking)
{
    store(patient(1, "Ana"));
    ASSERT_EQ(patients().open(), AccessResult::Ok);
    AccessObject& access = data.access<PACIENTES>();
    ASSERT_EQ(access.prime(), AccessResult::Ok);
    ASSERT_EQ(data.buffer<PACIENTES>().CODIGO, 2);
    ASSERT_EQ(count<PACIENTES>(), 2u);
    data.buffer<PACIENTES>().NOMBRE = QStringLiteral("Typed");

    EXPECT_EQ(access.cancelNumbering(), AccessResult::Ok);
    EXPECT_TRUE(presenter.shown().empty());
    EXPECT_FALSE(access.numbered());
    ASSERT_EQ(count<PACIENTES>(), 1u);
    EXPECT_EQ(all<PACIENTES>().front().CODIGO, 1);
}

TEST_F(RelationDeleteTest, ATransactionThatCannotBeginShowsMessage24)
{
    layOutTwoPatients();
    fetchPatient(1);
    // Another station holds the write lock on one of the files the delete needs.
    ASSERT_TRUE(disk(FileId::CONSULTAS).beginBuffered().ok());
    patients().setTransactionLimit(std::chrono::milliseconds(50));

    acknowledge();
    presenter.answer(Answer::No);
    EXPECT_EQ(patients().deleteRecord(false), AccessResult::Failed);
    EXPECT_THAT(shownNumbers(), ElementsAre(24, 36));
    EXPECT_EQ(presenter.shown()[0].title, QStringLiteral("Transaction cancelled"));
    EXPECT_TRUE(presenter.shown()[0].text.startsWith(QStringLiteral("Error: (")));
    EXPECT_TRUE(presenter.shown()[0].text.endsWith(
        QStringLiteral(") attempting to frame the transaction on PACIENTES.")))
        << qPrintable(presenter.shown()[0].text);
    ASSERT_TRUE(disk(FileId::CONSULTAS).flush().ok());
    EXPECT_EQ(count<PACIENTES>(), 2u);
    EXPECT_EQ(count<CONSULTAS>(), 3u);
}

TEST_F(RelationDeleteTest, TwoDictionariesKeepTheirOwnBuffers)
{
    layOutTwoPatients();
    fetchPatient(2);
    Dictionary other { errors };
    EXPECT_EQ(other.buffer<PACIENTES>().CODIGO, 0);
    EXPECT_TRUE(other.buffer<PACIENTES>().NOMBRE.trimmed().isEmpty());
    ASSERT_EQ(other.relation<PACIENTES>().open(), AccessResult::Ok);
    other.buffer<PACIENTES>().CODIGO = 1;
    ASSERT_EQ(
        other.access<PACIENTES>().fetch(other.access<PACIENTES>().key("PAC:KCODIGO")), AccessResult::Ok);
    EXPECT_EQ(data.buffer<PACIENTES>().NOMBRE, QStringLiteral("Beto"));
    EXPECT_EQ(other.buffer<PACIENTES>().NOMBRE, QStringLiteral("Ana"));
}

} // namespace
} // namespace nidora::data::test
