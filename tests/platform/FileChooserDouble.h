#pragma once

#include "platform/FileChooser.h"

#include <QString>

namespace nidora::test {

// Answers every choice at once with a scripted file (empty: the user cancelled) and remembers
// how it was asked.
class FileChooserDouble : public platform::FileChooser {
public:
    void choose(QWidget*, const QString& title, const platform::FileFilter& filter, Completion done) override
    {
        ++asked;
        askedTitle = title;
        askedFilter = filter;
        done(answer);
    }

    QString answer;
    int asked = 0;
    QString askedTitle;
    platform::FileFilter askedFilter;
};

} // namespace nidora::test
