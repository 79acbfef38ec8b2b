#pragma once

// The mothers' and fathers' files, each a list and its form. The two lists are one window on two
// files, and so are the two forms, the father's being the mother's without her address,
// telephone and coverage.
namespace nidora::clinical {

// "Archivo de Madres" and "Archivo de Padres": every mother or father by name or by blood group
// and name, added, changed and deleted through the form. The frame starts them on a thread of
// their own; the patient form calls them with request 4 to choose a patient's mother or father,
// and then they open on the one in the file's buffer (or the next after her name) and answer 1
// with the chosen one there.
void BrowseMADRES();
void BrowsePADRES();

// The forms of one mother or father, "Madres" and "Padres": edit the record in this thread's
// buffer by CallRequest and answer in CallResponse.
void UpdateMADRES();
void UpdatePADRES();

} // namespace nidora::clinical
