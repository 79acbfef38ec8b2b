#include "shell/USUARIOS_Ficha.h"

#include "shell/ThreadDataHooks.h"
#include "shell/UserRules.h"
#include "views/ProgramGlobals.h"

#include "core/ErrorManager.h"
#include "data/Dictionary.h"
#include "data/ReferenceRecords.h"
#include "framework/ControlButton.h"
#include "framework/ControlChoices.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "framework/MessageBoxes.h"
#include "framework/Window.h"
#include "framework/WindowEvent.h"
#include "views/FormSession.h"

#include <QIcon>

#include <array>
#include <optional>

namespace nidora::shell {
namespace {

namespace handled = framework::handled;
using framework::DialogRect;

constexpr int kSaveRecordMessage = 38;

struct RightBox {
    int right;
    const char* caption;
};

// Rights 7 to 29 have no box: nothing reads them, and an administrator holds them anyway.
constexpr std::array<RightBox, 7> kRightBoxes { {
    { 1, "Acceso a Archivo Pacientes" },
    { 2, "Acceso a Consultas" },
    { 3, "Acceso a Tablas" },
    { 4, "Acceso a Agenda" },
    { 5, "Informes" },
    { 6, "Gráficas" },
    { kAdministratorRight, "Administrador del sistema" },
} };

class UserForm final : public framework::Window {
public:
    UserForm()
        : Window(QStringLiteral("USUARIOS:Ficha"))
        , data_(views::threadDictionary())
        , user_(data_.buffer<data::ACCESOS>())
    {
        setCaption(QStringLiteral("Usuarios"));
        setIcon(QIcon(framework::findPictureFile(QStringLiteral("user group.ico"))));
        setFont(QStringLiteral("MS Sans Serif"), 8);
        setSize(190, 150);
        add<framework::PromptControl>(
            QStringLiteral("?ACC:CLAVE:Prompt"), DialogRect { 6, 8, 40, 10 }, QStringLiteral("Código:"));
        add<framework::EntryControl>(QStringLiteral("?ACC:CLAVE"), DialogRect { 50, 6, 60, 12 },
            QStringLiteral("@s10"), framework::entryValue(user_.CLAVE));
        add<framework::PromptControl>(
            QStringLiteral("?ACC:NOMBRE:Prompt"), DialogRect { 6, 24, 40, 10 }, QStringLiteral("Nombre:"));
        add<framework::EntryControl>(QStringLiteral("?ACC:NOMBRE"), DialogRect { 50, 22, 130, 12 },
            QStringLiteral("@s30"), framework::entryValue(user_.NOMBRE));
        int top = 40;
        for (const RightBox& box : kRightBoxes) {
            boxes_.push_back(&add<framework::CheckControl>(QStringLiteral("?ACC:PUERTAS_%1").arg(box.right),
                DialogRect { 50, top, 130, 10 }, QString::fromUtf8(box.caption),
                framework::bindTo(user_.PUERTAS[std::size_t(box.right - 1)]), QVariant(1), QVariant(0)));
            top += 12;
        }
        ok_ = &add<framework::ButtonControl>(
            QStringLiteral("?OK"), DialogRect { 90, top + 6, 42, 14 }, QStringLiteral("Aceptar"));
        cancel_ = &add<framework::ButtonControl>(
            QStringLiteral("?CANCEL"), DialogRect { 138, top + 6, 42, 14 }, QStringLiteral("Cancelar"));
        setOkControl(ok_);
        setFirstControl(2);
    }

protected:
    bool onSetUp() override
    {
        auto& users = data_.access<data::ACCESOS>();
        if (users.open() != data::AccessResult::Ok)
            return false;
        noteFilesOpened();
        session_.emplace(data_.relation<data::ACCESOS>(), std::uint8_t(request()),
            views::FormCaptions { QStringLiteral("Agregando un Registro a USUARIOS"),
                QStringLiteral("Cambiando un Registro de USUARIOS"),
                QStringLiteral("Borrando un Registro de USUARIOS") });
        return true;
    }

    void onOpened() override
    {
        setCaption(session_->caption());
        if (deleteBlocked(views::AppGlobals.AdministratorCount, user_, std::uint8_t(request()))) {
            ok_->setEnabled(false);
            framework::showMessage(QString::fromUtf8(kKeepLastAdministratorOnDelete));
        }
        openingRight_ = user_.PUERTAS[kAdministratorRight - 1];
        followAdministratorRight();
    }

    void closeFiles() override
    {
        session_.reset();
        data_.access<data::ACCESOS>().close();
    }

    int onAccepted(framework::Control& control) override
    {
        if (&control == ok_)
            return pressOk();
        if (&control == cancel_)
            return pressCancel();
        if (&control == boxes_.back()) {
            if (removingLastAdministrator(
                    views::AppGlobals.AdministratorCount, openingRight_, std::uint8_t(request()), user_)) {
                framework::showMessage(QString::fromUtf8(kKeepOneAdministrator));
                user_.PUERTAS[kAdministratorRight - 1] = 1;
            }
            followAdministratorRight();
        }
        return handled::GoOn;
    }

    int onWindowEvent(const framework::ThreadEvent& event) override
    {
        if (event.code == framework::event::CloseWindow)
            return pressCancel();
        return Window::onWindowEvent(event);
    }

private:
    // An administrator's boxes for rights 1 to 6 are ticked and cannot be changed.
    void followAdministratorRight()
    {
        const bool administrator = isAdministrator(user_);
        if (administrator)
            grantAdministratorRights(user_);
        for (std::size_t box = 0; box + 1 < boxes_.size(); ++box)
            boxes_[box]->setEnabled(!administrator);
        display();
    }

    int pressOk()
    {
        if (!session_->okSaves())
            return finish(views::FormStep { true, views::Cancelled, false });
        if (request() != framework::request::Delete && !acceptAll())
            return handled::GoOn;
        return finish(session_->ok());
    }

    int pressCancel()
    {
        for (const auto& control : controls())
            if (control->holdsData())
                control->commit();
        if (cancelAsksToSave(std::uint8_t(request()), session_->changed())) {
            switch (core::AppErrorManager.raiseWithCancel(kSaveRecordMessage)) {
            case core::Answer::Yes:
                return pressOk();
            case core::Answer::No:
                break;
            default:
                select(firstControl());
                return handled::GoOn;
            }
        }
        return finish(session_->cancel());
    }

    int finish(const views::FormStep& step)
    {
        if (!step.closes) {
            if (step.focusFirstControl)
                select(firstControl());
            return handled::GoOn;
        }
        setResponse(step.response);
        return handled::EndLoop;
    }

    data::Dictionary& data_;
    data::ACCESOS& user_;
    std::vector<framework::CheckControl*> boxes_;
    framework::ButtonControl* ok_ = nullptr;
    framework::ButtonControl* cancel_ = nullptr;
    std::optional<views::FormSession> session_;
    std::uint8_t openingRight_ = 0;
};

} // namespace

void USUARIOS_Ficha()
{
    UserForm form;
    form.run();
}

} // namespace nidora::shell
