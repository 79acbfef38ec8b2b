// What an access object does when the storage finds its file damaged.
#include "data/AccessObject.h"

#include "core/ErrorManager.h"
#include "data/KeyRebuilds.h"

#include <utility>

namespace nidora::data {

namespace message = core::message;

namespace {

// The program cannot mend damaged records; the practice's backup can.
constexpr const char* kDamagedFile = "el archivo está dañado y debe restaurarse desde una copia de seguridad";

} // namespace

Outcome AccessObject::damagedFile(const Outcome& outcome)
{
    Outcome told = outcome;
    told.text = QString::fromUtf8(kDamagedFile) + QStringLiteral(": ") + outcome.text;
    return told;
}

AccessResult AccessObject::damaged(int number, const Outcome& outcome)
{
    damage_ = Damage { number, outcome };
    if (file_->inTransaction()) {
        // The transaction still holds the file, and after damage SQLite lets it write no
        // more: the file is examined once the transaction has been rolled back.
        errors_.setLastError({ 0, outcome.code, outcome.text, desc_.label, {}, {} });
        return AccessResult::Failed;
    }
    return mendDamage();
}

AccessResult AccessObject::mendDamage()
{
    if (!damage_ || !file_ || file_->inTransaction())
        return AccessResult::Ok;
    const Damage damage = *std::exchange(damage_, std::nullopt);
    const Outcome found = file_->examine(damage.outcome);
    // Nothing wrong here: the damage lay in another file of a transaction, which is examined
    // when its own failure is told. This failure is told as it came.
    if (found.ok())
        return report(damage.message, errorArgs(damage.outcome), true);
    // Mended, the keys are sound again; the operation that met them failed and may be retried.
    const AccessResult mended = mend(found);
    return mended == AccessResult::Ok ? AccessResult::Failed : mended;
}

AccessResult AccessObject::mend(const Outcome& found)
{
    if (found.status != Status::KeysDamaged)
        return report(message::OpenError, errorArgs(damagedFile(found)), true);
    report(message::InvalidKey, errorArgs(found), true);
    const Outcome rebuilt = file_->rebuildKeys();
    if (!rebuilt.ok())
        return report(message::KeyRebuildError, errorArgs(rebuilt), true);
    ++keyRebuilds_;
    noteKeysRebuilt(id_);
    return AccessResult::Ok;
}

AccessResult AccessObject::checkWhole()
{
    if (!requireOpen(true))
        return AccessResult::Failed;
    const Outcome found = file_->checkIntegrity();
    return found.ok() ? AccessResult::Ok : mend(found);
}

} // namespace nidora::data
