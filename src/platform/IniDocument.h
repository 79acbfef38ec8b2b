#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace nidora::platform {

// The text of a settings file held as its lines, so that one key can be changed while every
// other byte of the file stays exactly as it was: comments, blank lines, other sections,
// their order and their spacing.
//
// Reading follows the desktop's private-profile rules: section and key names match without
// regard to case; only the first section of a name counts, and in it the first entry of a
// key; names and values are trimmed of surrounding spaces; lines starting with ';' are
// comments. Lines may end in CR LF or LF. Text is UTF-8; bytes that are not are kept as
// they are.
class IniDocument {
public:
    explicit IniDocument(const QByteArray& bytes = {});

    // The value of the key, or the empty text when the section or the key is missing.
    QString value(const QString& section, const QString& key) const;

    // Sets the key to the value, written exactly as given. A key already there is rewritten
    // in place; a new key goes after the last entry of its section; a new section is added
    // at the end. Added lines end the way the file's lines end (CR LF for an empty file).
    // Returns false, changing nothing, for a name or value that would not read back as the
    // same key (a line break anywhere, "=" in a key, "]" in a section, surrounding spaces
    // or an empty name).
    bool setValue(const QString& section, const QString& key, const QString& value);

    QByteArray bytes() const;

private:
    struct Line {
        QByteArray text;
        QByteArray ending; // "\r\n", "\n", or empty for a last line without one
    };
    struct Location {
        qsizetype header = -1; // the section's header line
        qsizetype entry = -1; // the key's line
        qsizetype lastEntry = -1; // the section's last key line
    };

    Location locate(const QString& section, const QString& key) const;
    void insertLine(qsizetype position, const QByteArray& text);

    std::vector<Line> lines_;
    QByteArray lineEnding_;
};

} // namespace nidora::platform
