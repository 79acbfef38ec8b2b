#pragma once

#include "FormWindowsTest.h"

#include "support/QStringPrinter.h"

#include "clinical/ClinicalForms.h"
#include "clinical/ClinicalHistoryRules.h"
#include "clinical/ConsultationLookups.h"

#include "core/Date.h"
#include "data/AccessBuffer.h"
#include "data/ClinicalRecords.h"
#include "framework/Window.h"
#include "views/DictionarySetup.h"
#include "views/ProgramGlobals.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include <functional>

// The clinical-history forms called as the patient form calls them: on a thread of its own
// over real data files, with the patient in the thread's buffer and the record the form edits
// primed or loaded, by a user with every right and a current doctor.
namespace nidora::clinical::test {

class ClinicalFormTest : public FormWindowsTest {
protected:
    static constexpr std::int32_t kPatient = 7;
    static constexpr std::uint8_t kCurrentPhysician = 4;

    ClinicalFormTest()
    {
        views::AppGlobals.grantAllRights();
        views::AppGlobals.CurrentPhysician = kCurrentPhysician;
        setConsultationLookups({});
        data::PACIENTES child = nidora::test::patient(kPatient, "Pérez, Ana");
        child.FNACIMIENTO = makeDate(2010, 1, 31);
        store(child);
    }
    ~ClinicalFormTest() override
    {
        views::AppGlobals = views::ProgramGlobals {};
        setConsultationLookups({});
    }

    // Runs `form` with the request, as the patient form would: every clinical file open, the
    // patient in his buffer, then `prepare` puts the record in its buffer (priming it for an
    // insert). `answer` receives the form's response. With `forms` above 1 the thread runs
    // that many such forms one after another.
    void openForm(int request, void (*form)(), std::function<void(data::Dictionary&)> prepare, int forms = 1)
    {
        ended = false;
        driver.start([this, request, form, prepare = std::move(prepare), forms] {
            data::Dictionary& data = views::threadDictionary();
            data::RelationObject& consultations = data.relation<data::CONSULTAS>();
            consultations.open();
            readPatient(data, kPatient);
            for (int each = 0; each < forms; ++each) {
                prepare(data);
                answer = framework::callWithRequest(request, form);
            }
            afterForm(data);
            consultations.close();
            ended = true;
        });
    }
    // Loads the record whose key components the caller put in the cleared buffer.
    template <class R>
    static void load(data::Dictionary& data, const std::function<void(R&)>& key, const char* by)
    {
        data::AccessObject& access = data.access<R>();
        data::clearRecord(access.desc(), access.buffer());
        key(data.buffer<R>());
        access.fetch(access.key(by));
    }
    // Primes a new record holding what `fill` puts in it, as a list primes a child row.
    template <class R> static void prime(data::Dictionary& data, const std::function<void(R&)>& fill)
    {
        data::AccessObject& access = data.access<R>();
        data::clearRecord(access.desc(), access.buffer());
        fill(data.buffer<R>());
        access.prime(true);
    }

    // Types over an entry, or over the line of a combo, as the user does.
    void type(const QString& name, const QString& text)
    {
        if (QLineEdit* line = comboLine(name)) {
            line->setFocus(Qt::OtherFocusReason);
            line->selectAll();
            line->insert(text);
            return;
        }
        driver.type(name, text);
    }
    // Types and presses Enter.
    void typeAndAccept(const QString& name, const QString& text)
    {
        type(name, text);
        if (QLineEdit* line = comboLine(name)) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(line, &press);
            driver.settle();
            return;
        }
        driver.accept(name);
    }
    QString shown(const QString& name) const
    {
        QWidget* found = driver.find(name);
        if (auto* edit = qobject_cast<QLineEdit*>(found))
            return edit->text();
        if (auto* label = qobject_cast<QLabel*>(found))
            return label->text();
        if (auto* memo = qobject_cast<QPlainTextEdit*>(found))
            return memo->toPlainText();
        if (auto* combo = qobject_cast<QComboBox*>(found))
            return combo->currentText();
        return QStringLiteral("<nothing shown as %1>").arg(name);
    }
    bool focused(const QString& name) const
    {
        QWidget* found = driver.find(name);
        QWidget* focus = QApplication::focusWidget();
        return found && focus && (focus == found || found->isAncestorOf(focus));
    }
    bool enabled(const QString& name) const
    {
        QWidget* found = driver.find(name);
        return found && found->isEnabled();
    }

    QLineEdit* comboLine(const QString& name) const
    {
        auto* combo = qobject_cast<QComboBox*>(driver.find(name));
        return combo ? combo->lineEdit() : nullptr;
    }

    int answer = 0;
    // What the test looks at on the form's thread once the form has returned.
    std::function<void(data::Dictionary&)> afterForm = [](data::Dictionary&) {};
};

// A procedure of the reference tables as a test scripts it: it does what `act` does to the
// buffers, answers `response` as a called window would, and counts its calls and requests.
struct ScriptedProcedure {
    int response = Cancelled;
    std::function<void(data::Dictionary&)> act;
    int calls = 0;
    int request = 0;

    std::function<void()> procedure()
    {
        return [this] {
            framework::ThreadContext& thread = framework::currentThread();
            request = thread.CallRequest;
            thread.CallRequest = 0;
            ++calls;
            if (act)
                act(views::threadDictionary());
            thread.CallResponse = static_cast<std::uint8_t>(response);
        };
    }
};

} // namespace nidora::clinical::test
