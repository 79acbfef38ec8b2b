#include "views/ReportPass.h"

#include "core/ErrorManager.h"

#include <algorithm>

namespace nidora::views {

ReportPass::ReportPass(data::AccessObject& access, SortOrder order, RecordFilter filter, ReportBands& bands)
    : access_(access)
    , order_(std::move(order))
    , filter_(std::move(filter))
    , bands_(bands)
    , position_ { rangeValues(order_), 0 }
{
    if (data::DataFile* file = access_.file())
        file->count(total_);
}

bool ReportPass::step()
{
    if (done_ || cancelled_)
        return false;
    // The filter is applied here rather than by the read, so that a step reads a bounded
    // number of records however few of them pass.
    std::vector<ViewRow> rows;
    const ViewRead result
        = readRows(access_, order_, {}, position_, data::Direction::Forward, kRecordsPerStep, rows);
    read_ += result.seen;
    for (const ViewRow& row : rows) {
        if (filter_ && !filter_(*row.record))
            continue;
        bands_.detail(*row.record);
        ++printed_;
    }
    if (!rows.empty())
        position_ = access_.file()->positionOf(*order_.key, *rows.back().record, rows.back().ref.id);
    failed_ = !result.ok;
    done_ = result.reachedEnd;
    return !done_;
}

int ReportPass::percent() const
{
    if (done_)
        return 100;
    if (total_ <= 0)
        return 0;
    // The range and filter are not counted ahead (that would read the file twice), so a
    // pass over part of the file may jump to the end.
    return int(std::min<std::int64_t>(read_ * 100 / total_, 99));
}

Response ReportPass::finish(ReportPreviewer& previewer, const PreviewOptions& options)
{
    if (cancelled_ || failed_)
        return Cancelled;
    if (printed_ == 0 || bands_.pageCount() == 0) {
        access_.errors().raise(core::message::NoRecords, { .file = access_.desc().label });
        return Cancelled;
    }
    return previewer.preview(bands_.closePages(), options);
}

} // namespace nidora::views
