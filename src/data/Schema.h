#pragma once

#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>
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
    int number = 0; // 1-based in declared order; a GROUP counts as one field; memos 0
    QString name; // full name, "CON:PACIENTE"
    FieldType type = FieldType::Long;
    int size = 0; // bytes of one element; STRING and memo: characters
    int precision = 0; // DECIMAL: digits after the point
    int dim1 = 0; // DIM(a): a; 0 when the field is not an array
    int dim2 = 0; // DIM(a,b): b
    QString picture; // "@n7", "@s30", "@d6"; may be empty
    int groupMembers = 0; // GROUP: how many of the fields right after it belong to it
    int groupEnd = 0; // GROUP: number of its last member field

    // Element access, indexed from 0 (i < max(dim1,1), j < max(dim2,1)); null for a GROUP.
    FieldValue (*get)(const Record& record, int i, int j) = nullptr;
    void (*set)(Record& record, int i, int j, const FieldValue& value) = nullptr;

    int elementCount() const { return std::max(dim1, 1) * std::max(dim2, 1); }
    int bytes() const
    {
        return type == FieldType::Group || type == FieldType::Memo ? 0 : size * elementCount();
    }
    QString label() const { return name.mid(name.indexOf(QLatin1Char(':')) + 1); }
};

struct KeyDesc {
    QString name; // "PAC:KNOMBRE"
    QString description; // what messages call it; the name unless the file says otherwise
    std::vector<int> components; // indices into FileDesc::fields, in key order
    bool unique = false;
    bool blanksIndexed = false; // false: records whose components are all blank are left out
    bool autoNumber = false; // single numeric component, numbered on priming
};

struct FileDesc {
    QString label; // "PACIENTES"
    QString prefix; // "PAC"
    QString diskName; // "PACIENTE"; the file is diskName + ".QVM"
    int recordBytes = 0; // size of the fixed record as catalogued
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

// A member's element type and extents: plain members, std::array<T,a> (DIM(a)) and
// std::array<std::array<T,b>,a> (DIM(a,b)).
template <typename T> struct ArrayShape {
    using Element = T;
    static constexpr int dim1 = 0;
    static constexpr int dim2 = 0;
};
template <typename T, std::size_t A> struct ArrayShape<std::array<T, A>> {
    using Element = T;
    static constexpr int dim1 = int(A);
    static constexpr int dim2 = 0;
};
template <typename T, std::size_t A, std::size_t B> struct ArrayShape<std::array<std::array<T, B>, A>> {
    using Element = T;
    static constexpr int dim1 = int(A);
    static constexpr int dim2 = int(B);
};

// The field type a C++ element type stores; a QString member may also be a memo.
template <typename E> constexpr FieldType storedType()
{
    if constexpr (std::is_same_v<E, std::uint8_t>)
        return FieldType::Byte;
    else if constexpr (std::is_same_v<E, std::int16_t>)
        return FieldType::Short;
    else if constexpr (std::is_same_v<E, std::int32_t>)
        return FieldType::Long;
    else if constexpr (std::is_same_v<E, double>)
        return FieldType::Real;
    else if constexpr (std::is_same_v<E, std::int64_t>)
        return FieldType::Decimal;
    else {
        static_assert(
            std::is_same_v<E, QString>, "record members are uint8, int16, int32, int64, double or QString");
        return FieldType::String;
    }
}

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

// The element (i, j) of a member, indexed from 0; a plain member ignores both indexes and a
// DIM(a) member ignores j. An index outside the array throws std::out_of_range rather than
// touching a neighbouring field.
template <typename M> auto& element(M& m, int i, int j)
{
    using Shape = ArrayShape<std::remove_const_t<M>>;
    if constexpr (Shape::dim2 > 0)
        return m.at(std::size_t(i)).at(std::size_t(j));
    else if constexpr (Shape::dim1 > 0)
        return m.at(std::size_t(i));
    else
        return m;
}

// Throws std::logic_error when a descriptor disagrees with its member (type, extents) or
// breaks the field rules (sizes of the fixed types, DECIMAL digits, memos not arrays).
void checkField(FieldDesc& desc, FieldType memberType, int memberDim1, int memberDim2);

} // namespace detail

// field<&PACIENTES::CODIGO>("PAC:CODIGO", FieldType::Long, 4, "@n7"). The extents come from
// the member's std::array type; dim1 and dim2, when given, must agree with it.
template <auto Member>
FieldDesc field(const char* name, FieldType type, int size, const char* picture = "", int precision = 0,
    int dim1 = 0, int dim2 = 0)
{
    using Traits = detail::MemberTraits<decltype(Member)>;
    using Class = typename Traits::Class;
    using Shape = detail::ArrayShape<typename Traits::Member>;
    FieldDesc d;
    d.name = QString::fromUtf8(name);
    d.type = type;
    d.size = size;
    d.precision = precision;
    d.dim1 = dim1;
    d.dim2 = dim2;
    d.picture = QString::fromUtf8(picture);
    detail::checkField(d, detail::storedType<typename Shape::Element>(), Shape::dim1, Shape::dim2);
    d.get = [](const Record& r, int i, int j) -> FieldValue {
        return detail::toValue(detail::element(static_cast<const Class&>(r).*Member, i, j));
    };
    d.set = [](Record& r, int i, int j, const FieldValue& v) {
        detail::fromValue(detail::element(static_cast<Class&>(r).*Member, i, j), v);
    };
    return d;
}

// A GROUP heading the `members` fields declared right after it. Groups do not nest: every
// group of these records ends before the next one starts, and some (the ages of CONSULTAS,
// ENFERMEDADES and PLANVACUNACION) end before the record does.
FieldDesc group(const char* name, int members);

template <typename R> std::unique_ptr<Record> newRecord()
{
    return std::make_unique<R>();
}

// Fills in field numbers and GROUP extents, resolves key components by name and checks the
// description for mistakes (unknown key components, groups running past the record or over
// another group, an automatically numbered key that is not one numeric field); the
// catalogue calls it once per file.
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
