#include "views/ProcedureFiles.h"

namespace nidora::views {

ProcedureFiles::ProcedureFiles(data::Dictionary& data, data::FileId primary)
    : data_(data)
    , files_ { primary }
{
}

bool ProcedureFiles::open()
{
    for (std::size_t k = 0; k < files_.size(); ++k) {
        if (data_.relation(files_[k]).open() != data::AccessResult::Ok) {
            while (k > 0)
                data_.relation(files_[--k]).close();
            return false;
        }
    }
    return true;
}

void ProcedureFiles::close()
{
    for (auto file = files_.rbegin(); file != files_.rend(); ++file)
        data_.relation(*file).close();
}

} // namespace nidora::views
