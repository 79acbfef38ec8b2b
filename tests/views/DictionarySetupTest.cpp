#include "views/DictionarySetup.h"

#include "core/ErrorManager.h"
#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "framework/Await.h"
#include "framework/Scheduler.h"
#include "support/RunUntil.h"
#include "support/ScratchDirectory.h"
#include "support/ScriptedPresenter.h"

#include <QDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <vector>

namespace nidora::views::test {

namespace {

using framework::ThreadContext;
using namespace data;

// Every thread of the test works on its own Dictionary, set up and shut down by the scheduler
// as the program has it: the main thread by hand, every other one around its procedure.
class DictionarySetupTest : public testing::Test {
protected:
    DictionarySetupTest()
    {
        errors.setPresenter(&presenter);
        errors.setEndProgram([this] { ++ends; });
        EXPECT_TRUE(DataFile::createEmpty(fileDesc(FileId::TABENFERMED)).ok());
        scheduler.setThreadStartHook([this](ThreadContext& thread) { DictionarySetup(thread, errors); });
        scheduler.setThreadEndHook(DictionaryShutdown);
    }

    // Starts the procedures on threads of their own and spins the main loop until all ended.
    bool runThreads(const std::vector<framework::ThreadProcedure>& procedures)
    {
        std::vector<int> numbers;
        for (const framework::ThreadProcedure& procedure : procedures)
            numbers.push_back(framework::StartOnNewThread(procedure, 25'000));
        return nidora::test::runUntil([&] {
            for (int number : numbers) {
                if (scheduler.find(number))
                    return false;
            }
            return true;
        });
    }

    static void storePatient(std::int32_t code, const char* name)
    {
        auto opened = DataFile::open(fileDesc(FileId::PACIENTES));
        ASSERT_TRUE(opened.outcome.ok());
        PACIENTES p;
        p.CODIGO = code;
        p.NOMBRE = QString::fromUtf8(name);
        ASSERT_TRUE(opened.file->add(p).ok());
    }

    ThreadContext& mainThread() { return scheduler.currentContext(); }

    nidora::test::ScratchDirectory scratch;
    nidora::test::ScriptedPresenter presenter;
    core::ErrorManager errors;
    int ends = 0;
    // Last, so that it goes first: its end shuts the main thread's data down.
    framework::Scheduler scheduler;
};

// How many handles the process holds on a disk file of the working directory: each thread
// that has a file open holds one of its own.
int handlesOn(FileId file)
{
    const std::filesystem::path target
        = std::filesystem::weakly_canonical(fileDesc(file).fileName().toStdString());
    int handles = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code failed;
        if (std::filesystem::read_symlink(entry.path(), failed) == target)
            ++handles;
    }
    return handles;
}

// Waits on one thread for another to reach a point.
class Milestone {
public:
    void reach()
    {
        reached_ = true;
        for (ThreadContext* waiter : waiters_)
            framework::wake(*waiter);
    }
    void await()
    {
        waiters_.push_back(&framework::currentThread());
        framework::awaitUntil([this] { return reached_; });
    }

private:
    bool reached_ = false;
    std::vector<ThreadContext*> waiters_;
};

TEST_F(DictionarySetupTest, SetUpMakesEveryFilesObjectsAndOpensNothing)
{
    DictionarySetup(mainThread(), errors);
    Dictionary& data = threadDictionary();
    for (std::size_t k = 0; k < FileCount; ++k) {
        const FileId file = FileId(k);
        SCOPED_TRACE(qPrintable(fileDesc(file).label));
        EXPECT_EQ(data.access(file).id(), file);
        EXPECT_EQ(&data.relation(file).access(), &data.access(file));
        EXPECT_EQ(&data.access(file).errors(), &errors);
        EXPECT_FALSE(data.access(file).isOpen());
    }
    EXPECT_EQ(QDir().entryList({ QStringLiteral("*.QVM") }), QStringList { QStringLiteral("TABENFER.QVM") })
        << "no file was created or opened";
}

TEST_F(DictionarySetupTest, ASecondSetUpKeepsTheThreadsDataAndWhatItHasOpen)
{
    DictionarySetup(mainThread(), errors);
    Dictionary& first = threadDictionary();
    ASSERT_EQ(first.access(FileId::PACIENTES).open(), AccessResult::Ok);
    DictionarySetup(mainThread(), errors);
    EXPECT_EQ(&threadDictionary(), &first);
    EXPECT_TRUE(first.access(FileId::PACIENTES).isOpen());
    EXPECT_EQ(handlesOn(FileId::PACIENTES), 1);
}

TEST_F(DictionarySetupTest, ShutDownTakesTheDataAwayAndIsHarmlessWhenThereIsNone)
{
    DictionaryShutdown(mainThread()); // never set up
    EXPECT_EQ(findThreadDictionary(mainThread()), nullptr);
    EXPECT_THROW(threadDictionary(), std::logic_error);

    DictionarySetup(mainThread(), errors);
    ASSERT_EQ(threadDictionary().relation(FileId::CONSULTAS).open(), AccessResult::Ok);
    DictionaryShutdown(mainThread());
    EXPECT_EQ(findThreadDictionary(mainThread()), nullptr);
    EXPECT_EQ(handlesOn(FileId::CONSULTAS), 0);
    EXPECT_EQ(handlesOn(FileId::PACIENTES), 0) << "the related files went too";
    DictionaryShutdown(mainThread());
    EXPECT_EQ(findThreadDictionary(mainThread()), nullptr);

    DictionarySetup(mainThread(), errors);
    EXPECT_FALSE(threadDictionary().access(FileId::CONSULTAS).isOpen()) << "a fresh set-up starts closed";
    EXPECT_TRUE(presenter.shown().empty());
}

// A record one thread reads stays in that thread's buffer, unseen by the other thread, whose
// buffers start blank; each thread primes with its own objects, and the two get different codes.
TEST_F(DictionarySetupTest, TwoThreadsEachWorkOnTheirOwnBuffers)
{
    storePatient(5, "ANA");
    DictionarySetup(mainThread(), errors);
    struct Seen {
        Dictionary* data = nullptr;
        QString name; // in the PACIENTES buffer while the other thread holds patient 5 in its own
        std::int32_t primedCode = 0;
    } reader, other;
    Milestone otherPrimed;
    const auto prime = [](Seen& seen) {
        ASSERT_EQ(threadDictionary().access(FileId::PACIENTES).prime(), AccessResult::Ok);
        seen.primedCode = threadDictionary().buffer<PACIENTES>().CODIGO;
    };

    ASSERT_TRUE(runThreads({
        [&] {
            Dictionary& data = threadDictionary();
            reader.data = &data;
            AccessObject& patients = data.access(FileId::PACIENTES);
            ASSERT_EQ(patients.open(), AccessResult::Ok);
            data.buffer<PACIENTES>().CODIGO = 5;
            ASSERT_EQ(patients.fetch(patients.key("PAC:KCODIGO")), AccessResult::Ok);
            otherPrimed.await();
            reader.name = data.buffer<PACIENTES>().NOMBRE.trimmed();
            prime(reader);
        },
        [&] {
            Dictionary& data = threadDictionary();
            other.data = &data;
            ASSERT_EQ(data.access(FileId::PACIENTES).open(), AccessResult::Ok);
            other.name = data.buffer<PACIENTES>().NOMBRE.trimmed();
            prime(other);
            otherPrimed.reach();
        },
    }));

    EXPECT_NE(reader.data, other.data);
    EXPECT_NE(reader.data, &threadDictionary());
    EXPECT_EQ(other.name, QString()) << "the reader's record showed in another thread's buffer";
    EXPECT_EQ(reader.name, QStringLiteral("ANA")) << "the other thread's priming changed the reader's buffer";
    EXPECT_EQ(other.primedCode, 6);
    EXPECT_EQ(reader.primedCode, 7);
    EXPECT_EQ(threadDictionary().buffer<PACIENTES>().CODIGO, 0) << "the main thread's buffer was touched";
}

// A window that fails leaves its files open: the thread's end closes them, however many of its
// windows had them open, and ends a fill it left unfinished, releasing its lock. Another thread's
// open file stays open and usable.
TEST_F(DictionarySetupTest, AThreadEndingWithFilesOpenHasThemClosed)
{
    storePatient(5, "ANA");
    DictionarySetup(mainThread(), errors);
    AccessObject& mainPatients = threadDictionary().access(FileId::PACIENTES);
    ASSERT_EQ(mainPatients.open(), AccessResult::Ok);
    int handlesWhileOpen = 0;

    ASSERT_TRUE(runThreads({ [&] {
        Dictionary& data = threadDictionary();
        ASSERT_EQ(data.relation(FileId::PACIENTES).open(), AccessResult::Ok);
        ASSERT_EQ(data.access(FileId::PACIENTES).open(), AccessResult::Ok); // a second window
        ASSERT_TRUE(data.access(FileId::CONSULTAS).file()->beginBuffered().ok());
        ASSERT_EQ(data.access(FileId::CONSULTAS).prime(), AccessResult::Ok);
        handlesWhileOpen = handlesOn(FileId::PACIENTES);
        throw std::runtime_error("the window failed");
    } }));

    EXPECT_EQ(handlesWhileOpen, 2);
    EXPECT_EQ(handlesOn(FileId::PACIENTES), 1);
    EXPECT_EQ(handlesOn(FileId::CONSULTAS), 0);
    EXPECT_EQ(handlesOn(FileId::MADRES), 0);
    EXPECT_EQ(mainPatients.users(), 1);
    threadDictionary().buffer<PACIENTES>().CODIGO = 5;
    EXPECT_EQ(mainPatients.fetch(mainPatients.key("PAC:KCODIGO")), AccessResult::Ok);

    AccessObject& consultations = threadDictionary().access(FileId::CONSULTAS);
    ASSERT_EQ(consultations.open(), AccessResult::Ok);
    EXPECT_EQ(consultations.prime(), AccessResult::Ok) << "the failed thread's fill holds no lock";
    EXPECT_EQ(threadDictionary().buffer<CONSULTAS>().CODIGO, 2) << "closing wrote the fill, as a flush would";
    EXPECT_TRUE(presenter.shown().empty());
}

} // namespace
} // namespace nidora::views::test
