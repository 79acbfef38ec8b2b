#include "clinical/StudyAttachment.h"

#include "data/Catalogue.h"
#include "platform/AppSettings.h"
#include "platform/PracticeSettings.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace nidora::clinical {
namespace {

// How far past the name itself the copy looks for a free one.
constexpr int kLastNumber = 9999;
constexpr qsizetype kChunk = 1 << 16;

QString clipped(const QString& text)
{
    qsizetype length = text.size();
    while (length > 0 && text[length - 1] == u' ')
        --length;
    return text.left(length);
}

std::optional<QFileInfo> sourceFile(const QString& path)
{
    for (const QString& tried : { path, QString(path).replace(u'\\', u'/') }) {
        const QFileInfo file(tried);
        if (file.isFile())
            return file;
    }
    return std::nullopt;
}

bool sameContents(const QFileInfo& a, const QFileInfo& b)
{
    if (a.canonicalFilePath() == b.canonicalFilePath())
        return true;
    if (a.size() != b.size())
        return false;
    QFile first(a.absoluteFilePath());
    QFile second(b.absoluteFilePath());
    if (!first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly))
        return false;
    while (!first.atEnd()) {
        if (first.read(kChunk) != second.read(kChunk))
            return false;
    }
    return second.atEnd();
}

// "rx.jpg" as the n-th candidate: "rx.jpg", "rx(2).jpg"...; the base gives way so that the
// whole fits the stored name.
QString candidateName(const QString& name, int n)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    QString base = dot > 0 ? name.left(dot) : name;
    const QString number = n == 1 ? QString() : QStringLiteral("(%1)").arg(n);
    const qsizetype room = kAttachmentNameLength - number.size() - extension.size();
    if (room < 1)
        return (base + number + extension).right(kAttachmentNameLength);
    return base.left(room) + number + extension;
}

} // namespace

std::optional<QString> attachedFileName(const QString& path)
{
    const QString whole = clipped(path);
    const qsizetype separator = std::max(whole.lastIndexOf(u'\\'), whole.lastIndexOf(u'/'));
    if (separator < 0)
        return std::nullopt;
    const QString name = whole.mid(separator + 1, 200);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

bool isProgramFileName(const QString& name)
{
    static const QRegularExpression photo(
        QStringLiteral("^P[0-9]{6}\\.jpg$"), QRegularExpression::CaseInsensitiveOption);
    if (name.compare(platform::PracticeSettings::FileName, Qt::CaseInsensitive) == 0
        || name.compare(platform::AppSettings::DefaultFileName, Qt::CaseInsensitive) == 0
        || photo.match(name).hasMatch())
        return true;
    for (const data::FileDesc& file : data::catalogue()) {
        const QString dataFile = file.fileName();
        for (const char* companion : { "", "-journal", "-wal", "-shm" })
            if (name.compare(dataFile + QString::fromLatin1(companion), Qt::CaseInsensitive) == 0)
                return true;
    }
    return false;
}

AttachmentCopy copyAttachment(const QString& path, const QDir& workingDirectory)
{
    const std::optional<QString> name = attachedFileName(path);
    if (!name)
        return { AttachmentCopy::Outcome::Unchanged, path };
    const AttachmentCopy failed { AttachmentCopy::Outcome::Failed, path };
    const std::optional<QFileInfo> source = sourceFile(clipped(path));
    if (!source)
        return failed;
    for (int n = 1; n <= kLastNumber; ++n) {
        const QString candidate = candidateName(*name, n);
        if (isProgramFileName(candidate))
            continue;
        const QFileInfo target(workingDirectory.filePath(candidate));
        if (target.exists() || target.isSymLink()) {
            if (target.isFile() && sameContents(*source, target))
                return { AttachmentCopy::Outcome::AlreadyThere, candidate };
            continue;
        }
        // A copy never replaces a file: one that came meanwhile makes it fail, and the next
        // name is tried.
        if (QFile::copy(source->absoluteFilePath(), target.filePath()))
            return { AttachmentCopy::Outcome::Copied, candidate };
        if (!QFileInfo::exists(target.filePath()))
            return failed;
    }
    return failed;
}

} // namespace nidora::clinical
