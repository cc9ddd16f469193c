#include <gtest/gtest.h>

#include "CollectionTestSupport.h"

#include <filesystem>

namespace fs = std::filesystem;

CollectionTest::CollectionTest()
    : settings_(temp_ / "Tunecrate.ini"), library_(&file_, &settings_) {
    settings_.SetSaveOnDestroy(false);
    settings_.AddExtension("mp3");
}

std::string CollectionTest::MakeDir(const std::string& name,
                                    std::initializer_list<std::string> entries) {
    const std::string path = temp_ / name;
    fs::create_directories(path);
    for (const std::string& entry : entries) {
        const std::string full = (fs::path(path) / entry).string();
        if (!entry.empty() && entry.back() == '/') {
            fs::create_directories(full);
        } else {
            WriteFileBytes(full, "");
        }
    }
    return path;
}

std::string CollectionTest::Describe(const MusicLibrary& library) const {
    std::string out;
    for (const auto& directory : library.GetDirectories()) {
        if (!out.empty()) {
            out += " | ";
        }
        std::string name = directory->GetName();
        if (name.rfind(temp_.Path() + "/", 0) == 0) {
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
