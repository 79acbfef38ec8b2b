#include "platform/IniFile.h"

#include "platform/IniDocument.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include <optional>

namespace nidora::platform {
namespace {

// The file's bytes; empty for a missing file; nothing when it exists but cannot be read.
std::optional<QByteArray> contents(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return QByteArray();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

} // namespace

IniFile::IniFile(QString path)
    : path_(std::move(path))
{
}

QString IniFile::read(const QString& section, const QString& key) const
{
    const std::optional<QByteArray> bytes = contents(path_);
    return bytes ? IniDocument(*bytes).value(section, key) : QString();
}

int IniFile::readInt(const QString& section, const QString& key) const
{
    return toInt(read(section, key));
}

bool IniFile::write(const QString& section, const QString& key, const QString& value) const
{
    return write(section, IniEntries { { key, value } });
}

bool IniFile::write(const QString& section, const IniEntries& entries) const
{
    const std::optional<QByteArray> bytes = contents(path_);
    if (!bytes)
        return false;
    IniDocument document(*bytes);
    for (const auto& [key, value] : entries)
        if (!document.setValue(section, key, value))
            return false;
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(document.bytes());
    return file.commit();
}

bool IniFile::writeInt(const QString& section, const QString& key, qint64 value) const
{
    return write(section, key, QString::number(value));
}

int IniFile::toInt(const QString& text)
{
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]+$"));
    const QString digits = text.trimmed();
    if (!decimal.match(digits).hasMatch())
        return 0;
    bool inRange = false;
    const int number = digits.toInt(&inRange, 10);
    return inRange ? number : 0;
}

} // namespace nidora::platform
