#include "views/DataWindow.h"

#include "views/DictionarySetup.h"

namespace nidora::views {

DataWindow::DataWindow(QString procedureName, data::FileId file)
    : Window(std::move(procedureName))
    , data_(views::threadDictionary())
    , files_(data_, file)
    , panels_(*this)
{
}

ListPanel& DataWindow::addPanel(data::FileId file, framework::Control* page)
{
    return panels_.add(data_.access(file), page);
}

bool DataWindow::onSetUp()
{
    if (!files_.open())
        return false;
    noteFilesOpened();
    panels_.setUp();
    return true;
}

void DataWindow::onOpened()
{
    panels_.open();
}

void DataWindow::closeFiles()
{
    files_.close();
}

int DataWindow::onAccepted(framework::Control& control)
{
    return panels_.accepted(control);
}

int DataWindow::onFieldEvent(framework::Control& control, const framework::ThreadEvent& event)
{
    return panels_.take(control, event);
}

} // namespace nidora::views
