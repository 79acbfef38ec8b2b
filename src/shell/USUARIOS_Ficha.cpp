#include "shell/USUARIOS_Ficha.h"

#include "shell/UserRules.h"
#include "views/ProgramGlobals.h"

#include "core/ErrorManager.h"
#include "data/ReferenceRecords.h"
#include "framework/ControlButton.h"
#include "framework/ControlChoices.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "framework/MessageBoxes.h"
#include "views/FormWindow.h"

#include <QIcon>

#include <array>
#include <vector>

namespace nidora::shell {
namespace {

namespace handled = framework::handled;
using framework::DialogRect;

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

class UserForm final : public views::FormWindow {
public:
    UserForm()
        : FormWindow(QStringLiteral("USUARIOS:Ficha"), data::FileId::ACCESOS,
            { QStringLiteral("Agregando un Registro a USUARIOS"),
                QStringLiteral("Cambiando un Registro de USUARIOS"),
                QStringLiteral("Borrando un Registro de USUARIOS") })
        , user_(record<data::ACCESOS>())
    {
        setCaption(QStringLiteral("Usuarios"));
        setIcon(QIcon(framework::findPictureFile(QStringLiteral("user group.ico"))));
        setFont(QStringLiteral("MS Sans Serif"), 8);
        setSize(190, 150);
        setCentred();
        add<framework::PromptControl>(
            QStringLiteral("?ACC:CLAVE:Prompt"), DialogRect { 6, 8, 40, 10 }, QStringLiteral("Código:"));
        code_ = &add<framework::EntryControl>(QStringLiteral("?ACC:CLAVE"), DialogRect { 50, 6, 60, 12 },
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
        addOk(QStringLiteral("?OK"), DialogRect { 90, top + 6, 42, 14 }, QStringLiteral("OK"),
            QStringLiteral("si.bmp"));
        addCancel(QStringLiteral("?CANCEL"), DialogRect { 138, top + 6, 42, 14 }, QStringLiteral("Cancelar"),
            QStringLiteral("no.bmp"));
        setFirstControl(2);
    }

    // A user without a code could never be found again: the code key leaves blank codes out,
    // so he would be missing from the list and could be neither changed nor deleted.
    int ok() override
    {
        if (request() == InsertRecord || request() == ChangeRecord) {
            updateFields();
            if (user_.CLAVE.trimmed().isEmpty()) {
                framework::showMessage(QString::fromUtf8(kBlankCode));
                select(*code_);
                return handled::Consumed;
            }
        }
        return FormWindow::ok();
    }

    // Unlike every other form, this one asks before it throws a changed record away.
    int cancel() override
    {
        // The text typed last may not have been taken yet: the question is about what the user
        // sees, so the fields are brought up to date first, with no handler run.
        updateFields();
        if (cancelAsksToSave(std::uint8_t(request()), session().changed())) {
            switch (core::AppErrorManager.raiseWithCancel(core::message::SaveChanges)) {
            case core::Answer::Yes:
                return ok();
            case core::Answer::No:
                break;
            default:
                select(firstControl());
                return handled::Consumed;
            }
        }
        return FormWindow::cancel();
    }

protected:
    void onOpened() override
    {
        FormWindow::onOpened();
        if (deleteBlocked(views::AppGlobals.AdministratorCount, user_, std::uint8_t(request()))) {
            okControl()->setEnabled(false);
            framework::showMessage(QString::fromUtf8(kKeepLastAdministratorOnDelete));
        }
        openingRight_ = user_.PUERTAS[kAdministratorRight - 1];
        followAdministratorRight();
    }

    int onAccepted(framework::Control& control) override
    {
        if (&control != boxes_.back())
            return FormWindow::onAccepted(control);
        if (removingLastAdministrator(
                views::AppGlobals.AdministratorCount, openingRight_, std::uint8_t(request()), user_)) {
            framework::showMessage(QString::fromUtf8(kKeepOneAdministrator));
            user_.PUERTAS[kAdministratorRight - 1] = 1;
        }
        followAdministratorRight();
        return handled::GoOn;
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

    data::ACCESOS& user_;
    framework::EntryControl* code_ = nullptr;
    std::vector<framework::CheckControl*> boxes_;
    std::uint8_t openingRight_ = 0;
};

} // namespace

void USUARIOS_Ficha()
{
    UserForm form;
    form.run();
}

} // namespace nidora::shell
