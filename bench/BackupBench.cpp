// Backup and restore of the generated practice (100,000 patients, 1,000,000 consultations,
// 500,000 pathologies; see GeneratedPractice.h) against a plain copy of the same files on the
// same disk, measured in one run. Goal: each within four times the plain copy's time (a backup
// copies and checks every file, a restore copies, checks and then replaces every file under its
// lock).
#include "GeneratedPractice.h"

#include "data/FileBackup.h"
#include "data/KeyCollation.h"
#include "data/SqliteConnection.h"

#include <benchmark/benchmark.h>

#include <QFile>

namespace {

using namespace nidora;
using namespace nidora::bench;

QString freshFolder(const char* name)
{
    const QString path = QDir(closedPractice().folder.path()).filePath(QString::fromLatin1(name));
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    return path;
}

void PlainCopy(benchmark::State& state)
{
    const QString work = closedPractice().folder.path();
    for (auto _ : state) {
        state.PauseTiming();
        const QString into = freshFolder("plain");
        state.ResumeTiming();
        for (data::FileId id : data::backedUpFiles()) {
            const QString name = data::fileDesc(id).fileName();
            QFile::copy(QDir(work).filePath(name), QDir(into).filePath(name));
        }
    }
}

void Run(benchmark::State& state, data::FileBackup::Kind kind)
{
    const QString work = closedPractice().folder.path();
    const QString folder = QDir(work).filePath(QStringLiteral("copia"));
    if (kind == data::FileBackup::Kind::Restore
        && !QFile::exists(QDir(folder).filePath(QStringLiteral("PACIENTE.QVM"))))
        std::abort();
    for (auto _ : state) {
        if (kind == data::FileBackup::Kind::Backup) {
            state.PauseTiming();
            freshFolder("copia");
            state.ResumeTiming();
        }
        data::FileBackup run(kind, work, folder);
        while (!run.wait(std::chrono::milliseconds(1))) { }
        if (!run.result().complete())
            state.SkipWithError("the copy did not complete");
    }
}

void Backup(benchmark::State& state)
{
    Run(state, data::FileBackup::Kind::Backup);
}

void Restore(benchmark::State& state)
{
    Run(state, data::FileBackup::Kind::Restore);
}

// What each way of checking a copy costs over the whole practice.
void Check(benchmark::State& state, const char* pragma)
{
    const QString work = closedPractice().folder.path();
    for (auto _ : state) {
        for (data::FileId id : data::backedUpFiles()) {
            const QString path = QDir(work).filePath(data::fileDesc(id).fileName());
            if (!QFile::exists(path))
                continue;
            data::sql::Connection connection(path, true, false);
            data::registerKeyCollation(connection.handle());
            data::sql::Statement* check = connection.prepare(pragma);
            data::sql::Connection::Use use(check);
            while (check->step()) { }
        }
    }
}

void QuickCheck(benchmark::State& state)
{
    Check(state, "PRAGMA quick_check");
}

void IntegrityCheck(benchmark::State& state)
{
    Check(state, "PRAGMA integrity_check");
}

BENCHMARK(QuickCheck)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(IntegrityCheck)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(PlainCopy)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Backup)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Restore)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PlainCopy)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
