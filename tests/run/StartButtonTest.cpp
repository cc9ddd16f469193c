// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/StartButton.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using run::StartButton;
using Request = StartButton::Request;

TEST(StartButtonTest, AClickStartsFromOffAndStopsARunningTransfer) {
    const std::tuple<int, bool, Request> rows[] = {
        {StartButton::kOn, false, Request::kStart},
        {StartButton::kOn, true, Request::kNothing},  // released over the running button
        {StartButton::kOnPressed, true, Request::kStop},
        {StartButton::kOnPressed, false, Request::kNothing},
        {StartButton::kOff, false, Request::kNothing},
        {StartButton::kOffPressed, false, Request::kNothing},
    };
    for (const auto& [state, running, request] : rows) {
        SCOPED_TRACE(testing::Message() << "state " << state << ", running " << running);
        EXPECT_EQ(StartButton::OnClick(state, running), request);
    }
}

TEST(StartButtonTest, TheCommandTogglesTheButtonAsAClickWould) {
    EXPECT_EQ(StartButton::CommandState(StartButton::kOff, false), StartButton::kOn);
    EXPECT_EQ(StartButton::CommandState(StartButton::kOn, true), StartButton::kOnPressed);
    EXPECT_EQ(StartButton::CommandState(StartButton::kOnPressed, true), std::nullopt);
    EXPECT_EQ(StartButton::CommandState(StartButton::kOff, true), std::nullopt);
}

}  // namespace
