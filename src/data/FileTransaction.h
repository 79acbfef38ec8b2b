#pragma once

#include "data/StorageOutcome.h"

#include <chrono>
#include <vector>

// One transaction over several open data files, atomic even across a crash: the first
// file's connection hosts it and the others are attached to that connection for its
// duration, so SQLite commits them together through one super-journal. While it is
// active, every read and write of the files goes through the transaction.
//
//   FileTransaction transaction({&pacientes, &consultas, &analisis});
//   if (!transaction.begin(std::chrono::seconds(2)).ok()) ... // Locked: another holds a file
//   ... pacientes.change(...), consultas.remove(...) ...
//   transaction.commit();                                    // or rollback()
//
// The files must stay open while the transaction lives; destroying an active transaction
// rolls it back.
namespace nidora::data {

class DataFile;

class FileTransaction {
public:
    // SQLite attaches at most ten databases to one connection; the host plus nine others.
    static constexpr int kMaxFiles = 10;

    explicit FileTransaction(std::vector<DataFile*> files);
    ~FileTransaction();
    FileTransaction(const FileTransaction&) = delete;
    FileTransaction& operator=(const FileTransaction&) = delete;

    // Takes the write locks of every file, waiting at most `wait` for locks that others
    // hold (Locked when that runs out).
    Outcome begin(std::chrono::milliseconds wait);
    Outcome commit();
    Outcome rollback();
    bool active() const { return active_; }

private:
    Outcome refuse() const;
    Outcome attach();
    void detach();

    std::vector<DataFile*> files_;
    bool active_ = false;
};

} // namespace nidora::data
