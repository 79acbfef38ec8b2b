#include "WindowTestSupport.h"

#include "core/PictureInput.h"
#include "framework/ControlLabels.h"
#include "framework/MessageBoxes.h"

#include <QApplication>
#include <QLineEdit>

#include <gmock/gmock.h>

namespace nidora::framework::test {
namespace {

using ::testing::ElementsAre;

TEST_F(WindowsTest, HandlerAnswersDecideWhatRunsNext)
{
    struct Case {
        int accepted;
        bool fieldEventRuns;
        bool loopEnds;
    };
    for (const Case c : { Case { handled::GoOn, true, false }, Case { handled::Consumed, false, false },
             Case { handled::EndLoop, false, true } }) {
        log.clear();
        bool ended = false;
        driver.start([&] {
            SampleWindow window(QStringLiteral("Handlers"), &log);
            window.acceptedResult = c.accepted;
            window.run();
            ended = true;
        });
        driver.type(QStringLiteral("?CODIGO"), QStringLiteral("7"));
        driver.accept(QStringLiteral("?CODIGO"));
        const bool fieldEventRan = std::find(log.begin(), log.end(), "field event ?CODIGO") != log.end();
        EXPECT_EQ(fieldEventRan, c.fieldEventRuns) << "accepted handler answered " << c.accepted;
        EXPECT_EQ(ended, c.loopEnds) << "accepted handler answered " << c.accepted;
        if (!ended)
            driver.close(QStringLiteral("Handlers"));
        EXPECT_TRUE(driver.runUntil([&] { return ended; }));
    }
}

TEST_F(WindowsTest, EntryRefusesTextThatIsNoValueAndKeepsTheFocus)
{
    int stored = -1;
    driver.start([&] {
        SampleWindow window(QStringLiteral("Entry"));
        window.value = 5;
        window.run();
        stored = window.value;
    });
    driver.type(QStringLiteral("?CODIGO"), QStringLiteral("abc"));
    driver.accept(QStringLiteral("?CODIGO"));
    ASSERT_TRUE(driver.answer(inputErrorText(InputError::NotANumber), QStringLiteral("OK")));
    QWidget* entry = driver.find(QStringLiteral("?CODIGO"));
    EXPECT_EQ(entry->window()->focusWidget(), entry);

    driver.type(QStringLiteral("?CODIGO"), QStringLiteral("42"));
    driver.accept(QStringLiteral("?CODIGO"));
    EXPECT_EQ(driver.messageBox(inputErrorText(InputError::NotANumber)), nullptr);
    driver.click(QStringLiteral("?OK:Entry"));
    ASSERT_TRUE(driver.runUntil([&] { return stored != -1; }));
    EXPECT_EQ(stored, 42);
}

TEST_F(WindowsTest, ClosingAnswersCancelledAndOkAnswersWhatTheWindowSet)
{
    std::vector<int> responses;
    auto procedure = [&] {
        SampleWindow window(QStringLiteral("Answers"));
        window.run();
        responses.push_back(currentThread().CallResponse);
    };
    driver.start(procedure);
    driver.close(QStringLiteral("Answers"));
    driver.start(procedure);
    driver.click(QStringLiteral("?OK:Answers"));
    ASSERT_TRUE(driver.runUntil([&] { return responses.size() == 2; }));
    EXPECT_THAT(responses, ElementsAre(Cancelled, Completed));
}

// A caller and the forms it calls on one thread exchange the request and the response; the
// called window clears both as soon as it has read the request, so nothing leaks to the next.
TEST_F(WindowsTest, RequestIsReadOnceAndClearedForTheNextCall)
{
    std::vector<int> requests;
    std::vector<int> afterSetUp;
    bool done = false;
    driver.start([&] {
        auto form = [&] {
            SampleWindow window(QStringLiteral("Form"));
            window.onOk = [&] {
                afterSetUp.push_back(currentThread().CallRequest);
                window.setResponse(Completed);
                window.requestClose();
            };
            window.run();
            requests.push_back(window.seenRequest);
        };
        EXPECT_EQ(callWithRequest(ChangeRecord, form), Completed);
        form();
        EXPECT_EQ(currentThread().CallRequest, 0);
        done = true;
    });
    driver.click(QStringLiteral("?OK:Form"));
    driver.click(QStringLiteral("?OK:Form"));
    ASSERT_TRUE(driver.runUntil([&] { return done; }));
    EXPECT_THAT(requests, ElementsAre(ChangeRecord, 0));
    EXPECT_THAT(afterSetUp, ElementsAre(0, 0));
}

TEST_F(WindowsTest, NewThreadStartsWithNoRequestWhateverItsStarterSet)
{
    int seenRequest = -1;
    int seenResponse = -1;
    driver.start([&] {
        currentThread().CallRequest = InsertRecord;
        currentThread().CallResponse = Completed;
        StartOnNewThread(
            [&] {
                seenRequest = currentThread().CallRequest;
                seenResponse = currentThread().CallResponse;
            },
            0);
    });
    ASSERT_TRUE(driver.runUntil([&] { return seenRequest != -1; }));
    EXPECT_EQ(seenRequest, 0);
    EXPECT_EQ(seenResponse, 0);
}

// While a form runs over its caller's window on one thread, that window takes no input; a window
// of another thread is not disturbed. When the form closes, its caller is the active window
// again, whatever was opened meanwhile.
TEST_F(WindowsTest, OnlyTheLatestWindowOfAThreadTakesInput)
{
    driver.start([&] {
        SampleWindow list(QStringLiteral("List"));
        list.onOk = [&] {
            callWithRequest(ChangeRecord, [] {
                SampleWindow form(QStringLiteral("Form"));
                form.run();
            });
        };
        list.run();
    });
    driver.start([&] {
        SampleWindow other(QStringLiteral("Other"));
        other.run();
    });
    driver.click(QStringLiteral("?OK:List"));
    ASSERT_NE(driver.window(QStringLiteral("Form")), nullptr);
    EXPECT_FALSE(driver.window(QStringLiteral("List"))->isEnabled());
    EXPECT_TRUE(driver.window(QStringLiteral("Form"))->isEnabled());
    EXPECT_TRUE(driver.window(QStringLiteral("Other"))->isEnabled());

    driver.close(QStringLiteral("Form"));
    EXPECT_EQ(driver.window(QStringLiteral("Form")), nullptr);
    EXPECT_TRUE(driver.window(QStringLiteral("List"))->isEnabled());
    EXPECT_EQ(QApplication::activeWindow(), driver.window(QStringLiteral("List")));
    driver.close(QStringLiteral("List"));
    driver.close(QStringLiteral("Other"));
    EXPECT_TRUE(driver.runUntil([&] { return scheduler.threadCount() == 1; }));
}

TEST_F(WindowsTest, LaterThreadsWindowClosesFirstAndItsNumberIsGivenAgain)
{
    auto windowNamed = [](QString caption) {
        return [caption] {
            SampleWindow window(caption);
            window.run();
        };
    };
    const int first = driver.start(windowNamed(QStringLiteral("First")));
    const int second = driver.start(windowNamed(QStringLiteral("Second")));
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 3);
    driver.close(QStringLiteral("Second"));
    ASSERT_TRUE(runUntilEnded(second));
    EXPECT_NE(scheduler.find(first), nullptr);
    EXPECT_NE(driver.window(QStringLiteral("First")), nullptr);

    EXPECT_EQ(driver.start(windowNamed(QStringLiteral("Third"))), 3);
    driver.close(QStringLiteral("Third"));
    driver.close(QStringLiteral("First"));
    EXPECT_TRUE(driver.runUntil([&] { return scheduler.threadCount() == 1; }));
}

TEST_F(WindowsTest, RunningProceduresAreListedByThreadUntilTheyEnd)
{
    driver.start([] {
        SampleWindow window(QStringLiteral("Listed"));
        window.run();
    });
    EXPECT_THAT(core::AppErrorManager.procedures(),
        ElementsAre(core::ProcedureEntry { 2, QStringLiteral("Sample:Listed") }));
    driver.close(QStringLiteral("Listed"));
    ASSERT_TRUE(runUntilEnded(2));
    EXPECT_TRUE(core::AppErrorManager.procedures().empty());
}

TEST_F(WindowsTest, PostedEventsWithNoControlReachTheWindowEventHandler)
{
    driver.start([&] {
        SampleWindow window(QStringLiteral("Posted"), &log);
        window.post(21);
        window.run();
    });
    driver.close(QStringLiteral("Posted"));
    ASSERT_TRUE(runUntilEnded(2));
    EXPECT_NE(std::find(log.begin(), log.end(), "window event 21"), log.end());
}

TEST_F(WindowsTest, MessageBoxIsAnsweredAndTheOtherThreadsWindowStaysUsable)
{
    core::Answer answer = core::Answer::Ok;
    bool answered = false;
    driver.start([&] {
        answer = showMessage(QStringLiteral("¿Desea continuar?"),
            MessageOptions { {}, QMessageBox::Question, core::MessageButtons::YesNo, core::Answer::Yes });
        answered = true;
    });
    driver.start([] {
        SampleWindow window(QStringLiteral("Other"));
        window.run();
    });
    QMessageBox* box = driver.messageBox(QStringLiteral("¿Desea continuar?"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->windowTitle().isEmpty());
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
    EXPECT_TRUE(driver.window(QStringLiteral("Other"))->isEnabled());
    ASSERT_TRUE(driver.answer(QStringLiteral("¿Desea continuar?"), QStringLiteral("No")));
    ASSERT_TRUE(driver.runUntil([&] { return answered; }));
    EXPECT_EQ(answer, core::Answer::No);
    driver.close(QStringLiteral("Other"));
}

TEST_F(WindowsTest, PresenterShowsTheErrorManagersQuestionWithItsButtons)
{
    MessageBoxPresenter presenter;
    core::Answer answer = core::Answer::Ok;
    bool answered = false;
    driver.start([&] {
        answer = presenter.present(core::MessageRequest { 37, 1, QStringLiteral("Record Update Error"),
            QStringLiteral("Try again?"), core::MessageButtons::YesNoCancel, core::Answer::Cancel });
        answered = true;
    });
    QMessageBox* box = driver.messageBox(QStringLiteral("Try again?"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Record Update Error"));
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Cancel));
    EXPECT_EQ(box->buttons().size(), 3);
    box->close();
    ASSERT_TRUE(driver.runUntil([&] { return answered; }));
    EXPECT_EQ(answer, core::Answer::Cancel);
}

// A form whose first control is the prompt heading its first field: the focus goes to the field,
// or past it to the next one that takes the focus when it is off.
TEST_F(WindowsTest, SelectingAPromptSelectsTheFirstControlAfterItThatTakesTheFocus)
{
    for (const bool firstFieldOff : { false, true }) {
        bool ended = false;
        driver.start([&] {
            QString name, city;
            Window window(QStringLiteral("Sample:Prompt"));
            window.setCaption(QStringLiteral("Prompt"));
            window.setSize(160, 60);
            auto& prompt = window.add<PromptControl>(
                QStringLiteral("?NOMBRE:Prompt"), DialogRect { 4, 4, 40, 10 }, QStringLiteral("Nombre:"));
            window
                .add<EntryControl>(QStringLiteral("?NOMBRE"), DialogRect { 50, 4, 80, 12 },
                    QStringLiteral("@s20"), entryValue(name))
                .setEnabled(!firstFieldOff);
            window.add<EntryControl>(QStringLiteral("?CIUDAD"), DialogRect { 50, 20, 80, 12 },
                QStringLiteral("@s20"), entryValue(city));
            window.setFirstControl(prompt.number());
            window.run();
            ended = true;
        });
        EXPECT_EQ(QApplication::focusWidget(),
            driver.find(QString::fromLatin1(firstFieldOff ? "?CIUDAD" : "?NOMBRE")))
            << "first field off: " << firstFieldOff;
        driver.close(QStringLiteral("Prompt"));
        ASSERT_TRUE(driver.runUntil([&] { return ended; }));
    }
}

} // namespace
} // namespace nidora::framework::test
