#pragma once

#include "data/Catalogue.h"
#include "data/PatientRecords.h"
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

// Dates of a record within DF to HF, both included.
bool withinDates(std::int32_t date);

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

// The first component of a range: the patient the prompt chose.
views::KeyRange selectedPatient();
// The first component of a range: a text the prompt chose (a reason, a pathology).
views::KeyRange selectedText(const QString& value);
// The patient a record names, joined by his code.
const data::PACIENTES& patientOf(std::int32_t code);

// A record whose date lies within DF to HF.
template <class R> views::RecordFilter datedWithinPrompt(std::int32_t R::*date)
{
    return [date](const data::Record& record) { return withinDates(static_cast<const R&>(record).*date); };
}

} // namespace nidora::reports
