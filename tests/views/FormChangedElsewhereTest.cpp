// A change form whose record another station changed meanwhile: the other station is a
// second process on the same folder.
#include "views/FormSession.h"

#include "data/Catalogue.h"
#include "views/FieldHistory.h"

#include "data/AccessTestFixture.h"
#include "support/OtherStation.h"

#include <gmock/gmock.h>

#include <optional>

namespace nidora::views {
namespace {

using data::AccessResult;
using data::FileId;
using data::PACIENTES;
using nidora::test::OtherStation;
using testing::ElementsAre;

class FormChangedElsewhereTest : public data::test::AccessTest {
protected:
    void SetUp() override
    {
        PACIENTES ana = nidora::test::patient(1, "Ana");
        ana.CIUDAD = QStringLiteral("Rosario");
        store(ana);
        ASSERT_EQ(data.relation(FileId::PACIENTES).open(), AccessResult::Ok);
        data.buffer<PACIENTES>().CODIGO = 1;
        ASSERT_EQ(access(FileId::PACIENTES).fetch(key(FileId::PACIENTES, "PAC:KCODIGO")), AccessResult::Ok);
        form.emplace(data.relation(FileId::PACIENTES), ChangeRecord, FormCaptions {});
    }
    void TearDown() override { data.relation(FileId::PACIENTES).close(); }

    PACIENTES& onScreen() { return data.buffer<PACIENTES>(); }
    PACIENTES stored() { return all<PACIENTES>().at(0); }
    std::int64_t storedVersion()
    {
        PACIENTES read;
        data::RecordRef ref;
        EXPECT_TRUE(disk(FileId::PACIENTES).read(1, read, &ref).ok());
        return ref.version;
    }

    // Here the city is typed as Tandil while the reception writes Salta; then OK.
    FormStep okAfterTheReceptionChangedIt()
    {
        onScreen().CIUDAD = QStringLiteral("Tandil");
        OtherStation reception({ "change-city", "1", "Salta" });
        EXPECT_EQ(reception.finish(), 0);
        acknowledge(); // message 7 or 8; a message 37 after it would find no answer
        return form->ok();
    }

    // Opened on the record as read, as the list calls it.
    std::optional<FormSession> form;
};

TEST_F(FormChangedElsewhereTest, TheFormShowsTheStoredRecordStaysOpenAndAsksNothingMore)
{
    EXPECT_EQ(okAfterTheReceptionChangedIt(), (FormStep { false, Cancelled, false, true }));
    EXPECT_THAT(shownNumbers(), ElementsAre(core::message::ChangedElsewhere));
    EXPECT_EQ(onScreen().CIUDAD, QStringLiteral("Salta"));
    EXPECT_EQ(stored().CIUDAD, QStringLiteral("Salta"));
    // What is on screen is what is stored: nothing to write.
    EXPECT_FALSE(form->changed());
}

TEST_F(FormChangedElsewhereTest, AFurtherOkWithNothingTypedWritesNothingOverTheirChange)
{
    ASSERT_FALSE(okAfterTheReceptionChangedIt().closes);
    const std::int64_t theirs = storedVersion();
    EXPECT_EQ(form->ok(), (FormStep { true, Completed, false }));
    EXPECT_EQ(storedVersion(), theirs);
    EXPECT_EQ(stored().CIUDAD, QStringLiteral("Salta"));
}

TEST_F(FormChangedElsewhereTest, AFurtherOkWritesWhatIsTypedOverTheStoredRecord)
{
    ASSERT_FALSE(okAfterTheReceptionChangedIt().closes);
    onScreen().TELEFONO = QStringLiteral("4412345");
    EXPECT_EQ(form->ok(), (FormStep { true, Completed, false }));
    EXPECT_EQ(stored().CIUDAD, QStringLiteral("Salta"));
    EXPECT_EQ(stored().TELEFONO, QStringLiteral("4412345"));
    EXPECT_THAT(shownNumbers(), ElementsAre(core::message::ChangedElsewhere));
}

TEST_F(FormChangedElsewhereTest, AFormWithAHistorySaysSoWithMessage8AndKeepsWhatWasTypedToRecall)
{
    FieldHistory history;
    form.emplace(data.relation(FileId::PACIENTES), ChangeRecord, FormCaptions {}, &history);
    const data::FieldDesc& city = *data::fileDesc(FileId::PACIENTES).field(QStringLiteral("PAC:CIUDAD"));
    EXPECT_FALSE(form->recall(city)) << "nothing completed on this thread yet";

    EXPECT_EQ(okAfterTheReceptionChangedIt(), (FormStep { false, Cancelled, false, true }));
    EXPECT_THAT(shownNumbers(), ElementsAre(core::message::ChangedElsewhereShown));
    EXPECT_EQ(onScreen().CIUDAD, QStringLiteral("Salta"));
    EXPECT_EQ(history.last(FileId::PACIENTES), nullptr)
        << "the thread's history holds completed records only";

    ASSERT_TRUE(form->recall(city));
    EXPECT_EQ(onScreen().CIUDAD, QStringLiteral("Tandil"));
    EXPECT_EQ(form->ok(), (FormStep { true, Completed, false }));
    EXPECT_EQ(stored().CIUDAD, QStringLiteral("Tandil"));
    const data::Record* kept = history.last(FileId::PACIENTES);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(static_cast<const PACIENTES*>(kept)->CIUDAD, QStringLiteral("Tandil"));
}

} // namespace
} // namespace nidora::views
