#include "clinical/PatientListSlot.h"

#include "framework/ThreadTestSupport.h"
#include "framework/Window.h"
#include "framework/WindowEvent.h"

#include <gmock/gmock.h>

#include <optional>

namespace nidora::clinical {
namespace {

using testing::ElementsAre;

class PatientListSlotTest : public framework::test::ThreadsTest {
protected:
    ~PatientListSlotTest() override { PatientBrowseThread = 0; }

    // Claims the slot on a thread of its own and, when it may open, stays until told to quit,
    // noting the events that reach the thread; refused, it ends at once.
    int openList(int request = 0)
    {
        return scheduler.start(
            [this, request] {
                PatientListSlot slot;
                claims.push_back(slot.claim(request));
                if (!claims.back())
                    return;
                framework::test::loopUntilQuit (&events)();
                slot.release();
            },
            0);
    }

    std::vector<bool> claims;
    std::vector<int> events;
};

TEST_F(PatientListSlotTest, ASecondListCallsTheFirstToTheFrontAndTheSlotFreesWhenTheFirstCloses)
{
    const int first = openList();
    ASSERT_TRUE(runUntil([&] { return claims.size() == 1; }));
    EXPECT_EQ(PatientBrowseThread, first);

    const int second = openList();
    ASSERT_TRUE(runUntilEnded(second));
    ASSERT_TRUE(runUntil([&] { return !events.empty(); }));
    EXPECT_THAT(claims, ElementsAre(true, false));
    EXPECT_THAT(events, ElementsAre(framework::event::GainFocus));
    EXPECT_EQ(PatientBrowseThread, first); // the refused list never touches the slot

    post(first, framework::test::kQuit);
    ASSERT_TRUE(runUntilEnded(first));
    EXPECT_EQ(PatientBrowseThread, 0);
    const int third = openList();
    ASSERT_TRUE(runUntil([&] { return claims.size() == 3; }));
    EXPECT_TRUE(claims.back());
    EXPECT_EQ(PatientBrowseThread, third);
    post(third, framework::test::kQuit);
    ASSERT_TRUE(runUntilEnded(third));
}

TEST_F(PatientListSlotTest, AListOpenedToSelectNeitherChecksNorTakesTheSlot)
{
    const int owner = openList();
    ASSERT_TRUE(runUntil([&] { return claims.size() == 1; }));
    const int selecting = openList(SelectRecord);
    ASSERT_TRUE(runUntil([&] { return claims.size() == 2; }));
    EXPECT_THAT(claims, ElementsAre(true, true));
    post(selecting, framework::test::kQuit);
    ASSERT_TRUE(runUntilEnded(selecting));
    EXPECT_EQ(PatientBrowseThread, owner);
    EXPECT_TRUE(events.empty());
    post(owner, framework::test::kQuit);
    ASSERT_TRUE(runUntilEnded(owner));
}

TEST_F(PatientListSlotTest, ASlotLeftByAThreadThatIsGoneIsTakenOver)
{
    PatientBrowseThread = 17;
    const int list = openList();
    ASSERT_TRUE(runUntil([&] { return claims.size() == 1; }));
    EXPECT_TRUE(claims.front());
    EXPECT_EQ(PatientBrowseThread, list);
    post(list, framework::test::kQuit);
    ASSERT_TRUE(runUntilEnded(list));
    EXPECT_EQ(PatientBrowseThread, 0);
}

} // namespace
} // namespace nidora::clinical
