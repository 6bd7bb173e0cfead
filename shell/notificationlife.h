// A desktop notification's life as its client sees it. Pure: the notification
// reports what happens (the program shows or closes it, a call goes out, the
// server answers or fails, the user dismisses it) and makes the call this
// answers with.
//
//   NotShown ──show──> Shown ──call sent──> Showing ──answer──> Shown
//      ^                 │  ^                  │
//      │               close └──── failed ─────┤ close
//      │                 v                     v
//      └──── close call made ─────────────  Closing ──answer: close call──> NotShown
//   Shown/Showing ──the user dismissed it──> Dismissed (Showing: Closing)
#pragma once

class NotificationLife {
public:
    enum class Phase {
        NotShown,
        Showing, // wanted on screen, a Notify call on its way
        Shown, // wanted on screen, no call on its way
        Dismissed, // closed by the user; shown again only when asked
        Closing, // closed while a Notify call was on its way: close it once answered
    };
    enum class Input { Show, Sent, Answered, Failed, Close, ClosedByServer };
    // What to call on the server now.
    enum class Call { None, Close };

    Call on(Input input);
    Phase phase() const { return m_phase; }
    // Updates and the default action apply.
    bool onScreen() const { return m_phase == Phase::Shown || m_phase == Phase::Showing; }
    // A Notify may go out now (none is on its way).
    bool maySend() const { return m_phase == Phase::Shown; }

private:
    Phase m_phase = Phase::NotShown;
};
