#include "shell/UserRules.h"

#include "data/AccessObject.h"
#include "data/ReferenceRecords.h"
#include "framework/Requests.h"

namespace nidora::shell {

std::optional<int> countAdministrators(data::AccessObject& users)
{
    auto& user = static_cast<data::ACCESOS&>(users.buffer());
    users.setOrder(&users.key("ACC:KCLAVE"));
    int count = 0;
    for (;;) {
        const data::AccessResult read = users.next();
        if (read == data::AccessResult::NotFound)
            return count;
        if (read != data::AccessResult::Ok)
            return std::nullopt;
        count += isAdministrator(user) ? 1 : 0;
    }
}

bool isAdministrator(const data::ACCESOS& user)
{
    return user.PUERTAS[kAdministratorRight - 1] != 0;
}

void grantAdministratorRights(data::ACCESOS& user)
{
    for (int right = 1; right < kAdministratorRight; ++right)
        user.PUERTAS[std::size_t(right - 1)] = 1;
}

bool deleteBlocked(int administratorCount, const data::ACCESOS& user, std::uint8_t request)
{
    return administratorCount < 2 && isAdministrator(user) && request == DeleteRecord;
}

bool removingLastAdministrator(
    int administratorCount, std::uint8_t openingRight, std::uint8_t request, const data::ACCESOS& user)
{
    return administratorCount < 2 && openingRight == 1 && request != InsertRecord && !isAdministrator(user);
}

bool cancelAsksToSave(std::uint8_t request, bool changed)
{
    return changed && (request == InsertRecord || request == ChangeRecord);
}

} // namespace nidora::shell
