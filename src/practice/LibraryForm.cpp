#include "practice/LibraryForm.h"

#include "framework/ControlLabels.h"
#include "framework/MessageBoxes.h"

namespace nidora::practice {

framework::EntryControl& LibraryForm::addName(
    const QString& prompt, const QString& name, int y, QString& value, const QString& blankMessage)
{
    add<framework::PromptControl>(
        name + QStringLiteral(":Prompt"), { kPromptX, y + 1, kFieldX - kPromptX - 2, 10 }, prompt);
    name_ = &add<framework::EntryControl>(
        name, { kFieldX, y, 170, 10 }, QStringLiteral("@s40"), framework::entryValue(value));
    nameValue_ = &value;
    blankMessage_ = blankMessage;
    themed(*name_);
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
    addOkAndCancel(formHeight() - 20, formWidth() - 6);
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
