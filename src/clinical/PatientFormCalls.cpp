// The windows the patient form calls with the patient it holds: the child forms of its lists,
// the prescription of a consultation and the growth charts.
#include "clinical/PatientForm.h"
#include "clinical/PatientNoteLines.h"

#include "data/ClinicalRecords.h"
#include "framework/ControlShapes.h"

namespace nidora::clinical {
namespace {

using framework::handled::Consumed;

struct ChartButton {
    const char* text;
    const char* name;
    int chart; // the chart it draws, 0 to 6
};

// From top to bottom; the charts are numbered as their buttons were first described.
constexpr ChartButton kChartButtons[] = {
    { "Peso 0-12 meses", "?BUTTON15:3", 1 },
    { "Peso 0-6 años", "?BUTTON15", 0 },
    { "Peso 6-18 años", "?BUTTON15:2", 2 },
    { "Estatura 0-12 meses", "?BUTTON16:3", 4 },
    { "Estatura 0-6 años", "?BUTTON16", 3 },
    { "Estatura 6-18 años", "?BUTTON16:2", 5 },
    { "Perímetro Cefálico", "?BUTTON17", 6 },
};

} // namespace

void PatientForm::addChartButtons()
{
    add<framework::BoxControl>(QStringLiteral("?BOX1"), { 512, 4, 94, 244 });
    add<framework::StringControl>(QStringLiteral("?STRING1"), { 518, 8, 80, 9 }, QStringLiteral("Gráficas"));
    add<framework::StringControl>(
        QStringLiteral("?STRING2"), { 518, 17, 80, 9 }, QStringLiteral("Percentiles"));
    const bool drawn = static_cast<bool>(patientFormLookups().growthChart);
    int top = 32;
    for (const ChartButton& button : kChartButtons) {
        auto& made = add<framework::ButtonControl>(QString::fromUtf8(button.name), { 516, top, 86, 26 },
            QString::fromUtf8(button.text), QStringLiteral("grabarr.ico"));
        made.setEnabled(drawn);
        charts_[std::size_t(button.chart)] = &made;
        top += 30;
    }
}

void PatientForm::callWithPatient(const std::function<void()>& window)
{
    updateFields();
    // The consultation form shows the important notes as this form holds them.
    patientNoteLines() = { extras_.note1, extras_.note2 };
    data::AccessObject& patients = access();
    // The called window takes the patient from this buffer as the form holds him; whatever it
    // or its files read into the buffer, the numbering of a new patient included, the form's
    // own values come back.
    const data::AccessObject::State kept = patients.state();
    window();
    patients.restore(kept);
    display();
    refresh();
}

void PatientForm::updatePrescriptionButton()
{
    // With no consultation highlighted there is nothing to prescribe for: the consultation
    // buffer may hold anyone's.
    prescription_->setEnabled(static_cast<bool>(patientFormLookups().prescription)
        && consultations_.panel->list().view().highlighted() != nullptr
        && consultations_.panel->list().isEnabled());
}

int PatientForm::prescribe()
{
    const auto& prescription = patientFormLookups().prescription;
    const views::PagingCursor::Row* row = consultations_.panel->list().view().highlighted();
    if (!prescription || !row)
        return Consumed;
    const std::int32_t consultation = static_cast<const data::CONSULTAS&>(*row->record).CODIGO;
    callWithPatient([&prescription, consultation] { prescription(consultation); });
    return Consumed;
}

int PatientForm::drawChart(int chart)
{
    if (const auto& growthChart = patientFormLookups().growthChart)
        callWithPatient([&growthChart, chart] { growthChart(chart); });
    return Consumed;
}

} // namespace nidora::clinical
