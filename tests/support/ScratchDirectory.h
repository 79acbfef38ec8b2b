#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace nidora::test {

// Makes a fresh temporary folder the process's working directory for the life of the
// object, as the program keeps its data files in its working directory, and goes back
// to the previous one afterwards.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

} // namespace nidora::test
