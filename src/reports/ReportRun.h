#pragma once

#include "data/Catalogue.h"
#include "reports/ReportLayout.h"
#include "views/DictionarySetup.h"
#include "views/ReportProgress.h"

// Running one report on the calling thread: its file opened with its related files, the pass
// over the file in the order of one key, held to a range and a filter, the progress window, and
// the pages handed to the report previewer; the answer is left in CallResponse.
namespace nidora::reports {

struct ReportRun {
    const char* procedure;
    data::FileId file;
    const char* key;
    views::KeyRange range {};
    views::RecordFilter filter {};
    QString caption = QStringLiteral("Report Progress...");
    views::PreviewOptions preview {};
    // Files the layout joins to what it reads that the read file does not open with it (the
    // scratch file opens no other): opened for the report, with their related files.
    std::vector<data::FileId> joins {};
};

void runLayout(const ReportRun& run, ReportLayout& layout);

// Reads the record a report joins to the one it prints into the thread's buffer of its file:
// the buffer is cleared, `set` puts the key's components, and the first record of the key with
// them is read; when there is none the buffer is left cleared, so its fields print blank.
template <class R, class Set> const R& joined(const char* key, Set set)
{
    data::AccessObject& access = views::threadDictionary().access<R>();
    R& record = views::threadDictionary().buffer<R>();
    record = R {};
    if (set(record) && access.tryFetch(access.key(key)) == data::AccessResult::Ok)
        return record;
    record = R {};
    return record;
}

// A prompt value as a key component: without the blanks that pad it.
QString keyText(const QString& value);

// Dates of a record within DF to HF, both included.
bool withinDates(std::int32_t date);

} // namespace nidora::reports
