// The pages of the patient form that keep his early history: feeding, pregnancy, birth, family
// history and motor milestones.
#include "clinical/PatientForm.h"

#include "framework/ControlShapes.h"
#include "framework/FontSubstitution.h"
#include "framework/PromptColumn.h"
#include "framework/ValueBinding.h"

namespace nidora::clinical {
namespace {

using framework::bindTo;
using framework::CheckControl;
using framework::EntryControl;
using framework::entryValue;
using framework::OptionControl;
using framework::PromptColumn;
using framework::RadioControl;
using framework::SpinControl;
using framework::StringControl;

// The one-letter choices of an option: each radio stores the first letter of its text.
void addRadios(framework::Window& window, OptionControl& option, std::initializer_list<const char*> texts,
    int firstX, int step)
{
    int x = firstX;
    int n = 0;
    for (const char* text : texts) {
        const QString shown = QString::fromUtf8(text);
        window.addIn<RadioControl>(option, option.name() + QStringLiteral(":Radio%1").arg(++n),
            { x, 9, step - 4, 10 }, shown, shown.left(1));
        x += step;
    }
}

// A milestone as the page describes it.
struct MilestoneText {
    const char* label;
    const char* name;
    const char* picture;
    std::initializer_list<const char*> lines;
};

const MilestoneText kMilestones[] = {
    { "Sentado sin apoyo:", "?PAC:SENTADO", "@d6",
        { "* El niño está sentado derecho con la cabeza ergida durante al menos 10 segundos",
            "* No utiliza los brazos para equilibrar su cuerpo o mantener su posición" } },
    { "De pie con ayuda:", "?PAC:DEPIECA", "@D6",
        { "* El niño se mantiene derecho sobre sus dos pies sujetándose a un objeto estable",
            "* El tronco no toca el objeto estable y las piernas soportan casi enteramente el peso del "
            "cuerpo",
            "* El niño se mantiene así (con ayuda) durante al menos 10 segundos." } },
    { "Gatea con manos y rodillas:", "?PAC:GATEA", "@D6",
        { "* El niño se desplaza adelante o hacia atrás con las manos y las rodillas; la panza no toca el "
          "suelo.",
            "* Hay movimientos continuos, al menos 3 seguidos" } },
    { "Anda con ayuda:", "?PAC:ANDACA", "@D6",
        { "* El niño está en posición de pie con la espalda derecha, se desplaza agarrándose de un objeto "
          "estable.",
            "* Una pierna se desplaza hacia delante mientras la otra soporta parte del peso del cuerpo",
            "* El niño efectua al menos cinco pasos de esta forma" } },
    { "De pie solo:", "?PAC:DEPIE", "@D6",
        { "* El niño se mantiene, con la espalda derecha, sobre sus dos piés que soportan el 100% de su peso",
            "* Sin contacto con persona u objeto, se mantiene de pie por al menos 10 segundos." } },
    { "Anda solo:", "?PAC:ANDA", "@D6",
        { "* El niño efectua al menos cinco pasos sin contacto con persona u objeto, en posición de pie y "
          "ergido.",
            "* Una pierna se desplaza hacia delante mientras la otra soporta la mayor parte del peso del "
            "cuerpo" } },
};

} // namespace

void PatientForm::addFeedingPage(framework::TabControl& page)
{
    PromptColumn rows(*this, page,
        { .promptX = 6, .fieldX = 90, .top = 10, .step = 18, .promptDown = 1, .fieldHeight = 11 });
    struct Item {
        const char* prompt;
        const char* name;
        QString* text;
        const char* monthsPrompt;
        const char* monthsName;
        std::uint8_t* months;
    };
    const Item items[] = {
        { "Pecho:", "?PAC:PECHO", &patient_.PECHO, "Hasta:", "?PAC:HPECHO", &patient_.HPECHO },
        { "Suplemento Lacteo:", "?PAC:SUPLEMENTO", &patient_.SUPLEMENTO, "Desde:", "?PAC:DSUPLEMENTO",
            &patient_.DSUPLEMENTO },
        { "Gluten:", "?PAC:GLUTEN", &patient_.GLUTEN, "Desde:", "?PAC:DGLUTEN", &patient_.DGLUTEN },
        { "Alim. Sólidos:", "?PAC:SOLIDOS", &patient_.SOLIDOS, "Desde:", "?PAC:DSOLIDOS",
            &patient_.DSOLIDOS },
    };
    for (const Item& item : items) {
        rows.row<EntryControl>(QString::fromUtf8(item.prompt), QString::fromUtf8(item.name), { .width = 90 },
            QStringLiteral("@s20"), entryValue(*item.text));
        const QString months = QString::fromUtf8(item.monthsName);
        rows.besideWithPrompt<SpinControl>(QString::fromUtf8(item.monthsPrompt), 190, months,
            { .x = 218, .width = 34, .height = 12, .down = -1 }, bindTo(*item.months), 0, 30, 1);
        rows.beside<StringControl>(
            months + QStringLiteral(":Meses"), { .x = 256, .width = 30, .down = 1 }, QStringLiteral("meses"));
    }
    rows.row<EntryControl>(QStringLiteral("Notas:"), QStringLiteral("?PAC:NOTAS"), { .width = 310 },
        QStringLiteral("@s150"), entryValue(patient_.NOTAS));
}

void PatientForm::addPregnancyPage(framework::TabControl& page)
{
    PromptColumn rows(*this, page,
        { .promptX = 6, .fieldX = 70, .top = 10, .step = 18, .promptDown = 1, .fieldHeight = 11 });
    const PromptColumn::Place spin { .width = 34, .height = 12, .down = -1 };
    rows.row<SpinControl>(QStringLiteral("Gestación N°"), QStringLiteral("?PAC:NROGESTACION"), spin,
        bindTo(patient_.NROGESTACION), 0, 20, 1);
    rows.besideWithPrompt<EntryControl>(QStringLiteral("Obstetra:"), 140, QStringLiteral("?PAC:OBSTETRA"),
        { .x = 180, .width = 90 }, QStringLiteral("@s20"), entryValue(patient_.OBSTETRA));
    rows.row<SpinControl>(QStringLiteral("Duración:"), QStringLiteral("?PAC:SEMANAS"), spin,
        bindTo(patient_.SEMANAS), 0, 45, 1);
    rows.beside<StringControl>(QStringLiteral("?PAC:SEMANAS:Semanas"), { .x = 108, .width = 40, .down = 1 },
        QStringLiteral("semanas"));
    struct Check {
        const char* name;
        const char* text;
        QString* field;
        int x;
    };
    const Check checks[] = { { "?PAC:DIABETES", "Diabetes", &patient_.DIABETES, 70 },
        { "?PAC:HIPERTENSION", "Hipertensión", &patient_.HIPERTENSION, 140 },
        { "?PAC:TRAUMATISMO", "Traumatismos", &patient_.TRAUMATISMO, 220 } };
    rows.skipTo(48);
    for (const Check& check : checks)
        addIn<CheckControl>(page, QString::fromUtf8(check.name), { check.x, 48, 74, 10 },
            QString::fromUtf8(check.text), bindTo(*check.field), QStringLiteral("1"), QStringLiteral("0"));
    rows.skipTo(66);
    rows.row<EntryControl>(QStringLiteral("Infecciones:"), QStringLiteral("?PAC:INFECCIONES"),
        { .width = 166 }, QStringLiteral("@s40"), entryValue(patient_.INFECCIONES));
    rows.row<EntryControl>(QStringLiteral("Asma:"), QStringLiteral("?PAC:ASMA"), { .width = 126 },
        QStringLiteral("@s30"), entryValue(patient_.ASMA));
    rows.row<EntryControl>(QStringLiteral("Medicación:"), QStringLiteral("?PAC:MEDICACION"), { .width = 166 },
        QStringLiteral("@s40"), entryValue(patient_.MEDICACION));
    rows.row<framework::TextControl>(QStringLiteral("Observaciones:"),
        QStringLiteral("?PAC:EMBOBSERVACIONES"), { .width = 330, .height = 100 },
        bindTo(patient_.EMBOBSERVACIONES));
}

void PatientForm::addBirthPage(framework::TabControl& page)
{
    PromptColumn rows(*this, page,
        { .promptX = 6, .fieldX = 60, .top = 6, .step = 15, .promptDown = 1, .fieldHeight = 11 });
    rows.row<EntryControl>(QStringLiteral("Lugar:"), QStringLiteral("?PAC:LUGAR"), { .width = 90 },
        QStringLiteral("@s20"), entryValue(patient_.LUGAR));
    caesarean_ = &addIn<CheckControl>(page, QStringLiteral("?PAC:CESAREA"), { 160, 7, 50, 10 },
        QStringLiteral("Cesarea"), bindTo(patient_.CESAREA), QStringLiteral("1"), QStringLiteral("0"));
    caesareanCause_
        = &rows.besideWithPrompt<EntryControl>(QStringLiteral("Motivo:"), 214, QStringLiteral("?PAC:CAUSA"),
            { .x = 244, .width = 150 }, QStringLiteral("@s40"), entryValue(patient_.CAUSA));

    auto& position = addIn<OptionControl>(page, QStringLiteral("?PAC:POSICION"), { 6, 22, 140, 22 },
        QStringLiteral("Posición:"), bindTo(patient_.POSICION));
    addRadios(*this, position, { "Cefálica", "Podálica" }, 8, 64);
    auto& delivery = addIn<OptionControl>(page, QStringLiteral("?PAC:EUTOSICO"), { 152, 22, 140, 22 },
        QStringLiteral("Parto:"), bindTo(patient_.EUTOSICO));
    addRadios(*this, delivery, { "Eutosico", "Distosico" }, 8, 64);
    rows.skipTo(50);
    rows.row<EntryControl>(QStringLiteral("Apgar:"), QStringLiteral("?PAC:APGAR"), { .width = 70 },
        QStringLiteral("@s15"), entryValue(patient_.APGAR));
    rows.besideWithPrompt<EntryControl>(QStringLiteral("Parto Gamma:"), 152,
        QStringLiteral("?PAC:PARTOGAMMA"), { .x = 204, .width = 90 }, QStringLiteral("@s20"),
        entryValue(patient_.PARTOGAMMA));
    auto& anaesthesia = addIn<OptionControl>(page, QStringLiteral("?PAC:ANESTECIA"), { 6, 64, 290, 22 },
        QStringLiteral("Anestesia:"), bindTo(patient_.ANESTECIA));
    addRadios(*this, anaesthesia, { "No", "Raquidea", "Peridural", "Total" }, 8, 68);
    rows.skipTo(92);
    const std::pair<const char*, QString*> remarks[]
        = { { "?PAC:PARTOOBSERVACIONES", &patient_.PARTOOBSERVACIONES },
              { "?PAC:PARTOOBSERVACIONES2", &patient_.PARTOOBSERVACIONES2 },
              { "?PAC:PARTOOBSERVACIONES3", &patient_.PARTOOBSERVACIONES3 } };
    for (const auto& [name, field] : remarks)
        rows.row<EntryControl>(name == remarks[0].first ? QStringLiteral("Observaciones:") : QString(),
            QString::fromUtf8(name), { .width = 330 }, QStringLiteral("@s150"), entryValue(*field));

    // The measures at birth, framed together.
    addIn<framework::BoxControl>(page, QStringLiteral("?GROUP1"), { 2, 140, 392, 92 });
    rows.skipTo(148);
    const auto unit = [&](const QString& field, int x, const char* text) {
        rows.beside<StringControl>(
            field + QStringLiteral(":Unidad"), { .x = x, .width = 24, .down = 1 }, QString::fromUtf8(text));
    };
    birthMeasures_.push_back(&rows.row<EntryControl>(QStringLiteral("Peso:"), QStringLiteral("?PAC:PESO"),
        { .width = 40 }, QStringLiteral("@n6.3"), framework::decimalEntryValue(patient_.PESO, { 4, 3 })));
    unit(QStringLiteral("?PAC:PESO"), 104, "kgs.");
    birthMeasures_.push_back(&rows.row<EntryControl>(QStringLiteral("Altura:"), QStringLiteral("?PAC:ALTURA"),
        { .width = 24 }, QStringLiteral("@n3"), entryValue(patient_.ALTURA)));
    unit(QStringLiteral("?PAC:ALTURA"), 88, "cm.");
    birthMeasures_.push_back(&rows.row<EntryControl>(QStringLiteral("PC:"), QStringLiteral("?PAC:PC"),
        { .width = 34 }, QStringLiteral("@n5.2"), framework::decimalEntryValue(patient_.PC, { 3, 2 })));
    unit(QStringLiteral("?PAC:PC"), 98, "cm.");
    birthMeasures_.push_back(
        &rows.row<SpinControl>(QStringLiteral("Ombligo:"), QStringLiteral("?PAC:OMBLIGODIAS"),
            { .width = 34, .height = 12, .down = -1 }, bindTo(patient_.OMBLIGODIAS), 0, 99, 1));
    unit(QStringLiteral("?PAC:OMBLIGODIAS"), 98, "días");
    rows.row<EntryControl>(QStringLiteral("Observaciones:"), QStringLiteral("?PAC:OMBOBSERVACIONES"),
        { .width = 320 }, QStringLiteral("@s150"), entryValue(patient_.OMBOBSERVACIONES));
}

void PatientForm::addFamilyPage(framework::TabControl& page)
{
    // The form writes no mother or father, so the histories only show: they are kept in the
    // parents' own forms, and nothing typed here could be stored.
    addIn<framework::PromptControl>(
        page, QStringLiteral("?MAD:ANTECEDENTES:Prompt"), { 6, 8, 100, 10 }, QStringLiteral("Maternos:"));
    mother_.history = &addIn<framework::TextControl>(page, QStringLiteral("?MAD:ANTECEDENTES"),
        { 6, 20, 388, 96 }, bindTo(data().buffer<data::MADRES>().ANTECEDENTES));
    mother_.history->setTip(QStringLiteral("Los antecedentes maternos se cambian en la ficha de la madre"));
    addIn<framework::PromptControl>(
        page, QStringLiteral("?PAD:ANTECEDENTES:Prompt"), { 6, 122, 100, 10 }, QStringLiteral("Paternos:"));
    father_.history = &addIn<framework::TextControl>(page, QStringLiteral("?PAD:ANTECEDENTES"),
        { 6, 134, 388, 96 }, bindTo(data().buffer<data::PADRES>().ANTECEDENTES));
    father_.history->setTip(QStringLiteral("Los antecedentes paternos se cambian en la ficha del padre"));
    for (framework::TextControl* history : { mother_.history, father_.history })
        history->setReadOnly(true);
}

void PatientForm::addMilestonesPage(framework::TabControl& page)
{
    std::int32_t* const dates[] = { &patient_.SENTADO, &patient_.DEPIECA, &patient_.GATEA, &patient_.ANDACA,
        &patient_.DEPIE, &patient_.ANDA };
    const QFont small = framework::describedFont(QStringLiteral("MS Sans Serif"), 7);
    const Picture years = *parsePicture(u"@N4~A~");
    const Picture months = *parsePicture(u"@N4~M~");
    int top = 4;
    for (std::size_t k = 0; k < milestones_.size(); ++k) {
        const MilestoneText& text = kMilestones[k];
        Milestone& milestone = milestones_[k];
        const QString name = QString::fromUtf8(text.name);
        milestone.date = dates[k];
        addIn<framework::PromptControl>(
            page, name + QStringLiteral(":Prompt"), { 6, top + 1, 110, 10 }, QString::fromUtf8(text.label));
        addIn<framework::PromptControl>(page, name + QStringLiteral(":Fecha"), { 150, top + 1, 64, 10 },
            QStringLiteral("Fecha observación:"));
        milestone.entry = &addIn<EntryControl>(
            page, name, { 216, top, 48, 11 }, QString::fromUtf8(text.picture), entryValue(*dates[k]));
        milestone.shown[0] = &addIn<StringControl>(page, QStringLiteral("?A%1").arg(k + 1),
            { 270, top + 1, 30, 10 }, years, bindTo(milestone.age.years));
        milestone.shown[1] = &addIn<StringControl>(page, QStringLiteral("?M%1").arg(k + 1),
            { 304, top + 1, 30, 10 }, months, bindTo(milestone.age.months));
        top += 13;
        int line = 0;
        for (const char* description : text.lines) {
            auto& shown = addIn<StringControl>(page, name + QStringLiteral(":Linea%1").arg(++line),
                { 8, top, 390, 8 }, QString::fromUtf8(description));
            shown.setFont(small);
            top += 8;
        }
        top += 3;
    }
}

} // namespace nidora::clinical
