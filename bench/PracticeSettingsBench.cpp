// The working-hours window reads and writes its 29 keys one at a time, and every write
// rewrites nidora.ini through a temporary file: how long does a whole save or load take?
#include "platform/PracticeSettings.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using nidora::platform::PracticeSettings;

QStringList workingHoursKeys()
{
    QStringList keys;
    for (int day = 1; day <= 7; ++day)
        for (int k = 1; k <= 4; ++k)
            keys << QStringLiteral("horario%1%2").arg(k).arg(day);
    keys << QStringLiteral("intervalo");
    return keys;
}

void SaveWorkingHours(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    const QStringList keys = workingHoursKeys();
    for (auto _ : state)
        for (const QString& key : keys)
            PracticeSettings::writeInt(key, 2880001);
    QDir::setCurrent(previous);
}
BENCHMARK(SaveWorkingHours)->Unit(benchmark::kMillisecond);

void SaveWorkingHoursInOneRewrite(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    nidora::platform::IniEntries entries;
    for (const QString& key : workingHoursKeys())
        entries.emplace_back(key, QStringLiteral("2880001"));
    for (auto _ : state)
        PracticeSettings::write(entries);
    QDir::setCurrent(previous);
}
BENCHMARK(SaveWorkingHoursInOneRewrite)->Unit(benchmark::kMillisecond);

void LoadWorkingHours(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    const QStringList keys = workingHoursKeys();
    for (const QString& key : keys)
        PracticeSettings::writeInt(key, 2880001);
    for (auto _ : state)
        for (const QString& key : keys)
            benchmark::DoNotOptimize(PracticeSettings::readInt(key));
    QDir::setCurrent(previous);
}
BENCHMARK(LoadWorkingHours)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
