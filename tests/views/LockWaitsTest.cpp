// A logical thread that waits for another station's lock on a data file, while another window
// of the program goes on working.
#include "views/LockWaits.h"

#include "RecordWindowsTest.h"
#include "support/OtherStation.h"
#include "support/ScriptedPresenter.h"

#include <QTimer>

namespace nidora::views::test {
namespace {

using data::AccessResult;
using data::FileId;
using nidora::test::OtherStation;

class LockWaitsTest : public RecordWindowsTest {
protected:
    LockWaitsTest() { core::AppErrorManager.setPresenter(&presenter); }
    ~LockWaitsTest() override { core::AppErrorManager.setPresenter(nullptr); }

    YieldingLockWaits yielding; // as the program holds it
    nidora::test::ScriptedPresenter presenter;
};

TEST_F(LockWaitsTest, AnotherWindowsTimerKeepsFiringWhileAThreadWaitsForAStationsLock)
{
    ASSERT_TRUE(data::DataFile::createEmpty(data::fileDesc(FileId::PACIENTES)).ok());
    OtherStation reception({ "hold", "PACIENTE.QVM" });
    ASSERT_TRUE(reception.waitFor(QStringLiteral("held")));

    // The other window's timer lets the reception go on only after it has fired a few times
    // while the patient list waits: on a thread that slept in the wait it would never fire.
    int ticks = 0;
    QTimer otherWindow;
    QObject::connect(&otherWindow, &QTimer::timeout, [&] {
        if (++ticks == 3)
            reception.goOn();
    });
    otherWindow.start(5);

    bool done = false;
    int ticksWhenOpened = 0;
    AccessResult opened = AccessResult::Failed;
    framework::StartOnNewThread(
        [&] {
            data::AccessObject& patients = threadDictionary().access(FileId::PACIENTES);
            opened = patients.open();
            ticksWhenOpened = ticks;
            patients.close();
            done = true;
        },
        0);
    ASSERT_TRUE(runUntil([&] { return done; }));
    EXPECT_EQ(opened, AccessResult::Ok);
    EXPECT_GE(ticksWhenOpened, 3);
    // Let go within the wait: no message at all.
    EXPECT_TRUE(presenter.shown().empty());
    EXPECT_EQ(reception.finish(), 0);
}

} // namespace
} // namespace nidora::views::test
