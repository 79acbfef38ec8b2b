#pragma once

#include "views/ProgramPreviewer.h"
#include "views/ReportPass.h"

#include "data/AccessTestFixture.h"

#include <functional>
#include <vector>

namespace nidora::views::test {

// A layout of three consultations a page that notes what it printed.
class NotingBands : public ReportBands {
public:
    void detail(const data::Record& record) override
    {
        if (printed.size() % 3 == 0)
            ++pages;
        printed.push_back(static_cast<const data::CONSULTAS&>(record).CODIGO);
    }
    int pageCount() const override { return pages; }
    std::vector<ReportPage> closePages() override { return std::vector<ReportPage>(std::size_t(pages)); }

    std::vector<std::int32_t> printed;
    int pages = 0;
};

// Stands in for the previewer: keeps what it was handed and answers Completed.
class PreviewSink : public ReportPreviewer {
public:
    Response preview(std::vector<ReportPage> pages, const PreviewOptions& options) override
    {
        previewed.push_back(int(pages.size()));
        zooms.push_back(options.zoom);
        for (ReportPage& page : pages)
            handed.push_back(std::move(page));
        if (onPreview)
            onPreview();
        return Completed;
    }
    std::vector<int> previewed;
    std::vector<QString> zooms;
    // Every page handed over, in order.
    std::vector<ReportPage> handed;
    // Looks at the screen while the preview would be shown.
    std::function<void()> onPreview;
};

// Makes a previewer the program's previewer (ProgramPreviewer.h) while it lives.
class ProgramPreviewerOverride {
public:
    explicit ProgramPreviewerOverride(ReportPreviewer& target)
    {
        setProgramPreviewer([&target] { return std::make_unique<Forwarding>(target); });
    }
    ~ProgramPreviewerOverride() { setProgramPreviewer({}); }
    ProgramPreviewerOverride(const ProgramPreviewerOverride&) = delete;
    ProgramPreviewerOverride& operator=(const ProgramPreviewerOverride&) = delete;

private:
    struct Forwarding final : ReportPreviewer {
        explicit Forwarding(ReportPreviewer& to)
            : target(to)
        {
        }
        Response preview(std::vector<ReportPage> pages, const PreviewOptions& options) override
        {
            return target.preview(std::move(pages), options);
        }
        ReportPreviewer& target;
    };
};

// Patient 2 has consultations 1 to 120, dated backwards (so in key order they come from 120
// down to 1); patients 1 and 3 one each.
inline void storeConsultations(data::DataFile& file)
{
    ASSERT_TRUE(file.beginBuffered().ok());
    const auto add = [&](const data::CONSULTAS& c) { ASSERT_TRUE(file.add(c).ok()); };
    add(nidora::test::consultation(500, 1));
    for (std::int32_t code = 1; code <= 120; ++code) {
        data::CONSULTAS c = nidora::test::consultation(code, 2);
        c.FECHA = 90000 - code;
        add(c);
    }
    add(nidora::test::consultation(501, 3));
    ASSERT_TRUE(file.flush().ok());
}

// The consultations of one patient by CON:KPACIENTE.
inline SortOrder consultationsOf(const data::KeyDesc& byPatient, std::int64_t patientCode)
{
    return { &byPatient, LocatorKind::None, {},
        [patientCode] { return std::vector<data::FieldValue> { patientCode }; } };
}

} // namespace nidora::views::test
