#pragma once

#include "core/Ui.h"

#include <vector>

namespace velatask {

struct AppContext;

// Stands in for the context's Ui while the scheduler holds the data file for writing: a modal box
// would run a nested event loop in which windows write through the same connection, inside the
// scheduler's transaction. Boxes are answered with their default button and shown for real once
// release() (or the destructor) hands the Ui back; notices and stops pass straight through.
class DeferredUi : public Ui {
public:
    explicit DeferredUi(AppContext& ctx);
    ~DeferredUi() override;
    DeferredUi(const DeferredUi&) = delete;
    DeferredUi& operator=(const DeferredUi&) = delete;

    int messageBox(const MessageBoxSpec& box) override;
    void notice(const MessageBoxSpec& box) override;
    void stopProgram(const QString& finalText) override;

    // Hands the real Ui back and shows the boxes held so far.
    void release();

private:
    AppContext& m_ctx;
    Ui* m_real;
    std::vector<MessageBoxSpec> m_held;
    bool m_released = false;
};

} // namespace velatask
