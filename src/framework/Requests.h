#pragma once

#include <cstdint>

// What a caller asks of a called window on its thread (CallRequest) and what the window
// answers (CallResponse). Every window and every caller speaks these, so they stand in the
// program's own namespace.
namespace nidora {

enum Request : std::uint8_t {
    NoRequest = 0,
    InsertRecord = 1,
    ChangeRecord = 2,
    DeleteRecord = 3,
    SelectRecord = 4,
    ViewRecord = 6,
};

enum Response : std::uint8_t {
    Completed = 1, // a window that ends without setting a response answers Cancelled
    Cancelled = 2,
};

} // namespace nidora
