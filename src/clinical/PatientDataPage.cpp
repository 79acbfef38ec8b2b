// The "Datos" page of the patient form: who the patient is, his parents, his photo, document,
// coverage, vaccination plan and important notes.
#include "clinical/PatientForm.h"

#include "clinical/ChoiceLists.h"

#include "framework/ControlChoices.h"
#include "framework/ControlShapes.h"
#include "framework/PromptColumn.h"
#include "framework/ValueBinding.h"

namespace nidora::clinical {
namespace {

using framework::ButtonControl;
using framework::EntryControl;
using framework::entryValue;
using framework::PromptColumn;

constexpr int kPromptX = 6;
constexpr int kFieldX = 78;

} // namespace

void PatientForm::addDataPage(framework::TabControl& page)
{
    PromptColumn rows(*this, page,
        { .promptX = kPromptX, .fieldX = kFieldX, .top = 8, .promptDown = 1, .fieldHeight = 11 });
    const auto entry = [&](const char* prompt, const char* name, int width, const char* picture,
                           auto& variable) -> EntryControl& {
        return rows.row<EntryControl>(QString::fromUtf8(prompt), QString::fromUtf8(name), { .width = width },
            QString::fromUtf8(picture), entryValue(variable));
    };
    const auto lookup = [&](const char* name, int x) -> ButtonControl& {
        return rows.beside<ButtonControl>(QString::fromUtf8(name),
            { .x = x, .width = 14, .height = 13, .down = -1 }, QString(), QStringLiteral("buscar.ico"));
    };
    // The drop lists stand a unit taller than the entries and start a unit above their line.
    const auto dropList = [](int x, int width) { return PromptColumn::Place { x, width, 12, -1 }; };

    // The code is the one priming gave: shown, and passed over by the Tab key.
    entry("Código:", "?PAC:CODIGO", 40, "@n7", patient_.CODIGO).widget()->setFocusPolicy(Qt::ClickFocus);
    rows.besideWithPrompt<framework::DropListControl>(QStringLiteral("Grupo Sanguineo:"), 128,
        QStringLiteral("?PAC:GRUPO"), dropList(192, 40), bloodGroupChoices(),
        framework::bindTo(patient_.GRUPO));
    entry("Nombre:", "?PAC:NOMBRE", 150, "@s30", patient_.NOMBRE);
    auto& sex = addIn<framework::OptionControl>(page, QStringLiteral("?PAC:SEXO"), { kPromptX, 35, 218, 22 },
        QStringLiteral("Sexo"), framework::bindTo(patient_.SEXO));
    addIn<framework::RadioControl>(sex, QStringLiteral("?PAC:SEXO:Radio1"), { kFieldX - kPromptX, 9, 50, 10 },
        QStringLiteral("Niño"), QStringLiteral("M"), QStringLiteral("boy.ico"));
    addIn<framework::RadioControl>(sex, QStringLiteral("?PAC:SEXO:Radio2"), { kFieldX + 50, 9, 50, 10 },
        QStringLiteral("Niña"), QStringLiteral("F"), QStringLiteral("girl.ico"));
    rows.skipTo(62);
    entry("Fecha Nacimiento:", "?PAC:FNACIMIENTO", 52, "@d6", patient_.FNACIMIENTO);
    auto& mother = entry("Madre:", "?PAC:MADRE", 150, "@s30", patient_.MADRE);
    auto& motherLookup = lookup("?FLDLOOKUP", 230);
    auto& father = entry("Padre:", "?PAC:PADRE", 150, "@s30", patient_.PADRE);
    auto& fatherLookup = lookup("?FLDLOOKUP:2", 230);

    photo_ = &addIn<framework::ImageControl>(page, QStringLiteral("?IMAGE5"), { 252, 8, 70, 80 });
    addIn<framework::PanelControl>(page, QStringLiteral("?PANEL2"), { 250, 6, 74, 84 });

    auto& address = entry("Domicilio:", "?PAC:DOMICILIO", 166, "@s40", patient_.DOMICILIO);
    entry("Ciudad:", "?PAC:CIUDAD", 110, "@s25", patient_.CIUDAD);
    auto& phone = entry("Teléfono:", "?PAC:TELEFONO", 150, "@s30", patient_.TELEFONO);

    camera_ = &addIn<ButtonControl>(page, QStringLiteral("?BUTTON21"), { 252, 94, 70, 14 },
        QStringLiteral("Obtener Foto"), QStringLiteral("foto.ico"));
    camera_->setTip(QStringLiteral("Capturar foto de webcam"));
    camera_->setEnabled(static_cast<bool>(patientFormLookups().camera));

    photoName_ = &entry("Archivo Foto:", "?AUXFOTO", 226, "@s160", extras_.photo);
    photoLookup_ = &lookup("?LOOKUPFILE", 306);
    entry("Documento:", "?PAC:TIPODOCUMENTO", 22, "@s3", patient_.TIPODOCUMENTO);
    rows.beside<EntryControl>(QStringLiteral("?PAC:DOCUMENTO"), { .x = kFieldX + 26, .width = 60 },
        QStringLiteral("@n11"), entryValue(patient_.DOCUMENTO));
    coverage_ = &rows.row<framework::ComboControl>(QStringLiteral("Cobertura Social:"),
        QStringLiteral("?PAC:OBRASOCIAL"), dropList(0, 110), 20, 5, framework::bindTo(patient_.OBRASOCIAL));
    rows.besideWithPrompt<EntryControl>(QStringLiteral("N°"), 194, QStringLiteral("?PAC:NROOBRASOCIAL"),
        { .x = 208, .width = 80 }, QStringLiteral("@s15"), entryValue(patient_.NROOBRASOCIAL));
    rows.skipTo(190);
    plan_ = &entry("Plan Vacunación:", "?PAC:PLANVACUNACION", 14, "@s1", patient_.PLANVACUNACION);
    notes_[0] = &entry("Notas Importantes:", "?AUXNOTA1", 150, "@s30", extras_.note1);
    notes_[1] = &entry("", "?AUXNOTA2", 150, "@s30", extras_.note2);

    mothersValues_ = { &address, &phone, coverage_ };
    mother_ = Parent { &mother, &motherLookup, &PatientFormLookups::mothers, &patient_.MADRE,
        &data().buffer<data::MADRES>().NOMBRE, data::FileId::MADRES, "MAD:KNOMBRE", &father };
    father_ = Parent { &father, &fatherLookup, &PatientFormLookups::fathers, &patient_.PADRE,
        &data().buffer<data::PADRES>().NOMBRE, data::FileId::PADRES, "PAD:KNOMBRE", &address };
    for (const Parent* parent : { &mother_, &father_ })
        parent->lookup->setEnabled(static_cast<bool>(patientFormLookups().*parent->procedure));
}

} // namespace nidora::clinical
