// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows program driven from outside by window messages, as a user's clicks and keys would
// drive it: each test starts tunecrate.exe from a folder of its own with a Tunecrate.ini beside
// it, finds its windows and controls by id, acts and reads the effects.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/Text_win.h"
#include "support/TempDir.h"
#include "win/WinApi.h"
#include "win/resource.h"

namespace {

using platform::Narrow;
using platform::Widen;

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Waits until `done` holds, looking again every few milliseconds; false after 30 seconds.
bool WaitFor(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::string Text(HWND window) {
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return Narrow(text);
}

std::vector<std::string> ListLines(HWND list) {
    std::vector<std::string> lines;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t line[1024] = {};
        SendMessageW(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(line));
        lines.push_back(Narrow(line));
    }
    return lines;
}

// Selects the item that reads `text` in a list view of another process, through memory of that
// process; false when there is none.
bool SelectRemoteItem(HWND list, const std::string& text) {
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    const HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    auto* memory =
        static_cast<char*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    bool selected = false;
    const int count = int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count && !selected; ++i) {
        LVITEMW item{};
        item.cchTextMax = 256;
        item.pszText = reinterpret_cast<wchar_t*>(memory + sizeof item);
        WriteProcessMemory(process, memory, &item, sizeof item, nullptr);
        SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(i), reinterpret_cast<LPARAM>(memory));
        wchar_t found[256] = {};
        ReadProcessMemory(process, item.pszText, found, sizeof found - sizeof(wchar_t), nullptr);
        selected = Narrow(found) == text;
        if (selected) {
            item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
            WriteProcessMemory(process, memory, &item, sizeof item, nullptr);
            SendMessageW(list, LVM_SETITEMSTATE, WPARAM(i), reinterpret_cast<LPARAM>(memory));
        }
    }
    VirtualFreeEx(process, memory, 0, MEM_RELEASE);
    CloseHandle(process);
    return selected;
}

// The stick's folder, which the test script maps to the drive letter the program is given.
const std::string kStick = Env("TUNECRATE_TEST_STICK");

class WindowTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(kStick.empty()) << "run by window-tests.sh, which maps the stick's drive";
        for (const std::string& name : FilesIn(kStick + "\\")) {
            DeleteFileW(Widen(kStick + "\\" + name).c_str());
        }
        ASSERT_TRUE(
            CopyFileW(Widen(Env("TUNECRATE_TEST_APP")).c_str(), Widen(App()).c_str(), FALSE));
        for (const char* folder : {"Rock", "Jazz"}) {
            for (int i = 1; i <= 3; ++i) {
                WriteFileBytes(dir_ / folder + "\\" + folder + std::to_string(i) + ".mp3",
                               std::string(50000, 'x'));
            }
        }
        WriteCollection({dir_ / "Rock", dir_ / "Jazz"});
        WriteSettings("StickDrive=" + Env("TUNECRATE_TEST_DRIVE"));
    }

    void TearDown() override {
        if (process_.hProcess) {
            TerminateProcess(process_.hProcess, 1);  // fails harmlessly where it has ended
            WaitForSingleObject(process_.hProcess, 10000);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }

    std::string App() const { return dir_ / "tunecrate.exe"; }
    std::string Collection() const { return dir_ / "Sammlung.ini"; }

    void WriteCollection(const std::vector<std::string>& folders) {
        std::string text = "[MusicFiles]\r\n";
        for (const std::string& folder : folders) {
            text += "dir=" + folder + "\r\n";
        }
        WriteFileBytes(Collection(), text);
    }
    void WriteSettings(const std::string& globals) {
        WriteFileBytes(dir_ / "Tunecrate.ini", "[Global]\r\n" + globals +
                                                   "\r\nMusicCollection=" + Collection() +
                                                   "\r\n[Extensions]\r\next=mp3\r\n");
    }

    // Starts the program and waits for its main window.
    void Start() {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring command = L"\"" + Widen(App()) + L"\"";
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   Widen(dir_.Path()).c_str(), &startup, &process_));
        ASSERT_TRUE(WaitFor([this] {
            frame_ = FindOwnWindow(L"TunecrateFrame", nullptr);
            form_ = frame_ ? GetDlgItem(frame_, IDC_FORM) : nullptr;
            return form_ && IsWindowVisible(frame_);
        }));
        WaitForInputIdle(process_.hProcess, 10000);
    }

    // A visible top-level window of the program with this class (and owner, unless null).
    HWND FindOwnWindow(const wchar_t* windowClass, HWND owner) const {
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, windowClass, nullptr)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == process_.dwProcessId && IsWindowVisible(window) &&
                (!owner || GetWindow(window, GW_OWNER) == owner)) {
                return window;
            }
        }
        return nullptr;
    }

    // A dialog or message box the program opened over its main window.
    HWND WaitForDialog() {
        HWND dialog = nullptr;
        EXPECT_TRUE(
            WaitFor([&] { return (dialog = FindOwnWindow(L"#32770", frame_)) != nullptr; }));
        return dialog;
    }

    HWND Item(int id) const { return GetDlgItem(form_, id); }
    // A menu command, as the menu or its accelerator sends it; posted, since it may open a
    // modal window that would hold a sent message.
    void Command(int id) { PostMessageW(frame_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }
    bool Exited() { return WaitForSingleObject(process_.hProcess, 30000) == WAIT_OBJECT_0; }
    bool RunEnded() {
        return WaitFor(
            [this] { return Text(Item(IDC_START)) == "Start" && !Text(Item(IDC_STATUS)).empty(); });
    }
    // Types `text` into the edit for a new directory and presses Enter there.
    void TypeDirectory(const std::string& text) {
        SendMessageW(Item(IDC_NEWDIR), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(Widen(text).c_str()));
        SendMessageW(form_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_NEWDIR)), TRUE);
        PostMessageW(Item(IDC_NEWDIR), WM_KEYDOWN, VK_RETURN, 1);
        PostMessageW(Item(IDC_NEWDIR), WM_KEYUP, VK_RETURN, 0xC0000001);
    }
    // A mouse message to the Start button at (x, y) of its client area.
    void Mouse(UINT message, WPARAM keys, int x, int y) {
        PostMessageW(Item(IDC_START), message, keys, MAKELPARAM(x, y));
    }
    size_t FilesOnStick() const { return FilesIn(kStick + "\\").size(); }

    TempDir dir_;
    PROCESS_INFORMATION process_{};
    HWND frame_ = nullptr;
    HWND form_ = nullptr;
};

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

TEST_F(WindowTest, TheDirectoryListGrowsWithTheWindow) {
    Start();
    RECT frame, before, after;
    GetWindowRect(frame_, &frame);
    GetWindowRect(Item(IDC_DIRLIST), &before);
    SetWindowPos(frame_, nullptr, 0, 0, frame.right - frame.left + 200,
                 frame.bottom - frame.top + 100, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(Item(IDC_DIRLIST), &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left + 200);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 100);
}

TEST_F(WindowTest, WithoutSettingsBesideItTheProgramKeepsThemInAppData) {
    const std::string settings = Env("APPDATA") + "\\Tunecrate\\Tunecrate.ini";
    DeleteFileW(Widen(settings).c_str());
    DeleteFileW(Widen(dir_ / "Tunecrate.ini").c_str());
    Start();
    PostMessageW(frame_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Exited());
    EXPECT_TRUE(std::filesystem::exists(Widen(settings)));
    EXPECT_FALSE(std::filesystem::exists(Widen(dir_ / "Tunecrate.ini")));
    DeleteFileW(Widen(settings).c_str());
}

TEST_F(WindowTest, EnterInTheEditAddsTheTypedDirectoryAndEmptiesTheEdit) {
    WriteCollection({dir_ / "Rock"});
    Start();
    TypeDirectory(dir_ / "Jazz");
    ASSERT_TRUE(WaitFor([this] { return ListLines(Item(IDC_DIRLIST)).size() == 2; }));
    EXPECT_EQ(ListLines(Item(IDC_DIRLIST)).back(), dir_ / "Jazz");
    EXPECT_EQ(Text(Item(IDC_NEWDIR)), "");
}

TEST_F(WindowTest, FileNewForgetsATypedDirectory) {
    Start();
    SendMessageW(Item(IDC_NEWDIR), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"C:\\half typed"));
    Command(ID_FILE_NEW);
    EXPECT_TRUE(WaitFor([this] { return ListLines(Item(IDC_DIRLIST)).empty(); }));
    EXPECT_EQ(Text(Item(IDC_NEWDIR)), "");
}

TEST_F(WindowTest, RemoveTakesTheSelectedDirectoryOut) {
    Start();
    SendMessageW(Item(IDC_DIRLIST), LB_SETSEL, TRUE, 0);
    Click(Item(IDC_REMOVE));
    ASSERT_TRUE(WaitFor([this] { return ListLines(Item(IDC_DIRLIST)).size() == 1; }));
    EXPECT_EQ(ListLines(Item(IDC_DIRLIST)).front(), dir_ / "Jazz");
}

TEST_F(WindowTest, AddOpensTheShellsFolderPickerWithItsTitle) {
    Start();
    Click(Item(IDC_ADD));
    HWND picker = WaitForDialog();
    EXPECT_EQ(Text(picker), "Add music directory");
    SendMessageW(picker, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(picker); }));
    EXPECT_EQ(ListLines(Item(IDC_DIRLIST)).size(), 2u);
}

TEST_F(WindowTest, TheOpenedCollectionLeadsTheRecentCollections) {
    Start();
    wchar_t first[1024] = {};
    DWORD size = sizeof first - sizeof(wchar_t);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Vornhollow\\Tunecrate\\Recent File List",
                           L"File1", RRF_RT_REG_SZ, nullptr, first, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(Narrow(first), Collection());
}

TEST_F(WindowTest, ExtensionsDialogOkStoresTheTypedExtension) {
    WriteCollection({});
    Start();
    Click(Item(IDC_FILEEXT));
    HWND dialog = WaitForDialog();
    SendMessageW(GetDlgItem(dialog, IDC_NEWEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L".FLAC"));
    SendMessageW(GetDlgItem(dialog, IDC_EXT_OK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    PostMessageW(frame_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Exited());
    EXPECT_NE(ReadFileBytes(dir_ / "Tunecrate.ini").find("ext=flac\r\next=mp3"), std::string::npos);
}

TEST_F(WindowTest, DriveDialogChoiceBecomesTheStickDrive) {
    WriteSettings("StickDrive=");
    Start();
    Command(ID_SELECT_DRIVE);
    HWND dialog = WaitForDialog();
    ASSERT_TRUE(SelectRemoteItem(GetDlgItem(dialog, IDC_DRIVELIST), Env("TUNECRATE_TEST_DRIVE")));
    EXPECT_NE(Text(GetDlgItem(dialog, IDC_DRIVE_DESCRIPTION)).find("Bytes free: "),
              std::string::npos);
    SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([this] { return Text(Item(IDC_DRIVE)) == Env("TUNECRATE_TEST_DRIVE"); }));
    EXPECT_NE(Text(Item(IDC_FREE_SPACE)).find(" MB free"), std::string::npos);
}

TEST_F(WindowTest, EjectAfterARunSaysWhyAFixedDiscStays) {
    Start();
    SendMessageW(Item(IDC_EJECT), BM_CLICK, 0, 0);
    Command(ID_START_TRANSFER);
    HWND box = WaitForDialog();
    const std::string expected =
        "Not ejected: " + Env("TUNECRATE_TEST_DRIVE") + " is on a fixed disc";
    EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), expected);
    SendMessageW(box, WM_COMMAND, IDOK, 0);
    const std::string status = Text(Item(IDC_STATUS));
    EXPECT_EQ(status.substr(status.find('\n') + 1), expected) << status;
    EXPECT_EQ(FilesOnStick(), 6u);
}

TEST_F(WindowTest, StartTransferDuringARunStopsIt) {
    for (int i = 4; i <= 200; ++i) {
        WriteFileBytes(dir_ / "Rock\\song" + std::to_string(i) + ".mp3", std::string(50000, 'x'));
    }
    Start();
    Command(ID_START_TRANSFER);
    Command(ID_START_TRANSFER);
    ASSERT_TRUE(RunEnded());
    EXPECT_EQ(Text(Item(IDC_STATUS)).rfind("Stopped on request after", 0), 0u)
        << Text(Item(IDC_STATUS));
    EXPECT_LT(FilesOnStick(), 203u);
    EXPECT_EQ(Count(ReadFileBytes(Collection()), "f1="), FilesOnStick());
}

TEST_F(WindowTest, PressAndReleaseOnTheIdleStartButtonStartsARun) {
    Start();
    Mouse(WM_MOUSEMOVE, 0, 5, 5);
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Mouse(WM_LBUTTONUP, 0, 5, 5);
    ASSERT_TRUE(RunEnded());
    EXPECT_EQ(FilesOnStick(), 6u);
}

TEST_F(WindowTest, DraggingOffThePressedStartButtonStartsNothing) {
    Start();
    Mouse(WM_MOUSEMOVE, 0, 5, 5);
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, -40, -40);
    Mouse(WM_LBUTTONUP, 0, -40, -40);
    Command(ID_APP_ABOUT);  // a window that comes after everything posted before it
    SendMessageW(WaitForDialog(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(Text(Item(IDC_START)), "Start");
    EXPECT_EQ(Text(Item(IDC_STATUS)), "");
    EXPECT_EQ(FilesOnStick(), 0u);
}

TEST_F(WindowTest, WipeQuestionAnsweredNoLeavesTheStickAsItWas) {
    WriteFileBytes(kStick + "\\letter.txt", "not music");
    Start();
    SendMessageW(Item(IDC_DELETE_OLD), BM_CLICK, 0, 0);
    Command(ID_START_TRANSFER);
    HWND question = WaitForDialog();
    EXPECT_NE(Text(GetDlgItem(question, 0xFFFF)).find("Delete everything on"), std::string::npos);
    SendMessageW(question, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(RunEnded());
    EXPECT_EQ(Text(Item(IDC_STATUS)), "Nothing was deleted or copied.");
    EXPECT_EQ(FilesIn(kStick + "\\"), std::set<std::string>{"letter.txt"});
}

TEST_F(WindowTest, ClosingAModifiedCollectionAsksToSaveAndCancelKeepsTheWindow) {
    Start();
    SendMessageW(Item(IDC_DIRLIST), LB_SETSEL, TRUE, 0);
    SendMessageW(Item(IDC_REMOVE), BM_CLICK, 0, 0);
    PostMessageW(frame_, WM_CLOSE, 0, 0);
    HWND prompt = WaitForDialog();
    EXPECT_EQ(Text(GetDlgItem(prompt, 0xFFFF)),
              "Your music selection has been modified.\nSave changes?");
    SendMessageW(prompt, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(prompt); }));
    EXPECT_TRUE(IsWindowVisible(frame_));
}

TEST_F(WindowTest, SavePromptAnsweredYesSavesTheCollection) {
    Start();
    SendMessageW(Item(IDC_DIRLIST), LB_SETSEL, TRUE, 0);
    SendMessageW(Item(IDC_REMOVE), BM_CLICK, 0, 0);
    PostMessageW(frame_, WM_CLOSE, 0, 0);
    SendMessageW(WaitForDialog(), WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(Exited());
    EXPECT_EQ(ReadFileBytes(Collection()).find("Rock"), std::string::npos);
}

// Run with a German user interface language (window-tests.sh).
TEST_F(WindowTest, GermanResourcesNameTheForm) {
    Start();
    const std::pair<int, const char*> rows[] = {
        {IDC_LIST_LABEL, "Musiksammlung"},
        {IDC_DELETE_OLD, "Alte Musikdateien vom Stick &löschen"},
        {IDC_EJECT, "Stick nach dem Kopieren aus&werfen"},
        {IDC_START, "Start"},
        {IDC_ADD, "Ordner hinzufügen"},
    };
    for (const auto& [id, german] : rows) {
        EXPECT_EQ(Text(Item(id)), german) << "control " << id;
    }
}

TEST_F(WindowTest, GermanResourcesNameTheDriveDialog) {
    Start();
    Command(ID_SELECT_DRIVE);
    EXPECT_EQ(Text(WaitForDialog()), "Laufwerke");
}

}  // namespace

// The run itself fills the stick and saves the flags of what it copied.
TEST_F(WindowTest, PlayOrderAfterARunSaysWhatItDid) {
    Start();
    Command(ID_START_TRANSFER);
    ASSERT_TRUE(RunEnded());
    EXPECT_EQ(Count(ReadFileBytes(Collection()), "f1="), 6u);
    Command(ID_STICK_ORDER);
    HWND box = WaitForDialog();
    EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), "6 songs put in play order (folders: 1)");
    SendMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(FilesOnStick(), 6u);
}
