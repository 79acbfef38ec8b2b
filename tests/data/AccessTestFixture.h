#pragma once

#include "core/ErrorManager.h"
#include "data/AccessBuffer.h"
#include "data/ClinicalRecords.h"
#include "data/DataFile.h"
#include "data/Dictionary.h"
#include "data/PatientRecords.h"
#include "data/ReferenceRecords.h"
#include "support/DiskFiles.h"
#include "support/RecordMakers.h"
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
    DataFile& disk(FileId file) { return disks_(file); }
    template <class R> RecordRef store(const R& record) { return disks_.store(record); }
    template <class R> std::vector<R> all() { return disks_.all<R>(); }
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

    // "Paciente 001", "Paciente 002", ...: names in the order of the codes.
    static QString patientName(int code)
    {
        return QStringLiteral("Paciente %1").arg(code, 3, 10, QLatin1Char('0'));
    }
    // Patients 1 to count, each named by patientName, added in one transaction.
    void addNamedPatients(int count)
    {
        DataFile& file = disk(FileId::PACIENTES);
        ASSERT_TRUE(file.beginBuffered().ok());
        for (int code = 1; code <= count; ++code)
            ASSERT_TRUE(file.add(nidora::test::patient(code, qPrintable(patientName(code)))).ok());
        ASSERT_TRUE(file.flush().ok());
    }

    AccessObject& access(FileId file) { return data.access(file); }
    const KeyDesc& key(FileId file, const char* name) { return data.access(file).key(name); }

    nidora::test::ScratchDirectory scratch;
    nidora::test::ScriptedPresenter presenter;
    core::ErrorManager errors;
    int ends = 0;
    Dictionary data { errors };

private:
    nidora::test::DiskFiles disks_;
};

using nidora::test::consultation;
using nidora::test::patient;

} // namespace nidora::data::test
