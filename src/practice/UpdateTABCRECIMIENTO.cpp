#include "practice/GrowthAge.h"
#include "practice/ReferenceTables.h"
#include "practice/TableForm.h"

#include "data/ReferenceRecords.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"

#include <array>

namespace nidora::practice {
namespace {

using framework::EntryControl;
using framework::StringControl;

constexpr int kLabelX = 6;
constexpr int kGridX = 104; // the first column of entries
constexpr int kColumnStep = 34;
constexpr int kEntryWidth = 32;
constexpr int kRowStep = 14;

// One block of the grid: its headings, then a row of boys and a row of girls, each entry
// editing one element of the field.
struct GridBlock {
    const char* field; // "PESOS": entries "?TCR:PESOS_1_1" to "?TCR:PESOS_7_2"
    std::array<const char*, 2> rows; // the boys' and the girls' labels
    std::vector<const char*> headings;
    const char* picture;
    DecimalType type;
};

class GrowthForm final : public TableForm {
public:
    GrowthForm()
        : TableForm(QStringLiteral("UpdateTABCRECIMIENTO"), data::FileId::TABCRECIMIENTO,
            { QStringLiteral("Nuevo Registro"), QStringLiteral("Cambiar Registro"),
                QStringLiteral("Borrar Registro") },
            QStringLiteral("Tabla de Crecimiento"), 360, 196)
    {
        data::TABCRECIMIENTO& row = record<data::TABCRECIMIENTO>();
        page_ = &addPage(QString());
        addIn<framework::PromptControl>(
            *page_, QStringLiteral("?EDAD_A:Prompt"), { kLabelX, 9, 30, 10 }, QStringLiteral("Edad:"));
        themed(addIn<EntryControl>(*page_, QStringLiteral("?EDAD_A"), { 40, 8, 18, 11 },
            QStringLiteral("@n2"), framework::entryValue(years_)));
        addIn<StringControl>(
            *page_, QStringLiteral("?STRING:ANIOS"), { 61, 9, 22, 10 }, QStringLiteral("años"));
        themed(addIn<EntryControl>(*page_, QStringLiteral("?EDAD_M"), { 84, 8, 18, 11 },
            QStringLiteral("@n2"), framework::entryValue(months_)));
        addIn<StringControl>(
            *page_, QStringLiteral("?STRING:MESES"), { 105, 9, 26, 10 }, QStringLiteral("meses"));

        const std::vector<const char*> percentiles { "3 (min)", "10", "25", "50", "75", "90", "97 (max)" };
        int y = 28;
        y = addBlock(
            { "PESOS", { "Peso Niños:", "Peso Niñas:" }, percentiles, "@n7.3", { 4, 3 } }, row.PESOS, y);
        y = addBlock({ "ALTURA", { "Altura Niños:", "Altura Niñas:" }, percentiles, "@N5.1", { 3, 1 } },
            row.ALTURA, y);
        addBlock({ "PC", { "Perímetro Cefálico Niños:", "Perímetro Cefálico Niñas:" },
                     { "-2 DS", "Media", "+2 DS" }, "@n-6.1", { 3, 1 } },
            row.PC, y);
        addButtons();
        setFirstControl(control(QStringLiteral("?EDAD_A"))->number());
    }

    // OK on an insert or a change stores the age typed in years and months, before the record
    // is checked and written; the months may run past 11.
    int ok() override
    {
        if (request() == InsertRecord || request() == ChangeRecord) {
            updateFields();
            record<data::TABCRECIMIENTO>().EDAD = std::int16_t(growthAgeMonths(years_, months_));
        }
        return TableForm::ok();
    }

protected:
    // The row is primed or loaded by now: its age in months is shown as years and months. A new
    // row shows the age one month after the highest one the table holds.
    void onOpened() override
    {
        const GrowthAge age = splitGrowthAge(record<data::TABCRECIMIENTO>().EDAD);
        years_ = age.years;
        months_ = age.months;
        TableForm::onOpened();
        display();
    }

private:
    // Adds the block's headings and its two rows from line y; returns the line after it.
    template <std::size_t N>
    int addBlock(const GridBlock& block, std::array<std::array<std::int64_t, 2>, N>& values, int y)
    {
        const QString field = QString::fromLatin1(block.field);
        for (std::size_t c = 0; c < block.headings.size(); ++c)
            addIn<StringControl>(*page_, QStringLiteral("?%1:HEADING_%2").arg(field).arg(c + 1),
                { kGridX + int(c) * kColumnStep, y, kEntryWidth, 10 }, QString::fromUtf8(block.headings[c]))
                .widget()
                ->setProperty("alignment", int(Qt::AlignHCenter | Qt::AlignVCenter));
        y += 11;
        for (std::size_t sex = 0; sex < 2; ++sex, y += kRowStep) {
            addIn<StringControl>(*page_, QStringLiteral("?%1:ROW_%2").arg(field).arg(sex + 1),
                { kLabelX, y + 1, kGridX - kLabelX - 2, 10 }, QString::fromUtf8(block.rows[sex]));
            for (std::size_t c = 0; c < N; ++c)
                themed(addIn<EntryControl>(*page_,
                    QStringLiteral("?TCR:%1_%2_%3").arg(field).arg(c + 1).arg(sex + 1),
                    { kGridX + int(c) * kColumnStep, y, kEntryWidth, 11 }, QString::fromLatin1(block.picture),
                    framework::decimalEntryValue(values[c][sex], block.type)));
        }
        return y + 4;
    }

    framework::TabControl* page_ = nullptr;
    std::int32_t years_ = 0; // EDAD_A
    std::int32_t months_ = 0; // EDAD_M
};

} // namespace

void UpdateTABCRECIMIENTO()
{
    GrowthForm().run();
}

} // namespace nidora::practice
