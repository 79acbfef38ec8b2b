// The field history of forms: the history key recalls, field by field, the values of the last
// record a form of the same file completed on the same thread.
#include "RecordWindowsTest.h"

#include "framework/Beep.h"
#include "framework/ControlEntry.h"
#include "framework/KeyCodes.h"
#include "views/FormWindow.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <gmock/gmock.h>

namespace nidora::views::test {
namespace {

using data::MEDICOS;
using framework::DialogRect;

constexpr int kHistoryKey = FormWindow::kHistoryKey;

// A doctor's form whose name and registration keep a history and whose speciality does not;
// its caption names the thread it runs on, so two of them open at once are told apart. It
// notes the fields it was told were accepted.
class DoctorForm final : public FormWindow {
public:
    explicit DoctorForm(const QString& caption, QStringList* accepted)
        : FormWindow(QStringLiteral("Test:Ditto"), data::FileId::MEDICOS,
            { caption, caption + QStringLiteral(" cambio"), caption + QStringLiteral(" baja") })
        , accepted_(accepted)
    {
        MEDICOS& doctor = record<MEDICOS>();
        int y = 4;
        for (auto [name, value] :
            { std::pair { "?MED:NOMBRE", &doctor.NOMBRE }, std::pair { "?MED:MATRICULA", &doctor.MATRICULA },
                std::pair { "?MED:ESPECIALIDAD", &doctor.ESPECIALIDAD } }) {
            add<framework::EntryControl>(QString::fromLatin1(name), DialogRect { 4, y, 120, 10 },
                QStringLiteral("@s30"), framework::entryValue(*value));
            y += 14;
        }
        addOk(QStringLiteral("?OK"), { 4, 50, 40, 14 }, QStringLiteral("OK"));
        addCancel(QStringLiteral("?CANCEL"), { 50, 50, 40, 14 }, QStringLiteral("Cancel"));
        enableHistory({ QStringLiteral("?MED:NOMBRE"), QStringLiteral("?MED:MATRICULA") });
    }

protected:
    int onAccepted(framework::Control& control) override
    {
        if (accepted_ && control.holdsData())
            accepted_->append(control.name());
        return FormWindow::onAccepted(control);
    }

private:
    QStringList* accepted_;
};

class FieldHistoryTest : public RecordWindowsTest {
protected:
    // Starts a thread that runs the doctor's form `forms` times in a row, each for a new doctor
    // as a list primes one, each captioned `caption` and the form's number ("A1", "A2"...).
    void startForms(const QString& caption, int forms)
    {
        driver.start([this, caption, forms] {
            data::Dictionary& data = views::threadDictionary();
            ASSERT_EQ(data.relation<MEDICOS>().open(), data::AccessResult::Ok);
            for (int form = 1; form <= forms; ++form) {
                ASSERT_EQ(data.access<MEDICOS>().prime(), data::AccessResult::Ok);
                framework::callWithRequest(
                    InsertRecord, [&] { DoctorForm(caption + QString::number(form), &accepted).run(); });
            }
            data.relation<MEDICOS>().close();
        });
    }
    QLineEdit* entry(const QString& form, const QString& name) const
    {
        QWidget* window = driver.window(form);
        return window ? window->findChild<QLineEdit*>(name) : nullptr;
    }
    QString shown(const QString& form, const QString& name) const
    {
        QLineEdit* found = entry(form, name);
        return found ? found->text() : QStringLiteral("<no %1 in %2>").arg(name, form);
    }
    void press(const QString& form, const QString& name)
    {
        QLineEdit* found = entry(form, name);
        ASSERT_NE(found, nullptr) << qPrintable(name);
        found->setFocus(Qt::OtherFocusReason);
        driver.settle();
        const int before = framework::beepsSoFar();
        // To this form's entry: another form open meanwhile has one of the same name.
        const QKeyCombination key = keys::keyCombinationFromCode(kHistoryKey);
        QKeyEvent pressed(QEvent::KeyPress, key.key(), key.keyboardModifiers());
        QApplication::sendEvent(found, &pressed);
        driver.settle();
        beeped = framework::beepsSoFar() != before;
    }
    void fill(const QString& form, const QString& name, const QString& text)
    {
        QLineEdit* found = entry(form, name);
        ASSERT_NE(found, nullptr) << qPrintable(name);
        found->setFocus(Qt::OtherFocusReason);
        found->selectAll();
        found->insert(text);
    }
    void clickIn(const QString& form, const QString& name)
    {
        QWidget* window = driver.window(form);
        auto* button = window ? window->findChild<QAbstractButton*>(name) : nullptr;
        ASSERT_NE(button, nullptr) << qPrintable(name);
        button->setFocus(Qt::MouseFocusReason);
        driver.settle();
        button->click();
        driver.settle();
    }
    // Fills the first form of a thread with a doctor and completes it.
    void completeFirst(const QString& form, const char* name, const char* registration)
    {
        fill(form, QStringLiteral("?MED:NOMBRE"), QString::fromUtf8(name));
        fill(form, QStringLiteral("?MED:MATRICULA"), QString::fromUtf8(registration));
        fill(form, QStringLiteral("?MED:ESPECIALIDAD"), QStringLiteral("Pediatría"));
        clickIn(form, QStringLiteral("?OK"));
        ASSERT_EQ(driver.window(form), nullptr) << "the first form completed";
    }

    QStringList accepted;
    bool beeped = false;
};

TEST_F(FieldHistoryTest, WithNothingCompletedYetTheKeyBeepsAndChangesNothing)
{
    startForms(QStringLiteral("A"), 1);
    fill(QStringLiteral("A1"), QStringLiteral("?MED:NOMBRE"), QStringLiteral("Gómez"));
    press(QStringLiteral("A1"), QStringLiteral("?MED:NOMBRE"));
    EXPECT_TRUE(beeped);
    EXPECT_EQ(shown(QStringLiteral("A1"), QStringLiteral("?MED:NOMBRE")), QStringLiteral("Gómez"));
    clickIn(QStringLiteral("A1"), QStringLiteral("?CANCEL"));
}

TEST_F(FieldHistoryTest, TheNextFormRecallsEachFieldAloneAsIfTyped)
{
    startForms(QStringLiteral("A"), 2);
    completeFirst(QStringLiteral("A1"), "Pérez, Juan", "MP 4411");

    const QString form = QStringLiteral("A2");
    press(form, QStringLiteral("?MED:NOMBRE"));
    EXPECT_FALSE(beeped);
    EXPECT_EQ(shown(form, QStringLiteral("?MED:NOMBRE")), QStringLiteral("Pérez, Juan"));
    EXPECT_EQ(shown(form, QStringLiteral("?MED:MATRICULA")), QString()) << "only the field the key was in";
    EXPECT_EQ(shown(form, QStringLiteral("?MED:ESPECIALIDAD")), QString());
    // Leaving it takes it as typed text is taken: its accepted handling runs.
    accepted.clear();
    entry(form, QStringLiteral("?MED:MATRICULA"))->setFocus(Qt::TabFocusReason);
    driver.settle();
    EXPECT_THAT(accepted, testing::ElementsAre(QStringLiteral("?MED:NOMBRE")));

    press(form, QStringLiteral("?MED:MATRICULA"));
    EXPECT_EQ(shown(form, QStringLiteral("?MED:MATRICULA")), QStringLiteral("MP 4411"));
    // A field without history is left as it is, and the key only beeps there.
    fill(form, QStringLiteral("?MED:ESPECIALIDAD"), QStringLiteral("Neonatología"));
    press(form, QStringLiteral("?MED:ESPECIALIDAD"));
    EXPECT_TRUE(beeped);
    EXPECT_EQ(shown(form, QStringLiteral("?MED:ESPECIALIDAD")), QStringLiteral("Neonatología"));

    clickIn(form, QStringLiteral("?OK"));
    ASSERT_EQ(driver.window(form), nullptr);
    const std::vector<MEDICOS> doctors = all<MEDICOS>();
    ASSERT_EQ(doctors.size(), 2u);
    EXPECT_EQ(doctors[1].NOMBRE, QStringLiteral("Pérez, Juan"));
    EXPECT_EQ(doctors[1].MATRICULA, QStringLiteral("MP 4411"));
    EXPECT_EQ(doctors[1].ESPECIALIDAD, QStringLiteral("Neonatología"));
}

TEST_F(FieldHistoryTest, ACancelledFormLeavesTheHistoryAsItWas)
{
    startForms(QStringLiteral("A"), 3);
    completeFirst(QStringLiteral("A1"), "Pérez, Juan", "MP 4411");
    fill(QStringLiteral("A2"), QStringLiteral("?MED:NOMBRE"), QStringLiteral("Gómez, Ana"));
    clickIn(QStringLiteral("A2"), QStringLiteral("?CANCEL"));
    press(QStringLiteral("A3"), QStringLiteral("?MED:NOMBRE"));
    EXPECT_EQ(shown(QStringLiteral("A3"), QStringLiteral("?MED:NOMBRE")), QStringLiteral("Pérez, Juan"));
    clickIn(QStringLiteral("A3"), QStringLiteral("?CANCEL"));
}

TEST_F(FieldHistoryTest, EachThreadKeepsItsOwnHistory)
{
    startForms(QStringLiteral("A"), 2);
    completeFirst(QStringLiteral("A1"), "Pérez, Juan", "MP 4411");
    startForms(QStringLiteral("B"), 2);
    completeFirst(QStringLiteral("B1"), "Gómez, Ana", "MP 7002");
    // A third thread has completed nothing.
    startForms(QStringLiteral("C"), 1);

    press(QStringLiteral("C1"), QStringLiteral("?MED:NOMBRE"));
    EXPECT_TRUE(beeped);
    EXPECT_EQ(shown(QStringLiteral("C1"), QStringLiteral("?MED:NOMBRE")), QString());
    press(QStringLiteral("B2"), QStringLiteral("?MED:NOMBRE"));
    EXPECT_EQ(shown(QStringLiteral("B2"), QStringLiteral("?MED:NOMBRE")), QStringLiteral("Gómez, Ana"));
    press(QStringLiteral("A2"), QStringLiteral("?MED:NOMBRE"));
    EXPECT_EQ(shown(QStringLiteral("A2"), QStringLiteral("?MED:NOMBRE")), QStringLiteral("Pérez, Juan"));
    for (const char* form : { "C1", "B2", "A2" })
        clickIn(QString::fromLatin1(form), QStringLiteral("?CANCEL"));
}

TEST_F(FieldHistoryTest, AHistoryOnAControlOfNoFieldOfTheFileIsRefused)
{
    // A misspelt name would leave a field without its history and nobody would know.
    for (const char* name : { "?MED:NADA", "MED:NOMBRE", "?CON:MOTIVO", "?OK" })
        EXPECT_THROW(DoctorForm(QStringLiteral("X"), nullptr).enableHistory({ QString::fromLatin1(name) }),
            std::invalid_argument)
            << name;
}

} // namespace
} // namespace nidora::views::test
