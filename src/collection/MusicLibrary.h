// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "collection/LibraryDirectory.h"
#include "collection/LibraryEntry.h"
#include "collection/MusicFileScan.h"
#include "platform/Result.h"

class AppSettings;
class IniFile;

// The music collection in memory: the music directories in the order they were added, and one
// list of the music files of all directories in the order they were added, each with its
// transfer flag. The library owns every directory and entry record; lists it hands out hold
// non-owning pointers that stay valid until the records are destroyed (RemoveDirectory, Clear,
// Load, destruction of the library).
//
// The library takes no lock. While a transfer runs, its worker thread may call
// GetUntransferredFiles, SetAllFileFlags, SetFileFlags, the entries' SetFlag and Save; nothing
// else may change the library meanwhile.
class MusicLibrary {
  public:
    // What Load found at the collection file's path. In every case the library is rebuilt from
    // what could be read, which is nothing unless the outcome is kLoaded.
    enum class LoadOutcome {
        kLoaded,              // read (an empty file, or one without a collection, gives no dirs)
        kFileMissing,         // no file at the path (or no path): an empty collection
        kFileUnreadable,      // the file exists but could not be read; the message says why
        kNotACollectionFile,  // the file holds binary data or no INI text at all
    };
    using LoadResult = platform::Result<LoadOutcome>;

    // Neither object is owned; both must outlive the library. Without settings, scanning finds
    // nothing (there are no extensions).
    MusicLibrary(IniFile* collectionFile, const AppSettings* settings);
    MusicLibrary(const MusicLibrary&) = delete;
    MusicLibrary& operator=(const MusicLibrary&) = delete;

    // Appends a directory record (path as given, flag) and an entry with flag 0 for every music
    // file found in it. Returns false and adds nothing when the directory cannot be listed.
    // The same path may be added twice; it then yields a second record and every file again.
    bool AddDirectory(const std::string& path, int flag);
    // Removes the first directory whose path equals `path` byte for byte, with all entries it
    // owns; the order of everything else is kept. Nothing happens when no path matches.
    void RemoveDirectory(const std::string& path);

    size_t GetDirectoryCount() const { return directories_.size(); }
    // The directory walk: BeginDirectories, then GetNextDirectory once per directory. Walking
    // past the end yields an empty path.
    void BeginDirectories() { walk_ = 0; }
    const std::string& GetNextDirectory();

    // A new list of every entry with flag 0 in an available directory, in file-list order;
    // empty when there is none.
    std::vector<LibraryEntry*> GetUntransferredFiles();
    // Sets the flag of every entry of the available directories; the stored flags of an
    // unavailable directory stay as they are.
    void SetAllFileFlags(int flag);
    // Sets the flag of every entry in `entries`, which must be this library's own.
    void SetFileFlags(int flag, const std::vector<LibraryEntry*>& entries);
    // Destroys all directories and entries.
    void Clear();

    // Writes the whole collection file object to its path, its section "MusicFiles" written from
    // the library (other sections stay as they are). Fails when the file could not be written
    // (also when there is no path).
    platform::Status Save();

    // Sets the collection file's path, then loads as Load().
    LoadResult Load(const std::string& path);
    // Re-reads the collection file at its path (dropping whatever the object held) and rebuilds
    // the library from its "MusicFiles" section, scanning every directory again: listed files
    // still present keep their stored flags, files found new come after them with flag 0,
    // vanished files and repeated file lines are dropped, unknown keys are ignored. A directory
    // that cannot be listed, or that is now entirely empty while the file lists music in it (the
    // mount point of a volume that is not mounted looks like that), is marked unavailable and
    // keeps its file lines as they are. The section's lines move into the library: the collection
    // file object keeps the file's other sections only.
    LoadResult Load();
    // The collection file's path; empty while the collection was never saved or opened.
    const std::string& GetFilePath() const;

    // Takes the transfer flags that the collection file at its path holds now for the files
    // of this library (same directory path, same name), except where this program changed a
    // flag since the file was read or written here: those changes (a run's marks) win. Other
    // entries keep theirs. For a file that another program saved since it was read.
    void TakeFlagsFromFile();

    // Scans every directory again with the current extensions, as a save and a load would,
    // without touching the file on disc: flags of files still found are kept.
    void Rescan();

    // Appends the names of the music files now in `directory` to `names`, for the settings'
    // extensions. Appends nothing unless the outcome is Listed.
    ListOutcome ScanDirectory(const LibraryDirectory& directory,
                              std::vector<std::string>& names) const;

    // Counts of the entries: all, in available directories, and not yet transferred there.
    struct Counts {
        size_t files = 0;
        size_t untransferred = 0;
        size_t unavailableDirectories = 0;
        size_t unavailableFiles = 0;
    };
    Counts Count() const;

    // All records in order, for display and inspection.
    const std::vector<std::unique_ptr<LibraryDirectory>>& GetDirectories() const {
        return directories_;
    }
    const std::vector<std::unique_ptr<LibraryEntry>>& GetFiles() const { return files_; }

  private:
    LibraryDirectory* AppendDirectory(const std::string& path, int flag);
    void AppendFile(LibraryDirectory* owner, std::string name, int flag);
    ListOutcome ScanPath(const std::string& path, std::vector<std::string>& names) const;
    LoadResult ReadCollectionFile();
    void RebuildFromSection();
    // Fills the section "MusicFiles" of the collection file object with entries.
    void WriteSection();
    // Calls `line` for every line of the section, directories in order, each followed by its
    // files.
    void ForEachLine(
        const std::function<void(const char* key, const std::string& value)>& line) const;
    // The length of the section's text, line breaks included.
    size_t SectionTextSize() const;

    IniFile* collectionFile_;
    const AppSettings* settings_;
    std::vector<std::unique_ptr<LibraryDirectory>> directories_;
    std::vector<std::unique_ptr<LibraryEntry>> files_;
    size_t walk_ = 0;
};
