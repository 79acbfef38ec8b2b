#include "platform/DragFullWindows.h"

#include <gtest/gtest.h>

namespace nidora::platform {
namespace {

TEST(ProcessDragFullWindows, StartsOnAndKeepsWhatIsSet)
{
    ProcessDragFullWindows flag;
    EXPECT_EQ(flag.get(), 1);
    flag.set(false, DragFullWindows::UpdateProfile | DragFullWindows::BroadcastChange);
    EXPECT_EQ(flag.get(), 0);
    flag.set(true, DragFullWindows::UpdateProfile | DragFullWindows::BroadcastChange);
    EXPECT_EQ(flag.get(), 1);
}

TEST(DragFullWindowsService, OverridesNestAndUnwind)
{
    DragFullWindows& desktop = DragFullWindowsService::current();
    ProcessDragFullWindows outer;
    ProcessDragFullWindows inner;
    {
        DragFullWindowsService::Override useOuter(outer);
        {
            DragFullWindowsService::Override useInner(inner);
            EXPECT_EQ(&DragFullWindowsService::current(), &inner);
        }
        EXPECT_EQ(&DragFullWindowsService::current(), &outer);
    }
    EXPECT_EQ(&DragFullWindowsService::current(), &desktop);
}

} // namespace
} // namespace nidora::platform
