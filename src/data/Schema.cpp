#include "data/Schema.h"

#include <stdexcept>
#include <string>

namespace nidora::data {

int FileDesc::declaredBytes() const
{
    int total = 0;
    for (const FieldDesc& f : fields)
        total += f.bytes();
    return total;
}

int FileDesc::fieldIndex(const QString& fullName) const
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].name.compare(fullName, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

const FieldDesc* FileDesc::field(const QString& fullName) const
{
    const int i = fieldIndex(fullName);
    if (i >= 0)
        return &fields[std::size_t(i)];
    for (const FieldDesc& m : memos) {
        if (m.name.compare(fullName, Qt::CaseInsensitive) == 0)
            return &m;
    }
    return nullptr;
}

const KeyDesc* FileDesc::key(const QString& fullName) const
{
    for (const KeyDesc& k : keys) {
        if (k.name.compare(fullName, Qt::CaseInsensitive) == 0)
            return &k;
    }
    return nullptr;
}

namespace {

[[noreturn]] void reject(const QString& name, const char* problem)
{
    throw std::logic_error(name.toStdString() + ": " + problem);
}

int fixedSize(FieldType type)
{
    switch (type) {
    case FieldType::Byte:
        return 1;
    case FieldType::Short:
        return 2;
    case FieldType::Long:
        return 4;
    case FieldType::Real:
        return 8;
    default:
        return 0;
    }
}

} // namespace

namespace detail {

void checkField(FieldDesc& desc, FieldType memberType, int memberDim1, int memberDim2)
{
    const bool typeFits
        = desc.type == memberType || (desc.type == FieldType::Memo && memberType == FieldType::String);
    if (!typeFits)
        reject(desc.name, "the member's C++ type does not store this field type");
    if ((desc.dim1 != 0 || desc.dim2 != 0) && (desc.dim1 != memberDim1 || desc.dim2 != memberDim2))
        reject(desc.name, "DIM differs from the member's array extents");
    desc.dim1 = memberDim1;
    desc.dim2 = memberDim2;

    if (const int fixed = fixedSize(desc.type); fixed != 0 && desc.size != fixed)
        reject(desc.name, "wrong size for the field type");
    if (desc.size < 1)
        reject(desc.name, "size must be positive");
    if (desc.type == FieldType::Memo && desc.dim1 != 0)
        reject(desc.name, "a memo cannot be an array");
    // DECIMAL(b,p) holds 2b-1 digits, which a scaled 64-bit integer must be able to hold.
    if (desc.type == FieldType::Decimal
        && (desc.size > 9 || desc.precision < 0 || desc.precision > 2 * desc.size - 1))
        reject(desc.name, "DECIMAL size or precision out of range");
    if (desc.type != FieldType::Decimal && desc.precision != 0)
        reject(desc.name, "only a DECIMAL has a precision");
}

} // namespace detail

FieldDesc group(const char* name, int members)
{
    FieldDesc d;
    d.name = QString::fromUtf8(name);
    d.type = FieldType::Group;
    d.groupMembers = members;
    return d;
}

namespace {

void numberFields(FileDesc& file)
{
    const int count = int(file.fields.size());
    for (int i = 0; i < count; ++i) {
        FieldDesc& f = file.fields[std::size_t(i)];
        f.number = i + 1;
        if (f.type == FieldType::Memo)
            reject(f.name, "a memo declared among the fixed fields");
        if (f.type != FieldType::Group)
            continue;
        f.groupEnd = f.number + f.groupMembers;
        if (f.groupMembers < 1 || f.groupEnd > count)
            reject(f.name, "GROUP members run past the end of the record");
        for (int m = i + 1; m < f.groupEnd; ++m) {
            if (file.fields[std::size_t(m)].type == FieldType::Group)
                reject(f.name, "GROUP holds another GROUP");
        }
    }
    for (const FieldDesc& memo : file.memos) {
        if (memo.type != FieldType::Memo)
            reject(memo.name, "a fixed field declared among the memos");
    }
}

KeyDesc makeKey(const FileDesc& file, const KeySpec& spec)
{
    KeyDesc key;
    key.name = QString::fromUtf8(spec.name);
    key.description = spec.description ? QString::fromUtf8(spec.description) : key.name;
    key.unique = spec.unique;
    key.blanksIndexed = spec.blanksIndexed;
    key.autoNumber = spec.autoNumber;
    for (const char* component : spec.components) {
        const int index = file.fieldIndex(QString::fromUtf8(component));
        if (index < 0 || file.fields[std::size_t(index)].type == FieldType::Group)
            throw std::logic_error(std::string("unknown key component ") + component + " in " + spec.name);
        key.components.push_back(index);
    }
    if (key.autoNumber) {
        const FieldDesc* only
            = key.components.size() == 1 ? &file.fields[std::size_t(key.components[0])] : nullptr;
        const bool numeric
            = only && fixedSize(only->type) != 0 && only->type != FieldType::Real && only->dim1 == 0;
        if (!numeric)
            reject(key.name, "an automatically numbered key needs one integer component");
    }
    return key;
}

} // namespace

FileDesc makeFileDesc(const char* label, const char* prefix, const char* diskName, int recordBytes,
    bool createdWhenMissing, std::vector<FieldDesc> fields, std::vector<FieldDesc> memos,
    const std::vector<KeySpec>& keys, std::function<std::unique_ptr<Record>()> makeRecord)
{
    FileDesc file;
    file.label = QString::fromUtf8(label);
    file.prefix = QString::fromUtf8(prefix);
    file.diskName = QString::fromUtf8(diskName);
    file.recordBytes = recordBytes;
    file.createdWhenMissing = createdWhenMissing;
    file.fields = std::move(fields);
    file.memos = std::move(memos);
    file.makeRecord = std::move(makeRecord);
    numberFields(file);
    // The catalogued size is the record's own: a field left out or sized wrongly shows here,
    // when the descriptor is made, not first in some file written with it.
    if (file.declaredBytes() != recordBytes)
        throw std::logic_error(std::string(label) + ": its fields add up to "
            + std::to_string(file.declaredBytes()) + " bytes, not the " + std::to_string(recordBytes)
            + " catalogued");
    for (const KeySpec& spec : keys)
        file.keys.push_back(makeKey(file, spec));
    return file;
}

} // namespace nidora::data
