// The full check of the data files in the background: a key entry damaged so that it no
// longer matches its record hides the record from the key's order, and no read in that order
// can see it; the full check does, on a worker thread, and the keys are then rebuilt.
#include "data/FileChecks.h"

#include "AccessTestFixture.h"
#include "support/FileFaults.h"

#include <gmock/gmock.h>

#include <chrono>
#include <thread>

namespace nidora::data::test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing::Not;

constexpr int kPatients = 300;
const QString kPatientsFile = QStringLiteral("PACIENTE.QVM");

// What is damaged: bytes of one patient's entry in the name key, the count of entries of one of
// the name key's pages, or the header of a page of records.
enum class Fault { KeyEntry, KeyPageCount, RecordPage };

struct FaultCase {
    const char* name;
    Fault fault;
    int message; // 30: keys rebuilt; 26: the file must be restored
};

class FileChecksTest : public AccessTest, public testing::WithParamInterface<FaultCase> {
protected:
    void SetUp() override
    {
        addNamedPatients(kPatients);
        store(consultation(1, 1));
    }

    void damage(Fault fault)
    {
        using namespace nidora::test;
        const FileTree tree = treeOf(kPatientsFile,
            fault == Fault::RecordPage ? QStringLiteral("records") : QStringLiteral("PAC:KNOMBRE"));
        const auto [page, at] = findText(kPatientsFile, tree, patientName(150));
        switch (fault) {
        case Fault::KeyEntry: // in the number of "Paciente 150"
            return flipBytes(kPatientsFile, at + 9, 3);
        case Fault::KeyPageCount:
            return dropLastCell(kPatientsFile, tree, page);
        case Fault::RecordPage:
            return flipBytes(kPatientsFile, pageStart(tree, page), 4);
        }
    }

    // Runs the checks to their end; what they found, by file.
    std::map<FileId, QStringList> checkInTheBackground(std::vector<FileId> files)
    {
        std::map<FileId, QStringList> found;
        BackgroundFileChecks checks(std::move(files));
        checks.start();
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!checks.done() && std::chrono::steady_clock::now() < until) {
            for (auto& finding : checks.takeFindings())
                found[finding.file] = finding.problems;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_TRUE(checks.done());
        return found;
    }

    std::vector<std::int32_t> codesInNameOrder()
    {
        std::vector<std::int32_t> codes;
        disk(FileId::PACIENTES)
            .page(&key(FileId::PACIENTES, "PAC:KNOMBRE"), {}, Direction::Forward, 10 * kPatients,
                [&](const RecordRef&, const Record& record) {
                    codes.push_back(static_cast<const PACIENTES&>(record).CODIGO);
                });
        return codes;
    }
};

TEST_P(FileChecksTest, FindsTheDamageThatNoReadMeetsAndTheKeysAreRebuilt)
{
    const FaultCase& c = GetParam();
    damage(c.fault);
    if (c.fault != Fault::RecordPage) {
        EXPECT_LT(codesInNameOrder().size(), std::size_t(kPatients)) << "the damage hides no patient";
    }

    std::map<FileId, QStringList> found = checkInTheBackground({ FileId::CONSULTAS, FileId::PACIENTES });
    ASSERT_EQ(found.size(), 2u);
    EXPECT_THAT(found[FileId::CONSULTAS], IsEmpty());
    EXPECT_THAT(found[FileId::PACIENTES], Not(IsEmpty()));

    AccessObject& patients = access(FileId::PACIENTES);
    ASSERT_EQ(patients.open(), AccessResult::Ok);
    acknowledge();
    const AccessResult checked = patients.checkWhole();
    ASSERT_THAT(shownNumbers(), ElementsAre(c.message));
    if (c.message == 26) {
        EXPECT_EQ(checked, AccessResult::Fatal);
        EXPECT_EQ(ends, 1);
        return;
    }
    EXPECT_EQ(checked, AccessResult::Ok);
    EXPECT_EQ(ends, 0);
    const std::vector<std::int32_t> codes = codesInNameOrder();
    EXPECT_EQ(codes.size(), std::size_t(kPatients));
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));
    EXPECT_THAT(checkInTheBackground({ FileId::PACIENTES })[FileId::PACIENTES], IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Faults, FileChecksTest,
    testing::Values(FaultCase { "KeyEntry", Fault::KeyEntry, 30 },
        FaultCase { "KeyPageCount", Fault::KeyPageCount, 30 },
        FaultCase { "RecordPage", Fault::RecordPage, 26 }),
    [](const testing::TestParamInfo<FaultCase>& param) { return param.param.name; });

// The files the open windows use come first: one opened while the checks wait is checked next.
TEST(FileChecksOrderTest, AFileInUseIsCheckedBeforeTheOthers)
{
    nidora::test::ScratchDirectory scratch;
    for (FileId file : { FileId::PACIENTES, FileId::MOTIVOS, FileId::CONSULTAS, FileId::MEDICOS })
        ASSERT_TRUE(DataFile::createEmpty(fileDesc(file)).ok());
    std::vector<FileId> order;
    {
        BackgroundFileChecks checks(
            { FileId::PACIENTES, FileId::MOTIVOS, FileId::CONSULTAS, FileId::MEDICOS });
        BackgroundFileChecks::noteFileInUse(FileId::MEDICOS);
        checks.start();
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!checks.done() && std::chrono::steady_clock::now() < until) {
            for (const auto& finding : checks.takeFindings())
                order.push_back(finding.file);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    EXPECT_EQ(order,
        (std::vector<FileId> { FileId::MEDICOS, FileId::PACIENTES, FileId::MOTIVOS, FileId::CONSULTAS }));
}

} // namespace
} // namespace nidora::data::test
