#include "reports/ReportRun.h"

#include "reports/ScreenPreviewer.h"

#include "framework/ThreadContext.h"
#include "views/ProgramGlobals.h"

namespace nidora::reports {

void runLayout(const ReportRun& run, ReportLayout& layout)
{
    data::Dictionary& data = views::threadDictionary();
    data::RelationObject& file = data.relation(run.file);
    const auto previewer = screenPreviewer();
    const views::Report report { .procedure = QString::fromLatin1(run.procedure),
        .file = file,
        .order = { &file.access().key(run.key), views::LocatorKind::None, {}, run.range },
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

} // namespace nidora::reports
