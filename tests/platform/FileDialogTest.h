#pragma once

#include "support/ScratchDirectory.h"

#include <QFileDialog>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace nidora::test {

// A chooser's dialog shown over a parent window in a scratch working directory, and what it
// answered.
class FileDialogTest : public ::testing::Test {
protected:
    // What a chooser's completion gets.
    void answered(const QString& answer)
    {
        ++answers;
        chosen = answer;
    }
    // The dialog a choice just started shows, checking the choice is not answered yet.
    QFileDialog* shownDialog()
    {
        EXPECT_EQ(answers, 0);
        auto* dialog = parent->findChild<QFileDialog*>();
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }

    ScratchDirectory scratch;
    std::unique_ptr<QWidget> parent = std::make_unique<QWidget>();
    int answers = 0;
    std::optional<QString> chosen;
};

} // namespace nidora::test
