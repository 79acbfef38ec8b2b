#pragma once

#include <cstdint>
#include <optional>

namespace nidora::data {
class AccessObject;
struct ACCESOS;
} // namespace nidora::data

// The rules that keep the practice from locking itself out of its users file: an administrator
// holds every right, and the last administrator can neither be deleted nor lose the right.
namespace nidora::shell {

inline constexpr int kAdministratorRight = 30;

inline constexpr const char* kKeepLastAdministratorOnDelete
    = "DEBE CREARSE OTRO USUARIO ADMINISTRADOR ANTES DE BORRAR ESTE";
inline constexpr const char* kKeepOneAdministrator
    = "DEBE HABER AL MENOS 1 USUARIO ADMINISTRADOR DEL SISTEMA";
inline constexpr const char* kBlankCode = "EL CÓDIGO DEL USUARIO NO PUEDE QUEDAR EN BLANCO";

// The administrators in the open users file, reading every record in code order; nothing when
// a read fails, so the caller keeps the count it had. Leaves the record buffer changed.
std::optional<int> countAdministrators(data::AccessObject& users);

bool isAdministrator(const data::ACCESOS& user);

// An administrator holds rights 1 to 29 as well.
void grantAdministratorRights(data::ACCESOS& user);

// Deleting the only administrator (or fewer counted) is not allowed: the form allows only Cancel.
bool deleteBlocked(int administratorCount, const data::ACCESOS& user, std::uint8_t request);

// Unticking the administrator right of a user who was the only administrator when the form
// opened is undone; a new user may be ticked and unticked freely.
bool removingLastAdministrator(
    int administratorCount, std::uint8_t openingRight, std::uint8_t request, const data::ACCESOS& user);

// The cancel of a users form asks to save when an insert or a change differs from its record as
// opened.
bool cancelAsksToSave(std::uint8_t request, bool changed);

} // namespace nidora::shell
