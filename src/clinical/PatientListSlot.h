#pragma once

#include <cstdint>

// Only one patient list is open at a time. The slot is the thread number of the list that has
// it, shared by every thread; a second list finds it taken, asks the open one to come to the
// front and closes before showing anything. A list opened to select a patient neither checks
// nor takes it.
namespace nidora::clinical {

// The thread of the patient list that owns the slot, 0 when no patient list is open.
extern std::int32_t PatientBrowseThread;

class PatientListSlot {
public:
    PatientListSlot() = default;
    // Frees the slot if the list still holds it (a list that ends without its closing step).
    ~PatientListSlot() { release(); }
    PatientListSlot(const PatientListSlot&) = delete;
    PatientListSlot& operator=(const PatientListSlot&) = delete;

    // At set-up, with the request the list was opened with, on the list's own thread. False
    // when another list holds the slot: that list's thread has been sent a focus-gained event.
    // A slot left by a thread that no longer exists is taken over, so it never locks the list
    // out for the rest of the run.
    bool claim(int request);
    // At the closing step: frees the slot when this list took it, and only then.
    void release();
    bool took() const { return took_; }

private:
    bool took_ = false;
};

} // namespace nidora::clinical
