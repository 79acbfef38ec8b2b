#pragma once

#include "views/RecordWindowsTest.h"

#include <QAbstractButton>
#include <QString>

namespace nidora::clinical::test {

// A form started on a thread of its own that notes when it has ended, and its two buttons
// pressed until it has.
class FormWindowsTest : public views::test::RecordWindowsTest {
protected:
    void pressOk() { pressAndWait(QStringLiteral("?OK")); }
    void pressCancel() { pressAndWait(QStringLiteral("?CANCEL")); }
    // Clicks a button of the window with that caption, when another window has one of that
    // name too (the OK of a form called from a form).
    void clickIn(const QString& caption, const QString& name)
    {
        QWidget* window = driver.window(caption);
        auto* button = window ? window->findChild<QAbstractButton*>(name) : nullptr;
        ASSERT_NE(button, nullptr) << qPrintable(caption) << ' ' << qPrintable(name);
        button->setFocus(Qt::MouseFocusReason);
        driver.settle();
        button->click();
        driver.settle();
    }

    bool ended = false;

private:
    void pressAndWait(const QString& button)
    {
        driver.click(button);
        ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    }
};

} // namespace nidora::clinical::test
