#include "reports/ReportRun.h"

#include "reports/Reports.h"

#include "framework/ThreadContext.h"
#include "views/ProgramGlobals.h"

namespace nidora::reports {

void runLayout(const ReportRun& run, ReportLayout& layout)
{
    data::Dictionary& data = views::threadDictionary();
    data::RelationObject& file = data.relation(run.file);
    const views::Report report { .procedure = QString::fromLatin1(run.procedure),
        .file = file,
        .order = { &file.access().key(run.key), views::LocatorKind::None, {}, run.range },
        .filter = run.filter,
        .bands = layout,
        .previewer = reportPreviewer(),
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

QString keyText(const QString& value)
{
    QString text = value;
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

bool withinDates(std::int32_t date)
{
    return date >= views::AppGlobals.DF && date <= views::AppGlobals.HF;
}

namespace {

PreviewerSource& installedPreviewer()
{
    static PreviewerSource source;
    return source;
}

} // namespace

void setReportPreviewer(PreviewerSource source)
{
    installedPreviewer() = std::move(source);
}

views::ReportPreviewer& reportPreviewer()
{
    // Until the previewer on the screen is part of the program, a report needs one installed.
    return installedPreviewer()();
}

} // namespace nidora::reports
