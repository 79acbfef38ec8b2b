#pragma once

#include "core/MessagePresenter.h"

#include <deque>
#include <vector>

namespace nidora::test {

// Stands in for the program's message boxes: keeps every message it is shown and gives
// the answers a test scripted, in order. A message that arrives with no answer left, or
// whose buttons do not include the scripted answer, fails the test with the message's
// number, title and text; it is then answered with its default button.
class ScriptedPresenter : public core::MessagePresenter {
public:
    ScriptedPresenter() = default;
    // Reports answers that were scripted but never used.
    ~ScriptedPresenter() override;

    ScriptedPresenter& answer(core::Answer answer);

    core::Answer present(const core::MessageRequest& request) override;

    const std::vector<core::MessageRequest>& shown() const { return shown_; }
    std::size_t unusedAnswers() const { return answers_.size(); }

private:
    std::deque<core::Answer> answers_;
    std::vector<core::MessageRequest> shown_;
};

} // namespace nidora::test
