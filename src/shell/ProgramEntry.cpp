#include "shell/ProgramEntry.h"

#include "shell/MainFrame.h"

#include <QApplication>

namespace nidora::shell {

int ProgramEntry(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nidora"));
    MainFrame frame;
    frame.show();
    return QApplication::exec();
}

} // namespace nidora::shell
