// SPDX-License-Identifier: GPL-3.0-or-later
// The settings loader on any file content: no crash, and settings it loaded are saved to a fresh
// file and load from it unchanged.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "FuzzSupport.h"
#include "storage/AppSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input = fuzz::WorkFolder() + "/input.ini";
    const std::string saved = fuzz::WorkFolder() + "/saved.ini";
    std::ofstream(input, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    std::remove(saved.c_str());

    AppSettings loaded(input);
    loaded.SetSaveOnDestroy(false);
    fuzz::Require(loaded.GetLoadResult().Ok(), "a regular small file is always read");
    AppSettings copy(saved);
    copy.SetSaveOnDestroy(false);
    copy.SetStickDrive(loaded.GetStickDrive());
    copy.SetMusicCollection(loaded.GetMusicCollection());
    copy.RemoveAllExtensions();  // a fresh file starts with the common types: the loaded ones only
    for (const std::string& ext : loaded.GetExtensions()) {
        copy.AddExtension(ext);
    }
    fuzz::Require(copy.Save().Ok(), "settings are saved to a fresh file");
    AppSettings reloaded(saved);
    reloaded.SetSaveOnDestroy(false);
    fuzz::Require(reloaded.GetStickDrive() == loaded.GetStickDrive(), "stick drive kept");
    fuzz::Require(reloaded.GetMusicCollection() == loaded.GetMusicCollection(), "collection kept");
    fuzz::Require(reloaded.GetExtensions() == loaded.GetExtensions(), "extensions kept");
    return 0;
}
