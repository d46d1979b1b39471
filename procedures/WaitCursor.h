#pragma once

#include "records/RecordFile.h"

namespace zelpo {

// The wait cursor while a patient file is in use at another desk. It appears only once the
// records call says that it is waiting, and goes when this goes: made as a temporary in the
// call's own statement, it is gone before any message about the outcome is shown.
class WaitCursor
{
public:
    WaitCursor() = default;
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    // For the records call to tell that it waits; valid while this lives.
    zelpo::WhileWaiting whileWaiting();

private:
    bool m_shown = false;
};

} // namespace zelpo
