#pragma once

#include <QString>

namespace nidora::platform {

// The program's settings object, opened at start-up and closed at shut-down on the bare
// file name "nidora.INI". No window keeps anything in it and it has no bookkeeping of its
// own to save, so it never writes: its update step and its close leave the disk as it was,
// and a missing file is no error.
//
// Where the bare name lives: the desktop the program first ran on looked for a bare
// settings name in the system's own folder, apart from any practice. The equivalent here is
// the per-user configuration folder (QStandardPaths::AppConfigLocation). It is never the
// working directory: on a file system that ignores case, "nidora.INI" there would be the
// practice's own "nidora.ini". As nothing is written, that folder is not even created.
class AppSettings {
public:
    static inline const QString DefaultFileName = QStringLiteral("nidora.INI");

    // Constructed only; open() finds the file.
    explicit AppSettings(QString fileName = DefaultFileName);

    void open();
    // Saves the object's state to its file; there is none, so nothing is written.
    void update() const { }
    void close();

    bool isOpen() const { return open_; }
    // The file the object was opened on; empty while it is closed.
    QString filePath() const { return filePath_; }

private:
    QString fileName_;
    QString filePath_;
    bool open_ = false;
};

} // namespace nidora::platform
