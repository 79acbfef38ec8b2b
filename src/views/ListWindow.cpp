#include "views/ListWindow.h"

namespace nidora::views {

ListWindow::ListWindow(QString procedureName, data::FileId file)
    : DataWindow(std::move(procedureName), file)
    , panel_(addPanel(file))
{
    panel_.setRowChangedHandler([this] { onRowChanged(); });
    panel_.setRowsReadHandler([this] { onRowsRead(); });
}

void ListWindow::onOpened()
{
    DataWindow::onOpened();
    if (!opensOnCallersRecord_ || request() != SelectRecord)
        return;
    list().view().refreshOn(access().buffer(), 0);
    list().showHighlight();
}

} // namespace nidora::views
