#pragma once

#include "data/Schema.h"

#include <QString>

// What a data-file operation came to. The access objects turn each status into their
// numbered messages, so every outcome they tell apart is a status of its own.
namespace nidora::data {

enum class Status {
    Ok,
    NotFound, // no such record (or position past the end); on open: the file is missing
    AccessDenied, // open: the file cannot be written (permissions); opening read-only may work
    Locked, // another connection or process held a lock past the bounded wait
    Damaged, // not a data file, truncated, damaged pages, or a records table not as described
    KeysDamaged, // the records are sound but a key's index is missing or wrong: rebuildKeys
    Duplicate, // the record would duplicate the unique key `key`
    Changed, // change: another connection changed the record since it was read
    ReadOnly, // a write on a file opened read-only
    Error, // anything else; code and text say what
};

struct Outcome {
    Status status = Status::Ok;
    const KeyDesc* key = nullptr; // Duplicate: the key, whose description the message names
    int code = 0; // SQLite's (extended) result code, when it failed
    QString text; // SQLite's or our own explanation

    bool ok() const { return status == Status::Ok; }
    // The storage found the file damaged: its pages, its records or its keys.
    bool damaged() const { return status == Status::Damaged || status == Status::KeysDamaged; }
    // The form messages show: "the text (code)".
    QString errorText() const { return QStringLiteral("%1 (%2)").arg(text).arg(code); }
};

} // namespace nidora::data
