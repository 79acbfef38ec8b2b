#pragma once

#include "views/RecordWindowsTest.h"

#include "controls/TaskPanelWidget.h"
#include "practice/ReferenceTables.h"

#include <QAbstractItemView>
#include <QMouseEvent>
#include <QTabWidget>

#include <functional>

// The reference tables' window and forms over a scratch practice: Tablas started as the frame
// starts it, its panel's tasks clicked where they are drawn, and what each list shows read as
// the user reads it.
namespace nidora::practice::test {

class TablesWindowsTest : public views::test::RecordWindowsTest {
protected:
    // A procedure on a thread of its own, with the request it is called with.
    void startProcedure(void (*procedure)(), std::uint8_t request = 0)
    {
        answer = -1;
        driver.start([this, procedure, request] { answer = framework::callWithRequest(request, procedure); });
    }
    void startTablas()
    {
        startProcedure(Tablas);
        ASSERT_NE(driver.window(QStringLiteral("Tablas")), nullptr);
    }
    bool ended()
    {
        return driver.runUntil([this] { return answer != -1; });
    }
    void closeWindow(const char* caption)
    {
        driver.close(QString::fromUtf8(caption));
        ASSERT_TRUE(ended());
    }

    QAbstractItemView* list(const char* name)
    {
        return static_cast<QAbstractItemView*>(driver.find(QString::fromUtf8(name)));
    }
    // The texts a list shows, row by row, trimmed.
    std::vector<QStringList> shownRows(const char* name)
    {
        std::vector<QStringList> rows;
        QAbstractItemModel* model = list(name)->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < model->columnCount(); ++column)
                cells << model->index(row, column).data().toString().trimmed();
            rows.push_back(cells);
        }
        return rows;
    }
    QString highlighted(const char* name)
    {
        return list(name)->currentIndex().siblingAtColumn(0).data().toString().trimmed();
    }
    int shownPage()
    {
        return static_cast<QTabWidget*>(driver.find(QStringLiteral("?SHEET2")))->currentIndex();
    }

    // A click on the panel's task of that title (0 to 4), where the panel draws it.
    void clickTask(int task)
    {
        auto* panel = driver.find(QStringLiteral("?XPTASKPANEL"))->findChild<controls::TaskPanelWidget*>();
        ASSERT_NE(panel, nullptr);
        (void)panel->grab(); // painting lays the panel out and stores where its tasks are
        ASSERT_EQ(panel->lastLayout().groups.size(), 1u);
        const auto& rows = panel->lastLayout().groups[0].rows;
        ASSERT_GT(rows.size(), std::size_t(task));
        const QPoint at(panel->width() / 2, rows[std::size_t(task)].top + rows[std::size_t(task)].height / 2);
        for (const QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease }) {
            QMouseEvent event(type, at, panel->mapToGlobal(at), Qt::LeftButton,
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(panel, &event);
        }
        driver.settle();
    }

    // OK pressed on a form whose save is refused: the message is acknowledged and the form is
    // still there. A change that fails also offers to save again (message 37); answered
    // Cancel, the user stays in the form to put it right.
    void refusedWith(const QString& message, const QString& form, bool offersToSaveAgain = false)
    {
        driver.click(QStringLiteral("?OK"));
        ASSERT_TRUE(driver.answer(message, QStringLiteral("OK"))) << message.toStdString();
        if (offersToSaveAgain) {
            ASSERT_TRUE(
                driver.answer(QStringLiteral("Do you want to try to save again?"), QStringLiteral("Cancel")));
        }
        EXPECT_NE(driver.window(form), nullptr) << form.toStdString() << " stays open";
        EXPECT_EQ(driver.messageBox(QString()), nullptr) << "no further question";
    }

    int answer = -1;
};

} // namespace nidora::practice::test
