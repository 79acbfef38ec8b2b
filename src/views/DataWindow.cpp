#include "views/DataWindow.h"

#include "views/DictionarySetup.h"

#include "data/Catalogue.h"
#include "framework/ControlEdits.h"

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
    holdTextBoxesToTheirFields();
    return true;
}

void DataWindow::holdTextBoxesToTheirFields()
{
    // A text box named for a field ("?MAD:ANTECEDENTES") takes no more than the field stores,
    // so what it shows is what is written.
    for (const auto& each : controls()) {
        if (each->kind() != framework::ControlKind::Text)
            continue;
        auto* box = static_cast<framework::TextControl*>(each.get());
        if (box->maxLength() > 0)
            continue;
        const QString name = box->name();
        if (!name.startsWith(u'?'))
            continue;
        const data::FieldDesc* field = data::findFieldDesc(name.mid(1));
        if (field && (field->type == data::FieldType::Memo || field->type == data::FieldType::String))
            box->setMaxLength(field->size);
    }
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
