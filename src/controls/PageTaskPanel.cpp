#include "controls/PageTaskPanel.h"

namespace nidora::controls {

PageTaskPanel::PageTaskPanel(
    std::vector<Header> headers, PanelMargins margins, std::function<void(int page)> showPage, IdSource ids)
    : TaskPanel(std::move(ids))
    , description_(std::move(headers))
    , margins_(margins)
    , showPage_(std::move(showPage))
{
}

void PageTaskPanel::Init(QWidget* control)
{
    if (isInited() || !control)
        return;
    if (headerIds_.empty()) {
        for (const Header& header : description_) {
            const qint32 id = AddHeader(header.title, QString(), 0, true, false, header.iconSize, false);
            headerIds_.push_back(id);
            if (header.boxed)
                SetHeaderBoxed(id, true);
            std::vector<qint32>& tasks = taskIds_.emplace_back();
            for (const Task& task : header.tasks)
                tasks.push_back(AddTask(task.title, task.icon, QString(), 0, false, false));
            SetHeaderAlwaysExpanded(id, false, true, false);
        }
    }
    // These windows differ from the panel's defaults only in the headers' background and in
    // the disabled tasks' colour.
    SetColors(PanelColours, 0xE6A07A, 0xE6A07A, 0xD67563, 0, 0, 0, false);
    SetColors(HeaderColours, 0xF9E7E0, 0xB24D07, 0xC75C22, 0xFFFFFF, 0xFF8E42, 0, false);
    SetColors(SecondHeaderColours, 0xF9E7E0, 0xFFFFFF, 0xF9D5C7, 0xC75C22, 0xFF8E42, 0, false);
    SetColors(TaskColours, 0xF9E7E0, 0, 0, 0xBC3139, 0, 0, false);
    SetFont(QStringLiteral("MS Sans Serif"));
    SetMargins(margins_.LEFT, margins_.TOP, margins_.RIGHT, false, margins_.BOTTOM, false);
    SetAppName(QStringLiteral("nidora.EXE"));
    SetWizardMode(true);
    TaskPanel::Init(control);
}

void PageTaskPanel::OnClick(qint32 headerId, qint32 taskId, bool, qint32 value)
{
    if (taskId == 0) {
        SetHeaderExpanded(headerId, value == 0, false);
        return;
    }
    if (const int page = pageOf(headerId, taskId); page >= 0 && showPage_)
        showPage_(page);
}

qint32 PageTaskPanel::headerId(std::size_t header) const
{
    return header < headerIds_.size() ? headerIds_[header] : 0;
}

qint32 PageTaskPanel::taskId(std::size_t header, std::size_t task) const
{
    if (header >= taskIds_.size() || task >= taskIds_[header].size())
        return 0;
    return taskIds_[header][task];
}

int PageTaskPanel::pageOf(qint32 headerId, qint32 taskId) const
{
    for (std::size_t h = 0; h < headerIds_.size(); ++h) {
        if (headerIds_[h] != headerId)
            continue;
        for (std::size_t t = 0; t < taskIds_[h].size(); ++t)
            if (taskIds_[h][t] == taskId)
                return description_[h].tasks[t].page;
    }
    return -1;
}

} // namespace nidora::controls
