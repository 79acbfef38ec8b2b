#include "clinical/PatientLists.h"

#include "data/PatientRecords.h"

namespace nidora::clinical {
namespace {

using data::PACIENTES;
using views::LocatorKind;

const data::FileDesc& patients()
{
    return data::fileDesc<PACIENTES>();
}

views::SortOrder order(const char* key, LocatorKind locator, const char* caption)
{
    return views::SortOrder { patients().key(QString::fromUtf8(key)), locator, QString::fromUtf8(caption) };
}

views::ListColumn column(const char* field, const char* heading, const char* group = "")
{
    return views::fieldColumn(*patients().field(QString::fromUtf8(field)), QString::fromUtf8(heading), {},
        QString::fromUtf8(group));
}

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGirl = 0x8000FF;
constexpr std::uint32_t kBoy = 0xFF0000;

} // namespace

std::vector<views::SortOrder> patientListOrders()
{
    return {
        order("PAC:KNOMBRE", LocatorKind::Incremental, "Indice x Nombre"),
        order("PAC:KCODIGO", LocatorKind::Incremental, "Indice x Código"),
        order("PAC:KGRUPO", LocatorKind::Step, "Indice x Grupo Sanguineo"),
        order("PAC:KMADRE", LocatorKind::Incremental, "Indice x Madre"),
        order("PAC:KOBRASOCIAL", LocatorKind::Step, "Indice x Cobertura Social"),
    };
}

std::vector<views::ListColumn> patientListColumns()
{
    return {
        column("PAC:CODIGO", "Código"),
        column("PAC:NOMBRE", "Nombre"),
        column("PAC:GRUPO", "GS"),
        column("PAC:FNACIMIENTO", "F.Nacimiento"),
        column("PAC:OBRASOCIAL", "", "Cobertura Social"),
        column("PAC:NROOBRASOCIAL", "", "Cobertura Social"),
        column("PAC:TELEFONO", "Teléfono"),
    };
}

std::vector<views::SortOrder> patientLookupOrders()
{
    return { order("PAC:KNOMBRE", LocatorKind::Incremental, "Indice x Nombre") };
}

std::vector<views::ListColumn> patientLookupColumns()
{
    return {
        column("PAC:NOMBRE", "Nombre"),
        column("PAC:CODIGO", "Código"),
        column("PAC:FNACIMIENTO", "Fecha de Nacimiento"),
    };
}

views::RowColours patientRowColours(const data::Record& record)
{
    const std::uint32_t ink = static_cast<const PACIENTES&>(record).SEXO == QLatin1String("F") ? kGirl : kBoy;
    return views::RowColours { ink, kWhite, kWhite, ink };
}

} // namespace nidora::clinical
