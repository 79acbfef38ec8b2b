#include "platform/IniDocument.h"

#include <algorithm>

namespace nidora::platform {
namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

enum class LineKind { Other, Header, Entry };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    QString name; // section of a header, key of an entry
    QString value;
};

ParsedLine parse(const QByteArray& bytes)
{
    const QByteArray text = bytes.startsWith(Utf8Bom) ? bytes.mid(Utf8Bom.size()) : bytes;
    const QString line = QString::fromUtf8(text).trimmed();
    if (line.startsWith(u'[')) {
        const qsizetype close = line.indexOf(u']');
        return { LineKind::Header, line.mid(1, close < 0 ? -1 : close - 1).trimmed(), {} };
    }
    if (line.startsWith(u';'))
        return {};
    const qsizetype equals = line.indexOf(u'=');
    if (equals <= 0)
        return {};
    return { LineKind::Entry, line.left(equals).trimmed(), line.mid(equals + 1).trimmed() };
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool breaksLine(const QString& text)
{
    return text.contains(u'\n') || text.contains(u'\r') || text.contains(QChar(0));
}

bool isCleanName(const QString& name)
{
    return !name.isEmpty() && name == name.trimmed() && !breaksLine(name);
}

bool canHold(const QString& section, const QString& key, const QString& value)
{
    return isCleanName(section) && !section.contains(u']') && isCleanName(key) && !key.contains(u'=')
        && !key.startsWith(u'[') && !key.startsWith(u';') && !breaksLine(value);
}

} // namespace

IniDocument::IniDocument(const QByteArray& bytes)
{
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        if (newline < 0) {
            lines_.push_back({ bytes.mid(start), {} });
            break;
        }
        const qsizetype textEnd = newline > start && bytes[newline - 1] == '\r' ? newline - 1 : newline;
        lines_.push_back({ bytes.mid(start, textEnd - start), bytes.mid(textEnd, newline + 1 - textEnd) });
        start = newline + 1;
    }
    const auto ended
        = std::find_if(lines_.begin(), lines_.end(), [](const Line& l) { return !l.ending.isEmpty(); });
    lineEnding_ = ended != lines_.end() ? ended->ending : QByteArray("\r\n");
}

IniDocument::Location IniDocument::locate(const QString& section, const QString& key) const
{
    Location found;
    for (qsizetype i = 0; i < qsizetype(lines_.size()); ++i) {
        const ParsedLine line = parse(lines_[i].text);
        if (line.kind == LineKind::Header) {
            if (found.header >= 0)
                break;
            if (sameName(line.name, section))
                found.header = i;
        } else if (found.header >= 0 && line.kind == LineKind::Entry) {
            found.lastEntry = i;
            if (found.entry < 0 && sameName(line.name, key))
                found.entry = i;
        }
    }
    return found;
}

QString IniDocument::value(const QString& section, const QString& key) const
{
    const Location at = locate(section, key);
    return at.entry >= 0 ? parse(lines_[at.entry].text).value : QString();
}

bool IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    if (!canHold(section, key, value))
        return false;
    const Location at = locate(section, key);
    if (at.entry >= 0) {
        // The key keeps the spelling it has in the file.
        lines_[at.entry].text = (parse(lines_[at.entry].text).name + u'=' + value).toUtf8();
        return true;
    }
    const QByteArray entry = (key + u'=' + value).toUtf8();
    if (at.header >= 0) {
        insertLine(std::max(at.header, at.lastEntry) + 1, entry);
        return true;
    }
    insertLine(lines_.size(), (u'[' + section + u']').toUtf8());
    insertLine(lines_.size(), entry);
    return true;
}

void IniDocument::insertLine(qsizetype position, const QByteArray& text)
{
    if (position > 0 && lines_[position - 1].ending.isEmpty())
        lines_[position - 1].ending = lineEnding_;
    lines_.insert(lines_.begin() + position, { text, lineEnding_ });
}

QByteArray IniDocument::bytes() const
{
    QByteArray out;
    for (const Line& line : lines_)
        out += line.text + line.ending;
    return out;
}

} // namespace nidora::platform
