// A data file damaged on disk while the program uses it: four bytes flipped in a key's page or
// in a record's. The damage is found the first time an operation meets it, damaged keys are
// reported with message 30 and rebuilt, damaged records end the program with message 26, and
// no operation fails with message 28 over and over.
#include "AccessTestFixture.h"
#include "support/FileFaults.h"

#include <gmock/gmock.h>

namespace nidora::data::test {
namespace {

using testing::ElementsAre;

constexpr int kReasons = 1500;
const QString kReasonsFile = QStringLiteral("MOTIVOS.QVM");

QString reasonText(int n)
{
    return QStringLiteral("Motivo de consulta %1").arg(n, 4, 10, QLatin1Char('0'));
}

// What is flipped: bytes of a key value inside its entry in the key's index (the page is well
// formed, the entry no longer matches its record), the pointer to the cell of the key's page
// that holds the entry (the cell cannot be read), or the header of the records page that holds
// the record (the page is of no kind SQLite knows). Bytes of a record's own values flipped are
// another matter: nothing in a page of records tells them from values written there.
enum class Flip { KeyEntryText, KeyPageCells, RecordPageHeader };

void flip(Flip what, const QString& text)
{
    using namespace nidora::test;
    const bool key = what != Flip::RecordPageHeader;
    const FileTree tree
        = treeOf(kReasonsFile, key ? QStringLiteral("MOT:KMOTIVO") : QStringLiteral("records"));
    const auto [page, textAt] = findText(kReasonsFile, tree, text);
    switch (what) {
    case Flip::KeyEntryText: // "Motivo de consulta 0750": in its number's four digits
        return flipBytes(kReasonsFile, textAt + text.size() - 4, 4);
    case Flip::KeyPageCells:
        return flipBytes(
            kReasonsFile, cellPointer(tree, page, cellHolding(kReasonsFile, tree, page, textAt)), 4);
    case Flip::RecordPageHeader:
        return flipBytes(kReasonsFile, pageStart(tree, page), 4);
    }
}

struct DamageCase {
    const char* name;
    Flip flip;
    // What meets the damage: the change of the record whose bytes were flipped, through the
    // relation object (inside its transaction), or a read of the whole file in an order.
    enum Operation { RelationChange, ReadInKeyOrder, ReadInRecordOrder } operation;
    int message; // 30: the keys were rebuilt; 26: the file must be restored
};

void PrintTo(const DamageCase& c, std::ostream* out)
{
    *out << c.name;
}

class DamagedFileTest : public AccessTest, public testing::WithParamInterface<DamageCase> {
protected:
    AccessObject& reasons() { return access(FileId::MOTIVOS); }

    void SetUp() override
    {
        DataFile& file = disk(FileId::MOTIVOS);
        ASSERT_TRUE(file.beginBuffered().ok());
        for (int n = 1; n <= kReasons; ++n) {
            MOTIVOS reason;
            reason.MOTIVO = reasonText(n);
            ASSERT_TRUE(file.add(reason).ok());
        }
        ASSERT_TRUE(file.flush().ok());
        ASSERT_EQ(reasons().open(), AccessResult::Ok);
    }

    // The record whose bytes are flipped, read into the buffer beforehand and changed there.
    void readReasonToChange()
    {
        data.buffer<MOTIVOS>().MOTIVO = reasonText(750);
        ASSERT_EQ(reasons().fetch(reasons().key("MOT:KMOTIVO")), AccessResult::Ok);
        data.buffer<MOTIVOS>().MOTIVO = reasonText(750) + QStringLiteral(" bis");
    }

    // Reads every record in the order: Ok when all were read, or how the read that failed
    // came out.
    AccessResult readAll(const KeyDesc* order)
    {
        reasons().setOrder(order);
        int read = 0;
        for (;;) {
            const AccessResult step = reasons().next();
            if (step == AccessResult::NotFound)
                return read == kReasons ? AccessResult::Ok : AccessResult::NotFound;
            if (step != AccessResult::Ok)
                return step;
            ++read;
        }
    }

    AccessResult meetDamage(DamageCase::Operation operation)
    {
        switch (operation) {
        case DamageCase::RelationChange:
            return data.relation(FileId::MOTIVOS).change();
        case DamageCase::ReadInKeyOrder:
            return readAll(&reasons().key("MOT:KMOTIVO"));
        case DamageCase::ReadInRecordOrder:
            return readAll(nullptr);
        }
        return AccessResult::Failed;
    }
};

TEST_P(DamagedFileTest, IsFoundAtTheFirstOperationThatMeetsIt)
{
    const DamageCase& c = GetParam();
    if (c.operation == DamageCase::RelationChange)
        readReasonToChange();
    flip(c.flip, reasonText(750));

    acknowledge();
    const AccessResult met = meetDamage(c.operation);
    ASSERT_THAT(shownNumbers(), ElementsAre(c.message)) << "the operation came to " << int(met);
    if (c.message == 26) {
        EXPECT_EQ(met, AccessResult::Fatal);
        EXPECT_EQ(ends, 1);
        EXPECT_TRUE(lastShown().text.startsWith(QStringLiteral("File MOTIVOS could not be opened.  Error: "
                                                               "el archivo está dañado y debe restaurarse "
                                                               "desde una copia de seguridad: ")))
            << lastShown().text.toStdString();
        return;
    }
    // A read goes on once the keys are rebuilt; a change fails once and may be made again.
    EXPECT_EQ(met, c.operation == DamageCase::ReadInKeyOrder ? AccessResult::Ok : AccessResult::Failed);
    EXPECT_EQ(lastShown().title, QStringLiteral("Invalid Key"));
    EXPECT_EQ(lastShown().text, QStringLiteral("MOTIVOS key file is invalid. Key must be rebuilt."));
    EXPECT_EQ(ends, 0);

    // Rebuilt: the same operation goes through, every key reads, and the file is sound.
    EXPECT_EQ(meetDamage(c.operation), AccessResult::Ok);
    EXPECT_EQ(readAll(&reasons().key("MOT:KMOTIVO")), AccessResult::Ok);
    if (c.operation == DamageCase::RelationChange) {
        data.buffer<MOTIVOS>().MOTIVO = reasonText(750) + QStringLiteral(" BIS");
        EXPECT_EQ(reasons().fetch(reasons().key("MOT:KMOTIVO")), AccessResult::Ok);
    }
    EXPECT_EQ(shownNumbers().size(), 1u);
    EXPECT_TRUE(disk(FileId::MOTIVOS).checkIntegrity().ok());
}

INSTANTIATE_TEST_SUITE_P(Flips, DamagedFileTest,
    testing::Values(DamageCase { "KeyEntryMetByAChange", Flip::KeyEntryText, DamageCase::RelationChange, 30 },
        DamageCase { "KeyPageMetByAChange", Flip::KeyPageCells, DamageCase::RelationChange, 30 },
        DamageCase { "KeyPageMetByAList", Flip::KeyPageCells, DamageCase::ReadInKeyOrder, 30 },
        DamageCase { "RecordMetByAChange", Flip::RecordPageHeader, DamageCase::RelationChange, 26 },
        DamageCase { "RecordMetByAList", Flip::RecordPageHeader, DamageCase::ReadInRecordOrder, 26 }),
    [](const testing::TestParamInfo<DamageCase>& param) { return param.param.name; });

// The quick check alone cannot see an index entry that no longer matches its record; the
// full check can, and tells it apart from damaged records.
TEST(DamagedFileCheckTest, TheFullCheckTellsKeysFromRecords)
{
    for (const Flip what : { Flip::KeyEntryText, Flip::KeyPageCells, Flip::RecordPageHeader }) {
        nidora::test::ScratchDirectory scratch;
        {
            auto opened = DataFile::open(fileDesc(FileId::MOTIVOS));
            ASSERT_TRUE(opened.outcome.ok());
            ASSERT_TRUE(opened.file->beginBuffered().ok());
            for (int n = 1; n <= kReasons; ++n) {
                MOTIVOS reason;
                reason.MOTIVO = reasonText(n);
                ASSERT_TRUE(opened.file->add(reason).ok());
            }
            ASSERT_TRUE(opened.file->flush().ok());
        }
        flip(what, reasonText(750));
        auto opened = DataFile::open(fileDesc(FileId::MOTIVOS));
        ASSERT_TRUE(opened.outcome.ok()) << "the flipped bytes lie outside what opening reads";
        const Status found = opened.file->checkIntegrity().status;
        EXPECT_EQ(found, what == Flip::RecordPageHeader ? Status::Damaged : Status::KeysDamaged) << int(what);
    }
}

} // namespace
} // namespace nidora::data::test
