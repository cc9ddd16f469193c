// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/WipeGuard.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include "platform/files/Utf8Path.h"

namespace fs = std::filesystem;
using platform::UserMessage;
using Id = platform::UserMessage::Id;

namespace {

WipeGuard::Verdict Refused(UserMessage why) {
    return WipeGuard::Verdict::Failed(WipeGuard::Permission::kRefused, std::move(why));
}

// `path` as given (made absolute, without following links) and its link-resolved target.
std::vector<fs::path> FormsOf(const std::string& path) {
    std::error_code ec;
    std::vector<fs::path> forms;
    const fs::path given = fs::absolute(platform::PathFromUtf8(path), ec).lexically_normal();
    if (!ec) {
        forms.push_back(given);
        const fs::path target = fs::weakly_canonical(given, ec);
        if (!ec && target != given) {
            forms.push_back(target);
        }
    }
    return forms;
}

void Add(std::vector<platform::FileIdentity>& list, const fs::path& path) {
    if (const auto identity = platform::IdentityOf(platform::PathToUtf8(path))) {
        list.push_back(*identity);
    }
}

}  // namespace

WipeGuard::WipeGuard(std::string stick, const std::vector<std::string>& musicFolders,
                     const std::vector<std::string>& keptFiles)
    : stick_(std::move(stick)) {
    for (const std::string& folder : musicFolders) {
        protected_.push_back(Describe(folder, true));
    }
    for (const std::string& file : keptFiles) {
        if (!file.empty()) {
            protected_.push_back(Describe(file, false));
        }
    }
}

WipeGuard::Protected WipeGuard::Describe(const std::string& path, bool musicFolder) {
    Protected p{path, musicFolder, {}, {}};
    for (const fs::path& form : FormsOf(path)) {
        Add(p.self, form);
        for (fs::path up = form.parent_path(); !up.empty(); up = up.parent_path()) {
            Add(p.ancestors, up);
            if (up == up.parent_path()) {
                break;  // the root
            }
        }
    }
    return p;
}

bool WipeGuard::Contains(const std::vector<platform::FileIdentity>& list,
                         const platform::FileIdentity& identity) {
    return std::find(list.begin(), list.end(), identity) != list.end();
}

WipeGuard::Verdict WipeGuard::CheckTarget(bool plainFolder) const {
    const std::optional<platform::FileIdentity> stick = platform::IdentityOf(stick_);
    if (!stick) {
        return Refused(UserMessage(Id::kStickNotFound, {stick_}));
    }
    const Protected stickForms = Describe(stick_, false);
    for (const Protected& p : protected_) {
        if (!p.musicFolder) {
            continue;
        }
        if (Contains(p.self, *stick)) {
            return Refused(UserMessage(Id::kNotIntoMusicFolder, {stick_, p.path}));
        }
        if (!plainFolder) {
            continue;
        }
        if (Contains(p.ancestors, *stick)) {
            return Refused(UserMessage(Id::kNotAboveMusicFolder, {stick_, p.path}));
        }
        for (const platform::FileIdentity& above : stickForms.ancestors) {
            if (Contains(p.self, above)) {
                return Refused(UserMessage(Id::kNotInsideMusicFolder, {stick_, p.path}));
            }
        }
    }
    return {};
}

WipeGuard::Verdict WipeGuard::CheckWipe() const {
    std::error_code ec;
    const fs::path canonical = fs::canonical(platform::PathFromUtf8(stick_), ec);
    const std::optional<platform::FileIdentity> root = platform::IdentityOf(stick_);
    if (ec || !root) {
        return Refused(UserMessage(Id::kStickNotFound, {stick_}));
    }
    if (platform::IsSystemRootFolder(canonical)) {
        return Refused(UserMessage(Id::kNotSystemRoot, {platform::PathToUtf8(canonical)}));
    }
    std::vector<platform::FileIdentity> onStick = platform::FolderIdentitiesBelow(stick_);
    onStick.push_back(*root);
    for (const Protected& p : protected_) {
        const bool hit = std::any_of(onStick.begin(), onStick.end(), [&](const auto& folder) {
            return Contains(p.self, folder) || Contains(p.ancestors, folder);
        });
        if (hit) {
            return Refused(UserMessage(Id::kNotWipeHolding, {stick_, p.path}));
        }
    }
    return {};
}
