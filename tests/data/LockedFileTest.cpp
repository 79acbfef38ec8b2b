// A data file that another station keeps locked past every wait of opening: nothing is wrong
// with the file, so the program asks whether to try again instead of ending; No fails only
// that open.
#include "AccessTestFixture.h"

#include "support/OtherStation.h"

#include <gmock/gmock.h>

namespace nidora::data::test {
namespace {

using nidora::test::OtherStation;
using testing::ElementsAre;

// Short waits, so that a lock outlasts them at once; the program's own are 2 and 10 seconds.
class ShortOpeningWaits {
public:
    ShortOpeningWaits()
    {
        AccessObject::setOpeningWaits({ std::chrono::milliseconds(50), std::chrono::milliseconds(150) });
    }
    ~ShortOpeningWaits() { AccessObject::setOpeningWaits(AccessObject::defaultOpeningWaits()); }
    ShortOpeningWaits(const ShortOpeningWaits&) = delete;
    ShortOpeningWaits& operator=(const ShortOpeningWaits&) = delete;
};

// Answers the question to try again, after the other station has let go when told to.
class AnsweringPresenter final : public core::MessagePresenter {
public:
    AnsweringPresenter(OtherStation& station, std::vector<core::Answer> answers, bool releaseFirst)
        : station_(station)
        , answers_(std::move(answers))
        , releaseFirst_(releaseFirst)
    {
    }

    core::Answer present(const core::MessageRequest& request) override
    {
        shown.push_back(request);
        if (request.buttons == core::MessageButtons::Ok)
            return core::Answer::Ok;
        const std::size_t asked = questions++;
        if (releaseFirst_ && asked + 1 == answers_.size())
            stationExit = station_.finish();
        return asked < answers_.size() ? answers_[asked] : core::Answer::No;
    }

    std::vector<core::MessageRequest> shown;
    std::size_t questions = 0;
    int stationExit = -1;

private:
    OtherStation& station_;
    std::vector<core::Answer> answers_;
    bool releaseFirst_;
};

class LockedFileTest : public AccessTest {
protected:
    LockedFileTest() { EXPECT_TRUE(DataFile::createEmpty(fileDesc(FileId::PACIENTES)).ok()); }

    std::vector<int> numbers(const AnsweringPresenter& answering) const
    {
        std::vector<int> shown;
        for (const auto& request : answering.shown)
            shown.push_back(request.number);
        return shown;
    }

    ShortOpeningWaits waits;
};

TEST_F(LockedFileTest, DecliningToTryAgainFailsTheOpenWithoutEndingTheProgram)
{
    OtherStation station({ "hold", "PACIENTE.QVM" });
    ASSERT_TRUE(station.waitFor(QStringLiteral("held")));
    AnsweringPresenter answering(station, { core::Answer::No }, false);
    errors.setPresenter(&answering);

    EXPECT_EQ(access(FileId::PACIENTES).open(), AccessResult::Failed);
    errors.setPresenter(&presenter);

    // Message 2 as the write access is refused, then the question; no message 26.
    ASSERT_THAT(numbers(answering), ElementsAre(2, 0));
    const core::MessageRequest& question = answering.shown.back();
    EXPECT_EQ(question.buttons, core::MessageButtons::YesNo);
    EXPECT_EQ(question.text,
        QStringLiteral("Otra estación está usando el archivo PACIENTES.\n¿Desea intentarlo de nuevo?"));
    EXPECT_EQ(ends, 0);
    EXPECT_FALSE(access(FileId::PACIENTES).isOpen());
    EXPECT_EQ(station.finish(), 0);
}

TEST_F(LockedFileTest, TryingAgainOnceTheStationHasLetGoOpensTheFile)
{
    OtherStation station({ "hold", "PACIENTE.QVM" });
    ASSERT_TRUE(station.waitFor(QStringLiteral("held")));
    AnsweringPresenter answering(station, { core::Answer::Yes, core::Answer::Yes }, true);
    errors.setPresenter(&answering);

    EXPECT_EQ(access(FileId::PACIENTES).open(), AccessResult::Ok);
    errors.setPresenter(&presenter);

    EXPECT_EQ(answering.stationExit, 0);
    EXPECT_EQ(answering.questions, 2u) << "asked again while the station still held the file";
    EXPECT_EQ(ends, 0);
    EXPECT_FALSE(access(FileId::PACIENTES).readOnly());
    access(FileId::PACIENTES).close();
}

// A file that cannot be opened at all still ends the program.
TEST_F(LockedFileTest, AFileThatIsNoDataFileStillEndsTheProgram)
{
    QFile foreign(QStringLiteral("MOTIVOS.QVM"));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write(QByteArray(8192, 'x'));
    foreign.close();
    acknowledge();
    EXPECT_EQ(access(FileId::MOTIVOS).open(), AccessResult::Fatal);
    EXPECT_THAT(shownNumbers(), ElementsAre(26));
    EXPECT_EQ(ends, 1);
}

} // namespace
} // namespace nidora::data::test
