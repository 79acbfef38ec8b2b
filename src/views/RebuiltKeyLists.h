#pragma once

#include "data/Catalogue.h"

// The lists that show rows of a file whose keys were just rebuilt read their rows again: they
// were read through the damaged keys, which may have hidden some or shown some twice. Each list
// is told on its own thread, through its window's events.
//
//   RebuiltKeyLists lists;         // the program holds one for its whole life
namespace nidora::views {

class ListPanel;

class RebuiltKeyLists {
public:
    // Puts in the data layer's notice of rebuilt keys.
    RebuiltKeyLists();
    ~RebuiltKeyLists();
    RebuiltKeyLists(const RebuiltKeyLists&) = delete;
    RebuiltKeyLists& operator=(const RebuiltKeyLists&) = delete;

    // Every list panel while it has a list.
    static void add(ListPanel& panel);
    static void remove(ListPanel& panel);
    // Posts each list over the file its event to read its rows again.
    static void readAgain(data::FileId file);
};

} // namespace nidora::views
