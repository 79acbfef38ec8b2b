#include "data/Schema.h"

#include <gtest/gtest.h>

#include <functional>

namespace nidora::data {
namespace {

struct Sample : Record {
    std::int32_t CODE = 0;
    QString NAME;
    std::uint8_t A = 0;
    std::uint8_t B = 0;
    std::array<std::array<std::int64_t, 2>, 3> TABLE {};
    QString NOTES;
};

// A file of these fields, catalogued with the size they add up to.
FileDesc sampleFile(std::vector<FieldDesc> fields, const std::vector<KeySpec>& keys = {})
{
    int bytes = 0;
    for (const FieldDesc& f : fields)
        bytes += f.bytes();
    return makeFileDesc(
        "SAMPLE", "SAM", "SAMPLE", bytes, true, std::move(fields), {}, keys, &newRecord<Sample>);
}

TEST(Schema, GroupsEndAfterTheirMembersAndFieldsAreNumberedAcrossThem)
{
    using enum FieldType;
    const FileDesc file = sampleFile({
        field<&Sample::CODE>("SAM:CODE", Long, 4),
        group("SAM:PAIR", 2),
        field<&Sample::A>("SAM:A", Byte, 1),
        field<&Sample::B>("SAM:B", Byte, 1),
        field<&Sample::NAME>("SAM:NAME", String, 10),
    });
    EXPECT_EQ(file.field(QStringLiteral("SAM:PAIR"))->number, 2);
    EXPECT_EQ(file.field(QStringLiteral("SAM:PAIR"))->groupEnd, 4);
    EXPECT_EQ(file.field(QStringLiteral("SAM:NAME"))->number, 5);
    EXPECT_EQ(file.declaredBytes(), 16);
}

TEST(Schema, ArrayExtentsComeFromTheMember)
{
    const FieldDesc table = field<&Sample::TABLE>("SAM:TABLE", FieldType::Decimal, 3, "", 1);
    EXPECT_EQ(table.dim1, 3);
    EXPECT_EQ(table.dim2, 2);
    EXPECT_EQ(table.bytes(), 18);
}

TEST(Schema, DescriptionsThatDisagreeWithTheRecordAreRefused)
{
    using enum FieldType;
    const struct {
        const char* mistake;
        std::function<void()> declare;
    } cases[] = {
        { "a LONG declared on a text member", [] { field<&Sample::NAME>("SAM:NAME", Long, 4); } },
        { "a SHORT declared on a LONG member", [] { field<&Sample::CODE>("SAM:CODE", Short, 2); } },
        { "a LONG of two bytes", [] { field<&Sample::CODE>("SAM:CODE", Long, 2); } },
        { "DIM that differs from the array",
            [] { field<&Sample::TABLE>("SAM:TABLE", Decimal, 3, "", 1, 2, 3); } },
        { "DIM on a plain member", [] { field<&Sample::A>("SAM:A", Byte, 1, "", 0, 4); } },
        { "more decimals than DECIMAL(2) holds",
            [] { field<&Sample::TABLE>("SAM:TABLE", Decimal, 2, "", 4); } },
        { "a precision on a BYTE", [] { field<&Sample::A>("SAM:A", Byte, 1, "", 1); } },
        { "a STRING of no characters", [] { field<&Sample::NAME>("SAM:NAME", String, 0); } },
        { "a group running past the record",
            [] {
                sampleFile({ group("SAM:PAIR", 2), field<&Sample::A>("SAM:A", Byte, 1) });
            } },
        { "a group holding a group",
            [] {
                sampleFile(
                    { group("SAM:OUTER", 2), group("SAM:INNER", 1), field<&Sample::A>("SAM:A", Byte, 1) });
            } },
        { "a record size other than its fields add up to",
            [] {
                makeFileDesc("SAMPLE", "SAM", "SAMPLE", 5, true,
                    { field<&Sample::CODE>("SAM:CODE", Long, 4) }, {}, {}, &newRecord<Sample>);
            } },
        { "a memo among the fixed fields",
            [] { sampleFile({ field<&Sample::NOTES>("SAM:NOTES", Memo, 100) }); } },
        { "a key on an unknown field",
            [] {
                sampleFile({ field<&Sample::A>("SAM:A", Byte, 1) },
                    { { .name = "SAM:KX", .components = { "SAM:X" } } });
            } },
        { "a key on a group",
            [] {
                sampleFile({ group("SAM:PAIR", 1), field<&Sample::A>("SAM:A", Byte, 1) },
                    { { .name = "SAM:KPAIR", .components = { "SAM:PAIR" } } });
            } },
        { "automatic numbering on a text",
            [] {
                sampleFile({ field<&Sample::NAME>("SAM:NAME", String, 10) },
                    { { .name = "SAM:KNAME",
                        .components = { "SAM:NAME" },
                        .unique = true,
                        .autoNumber = true } });
            } },
        { "automatic numbering on two fields",
            [] {
                sampleFile({ field<&Sample::A>("SAM:A", Byte, 1), field<&Sample::B>("SAM:B", Byte, 1) },
                    { { .name = "SAM:KAB",
                        .components = { "SAM:A", "SAM:B" },
                        .unique = true,
                        .autoNumber = true } });
            } },
    };
    for (const auto& c : cases)
        EXPECT_THROW(c.declare(), std::logic_error) << c.mistake;
}

} // namespace
} // namespace nidora::data
