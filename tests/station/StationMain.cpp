// The other station of the tests. Every command works on the data files of the working
// directory it is started in, writes "ready" or "held" when the test may go on, and reads one
// line of its standard input wherever it waits for the test (end of input counts as a line,
// so a station never outlives its test). The exit code is 0 when the command did what it was
// told.
//
//   nidora_station hold PACIENTE.QVM       holds the file's exclusive lock until a line comes
//   nidora_station change-city 3 Salta     changes PAC:CIUDAD of patient 3
//   nidora_station change-study 5 Rx f r   changes ANA:ARCHIVO to f and ANA:RESULTADOS to r
//                                          of the study Rx of consultation 5
//   nidora_station delete-held 3           deletes patient 3 and his consultations inside a
//                                          transaction, says "held", commits after a line
//   nidora_station prime-patients 40       after a line, primes and inserts 40 patients a
//                                          few milliseconds apart, printing each code; exits
//                                          with the failures counted
//   nidora_station fill-chart 7            fills its own copy of GRAFICO with 7 points of
//                                          series 1 (y 1000, 1001, ...), says "filled N" of its
//                                          copy N, and after a line lets the copy go
//   nidora_station keep-open-change-city 3 Salta
//                                          reads patient 3, says "ready", and after a line
//                                          changes his PAC:CIUDAD on the same connection
//   nidora_station backup FOLDER           says "started", backs up into FOLDER, says "done"
//   nidora_station restore FOLDER [N]      says "started", restores from FOLDER; with N, says
//                                          "replaced N" after the Nth replacement and waits
//                                          for a line there
//   nidora_station start                   what the program does first at its start: finishes
//                                          or undoes a restore cut short
#include "core/ErrorManager.h"
#include "core/MessagePresenter.h"
#include "data/ClinicalRecords.h"
#include "data/DataFile.h"
#include "data/Dictionary.h"
#include "data/FileBackup.h"
#include "data/FileTransaction.h"
#include "data/PatientRecords.h"
#include "data/RestoreRecord.h"
#include "data/ScratchRecords.h"
#include "data/SqliteConnection.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <functional>
#include <iostream>
#include <string>
#include <thread>

namespace {

using namespace nidora;

void say(const char* what)
{
    std::cout << what << std::endl;
}

void waitForTheTest()
{
    std::string line;
    std::getline(std::cin, line);
}

std::unique_ptr<data::DataFile> openFile(data::FileId id)
{
    auto opened = data::DataFile::open(data::fileDesc(id));
    if (!opened.outcome.ok())
        std::cerr << qPrintable(opened.outcome.text) << std::endl;
    return std::move(opened.file);
}

int hold(const QString& fileName)
{
    data::sql::Connection connection(QDir::current().absoluteFilePath(fileName), false, false);
    if (!connection.isOpen() || !connection.exec("BEGIN EXCLUSIVE"))
        return 1;
    say("held");
    waitForTheTest();
    return connection.exec("COMMIT") ? 0 : 1;
}

// Reads the record of that key's values, edits it and writes it back, as another station's
// form would.
template <class R>
int changeRecord(
    const char* key, const std::vector<data::FieldValue>& values, const std::function<void(R&)>& edit)
{
    auto file = openFile(R::fileId);
    if (!file)
        return 1;
    R record;
    data::RecordRef ref;
    if (!file->fetch(*file->desc().key(QLatin1String(key)), values, record, &ref).ok())
        return 1;
    edit(record);
    return file->change(ref, record).ok() ? 0 : 1;
}

int changeCity(std::int32_t code, const QString& city)
{
    return changeRecord<data::PACIENTES>(
        "PAC:KCODIGO", { std::int64_t(code) }, [&](data::PACIENTES& patient) { patient.CIUDAD = city; });
}

int changeStudy(std::int32_t consultation, const QString& study, const QString& file, const QString& results)
{
    return changeRecord<data::ANALISIS>(
        "ANA:KCONSULTA", { std::int64_t(consultation), study }, [&](data::ANALISIS& ordered) {
            ordered.ARCHIVO = file;
            ordered.RESULTADOS = results;
        });
}

int deleteHeld(std::int32_t code)
{
    auto patients = openFile(data::FileId::PACIENTES);
    auto consultations = openFile(data::FileId::CONSULTAS);
    if (!patients || !consultations)
        return 1;
    data::FileTransaction transaction({ patients.get(), consultations.get() });
    if (!transaction.begin(std::chrono::seconds(10)).ok())
        return 1;
    data::PACIENTES patient;
    data::RecordRef ref;
    if (!patients
             ->fetch(
                 *patients->desc().key(QStringLiteral("PAC:KCODIGO")), { std::int64_t(code) }, patient, &ref)
             .ok()
        || !patients->remove(ref.id).ok())
        return 1;
    std::vector<std::int64_t> theirs;
    consultations->page(consultations->desc().key(QStringLiteral("CON:KPACIENTE")),
        { { std::int64_t(code) } }, data::Direction::Forward, 1000,
        [&](const data::RecordRef& row, const data::Record& record) {
            if (static_cast<const data::CONSULTAS&>(record).PACIENTE == code)
                theirs.push_back(row.id);
        });
    for (std::int64_t id : theirs) {
        if (!consultations->remove(id).ok())
            return 1;
    }
    say("held");
    waitForTheTest();
    return transaction.commit().ok() ? 0 : 1;
}

int keepOpenChangeCity(std::int32_t code, const QString& city)
{
    auto patients = openFile(data::FileId::PACIENTES);
    if (!patients)
        return 1;
    data::PACIENTES patient;
    data::RecordRef ref;
    const data::KeyDesc& byCode = *patients->desc().key(QStringLiteral("PAC:KCODIGO"));
    if (!patients->fetch(byCode, { std::int64_t(code) }, patient, &ref).ok())
        return 1;
    say("ready");
    waitForTheTest();
    if (!patients->fetch(byCode, { std::int64_t(code) }, patient, &ref).ok())
        return 1;
    patient.CIUDAD = city;
    const data::Outcome changed = patients->change(ref, patient);
    if (!changed.ok())
        std::cerr << qPrintable(changed.text) << std::endl;
    return changed.ok() ? 0 : 1;
}

int copy(data::FileBackup::Kind kind, const QString& folder, int pauseAfter)
{
    data::FileBackup::Options options;
    options.replaced = [pauseAfter](int done) {
        if (done != pauseAfter)
            return;
        std::cout << "replaced " << done << std::endl;
        waitForTheTest();
    };
    say("started");
    data::FileBackup run(kind, QDir::currentPath(), folder, options);
    while (!run.wait(std::chrono::seconds(1))) { }
    say("done");
    return run.result().complete() ? 0 : 1;
}

// Answers every question No and counts every message, as nobody sits at this station.
class Unattended final : public core::MessagePresenter {
public:
    core::Answer present(const core::MessageRequest& request) override
    {
        std::cerr << "message " << request.number << ": " << qPrintable(request.text) << std::endl;
        ++shown;
        return request.buttons == core::MessageButtons::Ok ? core::Answer::Ok : core::Answer::No;
    }
    int shown = 0;
};

int primePatients(int count)
{
    Unattended presenter;
    core::ErrorManager errors;
    errors.setPresenter(&presenter);
    errors.setEndProgram([] {});
    data::Dictionary dictionary { errors };
    data::AccessObject& patients = dictionary.access(data::FileId::PACIENTES);
    if (patients.open() != data::AccessResult::Ok)
        return 1;
    say("ready");
    waitForTheTest();
    int failures = 0;
    for (int k = 0; k < count; ++k) {
        // A moment between patients, as a receptionist takes: a station that writes with no
        // pause at all takes the lock again before the others look, and they wait in vain.
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (patients.prime() != data::AccessResult::Ok) {
            ++failures;
            continue;
        }
        auto& patient = dictionary.buffer<data::PACIENTES>();
        patient.NOMBRE = QStringLiteral("Paciente %1").arg(patient.CODIGO);
        if (patients.insert() != data::AccessResult::Ok)
            ++failures;
        else
            std::cout << patient.CODIGO << '\n';
    }
    std::cout.flush();
    patients.close();
    return failures + presenter.shown;
}

int fillChart(int points)
{
    Unattended presenter;
    core::ErrorManager errors;
    errors.setPresenter(&presenter);
    errors.setEndProgram([] {});
    data::Dictionary dictionary { errors };
    data::AccessObject& chart = dictionary.access(data::FileId::GRAFICO);
    if (!chart.useOwnCopy() || chart.open() != data::AccessResult::Ok)
        return 1;
    int failures = 0;
    for (int k = 0; k < points; ++k) {
        auto& point = dictionary.buffer<data::GRAFICO>();
        point = data::GRAFICO {};
        point.SERIE = 1;
        point.X = k;
        point.Y = 1000 + k;
        if (chart.insert() != data::AccessResult::Ok)
            ++failures;
    }
    std::cout << "filled " << chart.copy() << std::endl;
    waitForTheTest();
    chart.dropOwnCopy();
    return failures + presenter.shown;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    const QString command = args.value(1);
    if (command == QLatin1String("hold") && args.size() == 3)
        return hold(args[2]);
    if (command == QLatin1String("change-city") && args.size() == 4)
        return changeCity(args[2].toInt(), args[3]);
    if (command == QLatin1String("change-study") && args.size() == 6)
        return changeStudy(args[2].toInt(), args[3], args[4], args[5]);
    if (command == QLatin1String("delete-held") && args.size() == 3)
        return deleteHeld(args[2].toInt());
    if (command == QLatin1String("prime-patients") && args.size() == 3)
        return primePatients(args[2].toInt());
    if (command == QLatin1String("fill-chart") && args.size() == 3)
        return fillChart(args[2].toInt());
    if (command == QLatin1String("keep-open-change-city") && args.size() == 4)
        return keepOpenChangeCity(args[2].toInt(), args[3]);
    if (command == QLatin1String("backup") && args.size() == 3)
        return copy(data::FileBackup::Kind::Backup, args[2], 0);
    if (command == QLatin1String("restore") && (args.size() == 3 || args.size() == 4))
        return copy(data::FileBackup::Kind::Restore, args[2], args.value(3).toInt());
    if (command == QLatin1String("start") && args.size() == 2)
        return data::settleInterruptedRestore(QDir::currentPath(), std::chrono::seconds(10)).ok() ? 0 : 1;
    std::cerr << "usage: nidora_station hold FILE | change-city CODE CITY"
                 " | change-study CONSULTATION STUDY FILE RESULTS | delete-held CODE"
                 " | prime-patients COUNT | fill-chart POINTS | keep-open-change-city CODE CITY"
                 " | backup FOLDER | restore FOLDER [N] | start"
              << std::endl;
    return 2;
}
