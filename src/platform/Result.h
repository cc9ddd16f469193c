// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>

#include "platform/UserMessage.h"

namespace platform {

// How an operation that either succeeds or fails ended.
enum class Done { kDone, kFailed };

// How an operation ended, returned by it: what happened (`outcome`, an enum class of the
// operation whose first value is its success) and why it failed, as the user is to read it.
// Callers read it where they called:
//
//     if (const Status saved = file.Write(); !saved.Ok()) Show(saved.message);
template <typename Outcome = Done>
struct Result {
    Outcome outcome = Outcome{};
    UserMessage message;  // why, when it failed; empty on success

    bool Ok() const { return outcome == Outcome{}; }

    static Result Failed(Outcome why, UserMessage text) { return {why, std::move(text)}; }
    // For outcomes with a kFailed value: the operation failed, for the reason `text`.
    static Result Failed(UserMessage text) { return {Outcome::kFailed, std::move(text)}; }
};

// The result of an operation that either succeeds or fails.
using Status = Result<Done>;

}  // namespace platform
