#pragma once

#include "framework/Requests.h"
#include "views/PagingCursor.h"

#include <functional>

namespace nidora::framework {
class ThreadContext;
}

// The buttons of a list and what they call: which are enabled by the request the list was
// opened with, priming before an insert, the form called with the highlighted record in the
// buffer, the refresh after it, and the repeated call while the form asks to move on.
namespace nidora::views {

// Values a form leaves in NavigationRequest to have its list move and call it again on the
// row it moved to.
enum Navigation : std::int32_t {
    StayOnRecord = 0,
    NextRecord = 1,
    PreviousRecord = 2,
    NextPage = 3,
    PreviousPage = 4,
    FirstRecord = 5,
    LastRecord = 6,
};

struct ListButtons {
    bool insert = false;
    bool change = false;
    bool remove = false;
    bool select = false;
    bool view = false;

    bool operator==(const ListButtons&) const = default;
};

// A list opened for viewing calls no form; the select button shows only when selecting; change,
// delete, view and select need a highlighted row; view only in lists that have a view control.
ListButtons listButtons(std::uint8_t listRequest, bool hasRows, bool hasViewControl = false);

class ListActions {
public:
    // Calls the list's form chosen by number (a list with one form ignores it), on this
    // thread; the form reads CallRequest and leaves its answer in CallResponse.
    using FormCall = std::function<void(int number)>;
    // Fills in what a new record holds besides the file's initial values (a child record, its
    // parent's code), on the cleared buffer before priming numbers and adds it.
    using Priming = std::function<void(data::Record& fresh)>;

    ListActions(
        PagingCursor& view, framework::ThreadContext& thread, std::uint8_t listRequest, FormCall forms);

    void setPriming(Priming priming) { priming_ = std::move(priming); }

    ListButtons buttons(bool hasViewControl = false) const;

    // The buttons: an insert primes first (a failed priming ends as cancelled); the others
    // load the highlighted record. The list refreshes on what the form wrote afterwards.
    // Returns the form's answer; 2 for a button that is not enabled.
    Response insert(int formNumber = 1);
    Response change(int formNumber = 1) { return callOnHighlighted(ChangeRecord, formNumber); }
    Response remove(int formNumber = 1) { return callOnHighlighted(DeleteRecord, formNumber); }
    Response view(int formNumber = 1) { return callOnHighlighted(ViewRecord, formNumber); }
    // Leaves the highlighted record in the buffer and answers 1 (selecting lists only).
    Response select();

    // The form-calling operation: 2 at once when the list was opened for viewing; otherwise
    // CallRequest := request, the form, and its CallResponse.
    Response callForm(int number, std::uint8_t request);

private:
    Response callOnHighlighted(std::uint8_t request, int formNumber);
    void loadHighlighted();
    void refreshAfter(std::uint8_t request, Response response);

    PagingCursor& view_;
    framework::ThreadContext& thread_;
    std::uint8_t listRequest_;
    FormCall forms_;
    Priming priming_;
};

} // namespace nidora::views
