// Two or more stations on one folder: this process and the station helper, each with its own
// connections to the same data files, as the reception and the consulting room have.
#include "AccessTestFixture.h"

#include "data/LockPause.h"
#include "data/Validation.h"
#include "support/OtherStation.h"

#include <gmock/gmock.h>

#include <set>
#include <thread>

namespace nidora::data::test {
namespace {

using nidora::test::OtherStation;
using testing::ElementsAre;

// While it lives, the first wait of this process for a lock lets the other station finish
// (it commits what it holds and ends), so the test knows the other station's work came
// while ours was already under way.
class FinishWhenWaitedFor {
public:
    explicit FinishWhenWaitedFor(OtherStation& station)
    {
        setLockPause([this, &station](std::chrono::milliseconds pause) {
            if (!waited) {
                waited = true;
                stationExit = station.finish();
            }
            std::this_thread::sleep_for(pause);
            return true;
        });
    }
    ~FinishWhenWaitedFor() { setLockPause({}); }
    FinishWhenWaitedFor(const FinishWhenWaitedFor&) = delete;
    FinishWhenWaitedFor& operator=(const FinishWhenWaitedFor&) = delete;

    bool waited = false;
    int stationExit = -1;
};

class StationsTest : public AccessTest { };

TEST_F(StationsTest, AConsultationIsNotWrittenForAPatientTheOtherStationIsDeleting)
{
    store(patient(3, "Carla"));
    AccessObject& consultations = access(FileId::CONSULTAS);
    ASSERT_EQ(data.relation(FileId::CONSULTAS).open(), AccessResult::Ok);
    ASSERT_EQ(consultations.prime(), AccessResult::Ok);
    data.buffer<CONSULTAS>().PACIENTE = 3;

    // The other station has deleted the patient and not yet committed: the check must not
    // see him still there and the write then land after the delete.
    OtherStation station({ "delete-held", "3" });
    ASSERT_TRUE(station.waitFor(QStringLiteral("held")));
    FinishWhenWaitedFor finishing(station);
    acknowledge();
    EXPECT_EQ(consultations.insert(), AccessResult::Failed);
    EXPECT_TRUE(finishing.waited);
    EXPECT_EQ(finishing.stationExit, 0);
    EXPECT_THAT(shownNumbers(), ElementsAre(core::message::MustExist));
    EXPECT_TRUE(all<PACIENTES>().empty());
    for (const CONSULTAS& stored : all<CONSULTAS>())
        EXPECT_NE(stored.PACIENTE, 3);
    data.relation(FileId::CONSULTAS).close();
}

TEST_F(StationsTest, WhoeverDeletesOrRenumbersACheckedParentAlsoLocksTheFileThatChecksIt)
{
    // An insert or change checks its must-exist rules under its own file's write lock only.
    // That keeps another station's delete or key change of the parent wholly before or after
    // it because such a delete or change writes the checking file too, in one transaction.
    for (int f = 0; f < FileCount; ++f) {
        const FileId file = FileId(f);
        for (const ValidationRule& rule : validationRules(file)) {
            if (rule.kind != ValidationRule::Kind::MustExist)
                continue;
            EXPECT_THAT(data.relation(rule.parent).deleteFiles(), testing::Contains(file)) << rule.field;
            EXPECT_THAT(data.relation(rule.parent).changeFiles(), testing::Contains(file)) << rule.field;
        }
    }
}

TEST_F(StationsTest, StationsNumberingPatientsAtOnceNeverLoseARace)
{
    // Four stations prime and insert at once, as fast as they can: every one of them gets
    // its numbers without a failed attempt reaching message 35, and no number twice.
    constexpr int kStations = 4;
    constexpr int kEach = 50;
    ASSERT_TRUE(DataFile::createEmpty(fileDesc(FileId::PACIENTES)).ok());
    ASSERT_TRUE(DataFile::createEmpty(fileDesc(FileId::AGENDA)).ok());
    std::vector<std::unique_ptr<OtherStation>> stations;
    for (int k = 0; k < kStations; ++k) {
        stations.push_back(std::make_unique<OtherStation>(
            QStringList { QStringLiteral("prime-patients"), QString::number(kEach) }));
        ASSERT_TRUE(stations.back()->waitFor(QStringLiteral("ready")));
    }
    for (auto& station : stations)
        station->goOn();
    std::set<int> codes;
    for (auto& station : stations) {
        EXPECT_EQ(station->finish(), 0);
        for (const QString& line : station->lines()) {
            if (line != QLatin1String("ready")) {
                EXPECT_TRUE(codes.insert(line.toInt()).second) << "code " << line.toInt() << " twice";
            }
        }
    }
    EXPECT_EQ(codes.size(), std::size_t(kStations * kEach));
    EXPECT_EQ(count<PACIENTES>(), std::size_t(kStations * kEach));
    if (!codes.empty()) {
        EXPECT_EQ(*codes.begin(), 1);
        EXPECT_EQ(*codes.rbegin(), kStations * kEach);
    }
}

} // namespace
} // namespace nidora::data::test
