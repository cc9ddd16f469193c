#include <gtest/gtest.h>

#include "CollectionTestSupport.h"

#include <filesystem>

#include "platform/Utf8Path.h"

namespace fs = std::filesystem;

namespace {

// Windows allows no line break in a name; such entries are left out there, and the tests of
// names the collection file cannot store see that they are not taken either way.
bool MayCreate(const std::string& name) {
#ifdef _WIN32
    return name.find_first_of("\r\n") == std::string::npos;
#else
    (void)name;
    return true;
#endif
}

}  // namespace

CollectionTest::CollectionTest()
    : settings_(temp_ / "Tunecrate.ini"), library_(&file_, &settings_) {
    settings_.SetSaveOnDestroy(false);
    settings_.AddExtension("mp3");
}

std::string CollectionTest::MakeDir(const std::string& name,
                                    std::initializer_list<std::string> entries) {
    const std::string path = temp_ / name;
    if (!MayCreate(name)) {
        return path;
    }
    fs::create_directories(platform::PathFromUtf8(path));
    for (const std::string& entry : entries) {
        const std::string full = temp_ / (name + "/" + entry);
        if (!MayCreate(entry)) {
            continue;
        }
        if (!entry.empty() && entry.back() == '/') {
            fs::create_directories(platform::PathFromUtf8(full));
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
