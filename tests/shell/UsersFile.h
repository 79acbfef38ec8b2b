#pragma once

#include "data/Dictionary.h"
#include "data/ReferenceRecords.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace nidora::shell::test {

// Writes one user into the working directory's users file, as the users list would have.
inline void addUser(const char* code, const char* name, std::initializer_list<int> rights)
{
    data::Dictionary data;
    auto& users = data.access<data::ACCESOS>();
    ASSERT_EQ(users.open(), data::AccessResult::Ok);
    auto& user = data.buffer<data::ACCESOS>();
    user.CLAVE = QString::fromUtf8(code);
    user.NOMBRE = QString::fromUtf8(name);
    for (int right : rights)
        user.PUERTAS[std::size_t(right - 1)] = 1;
    ASSERT_EQ(users.insert(), data::AccessResult::Ok);
    users.close();
}

} // namespace nidora::shell::test
