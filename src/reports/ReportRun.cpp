#include "reports/ReportRun.h"

#include "reports/ScreenPreviewer.h"

#include "core/TextClip.h"
#include "framework/ThreadContext.h"
#include "views/ProgramGlobals.h"

namespace nidora::reports {

void runLayout(const ReportRun& run, ReportLayout& layout)
{
    data::Dictionary& data = views::threadDictionary();
    data::RelationObject& file = data.relation(run.file);
    const auto previewer = screenPreviewer();
    views::SortOrder order;
    order.key = &file.access().key(run.key);
    order.range = run.range;
    const views::Report report { .procedure = QString::fromLatin1(run.procedure),
        .file = file,
        .order = std::move(order),
        .filter = run.filter,
        .bands = layout,
        .previewer = *previewer,
        .caption = run.caption,
        .preview = run.preview };
    std::vector<data::FileId> opened;
    for (data::FileId join : run.joins) {
        if (data.relation(join).open() != data::AccessResult::Ok)
            break;
        opened.push_back(join);
    }
    if (opened.size() == run.joins.size())
        views::runReport(report);
    else
        framework::currentThread().CallResponse = Cancelled;
    for (data::FileId join : opened)
        data.relation(join).close();
}

views::KeyRange selectedPatient()
{
    return [] { return std::vector<data::FieldValue> { std::int64_t(views::AppGlobals.SELECTPACIENTE) }; };
}

views::KeyRange selectedText(const QString& value)
{
    return [&value] { return std::vector<data::FieldValue> { clipped(value) }; };
}

const data::PACIENTES& patientOf(std::int32_t code)
{
    return joined<data::PACIENTES>("PAC:KCODIGO", [code](data::PACIENTES& patient) {
        patient.CODIGO = code;
        return true;
    });
}

bool withinDates(std::int32_t date)
{
    return date >= views::AppGlobals.DF && date <= views::AppGlobals.HF;
}

} // namespace nidora::reports
