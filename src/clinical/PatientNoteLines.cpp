#include "clinical/PatientNoteLines.h"

#include "framework/ThreadContext.h"
#include "views/ProgramGlobals.h"

namespace nidora::clinical {
namespace {

constexpr int kLineLength = 30;

struct ThreadNoteLines {
    PatientNoteLines lines { views::blankText(kLineLength), views::blankText(kLineLength) };
};

} // namespace

PatientNoteLines& patientNoteLines()
{
    return framework::currentThread().local<ThreadNoteLines>().lines;
}

} // namespace nidora::clinical
