// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/StartButton.h"

namespace run {

StartButton::Request StartButton::OnClick(int state, bool running) {
    if (state == kOn && !running) {
        return Request::kStart;
    }
    return state == kOnPressed && running ? Request::kStop : Request::kNothing;
}

std::optional<int> StartButton::CommandState(int state, bool running) {
    if (state == kOff && !running) {
        return kOn;
    }
    if (state == kOn && running) {
        return kOnPressed;
    }
    return std::nullopt;
}

}  // namespace run
