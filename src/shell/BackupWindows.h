#pragma once

#include "data/FileBackup.h"

#include <QString>
#include <QStringList>

// Backup and restore of the practice's data files from the frame's "Archivo" menu. Each runs on a
// thread of its own and works only while no other window of the program is open (the splash
// included), since it copies files other windows would hold open.
namespace nidora::shell {

// "Copia de Datos": copies the data files into a folder the user chooses.
void PantallaCopia();
// "Restaurar Datos": copies them back from such a folder into the working directory.
void PantallaRestaurar();

// What the window says when the copy did not complete: the file another station holds, a
// folder without a whole backup, the files that could not be copied or were damaged, and those
// the source folder lacks.
QString incompleteCopyText(bool restore, const data::FileBackup::Result& result);

} // namespace nidora::shell
