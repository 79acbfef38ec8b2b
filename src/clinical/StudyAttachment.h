#pragma once

#include <QDir>
#include <QString>

#include <optional>

// The file attached to a study: the form copies it into the working directory, where the
// stored study then names it without a folder, so the practice's folder holds every
// attachment. No widgets: the form shows what came of it.
namespace nidora::clinical {

// The most characters the stored name holds (ANA:ARCHIVO).
inline constexpr int kAttachmentNameLength = 180;

// The name after the path's last folder separator ("\" or "/"), trailing spaces clipped;
// nothing when the path has no folder or names a folder only.
std::optional<QString> attachedFileName(const QString& path);

// A name the program itself keeps in the working directory, which no attachment may take:
// a data file or one of its journals, a settings file, a patient's webcam photo.
bool isProgramFileName(const QString& name);

struct AttachmentCopy {
    enum class Outcome {
        Unchanged, // no folder in the path: nothing copied, the path is kept as typed
        Copied, // copied under `stored`
        AlreadyThere, // the same file was already in the working directory as `stored`
        Failed, // the source could not be read or copied: the original path is kept
    };
    Outcome outcome = Outcome::Unchanged;
    QString stored; // what the study is to store

    bool operator==(const AttachmentCopy&) const = default;
};

// Copies the file named by `path` into `workingDirectory` and says what the study stores. A
// file that is there already is never replaced: the copy takes the first free name in
// "rx.jpg", "rx(2).jpg", "rx(3).jpg"... that no program file has, unless a file of that name
// already holds the same contents, which is then the one named. The name is shortened where
// it must be to fit the stored name. A path written with "\" separators that names no file
// is looked for again with "/".
AttachmentCopy copyAttachment(const QString& path, const QDir& workingDirectory);

} // namespace nidora::clinical
