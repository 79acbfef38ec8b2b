// The prompts about one patient: the patient's code, typed or looked up, and for the two
// histories a date range.
#include "reports/PromptWindow.h"
#include "reports/Prompts.h"
#include "reports/ReportRows.h"
#include "reports/Reports.h"

#include "core/Clock.h"
#include "views/ProgramGlobals.h"

namespace nidora::reports {
namespace {

class PatientPrompt final : public PromptWindow {
public:
    struct Kind {
        const char* procedure;
        void (*report)();
        bool dates = false;
        bool untilToday = false;
        bool (*rows)(data::Dictionary&, data::AccessObject&) = nullptr;
    };

    explicit PatientPrompt(const Kind& kind)
        : PromptWindow(
            QString::fromLatin1(kind.procedure), data::FileId::PACIENTES, kind.dates ? kTwoLines : kOneLine)
        , kind_(kind)
    {
        addPatientSelection(10);
        if (kind.dates)
            addDateRange(28);
        addOk(kind.dates ? 46 : 28);
        // The histories and the growth rows read the patient's consultations and pathologies,
        // which open with the patient's relations.
    }

protected:
    bool onSetUp() override
    {
        if (kind_.untilToday)
            views::AppGlobals.HF = Clock::today();
        return PromptWindow::onSetUp();
    }
    bool fill() override { return !kind_.rows || fillOutput(kind_.rows); }
    void print() override { kind_.report(); }

private:
    Kind kind_;
};

void run(const PatientPrompt::Kind& kind)
{
    PatientPrompt(kind).run();
}

} // namespace

void Pantalla1()
{
    run({ "Pantalla1", PrintFICHA });
}

void Pantalla2()
{
    run({ "Pantalla2", PrintEMBARAZO });
}

void Pantalla3()
{
    run({ "Pantalla3", PrintDESARROLLO, false, false, writeGrowthRows });
}

void Pantalla4()
{
    run({ "Pantalla4", PrintHISCLINICA, true, true });
}

void Pantalla5()
{
    run({ "Pantalla5", PrintHISPATOLOGIAS, true });
}

} // namespace nidora::reports
