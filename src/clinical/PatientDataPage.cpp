// The "Datos" page of the patient form: who the patient is, his parents, his photo, document,
// coverage, vaccination plan and important notes.
#include "clinical/PatientForm.h"

#include "framework/ControlChoices.h"
#include "framework/ControlShapes.h"
#include "framework/ValueBinding.h"

namespace nidora::clinical {
namespace {

using framework::DialogRect;
using framework::EntryControl;
using framework::entryValue;
using framework::PromptControl;

constexpr int kPromptX = 6;
constexpr int kFieldX = 78;

// Light yellow for the data fields, pink for the note lines.
constexpr quint32 kFieldColour = 0x80FFFF;
constexpr quint32 kNoteColour = 0xC080FF;

std::vector<framework::DropListControl::Choice> bloodGroups()
{
    std::vector<framework::DropListControl::Choice> groups;
    for (const char* group : { "XX", "0+", "0-", "A+", "A-", "B+", "B-", "AB+", "AB-" })
        groups.emplace_back(QString::fromLatin1(group), QString::fromLatin1(group));
    return groups;
}

} // namespace

void PatientForm::addDataPage(framework::SheetControl& sheet)
{
    auto& page = addIn<framework::TabControl>(sheet, QStringLiteral("?TAB9"), {}, QStringLiteral("Tab 9"));
    const auto prompt = [&](const QString& name, const QString& text, int x, int y) {
        addIn<PromptControl>(
            page, name + QStringLiteral(":Prompt"), { x, y + 1, kFieldX - kPromptX - 2, 10 }, text);
    };
    // An entry with its prompt at the start of its line.
    const auto entry = [&](const QString& text, const QString& name, const DialogRect& at,
                           const QString& picture, framework::EntryValue value) -> EntryControl& {
        if (!text.isEmpty())
            prompt(name, text, kPromptX, at.y);
        return addIn<EntryControl>(page, name, at, picture, std::move(value));
    };
    const auto lookupButton = [&](const QString& name, int y) -> framework::ButtonControl& {
        return addIn<framework::ButtonControl>(
            page, name, { 230, y - 1, 14, 13 }, QString(), QStringLiteral("buscar.ico"));
    };

    // The code is the one priming gave: shown, and passed over by the Tab key.
    entry(QStringLiteral("Código:"), QStringLiteral("?PAC:CODIGO"), { kFieldX, 8, 40, 11 },
        QStringLiteral("@n7"), entryValue(patient_.CODIGO))
        .widget()
        ->setFocusPolicy(Qt::ClickFocus);
    prompt(QStringLiteral("?PAC:GRUPO"), QStringLiteral("Grupo Sanguineo:"), 128, 8);
    addIn<framework::DropListControl>(page, QStringLiteral("?PAC:GRUPO"), { 192, 7, 40, 12 }, bloodGroups(),
        framework::bindTo(patient_.GRUPO));
    entry(QStringLiteral("Nombre:"), QStringLiteral("?PAC:NOMBRE"), { kFieldX, 22, 150, 11 },
        QStringLiteral("@s30"), entryValue(patient_.NOMBRE));
    auto& sex = addIn<framework::OptionControl>(page, QStringLiteral("?PAC:SEXO"), { kPromptX, 35, 218, 22 },
        QStringLiteral("Sexo"), framework::bindTo(patient_.SEXO));
    addIn<framework::RadioControl>(sex, QStringLiteral("?PAC:SEXO:Radio1"), { kFieldX - kPromptX, 9, 50, 10 },
        QStringLiteral("Niño"), QStringLiteral("M"), QStringLiteral("boy.ico"));
    addIn<framework::RadioControl>(sex, QStringLiteral("?PAC:SEXO:Radio2"), { kFieldX + 50, 9, 50, 10 },
        QStringLiteral("Niña"), QStringLiteral("F"), QStringLiteral("girl.ico"));
    entry(QStringLiteral("Fecha Nacimiento:"), QStringLiteral("?PAC:FNACIMIENTO"), { kFieldX, 62, 52, 11 },
        QStringLiteral("@d6"), entryValue(patient_.FNACIMIENTO));

    auto& mother = entry(QStringLiteral("Madre:"), QStringLiteral("?PAC:MADRE"), { kFieldX, 76, 150, 11 },
        QStringLiteral("@s30"), entryValue(patient_.MADRE));
    auto& motherLookup = lookupButton(QStringLiteral("?FLDLOOKUP"), 76);
    auto& father = entry(QStringLiteral("Padre:"), QStringLiteral("?PAC:PADRE"), { kFieldX, 90, 150, 11 },
        QStringLiteral("@s30"), entryValue(patient_.PADRE));
    auto& fatherLookup = lookupButton(QStringLiteral("?FLDLOOKUP:2"), 90);

    photo_ = &addIn<framework::ImageControl>(page, QStringLiteral("?IMAGE5"), { 252, 8, 70, 80 });
    addIn<framework::PanelControl>(page, QStringLiteral("?PANEL2"), { 250, 6, 74, 84 });

    auto& address = entry(QStringLiteral("Domicilio:"), QStringLiteral("?PAC:DOMICILIO"),
        { kFieldX, 104, 166, 11 }, QStringLiteral("@s40"), entryValue(patient_.DOMICILIO));
    entry(QStringLiteral("Ciudad:"), QStringLiteral("?PAC:CIUDAD"), { kFieldX, 118, 110, 11 },
        QStringLiteral("@s25"), entryValue(patient_.CIUDAD));
    auto& phone = entry(QStringLiteral("Teléfono:"), QStringLiteral("?PAC:TELEFONO"),
        { kFieldX, 132, 150, 11 }, QStringLiteral("@s30"), entryValue(patient_.TELEFONO));

    // The camera window is not part of the program yet: the button is there, unusable.
    auto& camera = addIn<framework::ButtonControl>(page, QStringLiteral("?BUTTON21"), { 252, 94, 70, 14 },
        QStringLiteral("Obtener Foto"), QStringLiteral("foto.ico"));
    camera.setTip(QStringLiteral("Capturar foto de webcam"));
    camera.setEnabled(false);

    photoName_ = &entry(QStringLiteral("Archivo Foto:"), QStringLiteral("?AUXFOTO"),
        { kFieldX, 146, 226, 11 }, QStringLiteral("@s160"), entryValue(extras_.photo));
    photoLookup_ = &addIn<framework::ButtonControl>(
        page, QStringLiteral("?LOOKUPFILE"), { 306, 145, 14, 13 }, QString(), QStringLiteral("buscar.ico"));

    entry(QStringLiteral("Documento:"), QStringLiteral("?PAC:TIPODOCUMENTO"), { kFieldX, 160, 22, 11 },
        QStringLiteral("@s3"), entryValue(patient_.TIPODOCUMENTO));
    entry({}, QStringLiteral("?PAC:DOCUMENTO"), { kFieldX + 26, 160, 60, 11 }, QStringLiteral("@n11"),
        entryValue(patient_.DOCUMENTO));
    prompt(QStringLiteral("?PAC:OBRASOCIAL"), QStringLiteral("Cobertura Social:"), kPromptX, 174);
    coverage_ = &addIn<framework::ComboControl>(page, QStringLiteral("?PAC:OBRASOCIAL"),
        { kFieldX, 173, 110, 12 }, 20, 5, framework::bindTo(patient_.OBRASOCIAL));
    prompt(QStringLiteral("?PAC:NROOBRASOCIAL"), QStringLiteral("N°"), 194, 174);
    addIn<EntryControl>(page, QStringLiteral("?PAC:NROOBRASOCIAL"), { 208, 174, 80, 11 },
        QStringLiteral("@s15"), entryValue(patient_.NROOBRASOCIAL));
    // Only stored here: the planned vaccinations it stands for are generated elsewhere.
    entry(QStringLiteral("Plan Vacunación:"), QStringLiteral("?PAC:PLANVACUNACION"), { kFieldX, 190, 14, 11 },
        QStringLiteral("@s1"), entryValue(patient_.PLANVACUNACION));
    notes_[0] = &entry(QStringLiteral("Notas Importantes:"), QStringLiteral("?AUXNOTA1"),
        { kFieldX, 204, 150, 11 }, QStringLiteral("@s30"), entryValue(extras_.note1));
    notes_[1] = &entry({}, QStringLiteral("?AUXNOTA2"), { kFieldX, 218, 150, 11 }, QStringLiteral("@s30"),
        entryValue(extras_.note2));

    mothersValues_ = { &address, &phone, coverage_ };
    mother_ = Parent { &mother, &motherLookup, &PatientFormLookups::mothers, &patient_.MADRE,
        &data().buffer<data::MADRES>().NOMBRE, data::FileId::MADRES, "MAD:KNOMBRE", &father };
    father_ = Parent { &father, &fatherLookup, &PatientFormLookups::fathers, &patient_.PADRE,
        &data().buffer<data::PADRES>().NOMBRE, data::FileId::PADRES, "PAD:KNOMBRE", &address };
    for (const Parent* parent : { &mother_, &father_ })
        parent->lookup->setEnabled(static_cast<bool>(patientFormLookups().*parent->procedure));
}

void PatientForm::paintFields()
{
    for (framework::Control* field : fields())
        field->setBackground(kFieldColour);
    for (framework::EntryControl* line : notes_)
        line->setBackground(kNoteColour);
}

} // namespace nidora::clinical
