// A notification's life without a bus: what each turn of events leaves on the
// screen, and when the client must close it itself.
#include "notificationlife.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Phase = NotificationLife::Phase;
using Input = NotificationLife::Input;
using Call = NotificationLife::Call;

struct Turn {
    Input input;
    Phase phase;
    Call call;
};

struct Story {
    const char* name;
    std::vector<Turn> turns;
};

TEST(NotificationLife, Stories)
{
    const Story stories[] = {
        { "shown, replaced, closed",
            { { Input::Show, Phase::Shown, Call::None }, { Input::Sent, Phase::Showing, Call::None },
                { Input::Answered, Phase::Shown, Call::None }, { Input::Show, Phase::Shown, Call::None },
                { Input::Sent, Phase::Showing, Call::None }, { Input::Answered, Phase::Shown, Call::None },
                { Input::Close, Phase::NotShown, Call::Close },
                { Input::Close, Phase::NotShown, Call::None } } },
        { "closed before the server answered: closed once it does",
            { { Input::Show, Phase::Shown, Call::None }, { Input::Sent, Phase::Showing, Call::None },
                { Input::Close, Phase::Closing, Call::None },
                { Input::Answered, Phase::NotShown, Call::Close } } },
        { "closed and shown again before the answer: it stays",
            { { Input::Show, Phase::Shown, Call::None }, { Input::Sent, Phase::Showing, Call::None },
                { Input::Close, Phase::Closing, Call::None }, { Input::Show, Phase::Showing, Call::None },
                { Input::Answered, Phase::Shown, Call::None } } },
        { "dismissed by the user: not closed again, shown again when asked",
            { { Input::Show, Phase::Shown, Call::None }, { Input::Sent, Phase::Showing, Call::None },
                { Input::Answered, Phase::Shown, Call::None },
                { Input::ClosedByServer, Phase::Dismissed, Call::None },
                { Input::Close, Phase::Dismissed, Call::None }, { Input::Show, Phase::Shown, Call::None } } },
        { "dismissed while a replacement was on its way: the replacement is closed",
            { { Input::Show, Phase::Shown, Call::None }, { Input::Sent, Phase::Showing, Call::None },
                { Input::ClosedByServer, Phase::Closing, Call::None },
                { Input::Answered, Phase::NotShown, Call::Close } } },
        { "a failed call: tried again at the next show, nothing to close",
            { { Input::Show, Phase::Shown, Call::None }, { Input::Sent, Phase::Showing, Call::None },
                { Input::Failed, Phase::Shown, Call::None }, { Input::Sent, Phase::Showing, Call::None },
                { Input::Close, Phase::Closing, Call::None },
                { Input::Failed, Phase::NotShown, Call::None } } },
    };
    for (const Story& story : stories) {
        NotificationLife life;
        for (size_t i = 0; i < story.turns.size(); ++i) {
            const Turn& t = story.turns[i];
            EXPECT_EQ(life.on(t.input), t.call) << story.name << ", turn " << i;
            EXPECT_EQ(life.phase(), t.phase) << story.name << ", turn " << i;
        }
    }
}

} // namespace
