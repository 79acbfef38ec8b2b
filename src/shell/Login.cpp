#include "shell/Login.h"

#include "data/AccessBuffer.h"
#include "data/Dictionary.h"
#include "data/ReferenceRecords.h"
#include "shell/UserRules.h"

#include <limits>

namespace nidora::shell {

namespace {

QString withoutTrailingSpaces(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

} // namespace

LoginCheck::LoginCheck(data::Dictionary& data, views::ProgramGlobals& globals)
    : data_(data)
    , users_(data.access<data::ACCESOS>())
    , globals_(globals)
    , opened_(users_.open() == data::AccessResult::Ok)
{
}

LoginCheck::~LoginCheck()
{
    if (opened_)
        users_.close();
}

// Asked at each use rather than once: the file is read only when the password is typed.
bool LoginCheck::masterPasswordOpens()
{
    if (!opened_)
        return false;
    const std::optional<int> administrators = countAdministrators(users_);
    return administrators && *administrators == 0;
}

bool LoginCheck::usersReadable()
{
    const data::Outcome read = users_.file()->page(nullptr, {}, data::Direction::Forward,
        std::numeric_limits<int>::max(), [](const data::RecordRef&, const data::Record&) {});
    return read.ok();
}

bool LoginCheck::usersFileSound()
{
    if (!checked_) {
        checked_ = true;
        const data::Outcome found = users_.file()->checkIntegrity();
        // Damaged keys are mended (message 30) and the file is sound again.
        sound_ = found.ok()
            || (found.status == data::Status::KeysDamaged && users_.mend(found) == data::AccessResult::Ok);
    }
    return sound_;
}

LoginOutcome LoginCheck::accept(const QString& typedCode)
{
    globals_.LoggedIn = 0;
    if (opened_ && (!usersFileSound() || !usersReadable()))
        return LoginOutcome::Damaged;
    if (withoutTrailingSpaces(typedCode) == QString::fromUtf8(kMasterPassword) && masterPasswordOpens()) {
        globals_.LoggedIn = 1;
        globals_.grantAllRights();
        return LoginOutcome::LoggedIn;
    }
    auto& user = data_.buffer<data::ACCESOS>();
    data::clearRecord(users_.desc(), user);
    user.CLAVE = typedCode;
    if (opened_ && users_.tryFetch(users_.key("ACC:KCLAVE")) == data::AccessResult::Ok) {
        globals_.AccessRights = user.PUERTAS;
        globals_.LoggedIn = 1;
        globals_.CurrentUserName = user.NOMBRE.leftJustified(30, u' ', true);
        return LoginOutcome::LoggedIn;
    }
    ++failures_;
    return failures_ >= kAttempts ? LoginOutcome::GaveUp : LoginOutcome::Refused;
}

} // namespace nidora::shell
