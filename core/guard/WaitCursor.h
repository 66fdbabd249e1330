#pragma once

namespace tornaly {

// Shows the wait cursor while a long piece of work runs, and restores the
// previous one when it goes out of scope, also when the work throws.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_set = false;
};

// Lifts every wait cursor held by WaitCursor while a modal box or dialog is
// up, so the user answers it with the normal cursor; they come back after.
class NormalCursor {
public:
    NormalCursor();
    ~NormalCursor();
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

private:
    int m_lifted = 0;
};

} // namespace tornaly
