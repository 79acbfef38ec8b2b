#include "reports/ScratchRefill.h"

#include "core/RecordMessages.h"

namespace nidora::reports {

bool refillScratch(
    data::Dictionary& data, data::FileId file, const std::function<bool(data::AccessObject& rows)>& fill)
{
    data::RelationObject& relation = data.relation(file);
    data::AccessObject& rows = relation.access();
    // Without a copy of its own (every number held, or no lock file allowed in the folder) the
    // window fills the shared file, as one window at a time always could.
    rows.useOwnCopy();
    // Whoever holds it open lets go first, so that the file is made anew under nobody.
    const int users = rows.users();
    for (int i = 0; i < users; ++i)
        relation.close();
    data::OpenOptions options;
    options.fileName = rows.diskFileName();
    const data::Outcome emptied = data::DataFile::createEmpty(rows.desc(), options);
    bool filled = false;
    if (!emptied.ok())
        rows.reportOutcome(core::message::CreateError, emptied, true);
    else if (relation.open() == data::AccessResult::Ok) {
        data::DataFile& disk = *rows.file();
        const data::Outcome begun = disk.beginBuffered();
        filled = begun.ok() && fill(rows);
        const data::Outcome flushed = disk.flush();
        if (!flushed.ok() && filled) {
            rows.reportOutcome(core::message::InsertError, flushed, true);
            filled = false;
        }
        relation.close();
    }
    // The holders keep it open as before.
    for (int i = 0; i < users; ++i)
        relation.open();
    return filled;
}

} // namespace nidora::reports
