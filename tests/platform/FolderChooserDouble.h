#pragma once

#include "platform/FolderChooser.h"

#include <QString>

namespace nidora::test {

// Answers every choice at once with a scripted folder (empty: the user cancelled) and
// remembers how it was asked.
class FolderChooserDouble : public platform::FolderChooser {
public:
    void choose(QWidget*, const QString& title, const QString& startFolder, Completion done) override
    {
        askedTitle = title;
        askedStart = startFolder;
        done(answer);
    }

    QString answer;
    QString askedTitle;
    QString askedStart;
};

} // namespace nidora::test
