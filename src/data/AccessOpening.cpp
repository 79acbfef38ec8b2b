// Opening and closing an access object's file.
#include "data/AccessObject.h"

#include "core/ErrorManager.h"
#include "data/FileChecks.h"
#include "data/NewFolder.h"
#include "data/ScratchCopy.h"

namespace nidora::data {

namespace message = core::message;

namespace {

// How long an ordinary open waits for another connection's lock before it counts as denied,
// and how long it then gives a lock to be recovered or let go.
AccessObject::OpeningWaits openingWaits;

bool denied(const Outcome& outcome)
{
    return outcome.status == Status::AccessDenied || outcome.status == Status::Locked;
}

// Nothing is wrong with a file another station holds locked past the waits: it is the
// user's to wait for it, and the window that was opening it closes when they do not.
QString inUseText(const QString& file)
{
    return QStringLiteral("Otra estación está usando el archivo %1.\n¿Desea intentarlo de nuevo?").arg(file);
}

} // namespace

void AccessObject::setOpeningWaits(const OpeningWaits& waits)
{
    openingWaits = waits;
}

AccessObject::OpeningWaits AccessObject::defaultOpeningWaits()
{
    return OpeningWaits {};
}

QString AccessObject::diskFileName() const
{
    return copy_ ? copy_->fileName() : desc_.fileName();
}

int AccessObject::copy() const
{
    return copy_ ? copy_->number() : 0;
}

bool AccessObject::useOwnCopy()
{
    if (copy_)
        return true;
    std::unique_ptr<ScratchCopy> claimed = ScratchCopy::claim(desc_);
    if (!claimed)
        return false;
    // Whoever holds the shared file lets go of it and takes the copy instead.
    const int users = users_;
    for (int i = 0; i < users; ++i)
        close();
    copy_ = std::move(claimed);
    for (int i = 0; i < users; ++i)
        open();
    return true;
}

void AccessObject::dropOwnCopy()
{
    if (!copy_)
        return;
    while (users_ > 0)
        close();
    copy_.reset();
}

OpenOptions AccessObject::openOptions(std::chrono::milliseconds lockWait) const
{
    OpenOptions options;
    if (copy_)
        options.fileName = diskFileName();
    if (desc_.enciphered)
        options.password = QByteArray(kOwnerPassword);
    options.lockWait = lockWait;
    return options;
}

AccessResult AccessObject::open()
{
    if (users_ > 0) {
        ++users_;
        return AccessResult::Ok;
    }
    const AccessResult opened = openFile();
    if (opened == AccessResult::Ok) {
        BackgroundFileChecks::noteFileInUse(id_);
        users_ = 1;
        numbered_ = false;
        current_ = {};
    }
    return opened;
}

AccessResult AccessObject::openFile()
{
    for (;;) {
        Outcome last;
        const AccessResult opened = openAttempts(last);
        if (opened != AccessResult::Ok && last.status == Status::Locked) {
            if (errors_.ask(QStringLiteral("Archivo en uso"), inUseText(desc_.label)) == core::Answer::Yes)
                continue;
            return report(message::OpenError, errorArgs(last), false);
        }
        return opened;
    }
}

AccessResult AccessObject::openAttempts(Outcome& last)
{
    OpenMode mode = OpenMode::ReadWrite;
    if (const Outcome created = createMissingInNewFolder(desc_, openOptions(openingWaits.usual));
        !created.ok())
        return reportOutcome(message::CreateError, created, true);
    for (int attempt = 0; attempt < 2; ++attempt) {
        DataFile::Opened opened = DataFile::open(desc_, mode, openOptions(openingWaits.usual));
        if (denied(opened.outcome)) {
            // A lock left by a process that has ended is recovered on the next open; one
            // still held is waited for up to the recovery time.
            opened = DataFile::open(desc_, mode, openOptions(openingWaits.recovery));
            if (denied(opened.outcome) && mode == OpenMode::ReadWrite) {
                last = opened.outcome;
                reportOutcome(message::ReadOnlyAccess, opened.outcome, true);
                mode = OpenMode::ReadOnly;
                continue;
            }
        }
        last = opened.outcome;
        if (opened.outcome.ok()) {
            file_ = std::move(opened.file);
            return AccessResult::Ok;
        }
        if (opened.created)
            return reportOutcome(message::CreateError, opened.outcome, true);
        if (opened.outcome.status != Status::KeysDamaged)
            break;
        reportOutcome(message::InvalidKey, opened.outcome, true);
        const Outcome rebuilt = DataFile::rebuildKeys(desc_, openOptions(openingWaits.usual));
        if (!rebuilt.ok())
            return reportOutcome(message::KeyRebuildError, rebuilt, true);
    }
    // Still locked by another station: not told here (openFile asks whether to wait on).
    if (last.status == Status::Locked)
        return AccessResult::Failed;
    return reportOutcome(message::OpenError, last.status == Status::Damaged ? damagedFile(last) : last, true);
}

void AccessObject::close()
{
    if (users_ == 0)
        return;
    if (--users_ == 0) {
        file_.reset();
        order_ = nullptr;
        from_ = Position {};
    }
}

} // namespace nidora::data
