#pragma once
// A key's release acts only after that key's press reached the same window: the Enter or Esc that closed
// another window (a message, a dialog) is let go over this one, and its release alone must not act here.

class QKeyEvent;

namespace ui {

class KeyReleaseGuard
{
public:
    // The press of a key whose release may act; a held key's repeated presses are not new presses.
    void pressed(const QKeyEvent& event);
    // Whether this release ends the press recorded last. It does so once: the press is used up, and a held
    // key's repeated releases never count.
    bool released(const QKeyEvent& event);
    // No press is waiting for its release any more (the window shows afresh).
    void forget() { m_down = 0; }

private:
    int m_down = 0;
};

} // namespace ui
