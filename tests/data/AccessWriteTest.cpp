#include "AccessTestFixture.h"

#include <gmock/gmock.h>

namespace nidora::data::test {
namespace {

using core::Answer;
using testing::ElementsAre;

MOTIVOS reasonNamed(const QString& name)
{
    MOTIVOS r;
    r.MOTIVO = name;
    return r;
}

class AccessWriteTest : public AccessTest {
protected:
    AccessObject& reasons() { return access(FileId::MOTIVOS); }
    MOTIVOS& reason() { return data.buffer<MOTIVOS>(); }
};

TEST_F(AccessWriteTest, DuplicateRegardlessOfCaseNamesTheKeyAndLeavesTheBuffer)
{
    ASSERT_EQ(reasons().open(), AccessResult::Ok);
    reason().MOTIVO = QStringLiteral("Gripe");
    ASSERT_EQ(reasons().insert(), AccessResult::Ok);

    reason().MOTIVO = QStringLiteral("GRIPE");
    EXPECT_EQ(reasons().tryInsert(), AccessResult::Failed);
    EXPECT_TRUE(presenter.shown().empty());
    EXPECT_EQ(errors.lastError().file, QStringLiteral("MOTIVOS"));

    acknowledge();
    EXPECT_EQ(reasons().insert(), AccessResult::Failed);
    ASSERT_EQ(presenter.shown().size(), 1u);
    EXPECT_EQ(lastShown().number, 15);
    EXPECT_EQ(lastShown().title, QStringLiteral("Duplicate Key Error"));
    EXPECT_EQ(lastShown().text,
        QStringLiteral("Adding this record creates a duplicate entry for the key: MOT:KMOTIVO"));
    EXPECT_EQ(reason().MOTIVO, QStringLiteral("GRIPE"));
    EXPECT_EQ(count<MOTIVOS>(), 1u);
}

TEST_F(AccessWriteTest, DuplicatePatientDescriptionIsTheKeysOwn)
{
    FOTOS photo;
    photo.PACIENTE = 3;
    store(photo);
    AccessObject& photos = access(FileId::FOTOS);
    ASSERT_EQ(photos.open(), AccessResult::Ok);
    data.buffer<FOTOS>().PACIENTE = 3;
    acknowledge();
    EXPECT_EQ(photos.insert(), AccessResult::Failed);
    EXPECT_EQ(lastShown().text,
        QStringLiteral("Adding this record creates a duplicate entry for the key: FOT:KPACIENTE"));
}

TEST_F(AccessWriteTest, ChangeAfterAnotherStationChangedTheRecordFailsAndShowsTheirVersion)
{
    store(patient(1, "Ana"));
    AccessObject& patients = access(FileId::PACIENTES);
    ASSERT_EQ(patients.open(), AccessResult::Ok);
    PACIENTES& p = data.buffer<PACIENTES>();

    for (const bool showOther : { false, true }) {
        p.CODIGO = 1;
        ASSERT_EQ(patients.fetch(patients.key("PAC:KCODIGO")), AccessResult::Ok);
        Dictionary station { errors };
        AccessObject& theirs = station.access(FileId::PACIENTES);
        ASSERT_EQ(theirs.open(), AccessResult::Ok);
        station.buffer<PACIENTES>().CODIGO = 1;
        ASSERT_EQ(theirs.fetch(theirs.key("PAC:KCODIGO")), AccessResult::Ok);
        station.buffer<PACIENTES>().CIUDAD = showOther ? QStringLiteral("Salta") : QStringLiteral("Tandil");
        ASSERT_EQ(theirs.change(), AccessResult::Ok);

        p.CIUDAD = QStringLiteral("Mine");
        acknowledge();
        EXPECT_EQ(patients.change(showOther), AccessResult::Failed);
        EXPECT_EQ(lastShown().number, showOther ? 8 : 7);
        EXPECT_EQ(lastShown().title, QStringLiteral("Record Was Not Updated"));
        // Read again: the buffer shows their version, and saving now goes through.
        EXPECT_EQ(p.CIUDAD, station.buffer<PACIENTES>().CIUDAD);
        p.CIUDAD = QStringLiteral("Mine");
        EXPECT_EQ(patients.change(), AccessResult::Ok);
        EXPECT_EQ(all<PACIENTES>().front().CIUDAD, QStringLiteral("Mine"));
    }
    EXPECT_EQ(presenter.shown()[1].text,
        QStringLiteral("This record was changed by another station. Those changes will now be displayed. "
                       "Use the Ditto Button or Ctrl+H to recall your changes."));
}

TEST_F(AccessWriteTest, FetchFindsRegardlessOfCaseAndAFailedFetchLeavesTheBuffer)
{
    store(reasonNamed(QStringLiteral("Gripe")));
    ASSERT_EQ(reasons().open(), AccessResult::Ok);
    const KeyDesc& byReason = reasons().key("MOT:KMOTIVO");
    reason().MOTIVO = QStringLiteral("gripe");
    ASSERT_EQ(reasons().fetch(byReason), AccessResult::Ok);
    EXPECT_EQ(reason().MOTIVO, QStringLiteral("Gripe"));

    reason().MOTIVO = QStringLiteral("Tos");
    EXPECT_EQ(reasons().fetch(byReason), AccessResult::NotFound);
    EXPECT_EQ(reasons().tryFetch(byReason), AccessResult::NotFound);
    EXPECT_EQ(reason().MOTIVO, QStringLiteral("Tos"));
    EXPECT_TRUE(presenter.shown().empty());
}

TEST_F(AccessWriteTest, NextAndPreviousFollowTheKeyOrderAndStopSilentlyAtTheEnds)
{
    for (const char* name : { "Tos", "angina", "Fiebre" })
        store(reasonNamed(QString::fromUtf8(name)));
    ASSERT_EQ(reasons().open(), AccessResult::Ok);
    reasons().setOrder(&reasons().key("MOT:KMOTIVO"));
    QStringList read;
    while (reasons().next() == AccessResult::Ok)
        read << reason().MOTIVO;
    EXPECT_EQ(read, QStringList({ "angina", "Fiebre", "Tos" }));
    ASSERT_EQ(reasons().previous(), AccessResult::Ok);
    EXPECT_EQ(reason().MOTIVO, QStringLiteral("Fiebre"));

    reason().MOTIVO = QStringLiteral("B");
    reasons().setOrder(&reasons().key("MOT:KMOTIVO"), true);
    ASSERT_EQ(reasons().next(), AccessResult::Ok);
    EXPECT_EQ(reason().MOTIVO, QStringLiteral("Fiebre"));
    EXPECT_TRUE(presenter.shown().empty());
}

TEST_F(AccessWriteTest, RestoredBufferStillChangesTheRecordItWasReadFrom)
{
    store(reasonNamed(QStringLiteral("Gripe")));
    store(reasonNamed(QStringLiteral("Tos")));
    ASSERT_EQ(reasons().open(), AccessResult::Ok);
    reason().MOTIVO = QStringLiteral("Gripe");
    ASSERT_EQ(reasons().fetch(reasons().key("MOT:KMOTIVO")), AccessResult::Ok);
    reason().MOTIVO = QStringLiteral("Gripe A");

    reasons().saveBuffer();
    reason().MOTIVO = QStringLiteral("Tos");
    ASSERT_EQ(reasons().fetch(reasons().key("MOT:KMOTIVO")), AccessResult::Ok);
    reasons().restoreBuffer();

    EXPECT_EQ(reason().MOTIVO, QStringLiteral("Gripe A"));
    ASSERT_EQ(reasons().change(), AccessResult::Ok);
    std::vector<QString> stored;
    for (const auto& r : all<MOTIVOS>())
        stored.push_back(r.MOTIVO);
    EXPECT_THAT(stored, ElementsAre("Gripe A", "Tos"));
}

TEST_F(AccessWriteTest, UsingAFileBeforeOpeningItIsReported)
{
    acknowledge();
    EXPECT_EQ(reasons().insert(), AccessResult::Failed);
    EXPECT_EQ(lastShown().number, 42);
    EXPECT_EQ(lastShown().title, QStringLiteral("File Usage Error"));
    EXPECT_EQ(lastShown().text, QStringLiteral("Attempt to use file (MOTIVOS) before it was opened"));
    EXPECT_EQ(reasons().tryFetch(reasons().key("MOT:KMOTIVO")), AccessResult::Failed);
    EXPECT_EQ(presenter.shown().size(), 1u);
}

TEST_F(AccessWriteTest, DeleteAsksFirstWhenTold)
{
    store(reasonNamed(QStringLiteral("Gripe")));
    ASSERT_EQ(reasons().open(), AccessResult::Ok);
    reason().MOTIVO = QStringLiteral("Gripe");
    ASSERT_EQ(reasons().fetch(reasons().key("MOT:KMOTIVO")), AccessResult::Ok);
    presenter.answer(Answer::No).answer(Answer::Yes);
    EXPECT_EQ(reasons().deleteRecord(true), AccessResult::Cancelled);
    EXPECT_EQ(count<MOTIVOS>(), 1u);
    EXPECT_EQ(reasons().deleteRecord(true), AccessResult::Ok);
    EXPECT_EQ(count<MOTIVOS>(), 0u);
    EXPECT_THAT(shownNumbers(), ElementsAre(11, 11));
}

} // namespace
} // namespace nidora::data::test
