#include "RecordWindowsTest.h"

#include "data/ThreadDictionary.h"
#include "framework/ControlEntry.h"
#include "framework/KeyCodes.h"
#include "views/FormWindow.h"
#include "views/ListWindow.h"

#include <QPushButton>

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

} // namespace
} // namespace nidora::views::test
