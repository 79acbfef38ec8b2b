#include "ReportTestSupport.h"

#include <gmock/gmock.h>

namespace nidora::views {
namespace {

using data::CONSULTAS;
using data::FileId;
using testing::ElementsAre;

class ReportPassTest : public data::test::AccessTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(access(FileId::CONSULTAS).open(), data::AccessResult::Ok);
        test::storeConsultations(disk(FileId::CONSULTAS));
    }

    ReportPass pass(std::int64_t patientCode, RecordFilter filter = {})
    {
        return ReportPass(access(FileId::CONSULTAS),
            test::consultationsOf(key(FileId::CONSULTAS, "CON:KPACIENTE"), patientCode), std::move(filter),
            bands);
    }

    test::NotingBands bands;
    test::PreviewSink previewer;
};

TEST_F(ReportPassTest, PrintsTheRangeInKeyOrderInStepsAndHandsThePagesOver)
{
    ReportPass report
        = pass(2, [](const data::Record& r) { return static_cast<const CONSULTAS&>(r).CODIGO > 110; });
    std::vector<int> percents;
    while (report.step())
        percents.push_back(report.percent());
    EXPECT_GE(percents.size(), 2u);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_LT(percents.back(), 100);
    EXPECT_EQ(report.percent(), 100);
    EXPECT_THAT(bands.printed, ElementsAre(120, 119, 118, 117, 116, 115, 114, 113, 112, 111));
    EXPECT_EQ(report.finish(previewer), Completed);
    EXPECT_THAT(previewer.previewed, ElementsAre(4));
    EXPECT_TRUE(presenter.shown().empty());
}

TEST_F(ReportPassTest, NoRecordsShowsMessage25AndNoPreview)
{
    ReportPass report = pass(9);
    while (report.step()) { }
    acknowledge();
    EXPECT_EQ(report.finish(previewer), Cancelled);
    EXPECT_THAT(shownNumbers(), ElementsAre(25));
    EXPECT_EQ(lastShown().title, "No Records");
    EXPECT_TRUE(previewer.previewed.empty());
}

TEST_F(ReportPassTest, ACancelledPassPreviewsNothing)
{
    ReportPass report = pass(2);
    EXPECT_TRUE(report.step());
    report.cancel();
    EXPECT_FALSE(report.step());
    EXPECT_EQ(bands.printed.size(), std::size_t(ReportPass::kRecordsPerStep));
    EXPECT_EQ(report.finish(previewer), Cancelled);
    EXPECT_TRUE(previewer.previewed.empty());
    EXPECT_TRUE(presenter.shown().empty());
}

} // namespace
} // namespace nidora::views
