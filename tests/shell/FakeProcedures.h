#pragma once

#include "shell/FrameServices.h"
#include "views/ProgramGlobals.h"

#include <ostream>
#include <string>
#include <vector>

namespace nidora::shell::test {

struct Ran {
    std::string procedure;
    int thread;
    bool operator==(const Ran&) const = default;
};

inline void PrintTo(const Ran& ran, std::ostream* os)
{
    *os << ran.procedure << " on " << ran.thread;
}

// Stands in for the login window where a test is about the frame: every right is granted.
inline void logInWithAllRights()
{
    views::AppGlobals.LoggedIn = 1;
    views::AppGlobals.grantAllRights();
}

// Frame services whose every window procedure is a fake that notes which thread it ran on, and
// whose starter notes the stack each start asked for.
inline FrameServices recordingServices(std::vector<Ran>& ran, std::vector<std::size_t>& stacks)
{
    FrameServices services;
    services.login = logInWithAllRights;
    for (const char* name : { "BrowseUSUARIOS", "BrowseMEDICOS", "PantallaCopia", "PantallaRestaurar",
             "Informes", "Graficos", "HelpAbout", "BrowsePACIENTES", "BrowseMADRES", "BrowsePADRES", "Tablas",
             "BrowseAGENDA", "Biblioteca", "PantallaFondo" }) {
        services.procedures.emplace(QString::fromUtf8(name), [&ran, name] {
            ran.push_back({ name, framework::CurrentThreadNumber() });
        });
    }
    services.startThread = [&stacks](framework::ThreadProcedure procedure, std::size_t stack) {
        stacks.push_back(stack);
        return framework::StartOnNewThread(std::move(procedure), stack);
    };
    return services;
}

} // namespace nidora::shell::test
