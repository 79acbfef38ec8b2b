#include "views/RebuiltKeyLists.h"

#include "data/KeyRebuilds.h"
#include "views/ListPanel.h"

#include <algorithm>
#include <vector>

namespace nidora::views {
namespace {

// Every logical thread runs on the GUI thread: no lock is needed.
std::vector<ListPanel*>& panels()
{
    static std::vector<ListPanel*> all;
    return all;
}

} // namespace

RebuiltKeyLists::RebuiltKeyLists()
{
    data::setKeyRebuildNotice([](data::FileId file) { readAgain(file); });
}

RebuiltKeyLists::~RebuiltKeyLists()
{
    data::setKeyRebuildNotice({});
}

void RebuiltKeyLists::add(ListPanel& panel)
{
    panels().push_back(&panel);
}

void RebuiltKeyLists::remove(ListPanel& panel)
{
    std::erase(panels(), &panel);
}

void RebuiltKeyLists::readAgain(data::FileId file)
{
    for (ListPanel* panel : panels()) {
        if (panel->access().id() == file)
            panel->postReadAgain();
    }
}

} // namespace nidora::views
