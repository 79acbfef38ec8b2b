#include "shell/ProgramEntry.h"

#include "shell/Main.h"
#include "shell/Program.h"

#include <QApplication>

namespace nidora::shell {

int ProgramEntry(int argc, char** argv, ProcedureTable procedures)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nidora"));
    FrameServices frame;
    frame.procedures = std::move(procedures);
    Program program(ProgramServices { dictionaryHooks(), [frame] { Main(frame); } });
    return program.run();
}

} // namespace nidora::shell
