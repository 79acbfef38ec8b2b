#pragma once

#include "platform/PrinterSetup.h"

#include <utility>
#include <vector>

namespace nidora::test {

// Takes every printer set-up as the desktop's dialog would, without showing anything: it keeps
// the callers waiting until the test answers, and remembers over which window each one asked.
class PrinterSetupDouble : public platform::PrinterSetup {
public:
    void setUp(QWidget* parent, Completion done) override
    {
        parents.push_back(parent);
        waiting.push_back(std::move(done));
    }

    // Answers every caller still waiting, as the user closing the dialog does.
    void answer(bool accepted)
    {
        for (const Completion& done : std::exchange(waiting, {}))
            done(accepted);
    }

    std::vector<QWidget*> parents;
    std::vector<Completion> waiting;
};

} // namespace nidora::test
