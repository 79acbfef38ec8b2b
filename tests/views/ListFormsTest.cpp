#include "views/FormSession.h"
#include "views/ListActions.h"

#include "data/AccessTestFixture.h"
#include "framework/ThreadContext.h"

#include <gmock/gmock.h>

#include <chrono>
#include <ostream>
#include <utility>

namespace nidora::views {
namespace {

using core::Answer;
using data::FileId;
using data::MEDICOS;
using testing::ElementsAre;

struct ButtonCase {
    std::uint8_t request;
    bool hasRows;
    ListButtons expected;
};

void PrintTo(const ButtonCase& c, std::ostream* out)
{
    *out << "request " << int(c.request) << (c.hasRows ? " with rows" : " empty");
}

class ListButtonRules : public testing::TestWithParam<ButtonCase> { };

TEST_P(ListButtonRules, FollowTheListsRequest)
{
    EXPECT_EQ(listButtons(GetParam().request, GetParam().hasRows, true), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(ByRequest, ListButtonRules,
    testing::Values(ButtonCase { NoRequest, true, { true, true, true, false, true } },
        ButtonCase { InsertRecord, true, { true, true, true, false, true } },
        ButtonCase { SelectRecord, true, { true, true, true, true, true } },
        ButtonCase { SelectRecord, false, { true, false, false, false, false } },
        ButtonCase { ViewRecord, true, { false, false, false, false, false } },
        ButtonCase { NoRequest, false, { true, false, false, false, false } }));

enum class Press { Ok, Cancel };

// The doctors list and a stand-in for its form: the form takes its request as a form does,
// lets the test edit the buffer, and presses the button the test chose; when the form stays
// open, the user presses once more (Cancel unless the test says otherwise).
class ListFormsTest : public data::test::AccessTest {
protected:
    void SetUp() override { ASSERT_EQ(data.relation(FileId::MEDICOS).open(), data::AccessResult::Ok); }

    void form(int)
    {
        const std::uint8_t request = thread.CallRequest;
        thread.CallRequest = 0;
        thread.CallResponse = 0;
        FormSession session(data.relation(FileId::MEDICOS), request, captions);
        requests.push_back(request);
        shownCaptions.push_back(session.caption());
        if (edit)
            edit(data.buffer<MEDICOS>());
        FormStep step = press == Press::Ok ? session.ok() : session.cancel();
        steps.push_back(step);
        if (!step.closes) {
            if (whileOpen)
                whileOpen();
            step = pressAgain == Press::Ok ? session.ok() : session.cancel();
        }
        thread.CallResponse = step.response;
        if (navigateOnce) {
            thread.NavigationRequest = navigateOnce;
            navigateOnce = 0;
        }
    }

    ListActions actions(std::uint8_t listRequest = NoRequest)
    {
        return ListActions(view, thread, listRequest, [this](int number) { form(number); });
    }
    std::vector<MEDICOS> doctors() { return all<MEDICOS>(); }
    QString highlightedName() const
    {
        return static_cast<const MEDICOS&>(*view.highlighted()->record).NOMBRE;
    }
    void storeDoctors(std::initializer_list<const char*> names)
    {
        std::uint8_t code = 0;
        for (const char* name : names) {
            MEDICOS m;
            m.CODIGO = ++code;
            m.NOMBRE = QString::fromUtf8(name);
            store(m);
        }
        view.open();
    }

    framework::ThreadContext thread { 2 };
    FormCaptions captions { "Nuevo Registro", "Editando Registro", "Borrar Registro?" };
    PagingCursor view { access(FileId::MEDICOS),
        { { &key(FileId::MEDICOS, "MED:KCODIGO"), LocatorKind::Incremental } } };
    Press press = Press::Ok;
    std::function<void(MEDICOS&)> edit;
    std::function<void()> whileOpen;
    Press pressAgain = Press::Cancel;
    std::int32_t navigateOnce = 0;
    std::vector<std::uint8_t> requests;
    std::vector<QString> shownCaptions;
    std::vector<FormStep> steps;
};

TEST_F(ListFormsTest, InsertPrimesTheNumberCallsTheFormAndHighlightsTheNewRecord)
{
    storeDoctors({ "Dr. Uno", "Dr. Dos" });
    edit = [](MEDICOS& m) { m.NOMBRE = "Dra. Tres"; };
    EXPECT_EQ(actions().insert(), Completed);
    EXPECT_THAT(requests, ElementsAre(InsertRecord));
    EXPECT_THAT(shownCaptions, ElementsAre("Nuevo Registro"));
    ASSERT_EQ(doctors().size(), 3u);
    EXPECT_EQ(doctors().back().NOMBRE, "Dra. Tres");
    EXPECT_EQ(highlightedName(), "Dra. Tres");
    EXPECT_EQ(static_cast<const MEDICOS&>(*view.highlighted()->record).CODIGO, 3);
    EXPECT_EQ(thread.CallRequest, 0);
}

TEST_F(ListFormsTest, ACancelledInsertLeavesNoRowAndTheNextInsertTakesTheSameCode)
{
    storeDoctors({ "Dr. Uno" });
    press = Press::Cancel;
    EXPECT_EQ(actions().insert(), Cancelled);
    EXPECT_EQ(doctors().size(), 1u);
    EXPECT_EQ(view.loadedRows(), 1);
    EXPECT_EQ(highlightedName(), "Dr. Uno");

    press = Press::Ok;
    edit = [](MEDICOS& m) { m.NOMBRE = "Dr. Dos"; };
    EXPECT_EQ(actions().insert(), Completed);
    ASSERT_EQ(doctors().size(), 2u);
    EXPECT_EQ(doctors().back().CODIGO, 2);
}

// Cancelling a new doctor while another station holds the file past the limit: the primed
// record cannot be deleted and the form stays open. The record must still count as primed,
// so the next press deals with it instead of forgetting it on file.
struct FailedCancelCase {
    Press then;
    Response response;
    std::vector<std::pair<int, QString>> doctors; // on file afterwards: code and name
};

void PrintTo(const FailedCancelCase& c, std::ostream* out)
{
    *out << (c.then == Press::Ok ? "then OK" : "then Cancel");
}

class FailedCancel : public ListFormsTest, public testing::WithParamInterface<FailedCancelCase> { };

TEST_P(FailedCancel, KeepsThePrimedRecordForTheNextPress)
{
    storeDoctors({ "Dr. Uno" });
    data.relation(FileId::MEDICOS).setTransactionLimit(std::chrono::milliseconds(50));
    press = Press::Cancel;
    edit = [this](MEDICOS& m) {
        m.NOMBRE = "Dr. Dos";
        ASSERT_TRUE(disk(FileId::MEDICOS).beginBuffered().ok());
    };
    whileOpen = [this] { ASSERT_TRUE(disk(FileId::MEDICOS).flush().ok()); };
    pressAgain = GetParam().then;
    acknowledge(); // message 24: the delete could not begin
    presenter.answer(Answer::No); // message 36: not again now

    EXPECT_EQ(actions().insert(), GetParam().response);
    EXPECT_THAT(shownNumbers(), ElementsAre(24, 36));
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_FALSE(steps[0].closes);
    std::vector<std::pair<int, QString>> onFile;
    for (const MEDICOS& m : doctors())
        onFile.emplace_back(m.CODIGO, m.NOMBRE);
    EXPECT_EQ(onFile, GetParam().doctors);
    EXPECT_FALSE(data.access<MEDICOS>().numbered());
}

INSTANTIATE_TEST_SUITE_P(ByNextPress, FailedCancel,
    testing::Values(FailedCancelCase { Press::Cancel, Cancelled, { { 1, "Dr. Uno" } } },
        FailedCancelCase { Press::Ok, Completed, { { 1, "Dr. Uno" }, { 2, "Dr. Dos" } } }));

TEST_F(ListFormsTest, ChangeWithNothingChangedWritesNothingAndCompletes)
{
    storeDoctors({ "Dr. Uno" });
    const std::int64_t version = view.highlighted()->ref.version;
    EXPECT_EQ(actions().change(), Completed);
    EXPECT_THAT(shownCaptions, ElementsAre("Editando Registro"));
    data::RecordRef ref;
    MEDICOS stored;
    ASSERT_TRUE(disk(FileId::MEDICOS).read(view.highlighted()->ref.id, stored, &ref).ok());
    EXPECT_EQ(ref.version, version);
}

TEST_F(ListFormsTest, ChangeWritesAndTheListFollowsTheRecord)
{
    storeDoctors({ "Dr. Uno", "Dr. Dos" });
    view.move(ListMove::RowDown);
    edit = [](MEDICOS& m) { m.NOMBRE = "Dr. Dos Cambiado"; };
    EXPECT_EQ(actions().change(), Completed);
    EXPECT_EQ(doctors()[1].NOMBRE, "Dr. Dos Cambiado");
    EXPECT_EQ(highlightedName(), "Dr. Dos Cambiado");
}

struct FailedChangeCase {
    Answer answer;
    FormStep expected;
};

void PrintTo(const FailedChangeCase& c, std::ostream* out)
{
    *out << (c.answer == Answer::Yes ? "Yes" : c.answer == Answer::No ? "No" : "Cancel");
}

class FailedChange : public ListFormsTest, public testing::WithParamInterface<FailedChangeCase> { };

TEST_P(FailedChange, AsksMessage37WithYesNoAndCancel)
{
    storeDoctors({ "Dr. Uno", "Dr. Dos" });
    // The doctor is given the code the other one has.
    edit = [](MEDICOS& m) { m.CODIGO = 2; };
    acknowledge(); // message 15
    presenter.answer(GetParam().answer);
    if (GetParam().answer == Answer::Yes) { // tried again, in vain
        acknowledge();
        presenter.answer(Answer::No);
    }
    actions().change();
    const std::vector<int> expected = GetParam().answer == Answer::Yes ? std::vector<int> { 15, 37, 15, 37 }
                                                                       : std::vector<int> { 15, 37 };
    EXPECT_EQ(shownNumbers(), expected);
    EXPECT_EQ(presenter.shown()[1].buttons, core::MessageButtons::YesNoCancel);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0], GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(ByAnswer, FailedChange,
    testing::Values(FailedChangeCase { Answer::Yes, { true, Cancelled, false } },
        FailedChangeCase { Answer::No, { true, Cancelled, false } },
        FailedChangeCase { Answer::Cancel, { false, Cancelled, false } }));

TEST_F(ListFormsTest, DeleteRemovesTheRecordAndTheListMovesToTheNext)
{
    storeDoctors({ "Dr. Uno", "Dr. Dos", "Dr. Tres" });
    view.move(ListMove::RowDown);
    EXPECT_EQ(actions().remove(), Completed);
    EXPECT_THAT(shownCaptions, ElementsAre("Borrar Registro?"));
    EXPECT_EQ(doctors().size(), 2u);
    EXPECT_EQ(highlightedName(), "Dr. Tres");
    EXPECT_TRUE(presenter.shown().empty());
}

TEST_F(ListFormsTest, ViewAnswersCancelledEvenThroughOk)
{
    storeDoctors({ "Dr. Uno" });
    edit = [](MEDICOS& m) { m.NOMBRE = "Nadie"; };
    EXPECT_EQ(actions().view(), Cancelled);
    EXPECT_THAT(shownCaptions, ElementsAre("View Record"));
    EXPECT_EQ(doctors()[0].NOMBRE, "Dr. Uno");
}

TEST_F(ListFormsTest, AListOpenedForViewingCallsNoForm)
{
    storeDoctors({ "Dr. Uno" });
    ListActions viewing = actions(ViewRecord);
    EXPECT_EQ(viewing.callForm(1, ChangeRecord), Cancelled);
    EXPECT_EQ(viewing.insert(), Cancelled);
    EXPECT_EQ(viewing.change(), Cancelled);
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(doctors().size(), 1u);
}

TEST_F(ListFormsTest, TheFormIsCalledAgainWhileItAsksToMoveOn)
{
    storeDoctors({ "Dr. Uno", "Dr. Dos", "Dr. Tres" });
    std::vector<QString> seen;
    edit = [&](MEDICOS& m) { seen.push_back(m.NOMBRE); };
    navigateOnce = NextRecord;
    EXPECT_EQ(actions().change(), Completed);
    EXPECT_THAT(seen, ElementsAre("Dr. Uno", "Dr. Dos"));
    EXPECT_THAT(requests, ElementsAre(ChangeRecord, ChangeRecord));
    EXPECT_EQ(thread.NavigationRequest, 0);
    EXPECT_EQ(highlightedName(), "Dr. Dos");
}

TEST_F(ListFormsTest, SelectLeavesTheHighlightedRecordInTheBufferOnlyWhenSelecting)
{
    storeDoctors({ "Dr. Uno", "Dr. Dos" });
    view.move(ListMove::Last);
    EXPECT_EQ(actions(InsertRecord).select(), Cancelled);
    EXPECT_EQ(data.buffer<MEDICOS>().NOMBRE, "");
    EXPECT_EQ(actions(SelectRecord).select(), Completed);
    EXPECT_EQ(data.buffer<MEDICOS>().NOMBRE, "Dr. Dos");
}

TEST(FormCaptionsTest, ByRequestCutToThirtyNineCharacters)
{
    nidora::test::ScratchDirectory scratch;
    data::Dictionary dictionary;
    const FormCaptions captions { QString(45, u'x'), "Cambiar", "Borrar" };
    const auto caption = [&](std::uint8_t request) {
        return FormSession(dictionary.relation(FileId::MEDICOS), request, captions).caption();
    };
    EXPECT_EQ(caption(InsertRecord), QString(39, u'x'));
    EXPECT_EQ(caption(ChangeRecord), "Cambiar");
    EXPECT_EQ(caption(DeleteRecord), "Borrar");
    EXPECT_EQ(caption(ViewRecord), "View Record");
    EXPECT_EQ(caption(NoRequest), "");
    EXPECT_EQ(caption(SelectRecord), "");
}

} // namespace
} // namespace nidora::views
