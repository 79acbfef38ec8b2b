#pragma once

#include "views/RecordWindowsTest.h"

#include <QString>

namespace nidora::clinical::test {

// A form started on a thread of its own that notes when it has ended, and its two buttons
// pressed until it has.
class FormWindowsTest : public views::test::RecordWindowsTest {
protected:
    void pressOk() { pressAndWait(QStringLiteral("?OK")); }
    void pressCancel() { pressAndWait(QStringLiteral("?CANCEL")); }

    bool ended = false;

private:
    void pressAndWait(const QString& button)
    {
        driver.click(button);
        ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    }
};

} // namespace nidora::clinical::test
