#pragma once

#include "views/RecordWindowsTest.h"

#include "practice/WorkingHours.h"

#include "core/Clock.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QLineEdit>

// The agenda's windows on a practice whose hours are Mondays and Tuesdays from 08:00 to 12:00
// and from 16:00 to 20:00 every 15 minutes, on Monday 1 February 2010 at 10:00.
namespace nidora::practice::test {

constexpr std::int32_t kQuarter = 15 * timePerMinute;
inline const Date kMonday = makeDate(2010, 2, 1);

inline WorkingHours usualHours()
{
    WorkingHours hours;
    for (int weekday : { 1, 2 }) {
        hours.at(1, weekday) = makeTime(8, 0);
        hours.at(2, weekday) = makeTime(12, 0);
        hours.at(3, weekday) = makeTime(16, 0);
        hours.at(4, weekday) = makeTime(20, 0);
    }
    hours.INTERVALO = kQuarter;
    return hours;
}

class AgendaTest : public views::test::RecordWindowsTest {
protected:
    AgendaTest() { AgendaHours = WorkingHours {}; }
    ~AgendaTest() override { AgendaHours = WorkingHours {}; }

    // Types into an entry, or into the line of a spin box or a drop combo, and accepts it.
    void enter(const QString& name, const QString& text)
    {
        QWidget* control = driver.find(name);
        ASSERT_NE(control, nullptr) << name.toStdString();
        auto* line = qobject_cast<QLineEdit*>(control);
        if (!line)
            line = control->findChild<QLineEdit*>();
        ASSERT_NE(line, nullptr) << name.toStdString();
        control->setFocus(Qt::OtherFocusReason);
        line->selectAll();
        line->insert(text);
        // A spin box takes Enter itself; a drop combo's line does.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(qobject_cast<QAbstractSpinBox*>(control) ? control : line, &press);
        driver.settle();
    }
    // A button of one window, where another window shows a button of the same name.
    void clickIn(const QString& caption, const QString& name)
    {
        QWidget* window = driver.window(caption);
        ASSERT_NE(window, nullptr) << caption.toStdString();
        auto* button = window->findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        button->click();
        driver.settle();
    }
    QString shown(const QString& name)
    {
        QWidget* control = driver.find(name);
        auto* line = qobject_cast<QLineEdit*>(control);
        if (!line && control)
            line = control->findChild<QLineEdit*>();
        return line ? line->text().trimmed() : QString();
    }
    QAbstractItemModel* rows()
    {
        return static_cast<QAbstractItemView*>(driver.find(QStringLiteral("?BROWSE:1")))->model();
    }
    QString cell(int row, int column) { return rows()->index(row, column).data().toString().trimmed(); }

    Clock::Fixed monday_ { QDateTime(QDate(2010, 2, 1), QTime(10, 0)) };
};

} // namespace nidora::practice::test
