#include "shell/Identificacion.h"

#include "shell/Login.h"
#include "shell/ThreadDataHooks.h"

#include "framework/ControlButton.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "framework/MessageBoxes.h"
#include "framework/Window.h"

#include <QLineEdit>

#include <optional>

namespace nidora::shell {
namespace {

class LoginWindow final : public framework::Window {
public:
    LoginWindow()
        : Window(QStringLiteral("Identificacion"))
    {
        setFont(QStringLiteral("MS Sans Serif"), 8);
        setSize(150, 60);
        setCentred();
        add<framework::ImageControl>(
            QStringLiteral("?Image1"), framework::DialogRect { 6, 6, 24, 24 }, QStringLiteral("nidora.ico"));
        add<framework::PromptControl>(
            QStringLiteral("?Prompt1"), framework::DialogRect { 38, 10, 30, 10 }, QStringLiteral("Usuario:"));
        code_ = &add<framework::EntryControl>(QStringLiteral("?CODIGO"),
            framework::DialogRect { 70, 8, 70, 12 }, QStringLiteral("@s10"), framework::entryValue(typed_));
        // A code is a password in all but name: it is not shown to whoever looks over a shoulder.
        static_cast<QLineEdit*>(code_->widget())->setEchoMode(QLineEdit::Password);
        ok_ = &add<framework::ButtonControl>(QStringLiteral("?OK"), framework::DialogRect { 100, 36, 40, 16 },
            QStringLiteral("OK"), QStringLiteral("button_ok.ico"));
        setOkControl(ok_);
        ok_->setDefault(true);
        setFirstControl(code_->number());
    }

protected:
    bool onSetUp() override
    {
        check_.emplace(views::threadDictionary(), views::AppGlobals);
        noteFilesOpened();
        return true;
    }

    void closeFiles() override { check_.reset(); }

    int onAccepted(framework::Control& control) override
    {
        if (&control != ok_)
            return framework::handled::GoOn;
        code_->commit();
        const LoginOutcome outcome = check_->accept(typed_);
        if (outcome == LoginOutcome::Damaged)
            framework::showMessage(QString::fromUtf8(kDamagedUsersFile));
        if (outcome != LoginOutcome::Refused) {
            setResponse(Completed);
            requestClose();
        }
        select(*code_);
        display();
        return framework::handled::GoOn;
    }

private:
    QString typed_ = views::blankText(10);
    framework::EntryControl* code_ = nullptr;
    framework::ButtonControl* ok_ = nullptr;
    std::optional<LoginCheck> check_;
};

} // namespace

void Identificacion()
{
    LoginWindow window;
    window.run();
}

} // namespace nidora::shell
