#include "support/ScriptedPresenter.h"

#include <gtest/gtest.h>

namespace nidora::test {
namespace {

const char* nameOf(framework::Answer answer)
{
    switch (answer) {
    case framework::Answer::Ok:
        return "OK";
    case framework::Answer::Yes:
        return "Yes";
    case framework::Answer::No:
        return "No";
    case framework::Answer::Cancel:
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

ScriptedPresenter& ScriptedPresenter::answer(framework::Answer answer)
{
    answers_.push_back(answer);
    return *this;
}

framework::Answer ScriptedPresenter::present(const framework::MessageRequest& request)
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
    const framework::Answer scripted = answers_.front();
    answers_.pop_front();
    if (!framework::offers(request.buttons, scripted)) {
        ADD_FAILURE() << "Scripted answer " << nameOf(scripted) << " is not a button of " << describe();
        return request.defaultAnswer;
    }
    return scripted;
}

} // namespace nidora::test
