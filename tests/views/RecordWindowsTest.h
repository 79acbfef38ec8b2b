#pragma once

#include "framework/WindowTestSupport.h"
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

    template <class R> void store(const R& record)
    {
        auto opened = data::DataFile::open(data::fileDesc(R::fileId));
        ASSERT_TRUE(opened.outcome.ok()) << qPrintable(opened.outcome.text);
        ASSERT_TRUE(opened.file->add(record).ok());
    }

    // Every record of the file, in record order.
    template <class R> std::vector<R> all()
    {
        std::vector<R> records;
        auto opened = data::DataFile::open(data::fileDesc(R::fileId));
        EXPECT_TRUE(opened.outcome.ok()) << qPrintable(opened.outcome.text);
        if (opened.file)
            opened.file->page(nullptr, {}, data::Direction::Forward, 1'000'000,
                [&](const data::RecordRef&, const data::Record& r) {
                    records.push_back(static_cast<const R&>(r));
                });
        return records;
    }

    // The version of the record with this identity: it moves on with every write of it.
    template <class R> std::int64_t version(std::int64_t id)
    {
        auto opened = data::DataFile::open(data::fileDesc(R::fileId));
        R record;
        data::RecordRef ref;
        EXPECT_TRUE(opened.file && opened.file->read(id, record, &ref).ok());
        return ref.version;
    }

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
    framework::MessageBoxPresenter boxes;
};

inline data::MEDICOS doctor(std::uint8_t code, const char* name)
{
    data::MEDICOS d;
    d.CODIGO = code;
    d.NOMBRE = QString::fromUtf8(name);
    return d;
}

} // namespace nidora::views::test
