#pragma once

#include "platform/PrinterSetup.h"

#include <QPrinter>

#include <memory>
#include <utility>
#include <vector>

namespace nidora::test {

// Takes every printer set-up as the desktop's dialog would, without showing anything: it keeps
// the callers waiting until the test answers, and remembers over which window each one asked.
class PrinterSetupDouble : public platform::PrinterSetup {
public:
    void setUp(QWidget* parent, Completion done) override { setUp(parent, QString(), std::move(done)); }
    void setUp(QWidget* parent, const QString& title, Completion done) override
    {
        parents.push_back(parent);
        titles.push_back(title);
        waiting.push_back(std::move(done));
    }
    QPrinter& printer() override
    {
        if (!printer_)
            printer_ = std::make_unique<QPrinter>();
        return *printer_;
    }

    // Answers every caller still waiting, as the user closing the dialog does.
    void answer(bool accepted)
    {
        for (const Completion& done : std::exchange(waiting, {}))
            done(accepted);
    }

    std::vector<QWidget*> parents;
    std::vector<QString> titles;
    std::vector<Completion> waiting;

private:
    std::unique_ptr<QPrinter> printer_;
};

} // namespace nidora::test
