#include "views/ListActions.h"

#include "data/AccessBuffer.h"
#include "framework/ThreadContext.h"

namespace nidora::views {
namespace {

std::optional<ListMove> moveFor(std::int32_t navigation)
{
    switch (navigation) {
    case NextRecord:
        return ListMove::RowDown;
    case PreviousRecord:
        return ListMove::RowUp;
    case NextPage:
        return ListMove::PageDown;
    case PreviousPage:
        return ListMove::PageUp;
    case FirstRecord:
        return ListMove::First;
    case LastRecord:
        return ListMove::Last;
    default:
        return std::nullopt;
    }
}

} // namespace

ListButtons listButtons(std::uint8_t listRequest, bool hasRows, bool hasViewControl)
{
    const bool calls = listRequest != ViewRecord;
    return ListButtons { calls, calls && hasRows, calls && hasRows, listRequest == SelectRecord && hasRows,
        hasViewControl && calls && hasRows };
}

ListActions::ListActions(
    PagingCursor& view, framework::ThreadContext& thread, std::uint8_t listRequest, FormCall forms)
    : view_(view)
    , thread_(thread)
    , listRequest_(listRequest)
    , forms_(std::move(forms))
{
}

ListButtons ListActions::buttons(bool hasViewControl) const
{
    return listButtons(listRequest_, !view_.empty(), hasViewControl);
}

Response ListActions::callForm(int number, std::uint8_t request)
{
    if (listRequest_ == ViewRecord)
        return Cancelled;
    thread_.CallRequest = request;
    forms_(number);
    return thread_.CallResponse == Completed ? Completed : Cancelled;
}

Response ListActions::insert(int formNumber)
{
    if (!buttons().insert)
        return Cancelled;
    data::AccessObject& access = view_.access();
    if (priming_) {
        data::clearRecord(access.desc(), access.buffer());
        priming_(access.buffer());
    }
    if (access.prime(bool(priming_)) != data::AccessResult::Ok)
        return Cancelled;
    const Response response = callForm(formNumber, InsertRecord);
    refreshAfter(InsertRecord, response);
    return response;
}

Response ListActions::callOnHighlighted(std::uint8_t request, int formNumber)
{
    const ListButtons enabled = buttons(true);
    if (!(request == ChangeRecord ? enabled.change : request == DeleteRecord ? enabled.remove : enabled.view))
        return Cancelled;
    for (;;) {
        loadHighlighted();
        thread_.NavigationRequest = StayOnRecord;
        const Response response = callForm(formNumber, request);
        refreshAfter(request, response);
        const std::optional<ListMove> move = moveFor(thread_.NavigationRequest);
        thread_.NavigationRequest = StayOnRecord;
        if (!move || view_.empty())
            return response;
        const std::int64_t before = view_.highlighted()->ref.id;
        view_.move(*move);
        if (view_.highlighted()->ref.id == before)
            return response;
    }
}

Response ListActions::select()
{
    if (!buttons().select)
        return Cancelled;
    loadHighlighted();
    return Completed;
}

void ListActions::loadHighlighted()
{
    if (const PagingCursor::Row* row = view_.highlighted())
        view_.access().load(row->ref, *row->record);
}

void ListActions::refreshAfter(std::uint8_t request, Response response)
{
    data::AccessObject& access = view_.access();
    if (response == Completed && (request == InsertRecord || request == ChangeRecord))
        view_.refreshOn(access.buffer(), access.current().id);
    else
        view_.refresh();
}

} // namespace nidora::views
