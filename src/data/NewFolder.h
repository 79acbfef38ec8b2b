#pragma once

#include "data/DataFile.h"

// A folder the practice has not used yet. The files that come with the program (the pathology
// table) are not created when missing, so that a practice that lost one notices; a folder that
// holds no patient has nothing of the kind to lose, so they are created empty there like every
// other file.
namespace nidora::data {

// True when the working directory's patient file is missing or holds no record; a patient
// file that cannot be read counts as holding patients.
bool folderHoldsNoPatient();

// Creates the file empty when it is missing, is one of those not created when missing, and the
// folder holds no patient; otherwise leaves everything as it is. Ok when nothing had to be done.
Outcome createMissingInNewFolder(const FileDesc& file, const OpenOptions& options);

} // namespace nidora::data
