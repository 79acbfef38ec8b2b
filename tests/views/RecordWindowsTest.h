#pragma once

#include "framework/WindowTestSupport.h"
#include "support/DiskFiles.h"
#include "support/RecordMakers.h"
#include "support/ScratchDirectory.h"

#include "data/DataFile.h"
#include "data/ReferenceRecords.h"
#include "framework/MessageBoxes.h"
#include "views/DictionarySetup.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>

#include <vector>

// Windows over real data files: a scratch working directory, the program's message boxes for
// the error manager's messages (answered through the driver), and direct reads and writes of
// the disk files to lay fixtures out and to see what the windows wrote.
namespace nidora::views::test {

class RecordWindowsTest : public framework::test::WindowsTest {
protected:
    RecordWindowsTest()
    {
        // Each thread gets its own data as the program gives it: set up when it starts, taken
        // down, its files closed, when it ends.
        scheduler.setThreadStartHook(
            [](framework::ThreadContext& thread) { views::DictionarySetup(thread); });
        scheduler.setThreadEndHook(
            [](framework::ThreadContext& thread) { views::DictionaryShutdown(thread); });
        views::DictionarySetup(scheduler.currentContext());
        core::AppErrorManager.setPresenter(&boxes);
        // The one file that is never created when missing; a practice always has it.
        EXPECT_TRUE(data::DataFile::createEmpty(data::fileDesc(data::FileId::TABENFERMED)).ok());
    }
    ~RecordWindowsTest() override { core::AppErrorManager.setPresenter(nullptr); }

    template <class R> void store(const R& record) { disk.store(record); }
    template <class R> std::vector<R> all() { return disk.all<R>(); }
    template <class R> std::int64_t version(std::int64_t id) { return disk.version<R>(id); }

    // Right-clicks the list control of that name and returns the menu it shows, or null.
    QMenu* openContextMenu(const QString& list)
    {
        QWidget* rows = static_cast<QAbstractItemView*>(driver.find(list))->viewport();
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), rows->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(rows, &click);
        driver.settle();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* shown = qobject_cast<QMenu*>(top); shown && shown->isVisible())
                return shown;
        return nullptr;
    }
    static QStringList entries(const QMenu& menu)
    {
        QStringList texts;
        for (QAction* action : menu.actions())
            texts << action->text();
        return texts;
    }

    nidora::test::ScratchDirectory scratch;
    nidora::test::DiskFiles disk;
    framework::MessageBoxPresenter boxes;
};

using nidora::test::doctor;

} // namespace nidora::views::test
