#include "platform/Shell.h"

#include "platform/ShellLauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace nidora::platform {
namespace {

constexpr qsizetype TargetCapacity = 255;

enum class Outcome { Opened, FileNotFound, PathNotFound, NoProgram };

QString clipped(const QString& text)
{
    qsizetype length = text.size();
    while (length > 0 && text[length - 1] == u' ')
        --length;
    return text.left(length);
}

// A scheme needs two characters or more before its colon: "C:" starts a file name.
bool isAddress(const QString& target)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(target).hasMatch();
}

Outcome launch(const QString& target)
{
    const QString name = clipped(target).left(TargetCapacity);
    ShellLauncher& launcher = ShellLauncherService::current();
    if (isAddress(name))
        return launcher.open(QUrl(name)) ? Outcome::Opened : Outcome::NoProgram;
    if (name.isEmpty())
        return Outcome::FileNotFound;
    const QFileInfo file(QDir::current(), name);
    if (!file.exists())
        return file.dir().exists() ? Outcome::FileNotFound : Outcome::PathNotFound;
    return launcher.open(QUrl::fromLocalFile(file.absoluteFilePath())) ? Outcome::Opened : Outcome::NoProgram;
}

QString failureText(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Opened:
        break;
    case Outcome::FileNotFound:
        return QStringLiteral("File not found");
    case Outcome::PathNotFound:
        return QStringLiteral("Path not found");
    case Outcome::NoProgram:
        return QStringLiteral("No program associated with this file");
    }
    return {};
}

} // namespace

void ShellOpen(const QString& target)
{
    launch(target);
}

void ShellOpenWithMessage(const QString& target, const ShowMessage& showMessage)
{
    const QString text = failureText(launch(target));
    if (!text.isEmpty())
        showMessage(text + u'\n' + clipped(target));
}

} // namespace nidora::platform
