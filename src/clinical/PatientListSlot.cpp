#include "clinical/PatientListSlot.h"

#include "framework/Scheduler.h"
#include "framework/Window.h"
#include "framework/WindowEvent.h"

namespace nidora::clinical {

std::int32_t PatientBrowseThread = 0;

bool PatientListSlot::claim(int request)
{
    if (request == SelectRecord)
        return true;
    if (PatientBrowseThread != 0) {
        framework::Scheduler* scheduler = framework::Scheduler::instance();
        if (framework::ThreadContext* owner = scheduler ? scheduler->find(PatientBrowseThread) : nullptr) {
            owner->events().post(framework::ThreadEvent { framework::event::GainFocus, nullptr, {} });
            return false;
        }
    }
    PatientBrowseThread = framework::CurrentThreadNumber();
    took_ = true;
    return true;
}

void PatientListSlot::release()
{
    if (!took_)
        return;
    took_ = false;
    PatientBrowseThread = 0;
}

} // namespace nidora::clinical
