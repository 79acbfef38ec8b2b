#include "RecordWindowsTest.h"

#include "data/ThreadDictionary.h"
#include "framework/ControlEntry.h"
#include "framework/KeyCodes.h"
#include "views/FormWindow.h"
#include "views/ListWindow.h"

#include <QAbstractItemView>

#include <gmock/gmock.h>

namespace nidora::views::test {
namespace {

using data::MEDICOS;
using framework::DialogRect;
using testing::ElementsAre;

// A form with one entry over the doctor's name.
class NameForm final : public FormWindow {
public:
    NameForm()
        : FormWindow(QStringLiteral("Test:Form"), data::FileId::MEDICOS,
            { QStringLiteral("Alta"), QStringLiteral("Cambio"), QStringLiteral("Baja") })
    {
        setCaption(QStringLiteral("Form"));
        add<framework::EntryControl>(QStringLiteral("?MED:NOMBRE"), DialogRect { 4, 4, 120, 10 },
            QStringLiteral("@s30"), framework::entryValue(record<MEDICOS>().NOMBRE));
        addOk(QStringLiteral("?OK"), { 4, 20, 40, 14 }, QStringLiteral("OK"));
        addCancel(QStringLiteral("?CANCEL"), { 50, 20, 40, 14 }, QStringLiteral("Cancel"));
    }
};

// A list of doctors by number with every button.
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
        setForm([] { NameForm().run(); });
    }
};

class ListWindowTest : public RecordWindowsTest {
protected:
    // Starts the list with a request, as a caller on its thread would; afterwards `answer`
    // holds its response and `chosen` the doctor in the buffer.
    void startList(std::uint8_t request = NoRequest)
    {
        driver.start([this, request] {
            answer = framework::callWithRequest(request, [] { NameList().run(); });
            chosen = data::threadDictionary().buffer<MEDICOS>();
            ended = true;
        });
        ASSERT_NE(driver.window(QStringLiteral("List")), nullptr);
    }
    // Calls the form alone with a request, the doctor given loaded in the buffer.
    void startForm(std::uint8_t request, const MEDICOS& loaded = {})
    {
        driver.start([this, request, loaded] {
            data::threadDictionary().buffer<MEDICOS>() = loaded;
            answer = framework::callWithRequest(request, [] { NameForm().run(); });
            ended = true;
        });
    }
    QString formCaption() { return driver.find(QStringLiteral("?MED:NOMBRE"))->window()->windowTitle(); }
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

} // namespace
} // namespace nidora::views::test
