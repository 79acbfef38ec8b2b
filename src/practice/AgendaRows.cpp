#include "practice/AgendaRows.h"

#include "data/ClinicalRecords.h"

namespace nidora::practice {
namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kFreeGround = 0x80FFFF;
constexpr std::uint32_t kHighlight = 0x800000;

bool blank(const QString& text)
{
    return text.trimmed().isEmpty();
}

} // namespace

bool isFreeSlot(const data::AGENDA& slot)
{
    return blank(slot.NOMBRE) && blank(slot.COMENTARIOS);
}

views::RowColours agendaRowColours(const data::Record& record)
{
    const std::uint32_t ground = isFreeSlot(static_cast<const data::AGENDA&>(record)) ? kFreeGround : kWhite;
    return views::RowColours { kBlack, ground, ground, kHighlight };
}

std::vector<views::ListColumn> agendaColumns()
{
    const data::FileDesc& agenda = data::fileDesc<data::AGENDA>();
    const auto column = [&](const char* field, const char* heading, const char* picture) {
        return views::fieldColumn(*agenda.field(QString::fromLatin1(field)), QString::fromUtf8(heading),
            QString::fromLatin1(picture));
    };
    return { column("AGE:FECHA", "Fecha", "@D6"), column("AGE:HORA", "Hora", "@T1"),
        column("AGE:MEDICO", "Dr.", "@n3"), column("AGE:NOMBRE", "Paciente", "@s30"),
        column("AGE:COMENTARIOS", "Notas", "@s50") };
}

} // namespace nidora::practice
