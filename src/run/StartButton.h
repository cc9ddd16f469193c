// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace run {

// What the Start button and the Start Transfer command ask for, decided once for every window.
// The button keeps its state as a hover button does: 0 off, 1 off and pressed, 2 on (a transfer
// runs), 3 on and pressed; a mouse click leaves it on (2) from off and on and pressed (3) from on.
class StartButton {
  public:
    enum State { kOff = 0, kOffPressed = 1, kOn = 2, kOnPressed = 3 };
    enum class Request { kNothing, kStart, kStop };

    // The button's click, in the state the click left it. A press made elsewhere and released
    // over the running button clicks in state 2 too: it starts nothing while a transfer runs.
    static Request OnClick(int state, bool running);
    // The menu command puts the button into the state a click would (on from off, on and
    // pressed from on while a transfer runs), after which the click's request follows; nothing
    // in any other case.
    static std::optional<int> CommandState(int state, bool running);
};

}  // namespace run
