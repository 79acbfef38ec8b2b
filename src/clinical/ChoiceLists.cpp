#include "clinical/ChoiceLists.h"

#include "data/ReferenceRecords.h"

namespace nidora::clinical {

std::vector<framework::DropListControl::Choice> bloodGroupChoices()
{
    std::vector<framework::DropListControl::Choice> groups;
    for (const char* group : { "XX", "0+", "0-", "A+", "A-", "B+", "B-", "AB+", "AB-" })
        groups.emplace_back(QString::fromLatin1(group), QString::fromLatin1(group));
    return groups;
}

QStringList coverageNames(data::Dictionary& data)
{
    data::AccessObject& coverages = data.access<data::OBRASSOCIALES>();
    coverages.setOrder(&coverages.key("OBR:KNOMBRE"));
    QStringList names;
    while (coverages.next() == data::AccessResult::Ok)
        names << data.buffer<data::OBRASSOCIALES>().NOMBRE;
    return names;
}

} // namespace nidora::clinical
