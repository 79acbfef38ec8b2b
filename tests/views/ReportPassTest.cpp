#include "views/ReportPass.h"

#include "data/AccessTestFixture.h"

#include <gmock/gmock.h>

namespace nidora::views {
namespace {

using data::CONSULTAS;
using data::FileId;
using testing::ElementsAre;

// A layout of three consultations a page that notes what it printed.
class NotingBands : public ReportBands {
public:
    void detail(const data::Record& record) override
    {
        if (printed.size() % 3 == 0)
            ++pages;
        printed.push_back(static_cast<const CONSULTAS&>(record).CODIGO);
    }
    int pageCount() const override { return pages; }
    std::vector<ReportPage> closePages() override { return std::vector<ReportPage>(std::size_t(pages)); }

    std::vector<std::int32_t> printed;
    int pages = 0;
};

class PreviewSink : public ReportPreviewer {
public:
    Response preview(std::vector<ReportPage> pages) override
    {
        previewed.push_back(int(pages.size()));
        return Completed;
    }
    std::vector<int> previewed;
};

class ReportPassTest : public data::test::AccessTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(access(FileId::CONSULTAS).open(), data::AccessResult::Ok);
        ASSERT_TRUE(disk(FileId::CONSULTAS).beginBuffered().ok());
        // Patient 2 has consultations 1 to 120, dated backwards; patients 1 and 3 one each.
        store(data::test::consultation(500, 1));
        for (std::int32_t code = 1; code <= 120; ++code) {
            CONSULTAS c = data::test::consultation(code, 2);
            c.FECHA = 90000 - code;
            store(c);
        }
        store(data::test::consultation(501, 3));
        ASSERT_TRUE(disk(FileId::CONSULTAS).flush().ok());
    }

    ReportPass pass(std::int64_t patientCode, RecordFilter filter = {})
    {
        return ReportPass(access(FileId::CONSULTAS),
            { &key(FileId::CONSULTAS, "CON:KPACIENTE"), LocatorKind::None, {},
                [patientCode] { return std::vector<data::FieldValue> { patientCode }; } },
            std::move(filter), bands);
    }

    NotingBands bands;
    PreviewSink previewer;
};

TEST_F(ReportPassTest, PrintsTheRangeInKeyOrderInStepsAndHandsThePagesOver)
{
    ReportPass report = pass(2, [](const data::Record& r) { return static_cast<const CONSULTAS&>(r).CODIGO > 110; });
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
