#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <variant>
#include <vector>

// The declarative description of a data file: its fields, memos and keys. Everything else
// (the SQLite schema, field numbers, the names messages use, the record-size check) is
// derived from it, so each file is described exactly once.
namespace nidora::data {

enum class FieldType { Byte, Short, Long, Real, Decimal, String, Group, Memo };

// A field's value as the storage layer moves it: integers (BYTE, SHORT, LONG, dates, times
// and DECIMAL as a scaled integer), REAL as double, STRING and memos as text.
using FieldValue = std::variant<std::monostate, std::int64_t, double, QString>;

// Every record struct derives from this so that buffers can be handled without knowing
// their file.
struct Record {
    virtual ~Record() = default;
};

struct FieldDesc {
    int number = 0;      // 1-based in declared order; a GROUP counts as one field
    QString name;        // full name, "CON:PACIENTE"
    FieldType type = FieldType::Long;
    int size = 0;        // bytes of one element; STRING and memo: characters
    int precision = 0;   // DECIMAL: digits after the point
    int dim1 = 0;        // DIM(a): a; 0 when the field is not an array
    int dim2 = 0;        // DIM(a,b): b
    QString picture;     // "@n7", "@s30", "@d6"; may be empty
    int groupEnd = 0;    // GROUP: number of the last member field

    // Element access, indexed from 0 (i < max(dim1,1), j < max(dim2,1)); null for a GROUP.
    FieldValue (*get)(const Record& record, int i, int j) = nullptr;
    void (*set)(Record& record, int i, int j, const FieldValue& value) = nullptr;

    int elementCount() const { return std::max(dim1, 1) * std::max(dim2, 1); }
    int bytes() const { return type == FieldType::Group || type == FieldType::Memo ? 0 : size * elementCount(); }
    QString label() const { return name.mid(name.indexOf(QLatin1Char(':')) + 1); }
};

struct KeyDesc {
    QString name;              // "PAC:KNOMBRE"
    QString description;       // what messages call it; the name unless the file says otherwise
    std::vector<int> components; // indices into FileDesc::fields, in key order
    bool unique = false;
    bool blanksIndexed = false;  // false: records whose components are all blank are left out
    bool autoNumber = false;     // single numeric component, numbered on priming
};

struct FileDesc {
    QString label;        // "PACIENTES"
    QString prefix;       // "PAC"
    QString diskName;     // "PACIENTE"; the file is diskName + ".QVM"
    int recordBytes = 0;  // size of the fixed record as catalogued
    bool createdWhenMissing = true;
    bool enciphered = false; // ACCESOS: kept enciphered under the owner password
    std::vector<FieldDesc> fields;
    std::vector<FieldDesc> memos;
    std::vector<KeyDesc> keys;
    std::function<std::unique_ptr<Record>()> makeRecord;

    QString fileName() const { return diskName + QStringLiteral(".QVM"); }
    int declaredBytes() const;
    const FieldDesc* field(const QString& fullName) const;
    int fieldIndex(const QString& fullName) const; // -1 when unknown
    const KeyDesc* key(const QString& fullName) const;
};

// ---- building descriptors from record structs --------------------------------------------

namespace detail {

template <typename T> struct MemberTraits;
template <typename C, typename M> struct MemberTraits<M C::*> {
    using Class = C;
    using Member = M;
};

template <typename T> FieldValue toValue(const T& v)
{
    if constexpr (std::is_same_v<T, QString>)
        return v;
    else if constexpr (std::is_floating_point_v<T>)
        return double(v);
    else
        return std::int64_t(v);
}

template <typename T> void fromValue(T& target, const FieldValue& v)
{
    if constexpr (std::is_same_v<T, QString>) {
        target = std::holds_alternative<QString>(v) ? std::get<QString>(v) : QString();
    } else if constexpr (std::is_floating_point_v<T>) {
        if (const double* d = std::get_if<double>(&v))
            target = *d;
        else if (const std::int64_t* n = std::get_if<std::int64_t>(&v))
            target = T(*n);
        else
            target = 0;
    } else {
        if (const std::int64_t* n = std::get_if<std::int64_t>(&v))
            target = T(*n);
        else if (const double* d = std::get_if<double>(&v))
            target = T(*d);
        else
            target = 0;
    }
}

// Plain members, std::array<T,a> and std::array<std::array<T,b>,a>.
template <typename M> auto& element(M& m, int i, int j)
{
    if constexpr (requires { m[0][0]; } && !std::is_same_v<std::remove_cvref_t<decltype(m[0])>, QChar>)
        return m[i][j];
    else if constexpr (requires { m[0]; } && !std::is_same_v<M, QString> && !std::is_same_v<M, const QString>)
        return m[i];
    else
        return m;
}

} // namespace detail

// field<&PACIENTES::CODIGO>("PAC:CODIGO", FieldType::Long, 4, "@n7")
template <auto Member>
FieldDesc field(const char* name, FieldType type, int size, const char* picture = "", int precision = 0,
                int dim1 = 0, int dim2 = 0)
{
    using Traits = detail::MemberTraits<decltype(Member)>;
    using Class = typename Traits::Class;
    FieldDesc d;
    d.name = QString::fromUtf8(name);
    d.type = type;
    d.size = size;
    d.precision = precision;
    d.dim1 = dim1;
    d.dim2 = dim2;
    d.picture = QString::fromUtf8(picture);
    d.get = [](const Record& r, int i, int j) -> FieldValue {
        return detail::toValue(detail::element(static_cast<const Class&>(r).*Member, i, j));
    };
    d.set = [](Record& r, int i, int j, const FieldValue& v) {
        detail::fromValue(detail::element(static_cast<Class&>(r).*Member, i, j), v);
    };
    return d;
}

FieldDesc group(const char* name);

// Fills in field numbers and GROUP extents, resolves key components by name and checks the
// description for mistakes (unknown key components); the catalogue calls it once per file.
struct KeySpec {
    const char* name;
    std::vector<const char*> components;
    bool unique = false;
    bool blanksIndexed = false;
    bool autoNumber = false;
    const char* description = nullptr; // null: the key's name
};

FileDesc makeFileDesc(const char* label, const char* prefix, const char* diskName, int recordBytes,
                      bool createdWhenMissing, std::vector<FieldDesc> fields, std::vector<FieldDesc> memos,
                      const std::vector<KeySpec>& keys, std::function<std::unique_ptr<Record>()> makeRecord);

} // namespace nidora::data
