#include "CaseName.h"
#include "UsersFile.h"

#include "shell/UserRules.h"

#include "data/Dictionary.h"
#include "data/ReferenceRecords.h"
#include "framework/Requests.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <ostream>

namespace nidora::shell {
namespace {

data::ACCESOS userWithAdministratorRight(bool administrator)
{
    data::ACCESOS user;
    user.PUERTAS[29] = administrator ? 1 : 0;
    return user;
}

TEST(UserRules, AdministratorsAreCountedOverTheWholeFile)
{
    nidora::test::ScratchDirectory scratch;
    data::Dictionary data;
    auto& users = data.access<data::ACCESOS>();
    ASSERT_EQ(users.open(), data::AccessResult::Ok);
    EXPECT_EQ(countAdministrators(users), 0) << "a new installation";
    users.close();

    test::addUser("zoe", "Zoe", { 30 });
    test::addUser("ana", "Ana", { 1, 2, 3 });
    test::addUser("Beto", "Beto", { 1, 30 });
    ASSERT_EQ(users.open(), data::AccessResult::Ok);
    EXPECT_EQ(countAdministrators(users), 2);
    users.close();
}

TEST(UserRules, AnAdministratorHoldsEveryOtherRight)
{
    data::ACCESOS user;
    user.PUERTAS[29] = 1;
    grantAdministratorRights(user);
    for (int right = 1; right <= 30; ++right)
        EXPECT_EQ(user.PUERTAS[std::size_t(right - 1)], 1) << right;
}

struct LastAdministratorCase {
    const char* name;
    int administratorCount;
    std::uint8_t openingRight; // the user's right 30 as the form opened
    bool nowAdministrator;
    std::uint8_t request;
    bool deleteBlocked;
    bool untickUndone;
};

void PrintTo(const LastAdministratorCase& c, std::ostream* os)
{
    *os << c.name;
}

class LastAdministratorTest : public ::testing::TestWithParam<LastAdministratorCase> { };

TEST_P(LastAdministratorTest, TheOnlyAdministratorCanNeitherBeDeletedNorLoseTheRight)
{
    const LastAdministratorCase& c = GetParam();
    const data::ACCESOS user = userWithAdministratorRight(c.nowAdministrator);
    const data::ACCESOS asOpened = userWithAdministratorRight(c.openingRight == 1);
    EXPECT_EQ(deleteBlocked(c.administratorCount, asOpened, c.request), c.deleteBlocked);
    EXPECT_EQ(
        removingLastAdministrator(c.administratorCount, c.openingRight, c.request, user), c.untickUndone);
}

INSTANTIATE_TEST_SUITE_P(Cases, LastAdministratorTest,
    ::testing::Values(
        LastAdministratorCase { "the only administrator, deleted", 1, 1, true, DeleteRecord, true, false },
        LastAdministratorCase { "the only administrator, unticked", 1, 1, false, ChangeRecord, false, true },
        LastAdministratorCase {
            "one of two administrators, deleted", 2, 1, true, DeleteRecord, false, false },
        LastAdministratorCase {
            "one of two administrators, unticked", 2, 1, false, ChangeRecord, false, false },
        LastAdministratorCase { "a plain user, deleted", 1, 0, false, DeleteRecord, false, false },
        LastAdministratorCase { "a new user ticked then unticked", 1, 0, false, InsertRecord, false, false },
        LastAdministratorCase {
            "the first administrator of an empty file", 0, 1, false, ChangeRecord, false, true },
        LastAdministratorCase {
            "the only administrator, still ticked", 1, 1, true, ChangeRecord, false, false }),
    test::CaseName {});

TEST(UserRules, CancelAsksToSaveOnlyAChangedInsertOrChange)
{
    struct Case {
        std::uint8_t request;
        bool changed;
        bool asks;
    };
    for (const Case c : { Case { InsertRecord, true, true }, Case { ChangeRecord, true, true },
             Case { ChangeRecord, false, false }, Case { InsertRecord, false, false },
             Case { DeleteRecord, true, false }, Case { ViewRecord, true, false } })
        EXPECT_EQ(cancelAsksToSave(c.request, c.changed), c.asks)
            << int(c.request) << " changed " << c.changed;
}

} // namespace
} // namespace nidora::shell
