#include "views/DataFileChecks.h"

#include "framework/Scheduler.h"
#include "views/DictionarySetup.h"

#include <chrono>

namespace nidora::views {
namespace {

// How often the frame looks for what the worker has found.
constexpr std::chrono::milliseconds kLookEvery { 100 };

} // namespace

DataFileChecks::DataFileChecks(std::vector<data::FileId> files)
    : checks_(std::move(files))
{
    checks_.start();
    timer_.setInterval(kLookEvery);
    connect(&timer_, &QTimer::timeout, this, [this] { look(); });
    timer_.start();
}

DataFileChecks::~DataFileChecks() = default;

std::vector<data::FileId> DataFileChecks::checkedInTheBackground()
{
    std::vector<data::FileId> files;
    for (std::size_t k = 0; k < data::catalogue().size(); ++k) {
        if (data::FileId(k) != data::FileId::ACCESOS)
            files.push_back(data::FileId(k));
    }
    return files;
}

void DataFileChecks::look()
{
    for (const data::BackgroundFileChecks::Finding& finding : checks_.takeFindings()) {
        if (finding.problems.isEmpty())
            continue;
        const data::FileId file = finding.file;
        framework::StartOnNewThread([file] { checkAndMendDataFile(file); }, 0);
    }
    if (checks_.done()) {
        timer_.stop();
        done_ = true;
    }
}

void checkAndMendDataFile(data::FileId file)
{
    data::AccessObject& access = threadDictionary().access(file);
    if (access.open() != data::AccessResult::Ok)
        return;
    access.checkWhole();
    access.close();
}

} // namespace nidora::views
