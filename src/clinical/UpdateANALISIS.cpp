#include "clinical/ClinicalForms.h"

#include "clinical/ClinicalForm.h"
#include "clinical/ClinicalHistoryRules.h"
#include "clinical/StudyAttachment.h"

#include "data/ClinicalRecords.h"
#include "framework/Await.h"
#include "framework/ControlButton.h"
#include "framework/ControlEdits.h"
#include "framework/ControlEntry.h"
#include "framework/ControlSheet.h"
#include "framework/MessageBoxes.h"
#include "platform/FileChooser.h"
#include "platform/Shell.h"
#include "views/ProgramGlobals.h"

#include <QDir>

#include <optional>

namespace nidora::clinical {
namespace {

using framework::Control;
using framework::EntryControl;
using framework::handled::Consumed;
using framework::handled::GoOn;

constexpr Qt::Edges kAcross = Qt::LeftEdge | Qt::RightEdge;
constexpr Qt::Edges kEveryEdge = Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge;
constexpr Qt::Edges kRightCorner = Qt::RightEdge | Qt::BottomEdge;

// Waits, without a nested event loop, for the user to choose the attached file: its full name,
// or empty when the dialog was cancelled; nothing when the thread is asked to end first.
std::optional<QString> awaitAttachedFile(QWidget* parent)
{
    return framework::awaitAnswer<QString>([parent](auto done) {
        platform::FileChooserService::current().choose(parent, QStringLiteral("Select A File"),
            { QStringLiteral("All Files"), { QStringLiteral("*") } }, std::move(done));
    });
}

class StudyForm final : public ClinicalForm {
public:
    StudyForm()
        : ClinicalForm(QStringLiteral("UpdateANALISIS"), data::FileId::ANALISIS,
            { QStringLiteral("Nuevo Estudio"), QStringLiteral("Cambiar Estudio"),
                QStringLiteral("Borrar Estudio?") })
        , study_(record<data::ANALISIS>())
        , consultation_(record<data::CONSULTAS>())
    {
        setCaption(QStringLiteral("Estudios"));
        setSize(300, 170);
        setCentred();
        setResizable(true);
        auto& sheet = add<framework::SheetControl>(
            QStringLiteral("?CURRENTTAB"), { 4, 4, 292, 140 }, framework::SheetControl::Style::Wizard);
        auto& page
            = addIn<framework::TabControl>(sheet, QStringLiteral("?TAB:1"), {}, QStringLiteral("General"));
        addPatientPrompt(page, { 6, 9, 50, 10 });
        auto& name
            = addShown(&page, QStringLiteral("?PAC:NOMBRE"), { 58, 9, 140, 10 }, "@s30", patient().NOMBRE);
        addShown(&page, QStringLiteral("?ANA:PACIENTE"), { 200, 9, 34, 10 }, "@n7", study_.PACIENTE);

        addIn<framework::PromptControl>(
            page, QStringLiteral("?ANA:ANALISIS:Prompt"), { 6, 25, 50, 10 }, QStringLiteral("Estudio:"));
        studied_ = &addIn<EntryControl>(page, QStringLiteral("?ANA:ANALISIS"), { 58, 24, 150, 11 },
            QStringLiteral("@s30"), framework::entryValue(study_.ANALISIS_));
        studied_->setTip(QStringLiteral("Análisis o estudio ordenado"));
        studied_->widget()->setStatusTip(QStringLiteral("Análisis o estudio ordenado"));

        addIn<framework::PromptControl>(
            page, QStringLiteral("?ANA:ARCHIVO:Prompt"), { 6, 41, 50, 10 }, QStringLiteral("Archivo:"));
        file_ = &addIn<EntryControl>(page, QStringLiteral("?ANA:ARCHIVO"), { 58, 40, 178, 11 },
            QStringLiteral("@s180"), framework::entryValue(study_.ARCHIVO));
        chooseFile_ = &addIn<framework::ButtonControl>(page, QStringLiteral("?LOOKUPFILE"),
            { 238, 39, 16, 13 }, QString(), QStringLiteral("buscar.ico"));
        open_ = &addIn<framework::ButtonControl>(
            page, QStringLiteral("?BUTTON4"), { 256, 39, 28, 13 }, QStringLiteral("Ver"));

        addIn<framework::PromptControl>(
            page, QStringLiteral("?ANA:RESULTADOS:Prompt"), { 6, 57, 50, 10 }, QStringLiteral("Resultado:"));
        auto& results = addIn<framework::TextControl>(page, QStringLiteral("?ANA:RESULTADOS"),
            { 58, 56, 226, 66 }, framework::bindTo(study_.RESULTADOS));

        auto& ok = addOk(
            QStringLiteral("?OK"), { 190, 150, 50, 16 }, QStringLiteral("OK"), QStringLiteral("si.bmp"));
        auto& cancel = addCancel(QStringLiteral("?CANCEL"), { 244, 150, 50, 16 }, QStringLiteral("Cancelar"),
            QStringLiteral("no.bmp"));

        anchor(sheet, kEveryEdge);
        for (Control* across : std::initializer_list<Control*> { &name, studied_, file_ })
            anchor(*across, kAcross);
        for (Control* right : std::initializer_list<Control*> { chooseFile_, open_ })
            anchor(*right, Qt::RightEdge);
        anchor(results, kEveryEdge);
        anchor(ok, kRightCorner);
        anchor(cancel, kRightCorner);
        enableHistory({ QStringLiteral("?ANA:ANALISIS"), QStringLiteral("?ANA:ARCHIVO"),
            QStringLiteral("?ANA:PACIENTE"), QStringLiteral("?ANA:RESULTADOS") });
    }

    int ok() override
    {
        updateFields();
        // Only a study that is written takes a copy: viewing or deleting one leaves the
        // working directory as it is.
        if (request() == InsertRecord || request() == ChangeRecord)
            takeAttachment();
        return ClinicalForm::ok();
    }

protected:
    void onOpened() override
    {
        study_.PACIENTE = consultation_.PACIENTE;
        ClinicalForm::onOpened();
    }

    void holdShownRecords() override
    {
        holdConsultation(data(), study_.CONSULTA);
        holdPatient(data(), consultation_.PACIENTE);
    }

    int onAccepted(Control& control) override
    {
        if (const int result = ClinicalForm::onAccepted(control); result != GoOn)
            return result;
        if (&control == chooseFile_)
            return chooseFile();
        if (&control == open_)
            return openFile();
        return GoOn;
    }

    std::vector<Control*> themedControls() const override { return { studied_, file_ }; }

private:
    int chooseFile()
    {
        updateFields();
        // The form takes no input while the dialog is open; other threads' windows still do.
        widget()->setEnabled(false);
        const std::optional<QString> chosen = awaitAttachedFile(widget());
        widget()->setEnabled(true);
        // A cancelled dialog chose nothing: the study keeps the file it names.
        if (!chosen || chosen->isEmpty())
            return Consumed;
        study_.ARCHIVO = chosen->left(kAttachmentNameLength);
        file_->display();
        select(*chooseFile_);
        return Consumed;
    }

    int openFile()
    {
        updateFields();
        views::AppGlobals.ShellTarget = study_.ARCHIVO;
        platform::ShellOpenWithMessage(
            views::AppGlobals.ShellTarget, [](const QString& text) { framework::showMessage(text); });
        return Consumed;
    }

    // The attached file is copied into the working directory, and the study names the copy
    // there; a copy that cannot be made leaves the study naming the file where it is.
    void takeAttachment()
    {
        const AttachmentCopy copy = copyAttachment(study_.ARCHIVO, QDir::current());
        study_.ARCHIVO = copy.stored;
        file_->display();
        if (copy.outcome == AttachmentCopy::Outcome::Failed)
            framework::showMessage(QStringLiteral("No se pudo copiar el archivo adjunto al directorio de "
                                                  "trabajo:\n%1\nEl estudio guarda la ruta original.")
                                       .arg(study_.ARCHIVO.trimmed()));
    }

    data::ANALISIS& study_;
    data::CONSULTAS& consultation_;
    EntryControl* studied_ = nullptr;
    EntryControl* file_ = nullptr;
    framework::ButtonControl* chooseFile_ = nullptr;
    framework::ButtonControl* open_ = nullptr;
};

} // namespace

void UpdateANALISIS()
{
    StudyForm().run();
}

} // namespace nidora::clinical
