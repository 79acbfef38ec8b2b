#include "support/ScriptedPresenter.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace nidora::test {
namespace {

using framework::Answer;
using framework::MessageButtons;
using framework::MessageRequest;

MessageRequest question()
{
    return { 11, 1, QStringLiteral("Confirm Delete"),
        QStringLiteral("Are you sure you want to delete the highlighted record?"), MessageButtons::YesNo,
        Answer::Yes };
}

TEST(ScriptedPresenter, AnswersInOrderAndKeepsWhatItShowed)
{
    ScriptedPresenter presenter;
    presenter.answer(Answer::No).answer(Answer::Yes);
    EXPECT_EQ(presenter.present(question()), Answer::No);
    EXPECT_EQ(presenter.present(question()), Answer::Yes);
    ASSERT_EQ(presenter.shown().size(), 2u);
    EXPECT_EQ(presenter.shown()[0].title, QStringLiteral("Confirm Delete"));
}

TEST(ScriptedPresenter, MessageWithoutAScriptedAnswerFailsTheTest)
{
    ScriptedPresenter presenter;
    EXPECT_NONFATAL_FAILURE(presenter.present(question()),
        "No answer scripted for message 11 \"Confirm Delete\": \"Are you sure you want to delete");
}

TEST(ScriptedPresenter, AnswerThatIsNotAButtonFailsTheTest)
{
    ScriptedPresenter presenter;
    presenter.answer(Answer::Cancel);
    EXPECT_NONFATAL_FAILURE(
        presenter.present(question()), "Scripted answer Cancel is not a button of message 11");
}

TEST(ScriptedPresenter, UnusedAnswersFailTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPresenter presenter;
            presenter.answer(Answer::Ok);
        },
        "scripted answer(s) never used");
}

} // namespace
} // namespace nidora::test
