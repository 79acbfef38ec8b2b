#pragma once

#include "views/RecordWindowsTest.h"

#include "support/QStringPrinter.h"

#include "clinical/UpdatePACIENTES.h"

#include "data/PatientRecords.h"
#include "framework/Window.h"
#include "views/DictionarySetup.h"
#include "views/ProgramGlobals.h"

#include <QLineEdit>

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

class PatientFormTest : public views::test::RecordWindowsTest {
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
    void pressOk()
    {
        driver.click(QStringLiteral("?OK"));
        ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    }
    void pressCancel()
    {
        driver.click(QStringLiteral("?CANCEL"));
        ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    }
    QString shown(const QString& entry) const
    {
        auto* edit = qobject_cast<QLineEdit*>(driver.find(entry));
        return edit ? edit->text() : QStringLiteral("<no entry %1>").arg(entry);
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
    bool ended = false;
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
