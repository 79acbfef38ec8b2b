#include "shell/ProgramEntry.h"

#include "shell/BackupWindows.h"
#include "shell/BrowseUSUARIOS.h"
#include "shell/FrameCommands.h"
#include "shell/Main.h"
#include "shell/ProductWindows.h"
#include "shell/Program.h"
#include "shell/QtTranslations.h"
#include "views/ProgramProcedures.h"

#include <QApplication>

namespace nidora::shell {

int ProgramEntry(int argc, char** argv, views::ProcedureTable procedures)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nidora"));
    const std::unique_ptr<QTranslator> spanish = installQtTranslations();
    FrameServices frame;
    frame.procedures = std::move(procedures);
    frame.procedures.try_emplace(QString::fromUtf8(kSplashProcedure), PantallaFondo);
    frame.procedures.try_emplace(QStringLiteral("HelpAbout"), HelpAbout);
    frame.procedures.try_emplace(QStringLiteral("BrowseUSUARIOS"), BrowseUSUARIOS);
    frame.procedures.try_emplace(QStringLiteral("PantallaCopia"), PantallaCopia);
    frame.procedures.try_emplace(QStringLiteral("PantallaRestaurar"), PantallaRestaurar);
    // The launchers start their buttons' windows by name from the same table as the frame.
    views::setProgramProcedures(frame.procedures);
    Program program(ProgramServices { {}, [frame] { Main(frame); } });
    return program.run();
}

} // namespace nidora::shell
