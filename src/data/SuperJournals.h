#pragma once

#include <QString>
#include <QStringList>

// A change that spans several data files commits through a super-journal beside the first of
// them ("PACIENTE.QVM-mj1A2B3C9D4"): it lists the journals of every file of the change, and
// each of those journals names it until its file is written. A process that ends in the middle
// of such a commit can leave it behind, and nothing else ever removes it.
namespace nidora::data {

// Removes the super-journals of the folder that nothing owns any more: no journal it lists
// still names it (a journal that does is rolled back by the next open of its file, and the
// super-journal must wait for that), and no connection, of this instance or another, holds a
// write transaction on one of its files (a commit under way). Returns the names removed.
QStringList removeStaleSuperJournals(const QString& folder);

} // namespace nidora::data
