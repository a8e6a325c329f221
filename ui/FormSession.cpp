#include "ui/FormSession.h"

#include "store/StandardWarning.h"
#include "store/Store.h"
#include "ui/BusyCursor.h"
#include "ui/FormRecord.h"

namespace velatask {

FormSession::FormSession(Store& store, FormRecord& record, Request request)
    : m_store(store), m_record(record), m_request(request) {}

FormSession::~FormSession() {
    if (m_open) {
        m_record.close();
    }
}

bool FormSession::open() {
    m_open = m_record.open() == 0;
    if (!m_open) {
        m_response = Response::Cancelled;
        return false;
    }
    if (m_request == Request::Insert) {
        if (m_record.prepareInsert() != 0) {
            m_response = Response::Cancelled;
            return false;
        }
        m_prepared = true;
    }
    m_record.takeCopy();
    return true;
}

void FormSession::takeCopy() {
    m_record.takeCopy();
}

Response FormSession::runDelete(bool confirm) {
    if (confirm && StandardWarning(m_store, 32) != Ui::Ok) {
        m_response = Response::Cancelled;
        return response();
    }
    for (;;) {
        int result = 0;
        {
            BusyCursor busy;
            result = m_record.remove();
        }
        if (result == 0) {
            m_response = Response::Completed;
            return response();
        }
        if (StandardWarning(m_store, 18) != Ui::Yes) {
            m_response = Response::Cancelled;
            return response();
        }
    }
}

FormSession::Outcome FormSession::save() {
    switch (m_request) {
    case Request::Insert:
        return saveInsert();
    case Request::Change:
        return saveChange();
    default:
        return finish(Response::Completed);
    }
}

FormSession::Outcome FormSession::saveInsert() {
    int code = 0;
    {
        BusyCursor busy;
        code = m_record.insert();
    }
    if (code == 0) {
        m_prepared = false;
        return finish(Response::Completed);
    }
    if (code == StoreCode::DuplicateKey) {
        StandardWarning(m_store, 24, m_record.duplicateKeyName());
    } else {
        StandardWarning(m_store, 14);
    }
    return Outcome::Stay;
}

FormSession::Outcome FormSession::saveChange() {
    if (!m_record.changed()) {
        return finish(Response::Cancelled);
    }
    for (;;) {
        int result = 0;
        {
            BusyCursor busy;
            result = m_record.update();
        }
        if (result == 0) {
            return finish(Response::Completed);
        }
        if (result == 2) {
            // The buffer now shows the other station's version; the user decides again.
            m_record.takeCopy();
            return Outcome::Stay;
        }
        switch (StandardWarning(m_store, 16)) {
        case Ui::Yes:
            continue;
        case Ui::No:
            return finish(Response::Cancelled);
        default:
            return Outcome::Stay;
        }
    }
}

void FormSession::cancel() {
    if (m_prepared) {
        m_record.discardInsert();
        m_prepared = false;
    }
    m_response = Response::Cancelled;
}

FormSession::Outcome FormSession::finish(Response response) {
    m_response = response;
    return Outcome::Close;
}

} // namespace velatask
