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

// The same for naming a file to write.
class SaveFileChooserDouble : public platform::SaveFileChooser {
public:
    void choose(QWidget*, const QString& title, const std::vector<platform::FileFilter>& filters,
        const QString& name, Completion done) override
    {
        ++asked;
        askedTitle = title;
        askedFilters = filters;
        askedName = name;
        done(answer);
    }

    QString answer;
    int asked = 0;
    QString askedTitle;
    std::vector<platform::FileFilter> askedFilters;
    QString askedName;
};

} // namespace nidora::test
