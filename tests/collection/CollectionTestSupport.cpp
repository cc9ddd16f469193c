// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "CollectionTestSupport.h"

#include <filesystem>

#include "platform/files/Utf8Path.h"

namespace fs = std::filesystem;

CollectionTest::CollectionTest()
    : settings_(temp_ / "Tunecrate.ini"), library_(&file_, &settings_) {
    settings_.SetSaveOnDestroy(false);
    settings_.RemoveAllExtensions();  // not the types a first start begins with
    settings_.AddExtension("mp3");
}

std::string CollectionTest::MakeDir(const std::string& name,
                                    std::initializer_list<std::string> entries) {
    const std::string path = temp_ / name;
    fs::create_directories(platform::PathFromUtf8(path));
    for (const std::string& entry : entries) {
#ifdef _WIN32
        // Windows allows no line break in a name; the tests of names the collection file cannot
        // store see that such a name is not taken either way.
        if (entry.find('\n') != std::string::npos) {
            continue;
        }
#endif
        if (entry.back() == '/') {
            fs::create_directories(platform::PathFromUtf8(path + "/" + entry));
        } else {
            WriteFileBytes(path + "/" + entry, "");
        }
    }
    return path;
}

std::string CollectionTest::Describe(const MusicLibrary& library) const {
    std::string out;
    for (const auto& directory : library.GetDirectories()) {
        out += out.empty() ? "" : " | ";
        std::string name = directory->GetName();
        if (name.rfind(temp_.Path(), 0) == 0 && name.size() > temp_.Path().size() &&
            platform::IsPathSeparator(name[temp_.Path().size()])) {
            name.erase(0, temp_.Path().size() + 1);
        }
        out += name + (directory->GetFlag() ? "[xdir]:" : ":");
        for (const auto& entry : library.GetFiles()) {
            if (entry->GetOwner() == directory.get()) {
                out += " " + entry->GetName() + "=" + std::to_string(entry->GetFlag());
            }
        }
    }
    return out;
}
