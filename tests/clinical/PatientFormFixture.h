#pragma once

#include "FormWindowsTest.h"

#include "support/QStringPrinter.h"

#include "clinical/UpdatePACIENTES.h"

#include "controls/TaskPanelWidget.h"

#include "data/PatientRecords.h"
#include "framework/Window.h"
#include "views/DictionarySetup.h"
#include "views/ProgramGlobals.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabWidget>

#include <functional>

// The patient form called as the patient list calls it, on a thread of its own over real data
// files, by a user with every right and a current doctor.
namespace nidora::clinical::test {

inline data::PACIENTES patient(std::int32_t code, const char* name)
{
    data::PACIENTES made = nidora::test::patient(code, name);
    made.MEDICO = 2;
    return made;
}

class PatientFormTest : public FormWindowsTest {
protected:
    static constexpr std::uint8_t kCurrentPhysician = 4;

    // With no parents' lookups, unless a test installs them.
    PatientFormTest()
    {
        views::AppGlobals.grantAllRights();
        views::AppGlobals.CurrentPhysician = kCurrentPhysician;
        setPatientFormLookups({});
    }
    ~PatientFormTest() override
    {
        views::AppGlobals.AccessRights.fill(0);
        views::AppGlobals.CurrentPhysician = 0;
        setPatientFormLookups({});
    }

    // Request 1 on a record primed here (its code in primedCode), the others on the stored
    // patient with this code; answer receives the form's response.
    void openForm(int request, std::int32_t code = 0)
    {
        ended = false;
        driver.start([this, request, code] {
            data::Dictionary& data = views::threadDictionary();
            data::RelationObject& patients = data.relation<data::PACIENTES>();
            patients.open();
            data::AccessObject& access = patients.access();
            if (request == InsertRecord) {
                access.prime();
                primedCode = data.buffer<data::PACIENTES>().CODIGO;
            } else {
                data.buffer<data::PACIENTES>().CODIGO = code;
                access.fetch(access.key("PAC:KCODIGO"));
            }
            answer = framework::callWithRequest(request, UpdatePACIENTES);
            patients.close();
            ended = true;
        });
    }
    QString shown(const QString& entry) const
    {
        auto* edit = qobject_cast<QLineEdit*>(driver.find(entry));
        return edit ? edit->text() : QStringLiteral("<no entry %1>").arg(entry);
    }
    // Clicks a task of the form's side panel: header 0 "Clínica" (Datos, Consultas, Vacunas,
    // Alimentación, Hitos motores, Patologías), header 1 "Prenatal" (Embarazo, Parto,
    // Antecedentes Familiares).
    void clickTask(std::size_t header, std::size_t task)
    {
        auto* panel = driver.find(QStringLiteral("?XPTASKPANEL"))->findChild<controls::TaskPanelWidget*>();
        ASSERT_NE(panel, nullptr);
        (void)panel->grab(); // painting lays the panel out
        const controls::TaskPanelLayout& layout = panel->lastLayout();
        ASSERT_LT(header, layout.groups.size());
        ASSERT_LT(task, layout.groups[header].rows.size());
        const controls::TaskRowLayout& row = layout.groups[header].rows[task];
        const QPoint at(layout.left + 10, row.top + row.height / 2);
        QMouseEvent release(QEvent::MouseButtonRelease, at, panel->mapToGlobal(at), Qt::LeftButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(panel, &release);
        driver.settle();
    }
    // The name of the page the form's sheet shows.
    QString pageInFront() const
    {
        auto* sheet = qobject_cast<QTabWidget*>(driver.find(QStringLiteral("?SHEET2")));
        return sheet ? sheet->currentWidget()->objectName() : QStringLiteral("<no sheet>");
    }
    // The one stored patient with this code, or a blank one.
    data::PACIENTES storedPatient(std::int32_t code)
    {
        for (const data::PACIENTES& each : all<data::PACIENTES>())
            if (each.CODIGO == code)
                return each;
        return {};
    }

    int answer = 0;
    std::int32_t primedCode = 0;
};

// A lookup as a test scripts it: it does what `choose` does to the buffers, answers `response`
// as a called window would, and counts its calls.
struct ScriptedLookup {
    int response = Cancelled;
    std::function<void()> choose;
    int calls = 0;

    std::function<void()> procedure()
    {
        return [this] {
            framework::ThreadContext& thread = framework::currentThread();
            thread.CallRequest = 0;
            ++calls;
            if (choose)
                choose();
            thread.CallResponse = static_cast<std::uint8_t>(response);
        };
    }
};

} // namespace nidora::clinical::test
