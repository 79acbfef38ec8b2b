#include "RecordWindowsTest.h"
#include "support/OtherStation.h"

#include "data/ClinicalRecords.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "framework/KeyCodes.h"
#include "views/DictionarySetup.h"
#include "views/FormWindow.h"
#include "views/ListWindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include <gmock/gmock.h>

namespace nidora::views::test {
namespace {

using data::MEDICOS;
using framework::DialogRect;
using testing::ElementsAre;

// A form with one entry over the doctor's name.
// Its entry's accepted handling can refuse a name by moving the focus away, as a lookup closed
// without a choice does.
class NameForm final : public FormWindow {
public:
    explicit NameForm(QString refused = {})
        : FormWindow(QStringLiteral("Test:Form"), data::FileId::MEDICOS,
            { QStringLiteral("Alta"), QStringLiteral("Cambio"), QStringLiteral("Baja") })
    {
        setCaption(QStringLiteral("Form"));
        add<framework::EntryControl>(QStringLiteral("?MED:NOMBRE"), DialogRect { 4, 4, 120, 10 },
            QStringLiteral("@s30"), framework::entryValue(record<MEDICOS>().NOMBRE));
        addOk(QStringLiteral("?OK"), { 4, 20, 40, 14 }, QStringLiteral("OK"));
        addCancel(QStringLiteral("?CANCEL"), { 50, 20, 40, 14 }, QStringLiteral("Cancel"));
        refused_ = std::move(refused);
    }

protected:
    int onAccepted(framework::Control& accepted) override
    {
        if (accepted.name() == QStringLiteral("?MED:NOMBRE") && !refused_.isEmpty()
            && record<MEDICOS>().NOMBRE.trimmed() == refused_) {
            select(*control(QStringLiteral("?CANCEL")));
            return framework::handled::GoOn;
        }
        return FormWindow::onAccepted(accepted);
    }

private:
    QString refused_;
};

// A form over a file with field rules: a consultation's age in years is at most 99.
class AgeForm final : public FormWindow {
public:
    AgeForm()
        : FormWindow(QStringLiteral("Test:Age"), data::FileId::CONSULTAS,
            { QStringLiteral("Alta"), QStringLiteral("Cambio"), QStringLiteral("Baja") })
    {
        add<framework::EntryControl>(QStringLiteral("?CON:ANIOS"), DialogRect { 4, 4, 40, 10 },
            QStringLiteral("@n3"), framework::entryValue(record<data::CONSULTAS>().ANIOS));
        addOk(QStringLiteral("?OK"), { 4, 20, 40, 14 }, QStringLiteral("OK"));
        addCancel(QStringLiteral("?CANCEL"), { 50, 20, 40, 14 }, QStringLiteral("Cancel"));
    }
};

// Counts the doctors whose name is given.
struct NamedDoctors final : ListTotals {
    void reset() override { count = 0; }
    void add(const data::Record& record) override
    {
        count += !static_cast<const MEDICOS&>(record).NOMBRE.trimmed().isEmpty();
    }
    int count = 0;
};

// A list of doctors by number with every button, and the count of named doctors under it.
class NameList final : public ListWindow {
public:
    NameList()
        : ListWindow(QStringLiteral("Test:List"), data::FileId::MEDICOS)
    {
        setCaption(QStringLiteral("List"));
        setSize(200, 160);
        addList(QStringLiteral("?BROWSE"), { 4, 4, 192, 100 },
            { { &key("MED:KCODIGO"), LocatorKind::Incremental, QStringLiteral("Por número") } },
            { fieldColumn(field("MED:CODIGO"), QStringLiteral("Nº"), QStringLiteral("@n3")),
                fieldColumn(field("MED:NOMBRE"), QStringLiteral("Nombre"), QStringLiteral("@s30")) });
        const struct {
            ListButton role;
            const char* name;
        } buttons[] = { { ListButton::Insert, "?INSERT" }, { ListButton::Change, "?CHANGE" },
            { ListButton::Delete, "?DELETE" }, { ListButton::Select, "?SELECT" },
            { ListButton::View, "?VIEW" }, { ListButton::Close, "?CLOSE" } };
        int x = 4;
        for (const auto& b : buttons) {
            addButton(b.role, QString::fromUtf8(b.name), { x, 110, 30, 14 }, QString::fromUtf8(b.name + 1));
            x += 32;
        }
        total_ = &add<framework::StringControl>(
            QStringLiteral("?TOTAL"), DialogRect { 4, 130, 60, 10 }, QString());
        list().view().setTotals(&named_);
        setForm([] { NameForm().run(); });
    }

protected:
    void onRowChanged() override { total_->setText(QString::number(named_.count)); }

private:
    NamedDoctors named_;
    framework::StringControl* total_;
};

class ListWindowTest : public RecordWindowsTest {
protected:
    // Starts the list with a request, as a caller on its thread would; afterwards `answer`
    // holds its response and `chosen` the doctor in the buffer.
    void startList(std::uint8_t request = NoRequest)
    {
        driver.start([this, request] {
            answer = framework::callWithRequest(request, [] { NameList().run(); });
            chosen = views::threadDictionary().buffer<MEDICOS>();
            ended = true;
        });
        ASSERT_NE(driver.window(QStringLiteral("List")), nullptr);
    }
    // Calls the form alone with a request, the doctor given loaded in the buffer.
    void startForm(std::uint8_t request, const MEDICOS& loaded = {}, const QString& refused = {})
    {
        driver.start([this, request, loaded, refused] {
            data::Dictionary& data = views::threadDictionary();
            data.buffer<MEDICOS>() = loaded;
            if (loaded.CODIGO != 0) { // the record as the list would load it
                ASSERT_EQ(data.relation<MEDICOS>().open(), data::AccessResult::Ok);
                ASSERT_EQ(data.access<MEDICOS>().fetch(data.access<MEDICOS>().key("MED:KCODIGO")),
                    data::AccessResult::Ok);
            }
            answer = framework::callWithRequest(request, [refused] { NameForm(refused).run(); });
            if (loaded.CODIGO != 0)
                data.relation<MEDICOS>().close();
            ended = true;
        });
    }
    QString formCaption()
    {
        QWidget* entry = driver.find(QStringLiteral("?MED:NOMBRE"));
        return entry ? entry->window()->windowTitle() : QStringLiteral("(no form)");
    }
    // The highlighted row's texts, as the list shows them.
    QStringList highlightedRow()
    {
        auto* table = static_cast<QAbstractItemView*>(driver.find(QStringLiteral("?BROWSE")));
        const QModelIndex current = table->currentIndex();
        QStringList texts;
        for (int column = 0; column < table->model()->columnCount(); ++column)
            texts << table->model()->index(current.row(), column).data().toString().trimmed();
        return texts;
    }
    bool buttonEnabled(const char* name) { return driver.find(QString::fromUtf8(name))->isEnabled(); }
    std::vector<int> numbers()
    {
        std::vector<int> found;
        for (const MEDICOS& d : all<MEDICOS>())
            found.push_back(d.CODIGO);
        return found;
    }
    void closeList()
    {
        driver.close(QStringLiteral("List"));
        ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    }

    int answer = 0;
    MEDICOS chosen;
    bool ended = false;
};

TEST_F(ListWindowTest, CancelledInsertGivesItsNumberBackToTheNextInsert)
{
    store(doctor(1, "Pérez"));
    startList();
    driver.click(QStringLiteral("?INSERT"));
    ASSERT_NE(driver.window(QStringLiteral("Alta")), nullptr);
    EXPECT_THAT(numbers(), ElementsAre(1, 2)); // numbered and added at once
    driver.click(QStringLiteral("?CANCEL"));
    EXPECT_THAT(numbers(), ElementsAre(1));

    driver.click(QStringLiteral("?INSERT"));
    driver.type(QStringLiteral("?MED:NOMBRE"), QStringLiteral("Gómez"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_EQ(driver.window(QStringLiteral("Alta")), nullptr);
    const std::vector<MEDICOS> stored = all<MEDICOS>();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].CODIGO, 2);
    EXPECT_EQ(stored[1].NOMBRE, QStringLiteral("Gómez"));
    closeList();
}

TEST_F(ListWindowTest, ListOpenedForViewingCallsNoForm)
{
    store(doctor(1, "Pérez"));
    startList(ViewRecord);
    for (const char* name : { "?INSERT", "?CHANGE", "?DELETE", "?VIEW" })
        EXPECT_FALSE(buttonEnabled(name)) << name;
    driver.pressKey(QStringLiteral("?BROWSE"), keys::Insert);
    EXPECT_EQ(driver.window(QStringLiteral("Alta")), nullptr);
    EXPECT_THAT(numbers(), ElementsAre(1));
    closeList();
    EXPECT_EQ(answer, Cancelled);
}

TEST_F(ListWindowTest, SelectLeavesTheHighlightedRecordInTheBufferAndAnswersOne)
{
    store(doctor(1, "Pérez"));
    store(doctor(2, "Gómez"));
    startList(SelectRecord);
    EXPECT_TRUE(driver.find(QStringLiteral("?SELECT"))->isVisible());
    driver.pressKey(QStringLiteral("?BROWSE"), keys::Down);
    driver.click(QStringLiteral("?SELECT"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(chosen.CODIGO, 2);
    EXPECT_EQ(chosen.NOMBRE, QStringLiteral("Gómez"));
}

TEST_F(ListWindowTest, TotalsAreCountedAgainEachTimeTheListIsRead)
{
    store(doctor(1, "Pérez"));
    store(doctor(2, ""));
    startList();
    const auto total = [this] { return static_cast<QLabel*>(driver.find(QStringLiteral("?TOTAL")))->text(); };
    EXPECT_EQ(total(), QStringLiteral("1"));
    driver.click(QStringLiteral("?INSERT"));
    driver.type(QStringLiteral("?MED:NOMBRE"), QStringLiteral("Gómez"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_EQ(total(), QStringLiteral("2"));
    driver.click(QStringLiteral("?DELETE")); // doctor 3, the one just added and highlighted
    driver.click(QStringLiteral("?OK"));
    EXPECT_EQ(total(), QStringLiteral("1"));
    closeList();
}

TEST_F(ListWindowTest, TheInsertedRowIsHighlightedWhenTheListShowsItAgain)
{
    for (std::uint8_t code = 1; code <= 3; ++code)
        store(doctor(code, "Médico"));
    startList();
    EXPECT_THAT(highlightedRow(), ElementsAre("1", "Médico"));
    driver.click(QStringLiteral("?INSERT"));
    driver.type(QStringLiteral("?MED:NOMBRE"), QStringLiteral("Zapata"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_THAT(highlightedRow(), ElementsAre("4", "Zapata"));
    closeList();
}

TEST_F(ListWindowTest, ChangeWritesOnlyWhenAFieldChangedAndCompletesEitherWay)
{
    store(doctor(1, "Pérez"));
    startList();
    const std::int64_t before = version<MEDICOS>(1);
    driver.pressKey(QStringLiteral("?BROWSE"), keys::withCtrl(keys::Enter));
    ASSERT_EQ(formCaption(), QStringLiteral("Cambio"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_EQ(driver.window(QStringLiteral("Cambio")), nullptr);
    EXPECT_EQ(version<MEDICOS>(1), before);

    driver.click(QStringLiteral("?CHANGE"));
    driver.type(QStringLiteral("?MED:NOMBRE"), QStringLiteral("Pérez Soto"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_GT(version<MEDICOS>(1), before);
    EXPECT_EQ(all<MEDICOS>().at(0).NOMBRE, QStringLiteral("Pérez Soto"));
    EXPECT_THAT(highlightedRow(), ElementsAre("1", "Pérez Soto"));
    closeList();
}

TEST_F(ListWindowTest, CancellingAChangedFormWritesNothingAndAsksNothing)
{
    store(doctor(1, "Pérez"));
    startList();
    driver.click(QStringLiteral("?CHANGE"));
    driver.type(QStringLiteral("?MED:NOMBRE"), QStringLiteral("Otro"));
    driver.close(QStringLiteral("Cambio"));
    EXPECT_EQ(driver.window(QStringLiteral("Cambio")), nullptr);
    EXPECT_EQ(all<MEDICOS>().at(0).NOMBRE, QStringLiteral("Pérez"));
    EXPECT_THAT(highlightedRow(), ElementsAre("1", "Pérez"));
    closeList();
}

TEST_F(ListWindowTest, DeleteKeyRemovesTheHighlightedRecordOnOk)
{
    store(doctor(1, "Pérez"));
    store(doctor(2, "Gómez"));
    startList();
    driver.pressKey(QStringLiteral("?BROWSE"), keys::Down);
    driver.pressKey(QStringLiteral("?BROWSE"), keys::Delete);
    ASSERT_EQ(formCaption(), QStringLiteral("Baja"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_THAT(numbers(), ElementsAre(1));
    EXPECT_THAT(highlightedRow(), ElementsAre("1", "Pérez"));
    EXPECT_EQ(driver.messageBox(QString()), nullptr); // asked nothing
    closeList();
}

TEST_F(ListWindowTest, TypingANumberMovesTheHighlightThroughTheLocator)
{
    for (std::uint8_t code : { 1, 5, 12, 30 })
        store(doctor(code, "Médico"));
    startList();
    driver.pressKey(QStringLiteral("?BROWSE"), keys::digit(1));
    EXPECT_THAT(highlightedRow(), ElementsAre("1", "Médico"));
    driver.pressKey(QStringLiteral("?BROWSE"), keys::digit(0));
    EXPECT_THAT(highlightedRow(), ElementsAre("12", "Médico")); // the first at or after 10
    driver.pressKey(QStringLiteral("?BROWSE"), keys::Backspace);
    driver.pressKey(QStringLiteral("?BROWSE"), keys::digit(3));
    EXPECT_THAT(highlightedRow(), ElementsAre("30", "Médico"));
    closeList();
}

TEST_F(ListWindowTest, AClickHighlightsARowAndADoubleClickChoosesItWhenSelecting)
{
    store(doctor(1, "Pérez"));
    store(doctor(2, "Gómez"));
    startList(SelectRecord);
    auto* table = static_cast<QAbstractItemView*>(driver.find(QStringLiteral("?BROWSE")));
    const QPoint second = table->visualRect(table->model()->index(1, 1)).center();
    const auto mouse = [&](QEvent::Type type) {
        QMouseEvent event(type, second, table->viewport()->mapToGlobal(second), Qt::LeftButton,
            Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(table->viewport(), &event);
        driver.settle();
    };
    mouse(QEvent::MouseButtonPress);
    EXPECT_THAT(highlightedRow(), ElementsAre("2", "Gómez"));
    mouse(QEvent::MouseButtonDblClick);
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(chosen.CODIGO, 2);
}

TEST_F(ListWindowTest, ClosingALookupWithoutChoosingAnswersTwo)
{
    store(doctor(1, "Pérez"));
    startList(SelectRecord);
    closeList();
    EXPECT_EQ(answer, Cancelled);
}

TEST_F(ListWindowTest, SelectButtonIsHiddenUnlessSelecting)
{
    store(doctor(1, "Pérez"));
    startList();
    EXPECT_FALSE(driver.find(QStringLiteral("?SELECT"))->isVisible());
    EXPECT_TRUE(buttonEnabled("?CHANGE"));
    closeList();
}

struct CaptionCase {
    std::uint8_t request;
    const char* caption;
};

void PrintTo(const CaptionCase& c, std::ostream* out)
{
    *out << "request " << int(c.request);
}

class FormCaptionTest : public ListWindowTest, public testing::WithParamInterface<CaptionCase> { };

TEST_P(FormCaptionTest, FollowsTheRequest)
{
    store(doctor(1, "Pérez"));
    startForm(GetParam().request, doctor(1, "Pérez"));
    EXPECT_EQ(formCaption(), QString::fromUtf8(GetParam().caption));
    driver.click(QStringLiteral("?CANCEL"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(answer, Cancelled);
}

INSTANTIATE_TEST_SUITE_P(ByRequest, FormCaptionTest,
    testing::Values(CaptionCase { InsertRecord, "Alta" }, CaptionCase { ChangeRecord, "Cambio" },
        CaptionCase { DeleteRecord, "Baja" }, CaptionCase { ViewRecord, "View Record" },
        CaptionCase { NoRequest, "" }));

TEST_F(ListWindowTest, AFormOpenedForViewingAnswersTwoEvenOnOkAndWritesNothing)
{
    store(doctor(1, "Pérez"));
    startList();
    driver.click(QStringLiteral("?VIEW"));
    ASSERT_EQ(formCaption(), QStringLiteral("View Record"));
    driver.type(QStringLiteral("?MED:NOMBRE"), QStringLiteral("Otro"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_EQ(driver.window(QStringLiteral("View Record")), nullptr);
    EXPECT_EQ(all<MEDICOS>().at(0).NOMBRE, QStringLiteral("Pérez"));
    closeList();
}

TEST_F(ListWindowTest, AHandlerMovingTheFocusAwayEndsTheAcceptAllPassAndNothingIsWritten)
{
    store(doctor(1, "Pérez"));
    startForm(ChangeRecord, doctor(1, "Pérez"), QStringLiteral("Nadie"));
    driver.type(QStringLiteral("?MED:NOMBRE"), QStringLiteral("Nadie"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_FALSE(ended);
    EXPECT_EQ(all<MEDICOS>().at(0).NOMBRE, QStringLiteral("Pérez"));

    driver.type(QStringLiteral("?MED:NOMBRE"), QStringLiteral("Paz"));
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(all<MEDICOS>().at(0).NOMBRE, QStringLiteral("Paz"));
}

TEST_F(ListWindowTest, AFieldTheRulesRefuseKeepsAnInsertOpenAndItsCancelStillRemovesThePrimedRecord)
{
    store(doctor(1, "Pérez")); // any file will do for the rule: consultations number themselves
    driver.start([this] {
        data::Dictionary& data = views::threadDictionary();
        ASSERT_EQ(data.relation<data::CONSULTAS>().open(), data::AccessResult::Ok);
        ASSERT_EQ(data.access<data::CONSULTAS>().prime(), data::AccessResult::Ok);
        answer = framework::callWithRequest(InsertRecord, [] { AgeForm().run(); });
        data.relation<data::CONSULTAS>().close();
        ended = true;
    });
    ASSERT_EQ(all<data::CONSULTAS>().size(), 1u); // primed
    driver.type(QStringLiteral("?CON:ANIOS"), QStringLiteral("120"));
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(driver.answer(QString(), QStringLiteral("OK"))); // the range message
    EXPECT_FALSE(ended);
    EXPECT_EQ(all<data::CONSULTAS>().at(0).ANIOS, 0);

    driver.click(QStringLiteral("?CANCEL"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(answer, Cancelled);
    EXPECT_TRUE(all<data::CONSULTAS>().empty());
}

TEST_F(ListWindowTest, AFailedChangeAsksWhetherToTryAgainAndNoClosesTheFormCancelled)
{
    store(doctor(1, "Pérez"));
    startForm(ChangeRecord, doctor(1, "Pérez"));
    {
        auto other = data::DataFile::open(data::fileDesc(data::FileId::MEDICOS)); // another station
        ASSERT_TRUE(other.file->remove(1).ok());
    }
    driver.type(QStringLiteral("?MED:NOMBRE"), QStringLiteral("Paz"));
    driver.click(QStringLiteral("?OK"));
    while (!driver.messageBox(QStringLiteral("changing this record")) && driver.messageBox(QString()))
        driver.answer(QString(), QStringLiteral("OK")); // what the file layer said first
    ASSERT_TRUE(driver.answer(QStringLiteral("changing this record"), QStringLiteral("&No")));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(answer, Cancelled);
}

TEST_F(ListWindowTest, AfterAnotherStationsChangeTheFormShowsTheStoredRecordAndStaysOpen)
{
    store(doctor(1, "Pérez"));
    startForm(ChangeRecord, doctor(1, "Pérez"));
    {
        auto other = data::DataFile::open(data::fileDesc(data::FileId::MEDICOS)); // another station
        MEDICOS theirs;
        data::RecordRef ref;
        ASSERT_TRUE(other.file->read(1, theirs, &ref).ok());
        theirs.NOMBRE = QStringLiteral("Pérez Gómez");
        ASSERT_TRUE(other.file->change(ref, theirs).ok());
    }
    driver.type(QStringLiteral("?MED:NOMBRE"), QStringLiteral("Paz"));
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(driver.answer(QStringLiteral("changed by another station"), QStringLiteral("OK")));
    driver.settle();
    EXPECT_EQ(driver.messageBox(QString()), nullptr); // no "try again" question
    EXPECT_FALSE(ended);
    auto* name = qobject_cast<QLineEdit*>(driver.find(QStringLiteral("?MED:NOMBRE")));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text().trimmed(), QStringLiteral("Pérez Gómez"));

    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(all<MEDICOS>().at(0).NOMBRE, QStringLiteral("Pérez Gómez"));
}

TEST_F(ListWindowTest, RightClickMenuOffersTheListsActionsAndSelects)
{
    store(doctor(1, "Pérez"));
    startList(SelectRecord);
    QMenu* menu = openContextMenu(QStringLiteral("?BROWSE"));
    ASSERT_NE(menu, nullptr);
    EXPECT_THAT(entries(*menu), ElementsAre("&Insert", "&Change", "&Delete", "&View", "&Select"));
    menu->actions().back()->trigger();
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(chosen.CODIGO, 1);
}

// Another station keeps the doctors' file locked past every wait while a form of another thread
// holds typed values: declining to try again closes only the list that was opening the file.
class LockedListTest : public ListWindowTest,
                       public testing::WithParamInterface<bool /* try again once let go */> {
protected:
    LockedListTest()
    {
        data::AccessObject::setOpeningWaits(
            { std::chrono::milliseconds(50), std::chrono::milliseconds(150) });
    }
    ~LockedListTest() override
    {
        data::AccessObject::setOpeningWaits(data::AccessObject::defaultOpeningWaits());
    }
};

TEST_P(LockedListTest, OnlyTheWindowThatWasOpeningTheFileCloses)
{
    const bool tryAgain = GetParam();
    store(doctor(1, "Pérez"));
    startForm(ChangeRecord, doctor(1, "Pérez"));
    driver.type(QStringLiteral("?MED:NOMBRE"), QStringLiteral("Gómez"));
    ended = false;

    nidora::test::OtherStation station({ "hold", "MEDICOS.QVM" });
    ASSERT_TRUE(station.waitFor(QStringLiteral("held")));
    bool listEnded = false;
    driver.start([&listEnded] {
        NameList().run();
        listEnded = true;
    });
    ASSERT_TRUE(driver.answer(QStringLiteral("Could not get write access to MEDICOS"), QStringLiteral("OK")));
    ASSERT_NE(driver.messageBox(QStringLiteral("Otra estación está usando el archivo MEDICOS.")), nullptr);
    if (tryAgain) {
        EXPECT_EQ(station.finish(), 0);
        ASSERT_TRUE(driver.answer(QStringLiteral("Otra estación"), QStringLiteral("&Yes")));
        ASSERT_NE(driver.window(QStringLiteral("List")), nullptr);
        driver.close(QStringLiteral("List"));
    } else {
        ASSERT_TRUE(driver.answer(QStringLiteral("Otra estación"), QStringLiteral("&No")));
    }
    ASSERT_TRUE(driver.runUntil([&] { return listEnded; }));
    EXPECT_EQ(driver.window(QStringLiteral("List")), nullptr);

    // The form on the other thread is as the user left it, and the program goes on.
    ASSERT_NE(driver.window(QStringLiteral("Cambio")), nullptr);
    auto* name = qobject_cast<QLineEdit*>(driver.find(QStringLiteral("?MED:NOMBRE")));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text().trimmed(), QStringLiteral("Gómez"));
    EXPECT_FALSE(ended);
    if (!tryAgain) {
        EXPECT_EQ(station.finish(), 0);
    }
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(all<MEDICOS>().front().NOMBRE, QStringLiteral("Gómez"));
}

INSTANTIATE_TEST_SUITE_P(Answers, LockedListTest, testing::Values(false, true),
    [](const testing::TestParamInfo<bool>& param) { return param.param ? "TryAgain" : "Decline"; });

} // namespace
} // namespace nidora::views::test
