#include "framework/ControlPictureSpin.h"

#include "core/Date.h"
#include "core/PictureFormat.h"
#include "core/PictureInput.h"
#include "framework/WindowEvent.h"

#include <QFocusEvent>
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
        // Stepping leaves a value of its own: text refused before it is gone.
        refusal_ = InputError::None;
        refused_.clear();
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

    // The box puts its last good value back over text it cannot read when it is left; the
    // text is kept here first, so that finishing refuses it rather than taking that value.
    void fixup(QString& input) const override
    {
        const Parsed<std::int64_t> read = parseLong(picture_, input);
        refused_ = input;
        refusal_ = read.ok() ? outOfRange() : read.error;
    }

    QString shownText() const { return lineEdit()->text(); }
    // What the box shows, read through the picture; how it fails when it is no value. Text
    // refused when the box was left counts.
    Parsed<std::int64_t> shown()
    {
        if (refusal_ != InputError::None) {
            const InputError error = refusal_;
            refusal_ = InputError::None;
            return { 0, error };
        }
        return parseLong(picture_, shownText());
    }
    // The refused text back in the box, to be mended.
    void restoreRefused()
    {
        if (!refused_.isEmpty())
            lineEdit()->setText(refused_);
        refused_.clear();
    }
    // Leaving for another window (the message that refuses the text) or a drop-down finishes
    // nothing.
    bool leavingForAnotherWindow() const { return leavingForAnotherWindow_; }
    InputError outOfRange() const
    {
        switch (picture_.kind) {
        case Picture::Kind::Time:
            return InputError::InvalidTime;
        case Picture::Kind::Date:
            return InputError::InvalidDate;
        default:
            return InputError::TooManyDigits;
        }
    }

protected:
    void focusOutEvent(QFocusEvent* event) override
    {
        leavingForAnotherWindow_
            = event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
        QSpinBox::focusOutEvent(event);
        leavingForAnotherWindow_ = false;
    }

private:
    Picture picture_;
    bool leavingForAnotherWindow_ = false;
    mutable QString refused_;
    mutable InputError refusal_ = InputError::None;
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
    QObject::connect(box_, &QSpinBox::editingFinished, box_, [this] {
        if (!box_->leavingForAnotherWindow())
            post(event::Accepted);
    });
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
        return box_->outOfRange();
    binding_.store(int(read.value));
    return InputError::None;
}

void PictureSpinControl::keepUnread()
{
    box_->restoreRefused();
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
