#pragma once

#include "data/Dictionary.h"

#include <vector>

// The data files a window procedure opens when it sets up and closes when it ends: its own
// file with the files related to it, through its relation object, and any other it reads.
namespace nidora::views {

class ProcedureFiles {
public:
    ProcedureFiles(data::Dictionary& data, data::FileId primary);

    data::FileId primary() const { return files_.front(); }
    void add(data::FileId file) { files_.push_back(file); }

    // Opens every file, or none: a file that cannot be opened closes those opened before it.
    bool open();
    void close();

private:
    data::Dictionary& data_;
    std::vector<data::FileId> files_;
};

} // namespace nidora::views
