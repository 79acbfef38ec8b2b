#pragma once

#include <QString>

#include <utility>
#include <vector>

namespace nidora::platform {

// Keys with their values, in the order they are to be written.
using IniEntries = std::vector<std::pair<QString, QString>>;

// The keys of the sections of a settings file on disk, read and written with the desktop's
// private-profile behaviour (see IniDocument for the rules of the text). Every call goes
// to the file afresh; nothing is cached. Nothing is reported to the user: a missing file,
// section or key reads as the empty text, and a write that fails leaves the file as it was
// and returns false.
class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return path_; }

    QString read(const QString& section, const QString& key) const;
    // The value as a number by toInt(): missing or not a number counts as 0.
    int readInt(const QString& section, const QString& key) const;

    // Writes through a temporary file in the same folder that then replaces the file, so a
    // crash leaves either the old file or the new one, never a part of it. A missing file is
    // created; a file that exists but cannot be read is not replaced.
    bool write(const QString& section, const QString& key, const QString& value) const;
    // Several keys of a section in one rewrite of the file, as if written one after the
    // other, but with one replacement of the file instead of one each (a save of the 29
    // working-hours keys). All or nothing: one entry that cannot be written writes none.
    bool write(const QString& section, const IniEntries& entries) const;
    // The number as its decimal text, without separators.
    bool writeInt(const QString& section, const QString& key, qint64 value) const;

    // A settings value as a number: decimal digits with an optional sign, spaces around
    // them ignored; anything else (empty, letters, a fraction, out of range) counts as 0.
    static int toInt(const QString& text);

private:
    QString path_;
};

} // namespace nidora::platform
