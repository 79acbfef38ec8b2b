#include "views/ListWindow.h"

namespace nidora::views {

ListWindow::ListWindow(QString procedureName, data::FileId file)
    : DataWindow(std::move(procedureName), file)
    , panel_(addPanel(file))
{
    panel_.setRowChangedHandler([this] { onRowChanged(); });
    panel_.setRowsReadHandler([this] { onRowsRead(); });
}

} // namespace nidora::views
