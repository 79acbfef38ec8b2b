// The two tabs of the consultation form: "General", with the date and reason, the growth and
// vital signs, symptoms and medication, the studies ordered, the diagnoses and the notes; and
// "Honorarios", the fee and its invoice.
#include "clinical/ConsultationForm.h"

#include "clinical/ConsultationLookups.h"

#include "framework/ControlEdits.h"
#include "framework/ControlShapes.h"
#include "framework/ControlSheet.h"
#include "views/ListColumns.h"

namespace nidora::clinical {
namespace {

using framework::Control;
using framework::DialogRect;
using framework::EntryControl;
using framework::PromptControl;
using framework::StringControl;

// The sizes of the record's DECIMAL fields.
constexpr DecimalType kWeight { 4, 3 };
constexpr DecimalType kLength { 3, 1 };
constexpr DecimalType kTemperature { 2, 1 };
constexpr DecimalType kRate { 3, 2 };
constexpr DecimalType kFee { 5, 2 };

// The reason is a MOT:MOTIVO: the entry holds all of it, though it shows 20 characters' room.
constexpr int kReasonLength = 25;

} // namespace

void ConsultationForm::addGeneralPage(framework::SheetControl& sheet)
{
    auto& page = addIn<framework::TabControl>(sheet, QStringLiteral("?TAB1"), {}, QStringLiteral("General"));
    // The prompt of a field, named after it.
    const auto prompt = [&](const char* text, const char* field, const DialogRect& at) -> PromptControl& {
        return addIn<PromptControl>(
            page, QString::fromLatin1(field) + QStringLiteral(":Prompt"), at, QString::fromUtf8(text));
    };
    // Texts and icons that only decorate, numbered as the description numbers them.
    int labels = 0;
    const auto label = [&](const char* text, const DialogRect& at) -> StringControl& {
        return addIn<StringControl>(
            page, QStringLiteral("?STRING%1").arg(++labels), at, QString::fromUtf8(text));
    };
    int icons = 0;
    const auto icon = [&](const char* file, int x, int y) {
        addIn<framework::ImageControl>(
            page, QStringLiteral("?IMAGE%1").arg(++icons), { x, y, 10, 10 }, QString::fromLatin1(file));
    };
    // An entry with its prompt before it and its unit after it; `message` shows in the status bar
    // while it has the focus.
    const auto measure = [&](const char* text, int x, int y, int fieldX, int width, const char* name,
                             framework::EntryValue value, const char* picture, const char* unit,
                             const char* message = nullptr) -> EntryControl& {
        addIn<PromptControl>(page, QString::fromLatin1(name) + QStringLiteral(":Prompt"),
            { x, y + 1, fieldX - x - 2, 10 }, QString::fromUtf8(text));
        auto& entry = addIn<EntryControl>(page, QString::fromLatin1(name), { fieldX, y, width, 11 },
            QString::fromLatin1(picture), std::move(value));
        if (unit)
            label(unit, { fieldX + width + 2, y + 1, 24, 10 });
        if (message)
            entry.widget()->setStatusTip(QString::fromUtf8(message));
        themed_.push_back(&entry);
        return entry;
    };

    addPatientPrompt(page, { 6, 7, 40, 10 });
    addShown(&page, QStringLiteral("?CON:PACIENTE"), { 48, 7, 34, 10 }, "@n_7", consultation_.PACIENTE);
    addShown(&page, QStringLiteral("?PAC:NOMBRE"), { 86, 7, 134, 10 }, "@s30", patient().NOMBRE);
    addAge(page, QStringLiteral("?CON:"), { 230, 7, 0, 10 }, consultation_.ANIOS, consultation_.MESES,
        consultation_.DIAS);

    date_ = &measure(
        "Fecha:", 6, 20, 48, 52, "?CON:FECHA", framework::entryValue(consultation_.FECHA), "@D6", nullptr);
    prompt("Motivo:", "?CON:MOTIVO", { 110, 21, 30, 10 });
    reason_ = &addIn<framework::ComboControl>(page, QStringLiteral("?CON:MOTIVO"), { 142, 19, 90, 12 },
        kReasonLength, 8, framework::bindTo(consultation_.MOTIVO), framework::ControlKind::DropCombo);
    themed_.push_back(reason_);

    // Growth on the left, vital signs on the right.
    icon("config3.ico", 6, 36);
    label("Estado Crecimiento:", { 18, 37, 100, 10 });
    addIn<framework::BoxControl>(page, QString(), { 4, 46, 218, 20 });
    measure("Peso:", 8, 50, 32, 36, "?CON:PESO", framework::decimalEntryValue(consultation_.PESO, kWeight),
        "@n7.3", "kg");
    measure("Altura:", 88, 50, 114, 28, "?CON:ALTURA",
        framework::decimalEntryValue(consultation_.ALTURA, kLength), "@n-6.1", "cms", "Altura en cmt.");
    measure("PC:", 164, 50, 178, 24, "?CON:PC", framework::decimalEntryValue(consultation_.PC, kLength),
        "@n-6.1", "cms", "Perimetro Cabeza");

    icon("Cardiology.ico", 228, 36);
    label("Signos Vitales:", { 240, 37, 100, 10 });
    addIn<framework::BoxControl>(page, QString(), { 226, 46, 206, 34 });
    measure("Temp:", 230, 50, 254, 22, "?CON:TEMPERATURA",
        framework::decimalEntryValue(consultation_.TEMPERATURA, kTemperature), "@n4.1", "°C");
    measure("FC:", 298, 50, 312, 18, "?CON:FC", framework::entryValue(consultation_.FC), "@n3", "/min",
        "Frecuencia cardíaca");
    measure("FR:", 356, 50, 370, 18, "?CON:FR", framework::decimalEntryValue(consultation_.FR, kRate), "@n3",
        "/min", "Frecuencia respiratoria");
    measure("TA:", 230, 64, 254, 18, "?CON:TA1", framework::entryValue(consultation_.TA1), "@n3", nullptr,
        "Tensión arterial sistolica");
    label("-", { 274, 65, 6, 10 });
    auto& diastolic = addIn<EntryControl>(page, QStringLiteral("?CON:TA2"), { 282, 64, 18, 11 },
        QStringLiteral("@n3"), framework::entryValue(consultation_.TA2));
    diastolic.widget()->setStatusTip(QStringLiteral("Tensión arterial distolica"));
    themed_.push_back(&diastolic);
    label("mmHg", { 302, 65, 26, 10 });

    prompt("Sintomatología:", "?CON:SINTOMATOLOGIA", { 6, 72, 100, 10 });
    addIn<framework::TextControl>(page, QStringLiteral("?CON:SINTOMATOLOGIA"), { 6, 82, 216, 40 },
        framework::bindTo(consultation_.SINTOMATOLOGIA));
    icon("pill.ico", 228, 84);
    prompt("Medicación indicada:", "?CON:MEDICACION", { 240, 84, 120, 10 });
    addIn<framework::TextControl>(page, QStringLiteral("?CON:MEDICACION"), { 226, 94, 206, 28 },
        framework::bindTo(consultation_.MEDICACION));

    addStudies(page);

    const auto diagnosisEntry = [&](const char* text, int y, const char* name, QString& value,
                                    const char* tip, int width) -> EntryControl& {
        prompt(text, name, { 226, y, 120, 10 });
        auto& entry = addIn<EntryControl>(page, QString::fromLatin1(name), { 226, y + 10, width, 11 },
            QStringLiteral("@s40"), framework::entryValue(value));
        entry.setTip(QString::fromUtf8(tip));
        entry.widget()->setStatusTip(QString::fromUtf8(tip));
        themed_.push_back(&entry);
        return entry;
    };
    diagnosisEntry("Diagnóstico posible:", 128, "?CON:DIAGNOSTICOP", consultation_.DIAGNOSTICOP,
        "Diagnóstico posible", 206);
    diagnosis_ = &diagnosisEntry("Diagnóstico confirmado:", 152, "?CON:DIAGNOSTICOF",
        consultation_.DIAGNOSTICOF, "Diagnósitico confirmado", 188);
    diagnosisLookup_ = &addIn<framework::ButtonControl>(
        page, QStringLiteral("?FLDLOOKUP"), { 416, 161, 16, 13 }, QString(), QStringLiteral("DNA.ico"));
    diagnosisLookup_->setTip(QStringLiteral("Buscar Tabla Patologías"));
    diagnosisLookup_->widget()->setStatusTip(QStringLiteral("Select ") + diagnosis_->widget()->toolTip());
    // Without the pathology table's lookup the diagnosis is only typed.
    diagnosisLookup_->setEnabled(static_cast<bool>(consultationLookups().pathologies));

    notesPrompt_ = &prompt("Notas:", "?CON:OBSERVACIONES", { 6, 194, 40, 10 });
    addIn<framework::TextControl>(page, QStringLiteral("?CON:OBSERVACIONES"), { 6, 204, 426, 28 },
        framework::bindTo(consultation_.OBSERVACIONES));
}

void ConsultationForm::addStudies(Control& page)
{
    addIn<framework::ImageControl>(
        page, QStringLiteral("?IMAGE4"), { 6, 126, 10, 10 }, QStringLiteral("quimica.ico"));
    addIn<StringControl>(
        page, QStringLiteral("?LIST:Prompt"), { 18, 127, 100, 10 }, QStringLiteral("Estudios ordenados"));
    views::ListPanel& studies = addPanel(data::FileId::ANALISIS, &page);
    studies.addList(QStringLiteral("?LIST"), { 6, 138, 198, 52 },
        { { &studies.key("ANA:KCONSULTA"), views::LocatorKind::Step, QString(),
            [this] { return std::vector<data::FieldValue> { std::int64_t(consultation_.CODIGO) }; } } },
        { views::fieldColumn(
              studies.field("ANA:ANALISIS"), QStringLiteral("Análisis o estudio"), QStringLiteral("@s30"))
                .sized(80),
            views::fieldColumn(
                studies.field("ANA:RESULTADOS"), QStringLiteral("Resultados"), QStringLiteral("@s255"))
                .sized(110) });
    struct Button {
        views::ListButton role;
        const char* name;
        const char* tip;
        const char* icon;
    };
    const Button buttons[] = { { views::ListButton::Insert, "?INSERT", "Agregar estudio", "new.ico" },
        { views::ListButton::Change, "?CHANGE", "Cambiar estudio", "cambiar.ico" },
        { views::ListButton::Delete, "?DELETE", "Borrar estudio", "borrar.ico" } };
    int y = 138;
    for (const Button& button : buttons) {
        studies
            .addButton(button.role, QString::fromLatin1(button.name), { 206, y, 16, 16 }, QString(),
                QString::fromLatin1(button.icon))
            .setTip(QString::fromUtf8(button.tip));
        y += 18;
    }
    // A new consultation has its number already, so its studies can be ordered before it is
    // saved.
    studies.setPriming([this](data::Record& fresh) {
        auto& study = static_cast<data::ANALISIS&>(fresh);
        study.CONSULTA = consultation_.CODIGO;
    });
    studies.setForms([this](int number) { runForm(number); }, 2);
}

void ConsultationForm::addFeesPage(framework::SheetControl& sheet)
{
    auto& page
        = addIn<framework::TabControl>(sheet, QStringLiteral("?TAB2"), {}, QStringLiteral("Honorarios"));
    addIn<PromptControl>(page, QStringLiteral("?CON:HONORARIOS:Prompt"), { 8, 13, 90, 10 },
        QStringLiteral("Honorarios cobrados:"));
    auto& fee = addIn<EntryControl>(page, QStringLiteral("?CON:HONORARIOS"), { 100, 12, 60, 11 },
        QStringLiteral("@n-13.2"), framework::decimalEntryValue(consultation_.HONORARIOS, kFee));
    addIn<PromptControl>(page, QStringLiteral("?CON:FACTURA:Prompt"), { 8, 29, 90, 10 },
        QStringLiteral("Factura / Comprobante:"));
    auto& invoice = addIn<EntryControl>(page, QStringLiteral("?CON:FACTURA"), { 100, 28, 90, 11 },
        QStringLiteral("@s20"), framework::entryValue(consultation_.FACTURA));
    themed_.push_back(&fee);
    themed_.push_back(&invoice);
}

} // namespace nidora::clinical
