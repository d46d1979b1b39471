#pragma once

#include "records/RecordFile.h"

namespace zelpo {

// The wait cursor while a patient file is in use at another desk, or while a long piece of work
// runs. It appears only once the records call says that it is waiting, or once shown, and goes
// when this goes: made as a temporary in the call's own statement, or in a scope of the work's
// own, it is gone before any message about the outcome is shown.
class WaitCursor
{
public:
    WaitCursor() = default;
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    // For the records call to tell that it waits; valid while this lives.
    zelpo::WhileWaiting whileWaiting();
    void show();

private:
    bool m_shown = false;
};

} // namespace zelpo
