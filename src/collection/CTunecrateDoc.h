// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "collection/CollectionUi.h"
#include "collection/FileStamp.h"
#include "collection/MusicLibrary.h"
#include "platform/files/LockFile.h"

class AppSettings;
class IniFile;

// The collection document: one music collection, its collection file and the File menu's New,
// Open, Save, Save As and Exit. It owns the collection file object and the MusicLibrary, borrows
// the program settings (for the extension list and the last collection path) and talks to the
// user only through a CollectionUi. The main form and the transfer job reach the library through
// it.
//
// Threads: everything runs on the user-interface thread, except that while a transfer runs its
// worker thread calls GetUntransferredFiles, ClearAllFileFlags, MarkFiles and IsModified; the
// front end saves on its own thread once the job has ended (SaveAfterTransfer), so the user
// interface is only ever called from there. The GUI must not change the collection (add, remove,
// open, new) while a job runs.
class CTunecrateDoc {
  public:
    // Both must outlive the document. `settings` may be null (then scanning finds nothing and
    // no last collection path is stored), as while the main form does not exist yet.
    CTunecrateDoc(CollectionUi& ui, AppSettings* settings);
    ~CTunecrateDoc();
    CTunecrateDoc(const CTunecrateDoc&) = delete;
    CTunecrateDoc& operator=(const CTunecrateDoc&) = delete;

    // --- File menu and closing; each returns whether the action went through.

    // A fresh, empty, unmodified collection without a file.
    bool OnNewDocument();
    // File > New: SaveModified, then OnNewDocument.
    bool OnFileNew();
    // File > Open: asks to save unsaved changes, shows the open dialog and loads the chosen
    // file; stores its path as the last collection in the settings and refreshes the views.
    bool OnFileOpen();
    // File > Save: saves to the collection's file, or runs Save As when it has none.
    bool OnFileSave();
    // File > Save As: shows the save dialog and saves to the chosen file, which becomes the
    // collection's file and the last collection in the settings. A failed save keeps the old one.
    bool OnFileSaveAs();
    // File > Exit and the close box: OnCloseDocument.
    bool OnAppExit() { return OnCloseDocument(); }
    // Asks to save unsaved changes; true when the program may close.
    bool OnCloseDocument();
    // Before the collection is replaced or the program closes: AskSaveChanges.
    bool SaveModified() { return AskSaveChanges(); }
    // When the collection is modified, asks "Save changes?". Yes saves (running Save As when
    // the collection has no file) and clears the modified flag; No keeps the flag; Cancel, a
    // cancelled Save As or a failed save return false: the caller does not go on.
    bool AskSaveChanges();

    // --- The collection.

    // Replaces the collection file object and the library by new, empty ones. Entries handed
    // out before are gone.
    void ResetCollection();
    // Writes the collection to its file, sets the title and, when written, clears the modified
    // flag. A failed write is shown to the user
    // and sets the modified flag, so that the work is offered for saving again before closing.
    // Without a file nothing is written and false is returned; the modified flag is set when the
    // collection holds anything. The transfer job calls this when it ends.
    // The save holds the collection's lock file while it writes; when another program holds it
    // (a fill runs), nothing is written and the user is told. When another program changed the
    // file since it was read, the user interface decides: reload it (true, nothing written),
    // overwrite it, take its flags first, or cancel (false).
    bool SaveCollection();
    // The save after a transfer: as SaveCollection, but a change another program made on disc
    // meanwhile is settled without asking, by taking the file's flags first.
    bool SaveAfterTransfer();
    // Holds the collection's lock until EndExclusiveUse, as a transfer does for its whole run,
    // and settles a change made on disc by another program first (as a save would ask).
    // False, holding nothing, when another program holds the lock, the lock file cannot be made
    // or the user cancelled; the user has been told why.
    bool BeginExclusiveUse();
    void EndExclusiveUse() { runLock_.Unlock(); }
    // The lock file beside a collection file: its path with ".lock" appended.
    static std::string LockPathFor(const std::string& collectionPath);
    // The message for a collection whose lock another program holds.
    static platform::UserMessage InUseText(const std::string& collectionPath);
    // Loads the collection file at `path` (a rescan of its directories) and sets the title. A
    // missing file gives an empty collection that a save will create. A file that cannot be read
    // or holds no collection is reported; the collection is then empty and has no file, so that
    // nothing overwrites that file. Returns false in that case. The modified flag is not touched.
    bool LoadCollection(const std::string& path);
    // The file name of `path` without its last extension: "/music/Rock.ini" gives "Rock".
    static std::string TitleFromPath(const std::string& path);
    // The collection file's path; empty while the collection has none.
    const std::string& GetFilePath() const;

    // Adds a directory and its music files. A path that would not come back unchanged from the
    // collection file is refused with the reason; a directory that cannot be listed is refused
    // with the message "Verzeichnis nicht gefunden: " and the path. Does not set the modified
    // flag and does not look for duplicates (IsListed does).
    bool AddDirectory(const std::string& path);
    // Whether the collection lists the directory `path` names, after normalising both (trailing
    // separators, "." and ".." parts; letter case only where the file system ignores it).
    bool IsListed(const std::string& path) const;
    // What adding a list of folders did.
    struct AddedFolders {
        size_t added = 0;    // folders added as directories
        size_t listed = 0;   // folders skipped: the collection lists them already
        size_t refused = 0;  // folders the document refused (it has said why)
        size_t files = 0;    // music files the added folders brought
    };
    // Adds each of `folders` the collection does not list yet (IsListed) as a directory
    // (AddDirectory) and sets the modified flag when any was added. `proceed`, when given, is
    // asked after each folder with how many are done; false stops there. Runs on the document's
    // thread: a front end finds the folders elsewhere (a worker) and hands them in.
    AddedFolders AddFolders(const std::vector<std::string>& folders,
                            const std::function<bool(size_t done)>& proceed = nullptr);
    // Scans every directory again with the current extensions (after they changed), keeping the
    // flags of the files still found, and sets the modified flag when there is any directory: the
    // file on disc lists other files now.
    void RescanCollection();
    // What a change of the music file extensions did to the collection.
    enum class ExtensionChange {
        kNone,      // the list is what it was: nothing to do
        kNoTypes,   // the list is empty: the collection keeps its files (the user is to be told)
        kRescanned  // the collection was scanned again (RescanCollection)
    };
    // After the extensions dialog: compares `before` with the settings' list now and rescans
    // the collection when the list changed and still holds a type. Without settings, kNone.
    ExtensionChange ApplyExtensionChange(const std::vector<std::string>& before);
    // Removes the first directory of exactly that path with its files.
    void RemoveDirectory(const std::string& path);
    size_t GetDirectoryCount() const { return library_->GetDirectoryCount(); }
    void BeginDirectories() { library_->BeginDirectories(); }
    const std::string& GetNextDirectory() { return library_->GetNextDirectory(); }

    // --- For the transfer job.

    // A new list of the entries with flag 0, in library order. The entries stay the library's;
    // they live until the collection is changed (remove, open, new, destruction).
    std::vector<LibraryEntry*> GetUntransferredFiles() { return library_->GetUntransferredFiles(); }
    // Flag 0 on every entry: all files back in play.
    void ClearAllFileFlags() { library_->SetAllFileFlags(LibraryEntry::kNotTransferred); }
    // Every given entry transferred.
    void MarkFiles(const std::vector<LibraryEntry*>& entries) {
        library_->SetFileFlags(LibraryEntry::kTransferred, entries);
    }

    // The modified flag: set by the main form after adding or removing directories (and by a
    // failed save); cleared by a new collection and by every successful save.
    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true);
    // Called with the new value whenever the modified flag changes, on the thread that changed
    // it (a save at the end of a transfer may run on the job's). Set it before any thread runs.
    void SetModifiedObserver(std::function<void(bool)> observer) {
        modifiedObserver_ = std::move(observer);
    }

    const MusicLibrary& GetLibrary() const { return *library_; }

    // The document's file dialogs.
    static CollectionUi::FileDialog OpenDialog();
    static CollectionUi::FileDialog SaveDialog();

  private:
    void ReportLoadFailure(const std::string& path, const MusicLibrary::LoadResult& loaded);
    // Takes `lock` on the collection's lock file; tells the user when that is not possible.
    bool Lock(platform::LockFile& lock);
    // Asks what to do when the file changed on disc since it was read. Returns whether to go on
    // writing; `reloaded` is set when the file was loaded again instead.
    bool SettleChangeOnDisc(bool& reloaded);

    CollectionUi& ui_;
    AppSettings* settings_;
    std::unique_ptr<IniFile> collectionFile_;
    std::unique_ptr<MusicLibrary> library_;
    std::atomic<bool> modified_{false};
    std::function<void(bool)> modifiedObserver_;
    FileStamp stamp_;        // the collection file as it was read or last written here
    std::string stampPath_;  // the path stamp_ belongs to
    platform::LockFile runLock_;
    bool settleQuietly_ = false;  // a change on disc takes the file's flags without asking
};
