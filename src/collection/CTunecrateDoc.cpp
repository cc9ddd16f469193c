// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/CTunecrateDoc.h"

#include <filesystem>
#include <utility>

#include "collection/DirectoryPath.h"
#include "platform/files/Utf8Path.h"
#include "storage/AppSettings.h"
#include "storage/IniFile.h"

using platform::UserMessage;
using Id = platform::UserMessage::Id;

CTunecrateDoc::CTunecrateDoc(CollectionUi& ui, AppSettings* settings)
    : ui_(ui), settings_(settings) {
    ResetCollection();
}

CTunecrateDoc::~CTunecrateDoc() = default;

void CTunecrateDoc::SetModifiedFlag(bool modified) {
    if (modified_.exchange(modified) != modified && modifiedObserver_) {
        modifiedObserver_(modified);
    }
}

bool CTunecrateDoc::OnNewDocument() {
    SetModifiedFlag(false);
    ResetCollection();
    ui_.SetTitle(std::string());
    return true;
}

bool CTunecrateDoc::OnFileNew() {
    return SaveModified() && OnNewDocument();
}

bool CTunecrateDoc::OnFileOpen() {
    // Opening replaces the collection, so unsaved changes are offered for saving first.
    if (!AskSaveChanges()) {
        return false;
    }
    const std::optional<std::string> path = ui_.ChooseFile(OpenDialog());
    if (!path) {
        return false;
    }
    const bool loaded = LoadCollection(*path);
    if (loaded && settings_) {
        settings_->SetMusicCollection(*path);
    }
    SetModifiedFlag(false);
    ui_.UpdateAllViews();
    return loaded;
}

bool CTunecrateDoc::OnFileSave() {
    return GetFilePath().empty() ? OnFileSaveAs() : SaveCollection();
}

bool CTunecrateDoc::OnFileSaveAs() {
    const std::optional<std::string> path = ui_.ChooseFile(SaveDialog());
    if (!path) {
        return false;
    }
    const std::string previous = GetFilePath();
    collectionFile_->SetPath(*path);
    if (!SaveCollection()) {
        // The collection stays with the file it had; the failure has been shown.
        collectionFile_->SetPath(previous);
        ui_.SetTitle(TitleFromPath(previous));
        return false;
    }
    if (settings_) {
        settings_->SetMusicCollection(*path);
    }
    return true;
}

bool CTunecrateDoc::OnCloseDocument() {
    return AskSaveChanges();
}

bool CTunecrateDoc::AskSaveChanges() {
    if (!IsModified()) {
        return true;
    }
    switch (ui_.AskYesNoCancel(UserMessage(Id::kSaveChanges))) {
        case CollectionUi::Answer::kCancel:
            return false;
        case CollectionUi::Answer::kNo:
            return true;
        case CollectionUi::Answer::kYes:
            break;
    }
    // A collection without a file needs a name first; giving none keeps the work open.
    const bool saved = GetFilePath().empty() ? OnFileSaveAs() : SaveCollection();
    if (!saved) {
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void CTunecrateDoc::ResetCollection() {
    runLock_.Unlock();
    stamp_ = FileStamp();
    stampPath_.clear();
    library_.reset();
    collectionFile_ = std::make_unique<IniFile>();
    library_ = std::make_unique<MusicLibrary>(collectionFile_.get(), settings_);
}

std::string CTunecrateDoc::LockPathFor(const std::string& collectionPath) {
    // Beside the file itself, not beside a link to it: every way to the collection takes the
    // same lock.
    std::error_code ec;
    const std::filesystem::path real =
        std::filesystem::weakly_canonical(platform::PathFromUtf8(collectionPath), ec);
    return (ec ? collectionPath : platform::PathToUtf8(real)) + ".lock";
}

UserMessage CTunecrateDoc::InUseText(const std::string& collectionPath) {
    return UserMessage(Id::kInUse, {collectionPath});
}

bool CTunecrateDoc::Lock(platform::LockFile& lock) {
    const std::string lockPath = LockPathFor(GetFilePath());
    const platform::LockFile::Result locked = lock.TryLock(lockPath, GetFilePath());
    switch (locked.outcome) {
        case platform::LockFile::Outcome::kLocked:
            return true;
        case platform::LockFile::Outcome::kBusy:
            ui_.ShowError(InUseText(GetFilePath()));
            return false;
        case platform::LockFile::Outcome::kFailed:
            break;
    }
    ui_.ShowError(UserMessage(Id::kNotLocked, {lockPath}, locked.message));
    return false;
}

bool CTunecrateDoc::SettleChangeOnDisc(bool& reloaded) {
    reloaded = false;
    const std::string path = GetFilePath();
    const FileStamp now = FileStamp::Of(path);
    // A file that is gone now holds nothing that writing could lose.
    if (path != stampPath_ || now == stamp_ || !now.exists) {
        return true;
    }
    switch (settleQuietly_ ? CollectionUi::ChangedAnswer::kTakeFileFlags
                           : ui_.AskChangedOnDisc(path)) {
        case CollectionUi::ChangedAnswer::kReload:
            reloaded = true;
            LoadCollection(path);
            SetModifiedFlag(false);
            ui_.UpdateAllViews();
            return false;
        case CollectionUi::ChangedAnswer::kOverwrite:
            return true;
        case CollectionUi::ChangedAnswer::kTakeFileFlags:
            library_->TakeFlagsFromFile();
            return true;
        case CollectionUi::ChangedAnswer::kCancel:
            break;
    }
    return false;
}

bool CTunecrateDoc::BeginExclusiveUse() {
    if (GetFilePath().empty()) {
        return true;  // no file: nothing to share
    }
    if (!Lock(runLock_)) {
        return false;
    }
    bool reloaded = false;
    if (!SettleChangeOnDisc(reloaded) && !reloaded) {
        runLock_.Unlock();
        return false;
    }
    // Overwriting was chosen (or the file reloaded): the file as it is now is the one to replace.
    stamp_ = FileStamp::Of(GetFilePath());
    stampPath_ = GetFilePath();
    return true;
}

bool CTunecrateDoc::SaveCollection() {
    platform::Status saved;
    if (!GetFilePath().empty()) {
        platform::LockFile lock;
        if (!Lock(lock)) {
            SetModifiedFlag(true);
            return false;
        }
        bool reloaded = false;
        if (!SettleChangeOnDisc(reloaded)) {
            if (!reloaded) {
                SetModifiedFlag(true);
            }
            return reloaded;
        }
        saved = library_->Save();
        if (saved.Ok()) {
            stamp_ = FileStamp::Of(GetFilePath());
            stampPath_ = GetFilePath();
        }
    } else {
        saved = library_->Save();
    }
    ui_.SetTitle(TitleFromPath(GetFilePath()));
    if (saved.Ok()) {
        // Everything in memory is on disc now: nothing is left to offer for saving.
        SetModifiedFlag(false);
        return true;
    }
    if (!GetFilePath().empty()) {
        ui_.ShowError(UserMessage(Id::kNotSaved, {}, saved.message));
        SetModifiedFlag(true);
    } else if (library_->GetDirectoryCount() > 0) {
        SetModifiedFlag(true);
    }
    return false;
}

bool CTunecrateDoc::SaveAfterTransfer() {
    settleQuietly_ = true;
    const bool saved = SaveCollection();
    settleQuietly_ = false;
    return saved;
}

bool CTunecrateDoc::LoadCollection(const std::string& path) {
    // Stamped before reading: a change made while reading shows up as a change later.
    stamp_ = FileStamp::Of(path);
    stampPath_ = path;
    const MusicLibrary::LoadResult loaded = library_->Load(path);
    if (loaded.Ok() || loaded.outcome == MusicLibrary::LoadOutcome::kFileMissing) {
        ui_.SetTitle(TitleFromPath(path));
        return true;
    }
    ReportLoadFailure(path, loaded);
    collectionFile_->SetPath(std::string());
    ui_.SetTitle(std::string());
    return false;
}

void CTunecrateDoc::ReportLoadFailure(const std::string& path,
                                      const MusicLibrary::LoadResult& loaded) {
    if (loaded.outcome == MusicLibrary::LoadOutcome::kFileUnreadable) {
        ui_.ShowError(UserMessage(Id::kNotRead, {path}, loaded.message));
    } else {
        ui_.ShowError(UserMessage(Id::kNotACollection, {path}));
    }
}

std::string CTunecrateDoc::TitleFromPath(const std::string& path) {
    const size_t separator = path.find_last_of(platform::kPathSeparators);
    std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}

const std::string& CTunecrateDoc::GetFilePath() const {
    return collectionFile_->GetPath();
}

bool CTunecrateDoc::IsListed(const std::string& path) const {
    const std::string key = DirectoryPath::Key(path);
    for (const auto& directory : library_->GetDirectories()) {
        if (DirectoryPath::Key(directory->GetName()) == key) {
            return true;
        }
    }
    return false;
}

bool CTunecrateDoc::AddDirectory(const std::string& path) {
    // Stored absolute: a path given relative to a terminal's working directory names the same
    // folder when the collection is used from anywhere else.
    UserMessage problem = DirectoryPath::Problem(path);
    const std::string absolute = problem.IsEmpty() ? DirectoryPath::Absolute(path) : path;
    if (problem.IsEmpty()) {
        problem = DirectoryPath::Problem(absolute);
    }
    if (!problem.IsEmpty()) {
        ui_.ShowError(UserMessage(Id::kPathRefused, {path}, std::move(problem)));
        return false;
    }
    if (!library_->AddDirectory(absolute, 0)) {
        ui_.ShowMessage(UserMessage(Id::kDirectoryNotFound, {path}));
        return false;
    }
    return true;
}

CTunecrateDoc::AddedFolders CTunecrateDoc::AddFolders(const std::vector<std::string>& folders,
                                                      const std::function<bool(size_t)>& proceed) {
    AddedFolders tally;
    for (size_t i = 0; i < folders.size(); ++i) {
        const size_t filesBefore = library_->GetFiles().size();
        if (IsListed(folders[i])) {
            ++tally.listed;
        } else if (AddDirectory(folders[i])) {
            ++tally.added;
            tally.files += library_->GetFiles().size() - filesBefore;
        } else {
            ++tally.refused;
        }
        if (proceed && !proceed(i + 1)) {
            break;
        }
    }
    if (tally.added > 0) {
        SetModifiedFlag();
    }
    return tally;
}

CTunecrateDoc::ExtensionChange CTunecrateDoc::ApplyExtensionChange(
    const std::vector<std::string>& before) {
    if (!settings_ || settings_->GetExtensions() == before) {
        return ExtensionChange::kNone;
    }
    // Without any type a rescan would drop every file and its flag.
    if (settings_->GetExtensionCount() == 0) {
        return ExtensionChange::kNoTypes;
    }
    // Files still found keep their flags.
    RescanCollection();
    return ExtensionChange::kRescanned;
}

void CTunecrateDoc::RemoveDirectory(const std::string& path) {
    library_->RemoveDirectory(path);
}

void CTunecrateDoc::RescanCollection() {
    library_->Rescan();
    if (GetDirectoryCount() > 0) {
        SetModifiedFlag();
    }
}

CollectionUi::FileDialog CTunecrateDoc::OpenDialog() {
    CollectionUi::FileDialog dialog;
    dialog.open = true;
    dialog.defaultExtension = "ini";
    dialog.initialName = "*.ini";
    dialog.filter = "INI Files (*.ini)|*.ini|All Files (*.*)|*.*||";
    dialog.overwritePrompt = true;
    dialog.hideReadOnly = true;
    return dialog;
}

CollectionUi::FileDialog CTunecrateDoc::SaveDialog() {
    CollectionUi::FileDialog dialog = OpenDialog();
    dialog.open = false;
    return dialog;
}
