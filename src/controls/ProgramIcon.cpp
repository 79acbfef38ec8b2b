#include "controls/ProgramIcon.h"

#include "ProgramResources.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QHash>

namespace nidora::controls {

namespace {

QString iconKey(const QString& name)
{
    return name.trimmed().toLower().replace(QLatin1Char('.'), QLatin1Char('_'));
}

// Resource paths by key, read once: ":/icons/stethoscope_ico.svg" under "stethoscope_ico".
const QHash<QString, QString>& iconPaths()
{
    static const QHash<QString, QString> paths = [] {
        registerProgramResources();
        QHash<QString, QString> found;
        QDirIterator it(QStringLiteral(":/icons"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            found.insert(iconKey(QFileInfo(path).completeBaseName()), path);
        }
        return found;
    }();
    return paths;
}

} // namespace

QIcon programIcon(const QString& name)
{
    if (name.trimmed().isEmpty())
        return {};
    const auto& paths = iconPaths();
    if (const auto it = paths.find(iconKey(name)); it != paths.end())
        return QIcon(*it);
    if (QFileInfo(name).isFile())
        return QIcon(name);
    return {};
}

} // namespace nidora::controls
