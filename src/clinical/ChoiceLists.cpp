#include "clinical/ChoiceLists.h"

#include "data/ReferenceRecords.h"

namespace nidora::clinical {
namespace {

template <class R> QStringList namesInOrder(data::Dictionary& data, const char* key, QString R::*name)
{
    data::AccessObject& file = data.access<R>();
    file.setOrder(&file.key(key));
    QStringList names;
    while (file.next() == data::AccessResult::Ok)
        names << data.buffer<R>().*name;
    return names;
}

} // namespace

std::vector<framework::DropListControl::Choice> bloodGroupChoices()
{
    std::vector<framework::DropListControl::Choice> groups;
    for (const char* group : { "XX", "0+", "0-", "A+", "A-", "B+", "B-", "AB+", "AB-" })
        groups.emplace_back(QString::fromLatin1(group), QString::fromLatin1(group));
    return groups;
}

QStringList coverageNames(data::Dictionary& data)
{
    return namesInOrder(data, "OBR:KNOMBRE", &data::OBRASSOCIALES::NOMBRE);
}

QStringList reasonNames(data::Dictionary& data)
{
    return namesInOrder(data, "MOT:KMOTIVO", &data::MOTIVOS::MOTIVO);
}

QStringList pathologyNames(data::Dictionary& data)
{
    return namesInOrder(data, "TEN:KNOMBRE", &data::TABENFERMED::NOMBRE);
}

} // namespace nidora::clinical
