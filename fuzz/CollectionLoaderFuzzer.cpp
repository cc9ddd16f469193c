// SPDX-License-Identifier: GPL-3.0-or-later
// The collection loader on any file content: no crash, and a collection it loaded, saved and
// loaded again has the same directories, files and flags. "$M" in the input stands for a music
// folder holding a.mp3, b.mp3 and c.mp3, so that loading finds real files to keep flags for.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "FuzzSupport.h"
#include "collection/LibraryDirectory.h"
#include "collection/LibraryEntry.h"
#include "collection/MusicLibrary.h"
#include "storage/AppSettings.h"
#include "storage/IniFile.h"

namespace {

const std::string& MusicFolder() {
    static const std::string folder = [] {
        const std::string path = fuzz::WorkFolder() + "/music";
        mkdir(path.c_str(), 0700);
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "notes.txt"}) {
            std::ofstream(path + "/" + name) << name;
        }
        return path;
    }();
    return folder;
}

using Flags = std::vector<std::tuple<std::string, int, std::string, int>>;

Flags FlagsOf(const MusicLibrary& library) {
    Flags flags;
    for (const auto& entry : library.GetFiles()) {
        flags.emplace_back(entry->GetOwner()->GetName(), entry->GetOwner()->GetFlag(),
                           entry->GetName(), entry->GetFlag());
    }
    return flags;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    for (size_t at = text.find("$M"); at != std::string::npos; at = text.find("$M", at)) {
        text.replace(at, 2, MusicFolder());
        at += MusicFolder().size();
    }
    const std::string path = fuzz::WorkFolder() + "/collection.ini";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;

    static AppSettings settings(fuzz::WorkFolder() + "/settings.ini");
    if (settings.GetExtensionCount() == 0) {
        settings.SetSaveOnDestroy(false);
        settings.AddExtension("mp3");
    }
    IniFile file;
    MusicLibrary library(&file, &settings);
    if (!library.Load(path).Ok()) {
        return 0;
    }
    const Flags loaded = FlagsOf(library);
    fuzz::Require(library.Save().Ok(), "a loaded collection can be saved");
    IniFile again;
    MusicLibrary reloaded(&again, &settings);
    fuzz::Require(reloaded.Load(path).Ok(), "the saved file loads");
    fuzz::Require(FlagsOf(reloaded) == loaded, "load, save and load give the same flags");
    return 0;
}
