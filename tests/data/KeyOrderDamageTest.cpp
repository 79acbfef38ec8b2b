// A key page whose cell pointers were damaged so that a record stands where another should: a
// read in that key's order must end, with every record once, after message 30 and the keys
// rebuilt, and never go round the same entries for ever.
#include "AccessTestFixture.h"
#include "support/FileFaults.h"

#include <gmock/gmock.h>

#include <set>

namespace nidora::data::test {
namespace {

using testing::ElementsAre;

constexpr int kPatients = 300;
const QString kPatientsFile = QStringLiteral("PACIENTE.QVM");

class KeyOrderDamageTest : public AccessTest {
protected:
    AccessObject& patients() { return access(FileId::PACIENTES); }
    const KeyDesc& byName() { return patients().key("PAC:KNOMBRE"); }

    void SetUp() override
    {
        addNamedPatients(kPatients);
        ASSERT_EQ(patients().open(), AccessResult::Ok);
    }

    // The name key's entry of one patient points at the cell of another: one byte of the
    // page's table of cell offsets changed.
    void pointEntryAt(int patient, int other)
    {
        using namespace nidora::test;
        const FileTree tree = treeOf(kPatientsFile, QStringLiteral("PAC:KNOMBRE"));
        const auto [page, at] = findText(kPatientsFile, tree, patientName(1));
        const int first = cellHolding(kPatientsFile, tree, page, at);
        const std::vector<std::uint32_t> cells = cellOffsets(kPatientsFile, tree, page);
        ASSERT_LT(std::size_t(first + std::max(patient, other)), cells.size());
        const std::uint32_t target = cells[std::size_t(first + other - 1)];
        const std::uint32_t was = cells[std::size_t(first + patient - 1)];
        ASSERT_EQ(target >> 8, was >> 8) << "the two cells differ in more than one byte of their offsets";
        overwrite(
            kPatientsFile, cellPointer(tree, page, first + patient - 1) + 1, QByteArray(1, char(target)));
    }

    // Reads on in name order, at most a few times as many steps as there are patients.
    std::vector<std::int32_t> readInNameOrder(AccessResult& last)
    {
        patients().setOrder(&byName());
        std::vector<std::int32_t> codes;
        for (int steps = 0; steps < 4 * kPatients; ++steps) {
            last = patients().next();
            if (last != AccessResult::Ok)
                break;
            codes.push_back(data.buffer<PACIENTES>().CODIGO);
        }
        return codes;
    }
};

// Entries whose damage a read in order meets. Others only hide a record from the order, with
// every entry read in order: the full check of the file finds those.
struct MisplacedEntry {
    const char* name;
    int patient; // whose entry in the name key is damaged
    int other; // the patient whose cell it points at
};

class KeyOrderDamageReadTest : public KeyOrderDamageTest,
                               public testing::WithParamInterface<MisplacedEntry> { };

TEST_P(KeyOrderDamageReadTest, AReadInKeyOrderEndsWithEveryRecordOnceAfterTheKeysAreRebuilt)
{
    pointEntryAt(GetParam().patient, GetParam().other);
    acknowledge();

    AccessResult last = AccessResult::Ok;
    const std::vector<std::int32_t> codes = readInNameOrder(last);

    EXPECT_EQ(last, AccessResult::NotFound) << "the read did not come to the end";
    ASSERT_THAT(shownNumbers(), ElementsAre(30));
    EXPECT_EQ(lastShown().text, QStringLiteral("PACIENTES key file is invalid. Key must be rebuilt."));
    EXPECT_EQ(ends, 0);
    EXPECT_EQ(codes.size(), std::size_t(kPatients));
    EXPECT_EQ(std::set<std::int32_t>(codes.begin(), codes.end()).size(), std::size_t(kPatients));
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));
    EXPECT_TRUE(disk(FileId::PACIENTES).checkIntegrity().ok());
}

INSTANTIATE_TEST_SUITE_P(Entries, KeyOrderDamageReadTest,
    testing::Values(MisplacedEntry { "FirstStandsForTheEleventh", 1, 11 },
        MisplacedEntry { "TwelfthStandsForTheEleventh", 12, 11 },
        MisplacedEntry { "TenthStandsForTheEleventh", 10, 11 }),
    [](const testing::TestParamInfo<MisplacedEntry>& param) { return param.param.name; });

} // namespace
} // namespace nidora::data::test
