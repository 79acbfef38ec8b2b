#include "support/ScriptedPresenter.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace nidora::test {
namespace {

using core::Answer;
using core::MessageButtons;
using core::MessageRequest;

core::MessageRequest question()
{
    return { 11, 1, QStringLiteral("Confirm Delete"),
        QStringLiteral("Are you sure you want to delete the highlighted record?"),
        core::MessageButtons::YesNo, core::Answer::Yes };
}

TEST(ScriptedPresenter, AnswersInOrderAndKeepsWhatItShowed)
{
    ScriptedPresenter presenter;
    presenter.answer(core::Answer::No).answer(core::Answer::Yes);
    EXPECT_EQ(presenter.present(question()), core::Answer::No);
    EXPECT_EQ(presenter.present(question()), core::Answer::Yes);
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
    presenter.answer(core::Answer::Cancel);
    EXPECT_NONFATAL_FAILURE(
        presenter.present(question()), "Scripted answer Cancel is not a button of message 11");
}

TEST(ScriptedPresenter, UnusedAnswersFailTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedPresenter presenter;
            presenter.answer(core::Answer::Ok);
        },
        "scripted answer(s) never used");
}

} // namespace
} // namespace nidora::test
