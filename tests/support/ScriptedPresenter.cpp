#include "support/ScriptedPresenter.h"

#include <gtest/gtest.h>

namespace nidora::test {
namespace {

const char* nameOf(core::Answer answer)
{
    switch (answer) {
    case core::Answer::Ok:
        return "OK";
    case core::Answer::Yes:
        return "Yes";
    case core::Answer::No:
        return "No";
    case core::Answer::Cancel:
        return "Cancel";
    }
    return "?";
}

} // namespace

ScriptedPresenter::~ScriptedPresenter()
{
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " scripted answer(s) never used; the next was "
                                  << nameOf(answers_.front());
}

ScriptedPresenter& ScriptedPresenter::answer(core::Answer answer)
{
    answers_.push_back(answer);
    return *this;
}

core::Answer ScriptedPresenter::present(const core::MessageRequest& request)
{
    shown_.push_back(request);
    const auto describe = [&request] {
        return "message " + std::to_string(request.number) + " \"" + request.title.toStdString() + "\": \""
            + request.text.toStdString() + "\"";
    };
    if (answers_.empty()) {
        ADD_FAILURE() << "No answer scripted for " << describe();
        return request.defaultAnswer;
    }
    const core::Answer scripted = answers_.front();
    answers_.pop_front();
    if (!core::offers(request.buttons, scripted)) {
        ADD_FAILURE() << "Scripted answer " << nameOf(scripted) << " is not a button of " << describe();
        return request.defaultAnswer;
    }
    return scripted;
}

} // namespace nidora::test
