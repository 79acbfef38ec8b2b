#pragma once

#include <cstdint>

// What a caller asks of a called window on its thread (CallRequest) and what the window
// answers (CallResponse).
namespace nidora::views {

enum Request : std::uint8_t {
    NoRequest = 0,
    InsertRecord = 1,
    ChangeRecord = 2,
    DeleteRecord = 3,
    SelectRecord = 4,
    ViewRecord = 6,
};

enum Response : std::uint8_t {
    Completed = 1,
    Cancelled = 2,
};

} // namespace nidora::views
