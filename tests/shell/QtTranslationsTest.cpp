#include "shell/QtTranslations.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace nidora::shell {
namespace {

// The file dialog and the message boxes' standard buttons speak Spanish while the translator
// lives, and English again once it is gone.
TEST(QtTranslations, QtsOwnDialogsSpeakSpanish)
{
    struct Case {
        const char* context;
        const char* english;
    };
    const Case cases[] = {
        { "QFileDialog", "Look in:" },
        { "QFileDialog", "File &name:" },
        { "QFileDialog", "&Open" },
        { "QPlatformTheme", "&Yes" },
        { "QPlatformTheme", "Cancel" },
    };
    {
        const std::unique_ptr<QTranslator> spanish = installQtTranslations();
        ASSERT_NE(spanish, nullptr) << "Qt's translations are not installed";
        for (const Case& c : cases)
            EXPECT_NE(QCoreApplication::translate(c.context, c.english), QString::fromUtf8(c.english))
                << c.english;
    }
    for (const Case& c : cases)
        EXPECT_EQ(QCoreApplication::translate(c.context, c.english), QString::fromUtf8(c.english));
}

} // namespace
} // namespace nidora::shell
