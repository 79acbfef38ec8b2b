#pragma once

#include "data/AccessObject.h"
#include "data/Catalogue.h"
#include "data/DataFile.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

// The data files on disk, opened beside whatever the program holds open, to lay fixtures out
// and to see what the program wrote. Each file is opened once, on first use, with the owner
// password, so the enciphered users file reads as any other.
namespace nidora::test {

class DiskFiles {
public:
    data::DataFile& operator()(data::FileId file)
    {
        auto& opened = files_[file];
        if (!opened) {
            data::OpenOptions options;
            options.password = QByteArray(data::AccessObject::kOwnerPassword);
            auto result = data::DataFile::open(data::fileDesc(file), data::OpenMode::ReadWrite, options);
            EXPECT_TRUE(result.outcome.ok()) << qPrintable(result.outcome.text);
            opened = std::move(result.file);
        }
        return *opened;
    }

    template <class R> data::RecordRef store(const R& record)
    {
        data::RecordRef ref;
        const data::Outcome added = (*this)(R::fileId).add(record, &ref);
        EXPECT_TRUE(added.ok()) << qPrintable(added.text);
        return ref;
    }

    // Every record of the file, in record order.
    template <class R> std::vector<R> all()
    {
        std::vector<R> records;
        (*this)(R::fileId).page(nullptr, {}, data::Direction::Forward, 1'000'000,
            [&](const data::RecordRef&, const data::Record& r) {
                records.push_back(static_cast<const R&>(r));
            });
        return records;
    }

    // The version of the record with this identity: it moves on with every write of it.
    template <class R> std::int64_t version(std::int64_t id)
    {
        R record;
        data::RecordRef ref;
        EXPECT_TRUE((*this)(R::fileId).read(id, record, &ref).ok());
        return ref.version;
    }

private:
    std::map<data::FileId, std::unique_ptr<data::DataFile>> files_;
};

} // namespace nidora::test
