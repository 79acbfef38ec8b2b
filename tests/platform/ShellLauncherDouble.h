#pragma once

#include "platform/ShellLauncher.h"

#include <QUrl>

#include <vector>

namespace nidora::test {

// Records what it was handed; answers as told (a desktop with or without a program for it).
class ShellLauncherDouble : public platform::ShellLauncher {
public:
    bool open(const QUrl& target) override
    {
        handed.push_back(target);
        return accepts;
    }

    bool accepts = true;
    std::vector<QUrl> handed;
};

} // namespace nidora::test
