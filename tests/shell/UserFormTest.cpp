#include "UsersFile.h"

#include "shell/ThreadDataHooks.h"
#include "shell/USUARIOS_Ficha.h"
#include "shell/UserRules.h"
#include "views/ProgramGlobals.h"

#include "core/ErrorManager.h"
#include "data/Dictionary.h"
#include "data/ReferenceRecords.h"
#include "driver/WindowDriver.h"
#include "framework/CloseDown.h"
#include "framework/MessageBoxes.h"
#include "framework/Requests.h"
#include "framework/Scheduler.h"
#include "framework/Window.h"
#include "shell/ThreadDataFixture.h"
#include "support/ScratchDirectory.h"

#include <QCheckBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <optional>

namespace nidora::shell {
namespace {

// The users form called on a logical thread with one user loaded, as the users list calls it.
class UserFormTest : public ::testing::Test {
protected:
    nidora::test::ScratchDirectory scratch;
    framework::Scheduler scheduler;
    test::ProgramThreadData threadData { scheduler };
    nidora::test::WindowDriver driver;
    std::optional<int> response;
    framework::MessageBoxPresenter messageBoxes;

    UserFormTest()
    {
        core::AppErrorManager.setPresenter(&messageBoxes);
        views::AppGlobals = views::ProgramGlobals {};
        core::AppErrorManager.setThreadNumberProvider(&framework::CurrentThreadNumber);
        test::addUser("jefa", "Jefa", { 30 });
        test::addUser("ana", "Ana", { 1 });
    }
    ~UserFormTest() override
    {
        if (!response)
            driver.close(driver.find(QStringLiteral("?OK"))->window()->windowTitle());
        core::AppErrorManager.setThreadNumberProvider([] { return 1; });
        core::AppErrorManager.setPresenter(nullptr);
    }

    // Loads the user of that code (none: a new, primed user) and calls the form.
    void callForm(std::uint8_t request, const char* code = nullptr)
    {
        driver.start([this, request, code] {
            data::Dictionary& data = views::threadDictionary();
            auto& users = data.access<data::ACCESOS>();
            users.open();
            users.prime();
            if (code != nullptr) {
                data.buffer<data::ACCESOS>().CLAVE = QString::fromUtf8(code);
                users.fetch(users.key("ACC:KCLAVE"));
            }
            response = framework::callWithRequest(request, USUARIOS_Ficha);
            users.close();
        });
    }

    QCheckBox* box(int right) const
    {
        return qobject_cast<QCheckBox*>(driver.find(QStringLiteral("?ACC:PUERTAS_%1").arg(right)));
    }

    static QString storedName(const char* code)
    {
        data::Dictionary data;
        auto& users = data.access<data::ACCESOS>();
        users.open();
        data.buffer<data::ACCESOS>().CLAVE = QString::fromUtf8(code);
        const bool found = users.fetch(users.key("ACC:KCLAVE")) == data::AccessResult::Ok;
        users.close();
        return found ? data.buffer<data::ACCESOS>().NOMBRE : QString();
    }
};

TEST_F(UserFormTest, TheOnlyAdministratorCannotBeDeleted)
{
    views::AppGlobals.AdministratorCount = 1;
    callForm(DeleteRecord, "jefa");
    ASSERT_TRUE(driver.answer(QString::fromUtf8(kKeepLastAdministratorOnDelete), QStringLiteral("OK")));
    EXPECT_FALSE(driver.find(QStringLiteral("?OK"))->isEnabled());
    driver.click(QStringLiteral("?CANCEL"));
    ASSERT_TRUE(driver.runUntil([this] { return response.has_value(); }));
    EXPECT_EQ(*response, 2);
    EXPECT_EQ(storedName("jefa"), QStringLiteral("Jefa"));
}

TEST_F(UserFormTest, UntickingTheOnlyAdministratorIsUndoneButOneOfTwoMayLoseTheRight)
{
    views::AppGlobals.AdministratorCount = 1;
    callForm(ChangeRecord, "jefa");
    driver.click(QStringLiteral("?ACC:PUERTAS_30"));
    ASSERT_TRUE(driver.answer(QString::fromUtf8(kKeepOneAdministrator), QStringLiteral("OK")));
    driver.settle();
    EXPECT_TRUE(box(30)->isChecked());
    EXPECT_FALSE(box(1)->isEnabled());
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(driver.runUntil([this] { return response.has_value(); }));

    response.reset();
    views::AppGlobals.AdministratorCount = 2;
    callForm(ChangeRecord, "jefa");
    driver.click(QStringLiteral("?ACC:PUERTAS_30"));
    EXPECT_EQ(driver.messageBox(QString::fromUtf8(kKeepOneAdministrator)), nullptr);
    EXPECT_FALSE(box(30)->isChecked());
    EXPECT_TRUE(box(1)->isEnabled());
    EXPECT_TRUE(box(1)->isChecked()) << "the rights an administrator held stay";
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(driver.runUntil([this] { return response.has_value(); }));
    EXPECT_EQ(*response, 1);
}

TEST_F(UserFormTest, TickingAdministratorOnANewUserTicksAndFixesTheOtherBoxes)
{
    views::AppGlobals.AdministratorCount = 1;
    callForm(InsertRecord);
    EXPECT_EQ(driver.find(QStringLiteral("?OK"))->window()->windowTitle(),
        QStringLiteral("Agregando un Registro a USUARIOS"));
    driver.click(QStringLiteral("?ACC:PUERTAS_30"));
    for (int right = 1; right <= 6; ++right) {
        EXPECT_TRUE(box(right)->isChecked()) << right;
        EXPECT_FALSE(box(right)->isEnabled()) << right;
    }
    driver.click(QStringLiteral("?ACC:PUERTAS_30"));
    EXPECT_EQ(driver.messageBox(QString::fromUtf8(kKeepOneAdministrator)), nullptr) << "it opened unticked";
    EXPECT_TRUE(box(1)->isEnabled());
    EXPECT_TRUE(box(1)->isChecked());
}

TEST_F(UserFormTest, ABlankCodeIsRefusedAndTheFormStaysOpenUntilOneIsTyped)
{
    views::AppGlobals.AdministratorCount = 1;
    // OK itself, and Yes to saving when the changed form is cancelled, both meet the check.
    for (const bool throughCancel : { false, true }) {
        response.reset();
        callForm(InsertRecord);
        driver.type(QStringLiteral("?ACC:CLAVE"), QStringLiteral("   "));
        driver.type(QStringLiteral("?ACC:NOMBRE"), QStringLiteral("Sin código"));
        if (throughCancel) {
            driver.click(QStringLiteral("?CANCEL"));
            ASSERT_TRUE(driver.answer(
                QStringLiteral("Do you want to save the changes to this record?"), QStringLiteral("&Yes")));
        } else {
            driver.click(QStringLiteral("?OK"));
        }
        ASSERT_TRUE(driver.answer(QString::fromUtf8(kBlankCode), QStringLiteral("OK"))) << throughCancel;
        driver.settle();
        EXPECT_FALSE(response.has_value()) << "the form stays open";
        QWidget* code = driver.find(QStringLiteral("?ACC:CLAVE"));
        EXPECT_EQ(code->window()->focusWidget(), code);

        driver.type(
            QStringLiteral("?ACC:CLAVE"), throughCancel ? QStringLiteral("luz") : QStringLiteral("sol"));
        driver.click(QStringLiteral("?OK"));
        ASSERT_TRUE(driver.runUntil([this] { return response.has_value(); }));
        EXPECT_EQ(*response, 1);
        EXPECT_EQ(storedName(throughCancel ? "luz" : "sol"), QStringLiteral("Sin código"));
    }
}

TEST_F(UserFormTest, CancellingAChangedFormAsksToSaveAndAnUnchangedOneClosesAtOnce)
{
    struct Case {
        const char* button; // the answer to the question, "" when none is expected
        const char* typed; // over the name as the case before left it
        const char* stored;
        int response;
    };
    for (const Case c : { Case { "&No", "Ana María", "Ana", 2 }, Case { "&Yes", "Ana María", "Ana María", 1 },
             Case { "", "Ana María", "Ana María", 2 } }) {
        response.reset();
        callForm(ChangeRecord, "ana");
        driver.type(QStringLiteral("?ACC:NOMBRE"), QString::fromUtf8(c.typed));
        driver.click(QStringLiteral("?CANCEL"));
        const QString question = QStringLiteral("Do you want to save the changes to this record?");
        if (*c.button != '\0')
            EXPECT_TRUE(driver.answer(question, QString::fromUtf8(c.button))) << c.button;
        else
            EXPECT_EQ(driver.messageBox(question), nullptr);
        ASSERT_TRUE(driver.runUntil([this] { return response.has_value(); })) << c.typed << c.button;
        EXPECT_EQ(*response, c.response) << c.button;
        EXPECT_EQ(storedName("ana"), QString::fromUtf8(c.stored)) << c.button;
    }
}

TEST_F(UserFormTest, CancelToTheQuestionStaysOnTheCodeAndTheCloseBoxAsksAgain)
{
    const QString question = QStringLiteral("Do you want to save the changes to this record?");
    callForm(ChangeRecord, "ana");
    driver.type(QStringLiteral("?ACC:NOMBRE"), QStringLiteral("Ana María"));
    driver.click(QStringLiteral("?CANCEL"));
    ASSERT_TRUE(driver.answer(question, QStringLiteral("Cancel")));
    driver.settle();
    EXPECT_FALSE(response.has_value()) << "the form stays open";
    QWidget* code = driver.find(QStringLiteral("?ACC:CLAVE"));
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(code->window()->focusWidget(), code) << "the focus is back on the first control";

    driver.close(QStringLiteral("Cambiando un Registro de USUARIOS"));
    ASSERT_TRUE(driver.answer(question, QStringLiteral("&No")));
    ASSERT_TRUE(driver.runUntil([this] { return response.has_value(); }));
    EXPECT_EQ(*response, 2);
    EXPECT_EQ(storedName("ana"), QStringLiteral("Ana"));
}

// Closing the program asks the same question: Cancel keeps the form, and the program, open.
TEST_F(UserFormTest, ClosingTheProgramAsksFirstAndCancelKeepsItOpen)
{
    const QString question = QStringLiteral("Do you want to save the changes to this record?");
    callForm(ChangeRecord, "ana");
    driver.type(QStringLiteral("?ACC:NOMBRE"), QStringLiteral("Ana María"));
    for (const char* button : { "Cancel", "&Yes" }) {
        std::optional<bool> closedDown;
        driver.start([&closedDown] { closedDown = framework::closeOtherThreadsWindows(); });
        ASSERT_TRUE(driver.answer(question, QString::fromUtf8(button))) << button;
        ASSERT_TRUE(driver.runUntil([&] { return closedDown.has_value(); })) << button;
        EXPECT_EQ(*closedDown, *button == '&') << button;
    }
    ASSERT_TRUE(driver.runUntil([this] { return response.has_value(); }));
    EXPECT_EQ(*response, 1);
    EXPECT_EQ(storedName("ana"), QStringLiteral("Ana María"));
}

} // namespace
} // namespace nidora::shell
