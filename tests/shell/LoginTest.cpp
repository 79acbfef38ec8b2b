#include "shell/Login.h"

#include "core/ErrorManager.h"
#include "data/Dictionary.h"
#include "data/ReferenceRecords.h"
#include "support/FileFaults.h"
#include "support/ScratchDirectory.h"
#include "support/ScriptedPresenter.h"

#include <gtest/gtest.h>

#include <vector>

namespace nidora::shell {
namespace {

// A users file with one user, "ANA", who may see patients and the agenda.
class LoginTest : public ::testing::Test {
protected:
    nidora::test::ScratchDirectory scratch;
    nidora::test::ScriptedPresenter presenter;
    core::ErrorManager errors;
    data::Dictionary data { errors };
    views::ProgramGlobals globals;

    LoginTest() { errors.setPresenter(&presenter); }

    void addAna()
    {
        auto& users = data.access<data::ACCESOS>();
        ASSERT_EQ(users.open(), data::AccessResult::Ok);
        auto& user = data.buffer<data::ACCESOS>();
        user.CLAVE = QStringLiteral("ANA");
        user.NOMBRE = QStringLiteral("Ana Pérez");
        user.PUERTAS[0] = 1;
        user.PUERTAS[3] = 1;
        ASSERT_EQ(users.insert(), data::AccessResult::Ok);
        users.close();
    }

    std::vector<LoginOutcome> typeCodes(std::initializer_list<const char*> codes)
    {
        LoginCheck login(data, globals);
        std::vector<LoginOutcome> outcomes;
        for (const char* code : codes)
            outcomes.push_back(login.accept(QString::fromUtf8(code)));
        return outcomes;
    }
};

using O = LoginOutcome;

TEST_F(LoginTest, TheMasterPasswordGrantsEveryRightAndLeavesTheNameBlank)
{
    for (const char* typed : { "kwrt519", "kwrt519   " }) {
        globals = views::ProgramGlobals {};
        EXPECT_EQ(typeCodes({ typed }), std::vector<O> { O::LoggedIn }) << typed;
        EXPECT_EQ(globals.LoggedIn, 1);
        for (int right = 1; right <= 30; ++right)
            EXPECT_TRUE(globals.hasRight(right)) << right;
        EXPECT_EQ(globals.CurrentUserName, views::blankText(30));
    }
    EXPECT_TRUE(presenter.shown().empty()) << "a new installation's empty users file is no error";
}

TEST_F(LoginTest, AUserCodeInAnyLetterCaseLogsInWithTheStoredRightsAndName)
{
    addAna();
    EXPECT_EQ(typeCodes({ "ana" }), std::vector<O> { O::LoggedIn });
    EXPECT_EQ(globals.LoggedIn, 1);
    std::vector<int> granted;
    for (int right = 1; right <= 30; ++right) {
        if (globals.hasRight(right))
            granted.push_back(right);
    }
    EXPECT_EQ(granted, (std::vector<int> { 1, 4 }));
    EXPECT_EQ(globals.CurrentUserName, QStringLiteral("Ana Pérez").leftJustified(30));
}

TEST_F(LoginTest, CodesThatFindNoUserAreRefusedSilentlyAndTheThirdGivesUp)
{
    addAna();
    EXPECT_EQ(typeCodes({ "KWRT519", "", "luis" }), (std::vector<O> { O::Refused, O::Refused, O::GaveUp }))
        << "the master password in capitals is a user code; a blank code finds nobody";
    EXPECT_EQ(globals.LoggedIn, 0);
    EXPECT_FALSE(globals.hasRight(1));
    EXPECT_TRUE(presenter.shown().empty());
}

TEST_F(LoginTest, TwoWrongCodesThenARightOneLogIn)
{
    addAna();
    EXPECT_EQ(typeCodes({ "x", "y", "Ana" }), (std::vector<O> { O::Refused, O::Refused, O::LoggedIn }));
    EXPECT_EQ(globals.LoggedIn, 1);
}

TEST_F(LoginTest, AUserWithNoRightsStillLogsIn)
{
    auto& users = data.access<data::ACCESOS>();
    ASSERT_EQ(users.open(), data::AccessResult::Ok);
    data.buffer<data::ACCESOS>().CLAVE = QStringLiteral("nadie");
    ASSERT_EQ(users.insert(), data::AccessResult::Ok);
    users.close();
    globals.grantAllRights();
    EXPECT_EQ(typeCodes({ "NADIE" }), std::vector<O> { O::LoggedIn });
    EXPECT_FALSE(globals.hasRight(1)) << "rights are the user's, not left over";
}

// A damaged key of the users file would refuse a valid user as an unknown code: the file is
// checked before the first code is looked up, and its keys rebuilt.
TEST_F(LoginTest, ADamagedKeyOfTheUsersFileIsRebuiltBeforeTheFirstCodeIsLookedUp)
{
    addAna();
    auto& users = data.access<data::ACCESOS>();
    ASSERT_EQ(users.open(), data::AccessResult::Ok);
    for (const char* code : { "BETO", "CARLA" }) {
        data.buffer<data::ACCESOS>() = data::ACCESOS {};
        data.buffer<data::ACCESOS>().CLAVE = QString::fromUtf8(code);
        ASSERT_EQ(users.insert(), data::AccessResult::Ok);
    }
    users.close();
    // The last bytes of the key's page: the end of an entry, its code's hash and its record.
    const QString file = QStringLiteral("ACCESOS.QVM");
    const nidora::test::FileTree tree = nidora::test::treeOf(file, QStringLiteral("ACC:KCLAVE"));
    ASSERT_EQ(tree.pages.size(), 1u);
    nidora::test::flipBytes(file, nidora::test::pageStart(tree, tree.pages.front()) + tree.pageSize - 4, 4);

    presenter.answer(core::Answer::Ok);
    LoginCheck login(data, globals);
    for (const char* code : { "ana", "beto", "carla" })
        EXPECT_EQ(login.accept(QString::fromUtf8(code)), O::LoggedIn) << code;
    EXPECT_EQ(login.accept(QStringLiteral("nadie")), O::Refused);
    ASSERT_EQ(presenter.shown().size(), 1u);
    EXPECT_EQ(presenter.shown().front().number, 30);
    EXPECT_EQ(
        presenter.shown().front().text, QStringLiteral("ACCESOS key file is invalid. Key must be rebuilt."));
}

// Damaged records of the users file: the login says so and lets nobody in.
TEST_F(LoginTest, DamagedRecordsOfTheUsersFileLetNobodyIn)
{
    addAna();
    const QString file = QStringLiteral("ACCESOS.QVM");
    const nidora::test::FileTree tree = nidora::test::treeOf(file, QStringLiteral("records"));
    ASSERT_FALSE(tree.pages.empty());
    nidora::test::flipBytes(file, nidora::test::pageStart(tree, tree.pages.front()), 4);

    EXPECT_EQ(typeCodes({ "ana", "kwrt519" }), (std::vector<O> { O::Damaged, O::Damaged }));
    EXPECT_EQ(globals.LoggedIn, 0);
}

} // namespace
} // namespace nidora::shell
