#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace nidora::views {

// A fixed-length text as the program starts it: all spaces.
QString blankText(int length);

// The values the whole program shares, one copy each for every thread and for the whole run.
// Texts keep their full declared length, padded with spaces, the way the windows bound to them
// show and compare them. Hand-over values that belong to one thread (chart texts, the
// prescription and its doctor header) are not here: each thread has its own.
struct ProgramGlobals {
    static constexpr int kRights = 30;

    // Set by the login, read by the frame and the windows it starts.
    std::uint8_t LoggedIn = 0;
    std::array<std::uint8_t, kRights> AccessRights {}; // right n is AccessRights[n - 1]
    QString CurrentUserName = blankText(30);
    std::uint8_t AdministratorCount = 0;

    // Kept by the frame.
    std::uint8_t CurrentPhysician = 0;
    QString ShellTarget; // zero-terminated, so empty rather than blank
    std::int32_t SplashThread = 0;
    std::int32_t ShowDragFullWindowsSaved = 0;

    // The report prompts' choices, carried from one prompt to the next.
    std::int32_t DF = 0;
    std::int32_t HF = 0;
    std::int32_t SELECTPACIENTE = 0;
    QString SELECTPATOLOGIA = blankText(20);
    QString SELECTMOTIVO = blankText(25);
    QString SELECTOBRAS = blankText(20);
    QString SELECTGRUPO = blankText(3);
    std::uint8_t MES = 0;
    std::int16_t ANIO = 0;
    QString DLETRA = QStringLiteral("A");
    QString HLETRA = QStringLiteral("Z");

    // Right 1 to 30 granted; any other number is never granted.
    bool hasRight(int right) const;
    void grantAllRights();
};

// The current doctor from the text of the settings key "medico": its number's low byte, at
// least 1 (a missing or unreadable value counts as 0).
std::uint8_t physicianFromSetting(const QString& value);
// CurrentPhysician read again from the practice's settings file, as the windows that head
// their pages with the current doctor do each time they open.
std::uint8_t rereadCurrentPhysician();

// The running program's globals; the program's set-up puts them back to their starting values.
extern ProgramGlobals AppGlobals;

} // namespace nidora::views
