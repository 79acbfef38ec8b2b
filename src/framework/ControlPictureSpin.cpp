#include "framework/ControlPictureSpin.h"

#include "core/Date.h"
#include "core/PictureFormat.h"
#include "core/PictureInput.h"
#include "framework/WindowEvent.h"

#include <QLineEdit>
#include <QSpinBox>

#include <stdexcept>

namespace nidora::framework {
namespace {

Picture pictureOf(const QString& text)
{
    const std::optional<Picture> picture = parsePicture(text);
    if (!picture)
        throw std::invalid_argument("unknown picture " + text.toStdString());
    return *picture;
}

} // namespace

class PictureSpinControl::Box final : public QSpinBox {
public:
    explicit Box(Picture picture)
        : picture_(std::move(picture))
    {
    }

    void stepBy(int steps) override
    {
        // From a blank time the first step lands on the quarter hour itself, not one hundredth
        // of a second before it: a time counts from midnight plus one.
        if (value() == 0 && picture_.kind == Picture::Kind::Time && steps > 0) {
            setValue(midnight + (steps * singleStep()));
            selectAll();
            return;
        }
        QSpinBox::stepBy(steps);
    }

    QString textFromValue(int number) const override { return formatLong(picture_, number).trimmed(); }

    int valueFromText(const QString& text) const override { return int(parseLong(picture_, text).value); }

    QValidator::State validate(QString& input, int&) const override
    {
        const Parsed<std::int64_t> read = parseLong(picture_, input);
        if (!read.ok())
            return QValidator::Intermediate;
        return read.value >= minimum() && read.value <= maximum() ? QValidator::Acceptable
                                                                  : QValidator::Intermediate;
    }

    QString shownText() const { return lineEdit()->text(); }
    // What the box shows, read through the picture; how it fails when it is no value.
    Parsed<std::int64_t> shown() const { return parseLong(picture_, shownText()); }

private:
    Picture picture_;
};

PictureSpinControl::PictureSpinControl(
    const QString& picture, ValueBinding binding, int lowest, int highest, int step)
    : Control(ControlKind::Spin, new Box(pictureOf(picture)))
    , box_(static_cast<Box*>(widget()))
    , binding_(std::move(binding))
{
    box_->setRange(lowest, highest);
    box_->setSingleStep(step);
    box_->setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    QObject::connect(box_, &QSpinBox::editingFinished, box_, [this] { post(event::Accepted); });
    display();
}

void PictureSpinControl::display()
{
    box_->setValue(binding_.load().toInt());
}

InputError PictureSpinControl::commit()
{
    const Parsed<std::int64_t> read = box_->shown();
    if (!read.ok())
        return read.error;
    if (read.value < box_->minimum() || read.value > box_->maximum())
        return InputError::TooManyDigits;
    binding_.store(int(read.value));
    return InputError::None;
}

int PictureSpinControl::value() const
{
    return box_->value();
}

QString PictureSpinControl::text() const
{
    return box_->shownText();
}

} // namespace nidora::framework
