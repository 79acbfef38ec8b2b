#pragma once

#include "framework/Control.h"
#include "framework/ValueBinding.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>

#include <utility>
#include <vector>

namespace nidora::framework {

// A check box storing one of two values. Until it is ticked or cleared, or shown a value that is
// one of the two, it leaves its variable blank.
class CheckControl final : public Control {
public:
    CheckControl(const QString& text, ValueBinding binding, QVariant checkedValue, QVariant clearedValue);

    bool holdsData() const override { return true; }
    void display() override;
    InputError commit() override;

    bool isChecked() const;

private:
    QCheckBox* box_;
    ValueBinding binding_;
    QVariant checked_;
    QVariant cleared_;
    bool touched_ = false;
};

// One radio button of an option group, storing its letter there when chosen.
class RadioControl final : public Control {
public:
    // icon: one of the program's pictures or a file, shown before the text (none when empty).
    RadioControl(const QString& text, QVariant value, const QString& icon = {});

    const QVariant& value() const { return value_; }
    bool isChecked() const;
    void setChecked(bool checked);

private:
    QRadioButton* button_;
    QVariant value_;
};

// An option group: its radio buttons are added inside it (Window::addIn) and it stores the value
// of the one chosen.
class OptionControl final : public Control {
public:
    OptionControl(const QString& text, ValueBinding binding);

    bool holdsData() const override { return true; }
    void display() override;
    InputError commit() override;

protected:
    void adopt(Control& child, const QRect& pixels) override;

private:
    QGroupBox* box_;
    QButtonGroup group_;
    ValueBinding binding_;
    std::vector<RadioControl*> radios_;
};

// A list that drops down: a fixed set of texts, each storing its value.
class DropListControl final : public Control {
public:
    using Choice = std::pair<QString, QVariant>; // what is shown, what is stored

    DropListControl(std::vector<Choice> choices, ValueBinding binding);

    bool holdsData() const override { return true; }
    void display() override;
    InputError commit() override;

    // Replaces the choices (rows of a data file read again, for instance).
    void setChoices(std::vector<Choice> choices);
    QString currentText() const;

private:
    QComboBox* combo_;
    ValueBinding binding_;
};

} // namespace nidora::framework
