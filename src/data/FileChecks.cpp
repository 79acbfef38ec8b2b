#include "data/FileChecks.h"

#include "data/CheckPragma.h"
#include "data/KeyCollation.h"
#include "data/SqliteConnection.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>

namespace nidora::data {
namespace {

// How long the check waits for a station that is writing the file before it gives up on it.
constexpr int kBusyWaitMs = 30'000;

std::mutex runningMutex;
BackgroundFileChecks* running = nullptr;

QStringList checkOn(sql::Connection& connection)
{
    if (!connection.isOpen() || !registerKeyCollation(connection.handle()))
        return {};
    // SQLite's own sleeping wait: this is not the GUI thread.
    sqlite3_busy_timeout(connection.handle(), kBusyWaitMs);
    const QStringList found = pragmaProblems(connection, "PRAGMA integrity_check");
    // A check cut short by a station that kept writing, or by the end of the program, found
    // nothing: the file is not told as damaged for it.
    const int stopped = connection.error().code & 0xFF;
    if (stopped == SQLITE_BUSY || stopped == SQLITE_LOCKED || stopped == SQLITE_INTERRUPT)
        return {};
    return found;
}

} // namespace

QStringList checkDiskFile(const QString& path)
{
    if (!QFileInfo::exists(path))
        return {};
    sql::Connection connection(path, true, false);
    return checkOn(connection);
}

BackgroundFileChecks::BackgroundFileChecks(std::vector<FileId> files)
    : folder_(QDir::currentPath())
    , waiting_(files.begin(), files.end())
{
    {
        const std::lock_guard lock(runningMutex);
        running = this;
    }
}

void BackgroundFileChecks::start()
{
    if (!worker_.joinable())
        worker_ = std::thread([this] { run(); });
}

BackgroundFileChecks::~BackgroundFileChecks()
{
    {
        const std::lock_guard lock(runningMutex);
        running = nullptr;
    }
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
        if (current_)
            sqlite3_interrupt(static_cast<sqlite3*>(current_));
    }
    if (worker_.joinable())
        worker_.join();
}

void BackgroundFileChecks::run()
{
    for (;;) {
        FileId file;
        {
            std::unique_lock lock(mutex_);
            if (stop_ || waiting_.empty())
                return;
            file = waiting_.front();
            waiting_.pop_front();
            checking_ = true;
        }
        const QString path = QDir(folder_).absoluteFilePath(fileDesc(file).fileName());
        QStringList problems;
        if (QFileInfo::exists(path)) {
            sql::Connection connection(path, true, false);
            {
                const std::lock_guard lock(mutex_);
                current_ = connection.handle();
            }
            problems = checkOn(connection);
            const std::lock_guard lock(mutex_);
            current_ = nullptr;
        }
        const std::lock_guard lock(mutex_);
        checking_ = false;
        if (stop_)
            return;
        findings_.push_back(Finding { file, problems });
    }
}

std::vector<BackgroundFileChecks::Finding> BackgroundFileChecks::takeFindings()
{
    const std::lock_guard lock(mutex_);
    return std::exchange(findings_, {});
}

bool BackgroundFileChecks::done()
{
    const std::lock_guard lock(mutex_);
    return waiting_.empty() && !checking_ && findings_.empty();
}

void BackgroundFileChecks::prefer(FileId file)
{
    const std::lock_guard lock(mutex_);
    const auto at = std::find(waiting_.begin(), waiting_.end(), file);
    if (at == waiting_.end() || at == waiting_.begin())
        return;
    waiting_.erase(at);
    waiting_.push_front(file);
}

void BackgroundFileChecks::noteFileInUse(FileId file)
{
    const std::lock_guard lock(runningMutex);
    if (running)
        running->prefer(file);
}

} // namespace nidora::data
