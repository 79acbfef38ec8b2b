#pragma once

#include "platform/IniFile.h"

#include <QString>

namespace nidora::platform {

// The practice's own settings: section "parametros" of "nidora.ini" in the working
// directory (the current doctor, the agenda's working hours). The file is looked for anew
// on every call, in the working directory of that moment, so a program that changes its
// working directory reads and writes the settings of the folder it is in.
class PracticeSettings {
public:
    static inline const QString FileName = QStringLiteral("nidora.ini");
    static inline const QString Section = QStringLiteral("parametros");

    // "nidora.ini" in the working directory. A practice folder brought over from a desktop
    // that ignores case in file names may hold it as "NIDORA.INI" or the like: when there
    // is no file of the exact name, such a file is the settings file.
    static QString filePath();

    static QString read(const QString& key);
    static int readInt(const QString& key);
    static bool write(const QString& key, const QString& value);
    static bool writeInt(const QString& key, qint64 value);
    // Several keys in one rewrite of the file; see IniFile::write.
    static bool write(const IniEntries& entries);
};

} // namespace nidora::platform
