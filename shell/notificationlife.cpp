#include "notificationlife.h"

#include <array>

namespace {

using Phase = NotificationLife::Phase;
using Input = NotificationLife::Input;
using Call = NotificationLife::Call;

struct Step {
    Phase from;
    Input input;
    Phase to;
    Call call;
};

// Every other pair leaves the phase as it is and calls nothing.
constexpr std::array kSteps {
    Step { Phase::NotShown, Input::Show, Phase::Shown, Call::None },
    Step { Phase::Dismissed, Input::Show, Phase::Shown, Call::None },
    Step { Phase::Closing, Input::Show, Phase::Showing, Call::None },
    Step { Phase::Shown, Input::Sent, Phase::Showing, Call::None },
    Step { Phase::Showing, Input::Answered, Phase::Shown, Call::None },
    Step { Phase::Closing, Input::Answered, Phase::NotShown, Call::Close },
    Step { Phase::Showing, Input::Failed, Phase::Shown, Call::None },
    Step { Phase::Closing, Input::Failed, Phase::NotShown, Call::None },
    Step { Phase::Shown, Input::Close, Phase::NotShown, Call::Close },
    Step { Phase::Showing, Input::Close, Phase::Closing, Call::None },
    Step { Phase::Shown, Input::ClosedByServer, Phase::Dismissed, Call::None },
    Step { Phase::Showing, Input::ClosedByServer, Phase::Closing, Call::None },
};

} // namespace

NotificationLife::Call NotificationLife::on(Input input)
{
    for (const Step& s : kSteps) {
        if (s.from == m_phase && s.input == input) {
            m_phase = s.to;
            return s.call;
        }
    }
    return Call::None;
}
