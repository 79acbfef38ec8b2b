// The patient form of a patient with 300 consultations, 60 vaccinations and 40 pathologies, in
// the large practice (bench/GeneratedPractice.h), must open and complete OK each in under
// 100 ms, measured through the real window on its own logical thread: from the call of the
// form to its consultations painted, and from OK pressed to the form closed with the patient,
// his notes and his photo record written.
#include "GeneratedPractice.h"
#include "WindowBench.h"

#include "clinical/UpdatePACIENTES.h"
#include "framework/Scheduler.h"
#include "framework/ThreadContext.h"
#include "framework/Window.h"
#include "views/DictionarySetup.h"
#include "views/ProgramGlobals.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

using namespace nidora;

constexpr std::int32_t kPatient = bench::kPatients + 1;

// The practice with one more patient whose history is long.
struct PracticeWithLongHistory {
    PracticeWithLongHistory()
    {
        data::PACIENTES child = bench::patient(kPatient);
        child.FNACIMIENTO = 80'000;
        child.PLANVACUNACION = QStringLiteral("A");
        practice.patients->add(child);
        for (std::int32_t i = 1; i <= 300; ++i) {
            data::CONSULTAS visit = bench::consultation(bench::kConsultations + i);
            visit.PACIENTE = kPatient;
            visit.FECHA = 80'000 + i * 7;
            visit.OBSERVACIONES = QStringLiteral("Control de rutina, sin novedades. ").repeated(4);
            practice.consultations->add(visit);
        }
        for (std::int32_t i = 1; i <= 40; ++i) {
            data::ENFERMEDADES found = bench::pathology(i);
            found.PACIENTE = kPatient;
            found.FECHA = 80'000 + i * 30;
            practice.pathologies->add(found);
        }
        auto doses = data::DataFile::open(data::fileDesc(data::FileId::VACUNACION));
        for (std::int32_t i = 1; i <= 60; ++i) {
            data::VACUNACION dose;
            dose.PACIENTE = kPatient;
            dose.FECHAPROG = 80'000 + i * 20;
            dose.VACUNA = QStringLiteral("Vacuna %1").arg(i);
            doses.file->add(dose);
        }
        views::AppGlobals.grantAllRights();
        views::AppGlobals.CurrentPhysician = 1;
    }

    bench::GeneratedPractice practice;
};

PracticeWithLongHistory& practice()
{
    static PracticeWithLongHistory shared;
    return shared;
}

QWidget* shownWidget(const QString& name)
{
    for (QWidget* each : QApplication::allWidgets())
        if (each->objectName() == name && each->window()->isVisible()
            && each->window()->windowTitle() == "Edición de Paciente")
            return each;
    return nullptr;
}

// The form of the patient on a logical thread of its own, called as the patient list calls
// it, until it is closed.
struct OpenForm {
    OpenForm()
    {
        framework::StartOnNewThread(
            [this] {
                data::Dictionary& data = views::threadDictionary();
                data.relation<data::PACIENTES>().open();
                data.buffer<data::PACIENTES>().CODIGO = kPatient;
                data.access<data::PACIENTES>().fetch(data.access<data::PACIENTES>().key("PAC:KCODIGO"));
                framework::callWithRequest(ChangeRecord, clinical::UpdatePACIENTES);
                data.relation<data::PACIENTES>().close();
                ended = true;
            },
            50'000);
        QAbstractItemView* visits = nullptr;
        while (!(visits = static_cast<QAbstractItemView*>(shownWidget(QStringLiteral("?BROWSE:2"))))
            || visits->model()->rowCount() == 0)
            QCoreApplication::processEvents();
        visits->window()->repaint();
    }
    void press(const char* button)
    {
        static_cast<QAbstractButton*>(shownWidget(QString::fromUtf8(button)))->click();
        while (!ended)
            QCoreApplication::processEvents();
    }

    bool ended = false;
};

void PatientFormOpen(benchmark::State& state)
{
    practice();
    for (auto _ : state) {
        const bench::Clock::time_point start = bench::Clock::now();
        OpenForm form;
        bench::seconds(state, start);
        form.press("?CANCEL");
    }
}
BENCHMARK(PatientFormOpen)->UseManualTime()->Unit(benchmark::kMillisecond);

// Each OK changes the city, so that the patient is written as well as his notes and photo.
void PatientFormOk(benchmark::State& state)
{
    practice();
    int round = 0;
    for (auto _ : state) {
        OpenForm form;
        static_cast<QLineEdit*>(shownWidget(QStringLiteral("?PAC:CIUDAD")))
            ->setText(QString::number(++round));
        const bench::Clock::time_point start = bench::Clock::now();
        form.press("?OK");
        bench::seconds(state, start);
    }
}
BENCHMARK(PatientFormOk)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return nidora::bench::runWindowBenchmarks(argc, argv);
}
