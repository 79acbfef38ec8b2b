#include "platform/RecordingChart.h"

#include <utility>

namespace nidora::platform {

void ChartRecord::answerPrint(PrintOutcome outcome)
{
    for (const Chart::PrintCompletion& done : std::exchange(printing, {}))
        done(outcome);
}

RecordingChart::RecordingChart(std::shared_ptr<ChartRecord> record)
    : record_(std::move(record))
{
}

void RecordingChart::noted(const char* call)
{
    record_->calls << QString::fromLatin1(call);
}

void RecordingChart::create(QWidget* parent, const chart::Frame& frame)
{
    CollectingChart::create(parent, frame);
    record_->parent = parent;
}

void RecordingChart::draw()
{
    noted("draw");
    record_->drawings.push_back(content());
}

bool RecordingChart::saveJpeg(const QString& file, QSize size, int quality)
{
    noted("saveJpeg");
    record_->saved.push_back({ file, size, quality });
    return record_->saveSucceeds;
}

void RecordingChart::print(QWidget*, PrintCompletion done)
{
    noted("print");
    record_->printing.push_back(std::move(done));
}

bool RecordingChart::copyToClipboard()
{
    noted("copyToClipboard");
    ++record_->copies;
    return true;
}

std::unique_ptr<Chart> RecordingChartMaker::make()
{
    auto record = std::make_shared<ChartRecord>();
    record->saveSucceeds = saveSucceeds_;
    records_.push_back(record);
    return std::make_unique<RecordingChart>(std::move(record));
}

} // namespace nidora::platform
