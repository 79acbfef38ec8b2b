#include "clinical/Prescription.h"

#include "clinical/ClinicalHistoryRules.h"

#include "data/ClinicalRecords.h"
#include "data/ReferenceRecords.h"
#include "framework/ControlButton.h"
#include "framework/ControlEdits.h"
#include "framework/MessageBoxes.h"
#include "framework/ValueBinding.h"
#include "views/DataWindow.h"
#include "views/ProgramGlobals.h"

namespace nidora::clinical {
namespace {

using framework::handled::EndLoop;
using framework::handled::GoOn;

class PrescriptionWindow final : public views::DataWindow {
public:
    PrescriptionWindow()
        : DataWindow(QStringLiteral("PantallaRECETA"), data::FileId::CONSULTAS)
        , values_(prescriptionValues())
        , consultation_(record<data::CONSULTAS>())
    {
        setCaption(QStringLiteral("Receta"));
        setSize(373, 249);
        setCentred();
        openAlso(data::FileId::MEDICOS);
        openAlso(data::FileId::PACIENTES);
        text_ = &add<framework::TextControl>(
            QStringLiteral("?RECETA"), { 16, 8, 334, 212 }, framework::bindTo(values_.RECETA));
        // The memo keeps this much: more would be lost without a word when the text is stored.
        text_->setMaxLength(PrescriptionValues::kStoredLength);
        text_->setTip(
            QStringLiteral("La receta guarda hasta %1 caracteres").arg(PrescriptionValues::kStoredLength));
        store_ = &add<framework::ButtonControl>(QStringLiteral("?BUTTON1"), { 300, 224, 70, 22 },
            QStringLiteral("Imprimir"), QStringLiteral("si.bmp"));
        store_->setTip(QStringLiteral("Guarda la receta en la consulta y la imprime"));
    }

protected:
    void onOpened() override
    {
        DataWindow::onOpened();
        readConsultation(data(), values_.PrescriptionConsultation);
        readPatient(data(), consultation_.PACIENTE);
        values_.RECETA = prescriptionText(consultation_);
        readDoctorHeader(data(), views::rereadCurrentPhysician(), values_);
        display();
    }

    int onAccepted(framework::Control& control) override
    {
        if (const int result = DataWindow::onAccepted(control); result != GoOn)
            return result;
        if (&control != store_)
            return GoOn;
        storeAndPrint();
        return EndLoop;
    }

private:
    void storeAndPrint()
    {
        updateFields();
        if (readConsultation(data(), values_.PrescriptionConsultation)) {
            consultation_.RECETA = values_.RECETA.left(PrescriptionValues::kStoredLength);
            // A failed write has said why; the prescription is printed all the same.
            if (access().change() == data::AccessResult::Ok)
                setResponse(Completed);
        } else {
            framework::showMessage(
                QStringLiteral("La consulta de esta receta no está en el archivo: la receta no se guardó."));
        }
        PrintRECETA();
    }

    PrescriptionValues& values_;
    data::CONSULTAS& consultation_;
    framework::TextControl* text_ = nullptr;
    framework::ButtonControl* store_ = nullptr;
};

} // namespace

void PantallaRECETA()
{
    PrescriptionWindow window;
    window.run();
}

} // namespace nidora::clinical
