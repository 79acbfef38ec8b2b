#pragma once

#include "core/Picture.h"
#include "framework/Control.h"
#include "framework/ValueBinding.h"

#include <QLabel>

namespace nidora::framework {

// A fixed text beside another control ("Nombre:").
class PromptControl final : public Control {
public:
    explicit PromptControl(const QString& text);
    void setText(const QString& text);
    QString text() const;

private:
    QLabel* label_;
};

// A text shown on the window: fixed, or a variable shown through its picture.
class StringControl final : public Control {
public:
    explicit StringControl(const QString& text);
    StringControl(const Picture& picture, ValueBinding binding);

    void setText(const QString& text);
    QString text() const;
    void display() override;

private:
    QLabel* label_;
    Picture picture_;
    ValueBinding binding_;
};

// A picture file of the program's own, or any image file by its path.
class ImageControl final : public Control {
public:
    explicit ImageControl(const QString& fileName = {});
    // False when the file cannot be read; the control then shows nothing.
    bool setPicture(const QString& fileName);
    // An image file by its path only, never one of the program's own pictures (a photo named
    // like one of them is still a photo); false, showing nothing, when it is missing or
    // cannot be read.
    bool setFile(const QString& path);
    bool hasPicture() const;

private:
    QLabel* label_;
};

// Finds one of the program's own pictures or icons ("doctor.ico", "Stethoscope.ICO") without
// regard to case, "." standing for the "_" of the resource name, as the windows spell some
// names in several cases; otherwise a path to an existing file is taken as it stands. Empty
// when there is neither.
QString findPictureFile(const QString& fileName);

} // namespace nidora::framework
