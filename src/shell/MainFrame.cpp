#include "shell/MainFrame.h"

#include <QMdiArea>

namespace nidora::shell {

MainFrame::MainFrame(QWidget* parent)
    : QMainWindow(parent)
    , workspace_(new QMdiArea(this))
{
    setWindowTitle(QStringLiteral("Nidora 1.76"));
    setCentralWidget(workspace_);
    resize(1024, 720);
}

} // namespace nidora::shell
