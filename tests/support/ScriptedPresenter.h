#pragma once

#include "framework/MessagePresenter.h"

#include <deque>
#include <vector>

namespace nidora::test {

// Stands in for the program's message boxes: keeps every message it is shown and gives
// the answers a test scripted, in order. A message that arrives with no answer left, or
// whose buttons do not include the scripted answer, fails the test with the message's
// number, title and text; it is then answered with its default button.
class ScriptedPresenter : public framework::MessagePresenter {
public:
    ScriptedPresenter() = default;
    // Reports answers that were scripted but never used.
    ~ScriptedPresenter() override;

    ScriptedPresenter& answer(framework::Answer answer);

    framework::Answer present(const framework::MessageRequest& request) override;

    const std::vector<framework::MessageRequest>& shown() const { return shown_; }
    std::size_t unusedAnswers() const { return answers_.size(); }

private:
    std::deque<framework::Answer> answers_;
    std::vector<framework::MessageRequest> shown_;
};

} // namespace nidora::test
