#include "data/Schema.h"

#include <stdexcept>

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

FieldDesc group(const char* name)
{
    FieldDesc d;
    d.name = QString::fromUtf8(name);
    d.type = FieldType::Group;
    return d;
}

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

    for (std::size_t i = 0; i < file.fields.size(); ++i)
        file.fields[i].number = int(i) + 1;
    // A GROUP runs over the fields that follow it up to the next GROUP or the end; a file
    // whose groups end earlier says so by the member list, which no file here needs.
    for (std::size_t i = 0; i < file.fields.size(); ++i) {
        if (file.fields[i].type != FieldType::Group)
            continue;
        std::size_t end = i + 1;
        while (end < file.fields.size() && file.fields[end].type != FieldType::Group)
            ++end;
        file.fields[i].groupEnd = int(end);
    }

    for (const KeySpec& spec : keys) {
        KeyDesc key;
        key.name = QString::fromUtf8(spec.name);
        key.description = spec.description ? QString::fromUtf8(spec.description) : key.name;
        key.unique = spec.unique;
        key.blanksIndexed = spec.blanksIndexed;
        key.autoNumber = spec.autoNumber;
        for (const char* component : spec.components) {
            const int index = file.fieldIndex(QString::fromUtf8(component));
            if (index < 0)
                throw std::logic_error(std::string("unknown key component ") + component + " in " + spec.name);
            key.components.push_back(index);
        }
        file.keys.push_back(std::move(key));
    }
    return file;
}

} // namespace nidora::data
