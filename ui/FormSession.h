#pragma once

#include "ui/Request.h"

namespace velatask {

class FormRecord;
class Store;

// The store side of a form: the request it was called with and the response it gives, the copy
// of the record taken at open, the delete confirmation, and saving on OK with its warnings. A
// change that changes nothing writes nothing and answers cancelled.
class FormSession {
public:
    enum class Outcome { Close, Stay };

    FormSession(Store& store, FormRecord& record, Request request);
    ~FormSession();
    FormSession(const FormSession&) = delete;
    FormSession& operator=(const FormSession&) = delete;

    Request request() const { return m_request; }
    Response response() const {
        return m_response == Response::None ? Response::Cancelled : m_response;
    }

    // Opens the tables and, for an insert, prepares the new record; then takes the copy. False
    // when the form cannot show (the answer is then cancelled).
    bool open();
    // The delete request, carried out without a window: the confirmation (warning 32, unless
    // `confirm` is false), the delete procedure with the busy cursor, warning 18 to try again.
    Response runDelete(bool confirm = true);
    // "OK", once the controls are in the buffer and have been checked.
    Outcome save();
    // "Cancel", or the window closed without saving: a reserved insert is taken back.
    void cancel();
    // Takes the copy again (a form that sets values after its defaults counts them as changes).
    void takeCopy();

private:
    Outcome saveInsert();
    Outcome saveChange();
    Outcome finish(Response response);

    Store& m_store;
    FormRecord& m_record;
    Request m_request;
    Response m_response = Response::None;
    bool m_open = false;
    bool m_prepared = false;
};

} // namespace velatask
