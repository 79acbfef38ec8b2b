// Partial indexes serve a query only when it repeats their condition: every keyed read and
// write must seek an index, never scan the records or sort them.
#include "SampleFile.h"
#include "data/Catalogue.h"
#include "data/ClinicalRecords.h"
#include "data/DataFile.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

using namespace nidora::data;

namespace {

// Runs every kind of keyed operation on every key of the file.
void exercise(DataFile& file, const Record& record)
{
    const FileDesc& desc = file.desc();
    auto buffer = desc.makeRecord();
    RecordRef ref;
    ASSERT_TRUE(file.add(record, &ref).ok());
    file.add(record); // a duplicate on files with a unique key: probes for the key refused
    for (const KeyDesc& key : desc.keys) {
        const Position at = file.positionOf(key, record, ref.id);
        file.fetch(key, at.values, *buffer);
        for (Direction direction : { Direction::Forward, Direction::Backward }) {
            file.page(&key, at, direction, 50, [](const RecordRef&, const Record&) {});
            file.page(&key, Position { at.values, 0 }, direction, 50, [](const RecordRef&, const Record&) {});
            file.page(&key, Position { { at.values.front() }, 0 }, direction, 50,
                [](const RecordRef&, const Record&) {});
            file.page(&key, {}, direction, 50, [](const RecordRef&, const Record&) {});
        }
        std::int64_t highest = 0;
        file.highest(key, highest);
    }
    file.read(ref.id, *buffer);
    file.change(ref, record);
    file.remove(ref.id);
}

void expectIndexedPlans(DataFile& file)
{
    const QStringList plans = file.queryPlans();
    EXPECT_GT(plans.size(), 10);
    for (const QString& plan : plans) {
        const QString steps = plan.section(QStringLiteral(" => "), 1);
        // "SCAN records USING INDEX k" walks the key from one end and stops after the page;
        // a SCAN without an index reads every record.
        EXPECT_FALSE(steps.contains(QRegularExpression(QStringLiteral("SCAN [^ ;]+(;|$)"))))
            << plan.toStdString();
        EXPECT_FALSE(steps.contains(QLatin1String("TEMP B-TREE"))) << plan.toStdString();
    }
}

TEST(QueryPlanTest, KeyedQueriesOfTheSampleFileSeekTheirIndex)
{
    nidora::test::ScratchDirectory directory;
    auto opened = DataFile::open(nidora::test::sampleFile());
    ASSERT_TRUE(opened.outcome.ok());
    exercise(*opened.file, nidora::test::sample(5, "Ana", "B"));
    expectIndexedPlans(*opened.file);
}

TEST(QueryPlanTest, KeyedQueriesOfConsultationsSeekTheirIndex)
{
    nidora::test::ScratchDirectory directory;
    auto opened = DataFile::open(fileDesc<CONSULTAS>());
    ASSERT_TRUE(opened.outcome.ok());
    CONSULTAS record;
    record.CODIGO = 3;
    record.PACIENTE = 9;
    record.FECHA = 80000;
    record.MOTIVO = QStringLiteral("CONTROL");
    record.MEDICO = 1;
    exercise(*opened.file, record);
    expectIndexedPlans(*opened.file);
}

} // namespace
