#include "practice/LibraryForm.h"

#include "framework/ControlLabels.h"
#include "framework/MessageBoxes.h"

namespace nidora::practice {

LibraryForm::LibraryForm(QString procedureName, data::FileId file, views::FormCaptions captions,
    const QString& caption, int width, int height)
    : FormWindow(std::move(procedureName), file, std::move(captions))
    , width_(width)
    , height_(height)
{
    setCaption(caption);
    setSize(width, height);
    setCentred();
    setWallpaper(QStringLiteral("fondo.bmp"));
}

framework::EntryControl& LibraryForm::addName(
    const QString& prompt, const QString& name, int y, QString& value, const QString& blankMessage)
{
    add<framework::PromptControl>(
        name + QStringLiteral(":Prompt"), { kPromptX, y + 1, kFieldX - kPromptX - 2, 10 }, prompt);
    name_ = &add<framework::EntryControl>(
        name, { kFieldX, y, 170, 10 }, QStringLiteral("@s40"), framework::entryValue(value));
    nameValue_ = &value;
    blankMessage_ = blankMessage;
    themed_.push_back(name_);
    setFirstControl(name_->number());
    return *name_;
}

framework::EntryControl& LibraryForm::addShown(
    const QString& prompt, const QString& name, int y, QString& value)
{
    add<framework::PromptControl>(
        name + QStringLiteral(":Prompt"), { kPromptX, y + 1, kFieldX - kPromptX - 2, 10 }, prompt);
    auto& shown = add<framework::EntryControl>(
        name, { kFieldX, y, 170, 10 }, QStringLiteral("@s40"), framework::entryValue(value));
    shown.setReadOnly(true);
    return shown;
}

void LibraryForm::addButtons()
{
    const int y = height_ - 20;
    addOk(QStringLiteral("?OK"), { width_ - 100, y, 45, 14 }, QStringLiteral("OK"), QStringLiteral("si.bmp"));
    addCancel(QStringLiteral("?CANCEL"), { width_ - 51, y, 45, 14 }, QStringLiteral("Cancelar"),
        QStringLiteral("no.bmp"));
}

int LibraryForm::ok()
{
    // A blank topic would be stored where its key leaves it out, so the tree would never show
    // it again; a blank title or article would be a row without a text. Neither is written.
    const bool writes = session().request() == InsertRecord || session().request() == ChangeRecord;
    if (writes && name_) {
        updateFields();
        if (nameValue_->trimmed().isEmpty()) {
            framework::showMessage(blankMessage_);
            select(*name_);
            return framework::handled::Consumed;
        }
    }
    return FormWindow::ok();
}

} // namespace nidora::practice
