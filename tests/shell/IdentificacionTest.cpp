#include "CaseName.h"
#include "UsersFile.h"

#include "shell/Identificacion.h"
#include "shell/Login.h"
#include "views/ProgramGlobals.h"

#include "core/ErrorManager.h"
#include "driver/WindowDriver.h"
#include "framework/Scheduler.h"
#include "shell/ThreadDataFixture.h"
#include "support/ExchangeColumn.h"
#include "support/ScratchDirectory.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace nidora::shell {
namespace {

struct LoginCase {
    const char* name;
    bool administratorExists; // besides "Ana", who may see patients and the agenda
    std::vector<const char*> typed;
    bool loggedIn;
    bool windowClosed;
    bool allRights;
};

void PrintTo(const LoginCase& c, std::ostream* os)
{
    *os << c.name;
}

// The login window on a logical thread of its own, over a users file in a scratch directory.
class IdentificacionTest : public ::testing::Test {
protected:
    nidora::test::ScratchDirectory scratch;
    framework::Scheduler scheduler;
    test::ProgramThreadData threadData { scheduler };
    nidora::test::WindowDriver driver;
    bool ended = false;

    IdentificacionTest()
    {
        views::AppGlobals = views::ProgramGlobals {};
        core::AppErrorManager.setThreadNumberProvider(&framework::CurrentThreadNumber);
    }
    ~IdentificacionTest() override
    {
        closeLogin();
        core::AppErrorManager.setThreadNumberProvider([] { return 1; });
    }

    void startLogin()
    {
        driver.start([this] {
            Identificacion();
            ended = true;
        });
    }

    // As the window's close box does.
    void closeLogin()
    {
        if (QWidget* entry = driver.find(QStringLiteral("?CODIGO")))
            entry->window()->close();
        driver.runUntil([this] { return ended; });
    }

    void typeAndOk(const char* code)
    {
        driver.type(QStringLiteral("?CODIGO"), QString::fromUtf8(code));
        driver.click(QStringLiteral("?OK"));
        driver.settle();
    }
};

class LoginCodesTest : public IdentificacionTest, public ::testing::WithParamInterface<LoginCase> { };

TEST_P(LoginCodesTest, EachCodeTypedDecidesWhoLogsInAndWhenTheWindowCloses)
{
    const LoginCase& c = GetParam();
    test::addUser("Ana", "Ana Pérez", { 1, 4 });
    if (c.administratorExists)
        test::addUser("jefe", "Jefa de la consulta", { 30 });
    startLogin();
    for (const char* code : c.typed)
        typeAndOk(code);
    EXPECT_EQ(views::AppGlobals.LoggedIn, c.loggedIn ? 1 : 0);
    EXPECT_EQ(ended, c.windowClosed);
    EXPECT_EQ(views::AppGlobals.hasRight(30), c.allRights);
    if (!ended) {
        auto* entry = qobject_cast<QLineEdit*>(driver.find(QStringLiteral("?CODIGO")));
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->window()->focusWidget(), entry) << "the focus is back on the code";
        EXPECT_EQ(entry->text(), QString::fromUtf8(c.typed.back()).trimmed()) << "the typed text stays";
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, LoginCodesTest,
    ::testing::Values(
        LoginCase { "master password on a new installation", false, { "kwrt519" }, true, true, true },
        LoginCase { "master password with trailing spaces", false, { "kwrt519   " }, true, true, true },
        LoginCase { "master password in capitals is a user code", false, { "KWRT519" }, false, false, false },
        LoginCase { "user code in other letter case", false, { "aNA" }, true, true, false },
        LoginCase { "empty entry finds nobody", false, { "" }, false, false, false },
        LoginCase { "two failures then success", false, { "x", "", "ana" }, true, true, false },
        LoginCase { "three failures end the login", false, { "x", "y", "z" }, false, true, false },
        LoginCase { "master password refused once an administrator exists", true, { "kwrt519" }, false, false,
            false },
        LoginCase { "the administrator's own code", true, { "JEFE" }, true, true, true }),
    test::CaseName {});

TEST_F(IdentificacionTest, TheUserIsLoggedInWithTheStoredRightsAndNameAndTheCodeIsMasked)
{
    test::addUser("Ana", "Ana Pérez", { 1, 4 });
    startLogin();
    auto* entry = qobject_cast<QLineEdit*>(driver.find(QStringLiteral("?CODIGO")));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->echoMode(), QLineEdit::Password);
    typeAndOk("ana");
    ASSERT_TRUE(ended);
    std::vector<int> granted;
    for (int right = 1; right <= 30; ++right) {
        if (views::AppGlobals.hasRight(right))
            granted.push_back(right);
    }
    EXPECT_EQ(granted, (std::vector<int> { 1, 4 }));
    EXPECT_EQ(views::AppGlobals.CurrentUserName, QStringLiteral("Ana Pérez").leftJustified(30));
}

// Two users' code hashes exchanged make the users file unreadable: whatever is typed, the
// login says so and lets nobody in, not the administrator and not the master password.
TEST_F(IdentificacionTest, AUsersFileThatCannotBeReadIsToldAndLetsNobodyIn)
{
    test::addUser("jefe", "Jefa de la consulta", { 30 });
    test::addUser("Ana", "Ana Pérez", { 1, 4 });
    nidora::test::exchangeColumn(QStringLiteral("ACCESOS.QVM"), "_key_0", 1, 2);
    for (const char* code : { "jefe", "ana", "kwrt519" }) {
        ended = false;
        startLogin();
        typeAndOk(code);
        EXPECT_TRUE(driver.answer(QString::fromUtf8(kDamagedUsersFile), QStringLiteral("OK"))) << code;
        driver.runUntil([this] { return ended; });
        EXPECT_TRUE(ended) << code;
        EXPECT_EQ(views::AppGlobals.LoggedIn, 0) << code;
        EXPECT_FALSE(views::AppGlobals.hasRight(30)) << code;
    }
}

TEST_F(IdentificacionTest, ClosingTheWindowWithoutALoginLeavesNobodyLoggedIn)
{
    startLogin();
    typeAndOk("nadie");
    closeLogin();
    ASSERT_TRUE(ended);
    EXPECT_EQ(views::AppGlobals.LoggedIn, 0);
}

} // namespace
} // namespace nidora::shell
