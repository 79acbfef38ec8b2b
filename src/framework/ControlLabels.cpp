#include "framework/ControlLabels.h"

#include "framework/PictureFormat.h"

#include <QDirIterator>
#include <QFileInfo>
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

QString findPictureFile(const QString& fileName)
{
    if (fileName.isEmpty())
        return {};
    if (QFileInfo::exists(fileName))
        return fileName;
    const QString wanted = QFileInfo(fileName).fileName();
    QDirIterator resources(QStringLiteral(":/"), QDir::Files, QDirIterator::Subdirectories);
    while (resources.hasNext()) {
        const QString candidate = resources.next();
        if (QFileInfo(candidate).fileName().compare(wanted, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    return {};
}

} // namespace nidora::framework
