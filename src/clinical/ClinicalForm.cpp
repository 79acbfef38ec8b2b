#include "clinical/ClinicalForm.h"

namespace nidora::clinical {

ClinicalForm::ClinicalForm(QString procedureName, data::FileId file, views::FormCaptions captions)
    : FormWindow(std::move(procedureName), file, std::move(captions))
    , patient_(record<data::PACIENTES>())
{
}

framework::PromptControl& ClinicalForm::addPatientPrompt(
    framework::Control& page, const framework::DialogRect& at)
{
    auto& prompt = addIn<framework::PromptControl>(
        page, QStringLiteral("?PACIENTE:Prompt"), at, QStringLiteral("Paciente:"));
    setFirstControl(prompt.number());
    return prompt;
}

void ClinicalForm::addAge(framework::Control& page, const QString& prefix, const framework::DialogRect& at,
    std::uint8_t& years, std::uint8_t& months, std::uint8_t& days)
{
    struct Part {
        const char* field;
        const char* picture;
        int width;
        std::uint8_t& value;
    };
    const Part parts[] = { { "ANIOS", "@N6~años~", 38, years }, { "MESES", "@N7~meses~", 44, months },
        { "DIAS", "@N6~días~", 38, days } };
    framework::DialogRect place = at;
    std::size_t index = 0;
    for (const Part& part : parts) {
        place.width = part.width;
        age_[index++]
            = &addShown(&page, prefix + QString::fromLatin1(part.field), place, part.picture, part.value);
        place.x += part.width + 2;
    }
}

void ClinicalForm::refresh()
{
    holdShownRecords();
    display();
}

void ClinicalForm::onOpened()
{
    FormWindow::onOpened();
    refresh();
}

} // namespace nidora::clinical
