#include "framework/ControlLabels.h"

#include "core/PictureFormat.h"

#include "ProgramResources.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QPixmap>

namespace nidora::framework {

PromptControl::PromptControl(const QString& text)
    : Control(ControlKind::Prompt, new QLabel(text))
    , label_(static_cast<QLabel*>(widget()))
{
}

void PromptControl::setText(const QString& text)
{
    label_->setText(text);
}

QString PromptControl::text() const
{
    return label_->text();
}

StringControl::StringControl(const QString& text)
    : Control(ControlKind::String, new QLabel(text))
    , label_(static_cast<QLabel*>(widget()))
{
}

StringControl::StringControl(const Picture& picture, ValueBinding binding)
    : Control(ControlKind::StringVariable, new QLabel)
    , label_(static_cast<QLabel*>(widget()))
    , picture_(picture)
    , binding_(std::move(binding))
{
    display();
}

void StringControl::setText(const QString& text)
{
    label_->setText(text);
}

QString StringControl::text() const
{
    return label_->text();
}

void StringControl::display()
{
    if (!binding_)
        return;
    const QVariant value = binding_.load();
    if (picture_.kind == Picture::Kind::Text || value.typeId() == QMetaType::QString)
        label_->setText(formatText(picture_, value.toString()).trimmed());
    else
        label_->setText(formatLong(picture_, value.toLongLong()).trimmed());
}

ImageControl::ImageControl(const QString& fileName)
    : Control(ControlKind::Image, new QLabel)
    , label_(static_cast<QLabel*>(widget()))
{
    label_->setScaledContents(true);
    if (!fileName.isEmpty())
        setPicture(fileName);
}

bool ImageControl::setPicture(const QString& fileName)
{
    return setFile(findPictureFile(fileName));
}

bool ImageControl::setFile(const QString& path)
{
    const QPixmap picture = path.isEmpty() ? QPixmap() : QPixmap(path);
    label_->setPixmap(picture);
    return !picture.isNull();
}

bool ImageControl::hasPicture() const
{
    return !label_->pixmap().isNull();
}

namespace {

// The key of a program picture: the name in lower case with "_" for ".", as the resource
// aliases spell them (":/icons/stethoscope_ico.svg" is "Stethoscope.ICO").
QString pictureKey(const QString& name)
{
    return name.trimmed().toLower().replace(QLatin1Char('.'), QLatin1Char('_'));
}

// The program's pictures by key, read once.
const QHash<QString, QString>& programPictures()
{
    static const QHash<QString, QString> paths = [] {
        registerProgramResources();
        QHash<QString, QString> found;
        QDirIterator each(QStringLiteral(":/icons"), QDir::Files, QDirIterator::Subdirectories);
        while (each.hasNext()) {
            const QString path = each.next();
            found.insert(pictureKey(QFileInfo(path).completeBaseName()), path);
        }
        return found;
    }();
    return paths;
}

} // namespace

QString findPictureFile(const QString& fileName)
{
    if (fileName.trimmed().isEmpty())
        return {};
    if (const auto own = programPictures().find(pictureKey(fileName)); own != programPictures().end())
        return *own;
    if (QFileInfo(fileName).isFile())
        return fileName;
    return {};
}

} // namespace nidora::framework
