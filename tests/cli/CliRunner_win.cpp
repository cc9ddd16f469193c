#include "cli/CliRunner.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/ExecutablePath.h"
#include "platform/Utf8Path.h"
#include "platform/Win32Text.h"
#include "support/TempDir.h"

namespace {

// One argument quoted so that the program's command-line parsing gives it back unchanged:
// backslashes count only before a quote.
std::wstring Quote(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) {
        return arg;
    }
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

HANDLE OpenInheritable(const std::wstring& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string WithoutCarriageReturns(std::string text) {
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
        text.erase(at, 1);
    }
    return text;
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& args,
                 const std::function<void(int, const std::string&)>& whileRunning) {
    TempDir capture;
    const std::string outPath = capture / "out";
    const std::string errPath = capture / "err";
    // The program lies beside the test program; the build's own path may be a host path.
    const std::string program = platform::PathToUtf8(
        platform::PathFromUtf8(platform::ExecutablePath()).parent_path() / "tunecrate-cli.exe");
    std::wstring commandLine = Quote(platform::Widen(program));
    for (const std::string& arg : args) {
        commandLine += L" " + Quote(platform::Widen(arg));
    }

    const HANDLE in = OpenInheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    const HANDLE out = OpenInheritable(platform::Widen(outPath), GENERIC_WRITE, CREATE_ALWAYS);
    const HANDLE err = OpenInheritable(platform::Widen(errPath), GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(in);
    CloseHandle(out);
    CloseHandle(err);
    CliResult result;
    if (!started) {
        result.err = "cannot start " + program + ": " + platform::SystemErrorText(GetLastError());
        return result;
    }
    while (WaitForSingleObject(process.hProcess, whileRunning ? 5 : INFINITE) == WAIT_TIMEOUT) {
        whileRunning(static_cast<int>(process.dwProcessId), ReadFileBytes(outPath));
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    result.exitCode = static_cast<int>(exitCode);
    // The C runtime writes "\n" to a file as "\r\n", as Windows programs do.
    result.out = WithoutCarriageReturns(ReadFileBytes(outPath));
    result.err = WithoutCarriageReturns(ReadFileBytes(errPath));
    return result;
}
