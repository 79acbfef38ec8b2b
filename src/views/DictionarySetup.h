#pragma once

#include "data/Dictionary.h"

namespace nidora::core {
class ErrorManager;
}
namespace nidora::framework {
class ThreadContext;
}

// Every logical thread works with the data files on its own: the frame's thread and each window
// thread have their own Dictionary (record buffers, access and relation objects), set up when
// the thread starts and taken down when it ends. The main program sets the first thread up
// before it runs the frame; the scheduler's start hook does it for every other thread.
//
//   DictionarySetup(thread);                      // nothing is opened yet
//   threadDictionary().relation(FileId::PACIENTES).open();
//   ...                                           // a window ends without closing it
//   DictionaryShutdown(thread);                   // closed here
namespace nidora::views {

// Makes the thread's Dictionary, its messages going to `errors`. A thread that already has one
// keeps it, with whatever it holds open.
void DictionarySetup(framework::ThreadContext& thread, core::ErrorManager& errors);
void DictionarySetup(framework::ThreadContext& thread);

// Takes the thread's objects down, the first group before the second, closing every file the
// thread still holds open however many of its windows opened it. Harmless on a thread that has
// no Dictionary (never set up, or already shut down).
void DictionaryShutdown(framework::ThreadContext& thread);

// The thread's Dictionary; null when it has none.
data::Dictionary* findThreadDictionary(framework::ThreadContext& thread);
// The calling thread's Dictionary; std::logic_error when it has none, as using data on a thread
// that was never set up is a fault of the program, not something to repair silently.
data::Dictionary& threadDictionary();

} // namespace nidora::views
