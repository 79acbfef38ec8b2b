#include "shell/FrameCommands.h"

namespace nidora::shell {

namespace {

using A = FrameAction;

constexpr std::size_t kStack = 25'000;
constexpr std::size_t kLargeStack = 50'000;

constexpr FrameCommand kArchivo[] = {
    { -2, "Archivo de Usuarios", "", "", "", 30, A::StartProcedure, "BrowseUSUARIOS", kStack },
    { -3, "Archivo de Médicos", "", "", "", 0, A::StartProcedure, "BrowseMEDICOS", kStack },
    { -4, "Backup de Datos", "", "", "", 0, A::StartProcedure, "PantallaCopia", kStack },
    { -5, "Restaurar Backup", "", "", "", 0, A::StartProcedure, "PantallaRestaurar", kStack },
    { -6, "&Especificar Impresora", "", "Especificar Impresora", "", 0, A::PrinterSetup, "", 0 },
    { -7, "&Salir", "", "Salir del Programa", "", 0, A::Exit, "", 0 },
};

constexpr FrameCommand kEdicion[] = {
    { -9, "C&ortar", "", "Corta y envía al portapapeles de Windows", "", 0, A::Cut, "", 0 },
    { -10, "&Copiar", "", "Copia al portapapeles de Windows", "", 0, A::Copy, "", 0 },
    { -11, "&Pegar", "", "Pega el contenido del portapapeles de Windows", "", 0, A::Paste, "", 0 },
};

// The launchers stay reachable here whatever the user's rights; only their toolbar buttons check.
constexpr FrameCommand kInformes[] = {
    { -13, "Reportes", "", "", "", 0, A::StartProcedure, "Informes", kStack },
    { -14, "Gráficos", "", "", "", 0, A::StartProcedure, "Graficos", kStack },
};

constexpr FrameCommand kWindow[] = {
    { -15, "T&ile", "", "Make all open windows visible", "", 0, A::Tile, "", 0 },
    { -16, "&Cascade", "", "Stack all open windows", "", 0, A::Cascade, "", 0 },
    { -17, "&Arrange Icons", "", "Align all window icons", "", 0, A::ArrangeIcons, "", 0 },
};

constexpr FrameCommand kAyuda[] = {
    { -19, "Sobre Nidora 1.7", "", "", "", 0, A::StartProcedure, "HelpAbout", kStack },
};

constexpr FrameMenu kMenus[] = {
    { -1, "&Archivo", "", kArchivo, false },
    { -8, "&Edición", "", kEdicion, false },
    { -12, "&Informes", "Report data", kInformes, false },
    { 0, "&Window", "Create and Arrange windows", kWindow, true },
    { -18, "A&yuda", "Windows Help", kAyuda, false },
};

constexpr FrameCommand kToolbar[] = {
    { -20, "Pacientes", "Pacientes", "", "doctor.ico", 1, A::StartProcedure, "BrowsePACIENTES", kLargeStack },
    { -21, "", "Archivo de Madres", "", "pregnant.ico", 0, A::StartProcedure, "BrowseMADRES", kStack },
    { -30, "", "Archivo de Padres", "", "boss.ico", 0, A::StartProcedure, "BrowsePADRES", kStack },
    { -22, "Tablas", "Tablas", "", "Documents.ico", 3, A::StartProcedure, "Tablas", kLargeStack },
    { -28, "", "Agenda", "", "calendario.ico", 4, A::StartProcedure, "BrowseAGENDA", kStack },
    { -29, "", "Biblioteca", "", "books.ico", 0, A::StartProcedure, "Biblioteca", kStack },
    { -23, "", "Reportes", "", "Pencil.ico", 5, A::StartProcedure, "Informes", kStack },
    { -24, "", "Gráficas", "", "grabarr.ico", 6, A::StartProcedure, "Graficos", kLargeStack },
    { -25, "", "", "", "HELP2.ICO", 0, A::HelpPage, "", 0 },
    { -26, kContactAddress, "", "", "", 0, A::Email, "", 0 },
};

} // namespace

std::span<const FrameMenu> frameMenus()
{
    return kMenus;
}

std::span<const FrameCommand> frameToolbar()
{
    return kToolbar;
}

const FrameCommand* findFrameCommand(int control)
{
    for (const FrameMenu& menu : kMenus) {
        for (const FrameCommand& item : menu.items) {
            if (item.control == control)
                return &item;
        }
    }
    for (const FrameCommand& button : kToolbar) {
        if (button.control == control)
            return &button;
    }
    return nullptr;
}

} // namespace nidora::shell
