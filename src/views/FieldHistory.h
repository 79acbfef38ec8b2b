#pragma once

#include "data/Catalogue.h"

#include <map>
#include <memory>

namespace nidora::framework {
class ThreadContext;
}

// The field history of one logical thread ("Ditto"): per data file, the values of the last
// record a form of that file completed on this thread. A form that keeps a history takes its
// own copy as it opens, and the history key puts a field of that copy back into the field the
// user is in.
//
//   FieldHistory& history = FieldHistory::of(thread);
//   history.keep(FileId::ANALISIS, access.buffer());   // a study form's OK
//   const data::Record* last = history.last(FileId::ANALISIS);   // the next form's copy
namespace nidora::views {

class FieldHistory {
public:
    // The thread's history, empty until a form of a file completes on it; it goes with the
    // thread.
    static FieldHistory& of(framework::ThreadContext& thread);

    // The values kept for the file; null while none are.
    const data::Record* last(data::FileId file) const;
    void keep(data::FileId file, const data::Record& record);

private:
    std::map<data::FileId, std::unique_ptr<data::Record>> records_;
};

} // namespace nidora::views
