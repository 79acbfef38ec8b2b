#pragma once

#include "core/ErrorManager.h"
#include "data/AccessBuffer.h"
#include "data/ClinicalRecords.h"
#include "data/DataFile.h"
#include "data/Dictionary.h"
#include "data/PatientRecords.h"
#include "data/ReferenceRecords.h"
#include "support/ScratchDirectory.h"
#include "support/ScriptedPresenter.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

// A scratch working directory, an error manager whose messages go to a script and whose
// "end the program" only counts, one thread's Dictionary, and direct handles on the disk
// files to lay out fixtures and to look at what the access objects wrote.
namespace nidora::data::test {

class AccessTest : public testing::Test {
protected:
    AccessTest()
    {
        errors.setPresenter(&presenter);
        errors.setEndProgram([this] { ++ends; });
        // The one file that is never created when missing; a practice always has it.
        EXPECT_TRUE(DataFile::createEmpty(fileDesc(FileId::TABENFERMED)).ok());
    }

    // The disk file itself, opened once per test beside the Dictionary's own connections.
    DataFile& disk(FileId file)
    {
        auto& opened = disks_[file];
        if (!opened) {
            OpenOptions options;
            options.password = QByteArray(AccessObject::kOwnerPassword);
            auto result = DataFile::open(fileDesc(file), OpenMode::ReadWrite, options);
            EXPECT_TRUE(result.outcome.ok()) << qPrintable(result.outcome.text);
            opened = std::move(result.file);
        }
        return *opened;
    }

    template <class R> RecordRef store(const R& record)
    {
        RecordRef ref;
        const Outcome added = disk(R::fileId).add(record, &ref);
        EXPECT_TRUE(added.ok()) << qPrintable(added.text);
        return ref;
    }

    // Every record of the file, in record order.
    template <class R> std::vector<R> all()
    {
        std::vector<R> records;
        disk(R::fileId).page(nullptr, {}, Direction::Forward, 1'000'000,
            [&](const RecordRef&, const Record& r) { records.push_back(static_cast<const R&>(r)); });
        return records;
    }

    template <class R> std::size_t count() { return all<R>().size(); }

    // Scripts the OK of the next `notices` notices.
    void acknowledge(int notices = 1)
    {
        for (int k = 0; k < notices; ++k)
            presenter.answer(core::Answer::Ok);
    }

    std::vector<int> shownNumbers() const
    {
        std::vector<int> numbers;
        for (const auto& request : presenter.shown())
            numbers.push_back(request.number);
        return numbers;
    }

    const core::MessageRequest& lastShown() const { return presenter.shown().back(); }

    AccessObject& access(FileId file) { return data.access(file); }
    const KeyDesc& key(FileId file, const char* name) { return data.access(file).key(name); }

    nidora::test::ScratchDirectory scratch;
    nidora::test::ScriptedPresenter presenter;
    core::ErrorManager errors;
    int ends = 0;
    Dictionary data { errors };

private:
    std::map<FileId, std::unique_ptr<DataFile>> disks_;
};

inline PACIENTES patient(
    std::int32_t code, const char* name = "", const char* provider = "", const char* mother = "")
{
    PACIENTES p;
    p.CODIGO = code;
    p.NOMBRE = QString::fromUtf8(name);
    p.OBRASOCIAL = QString::fromUtf8(provider);
    p.MADRE = QString::fromUtf8(mother);
    return p;
}

inline CONSULTAS consultation(std::int32_t code, std::int32_t patientCode, const char* reason = "CONTROL")
{
    CONSULTAS c;
    c.CODIGO = code;
    c.PACIENTE = patientCode;
    c.FECHA = 80000 + code;
    c.MOTIVO = QString::fromUtf8(reason);
    return c;
}

} // namespace nidora::data::test
