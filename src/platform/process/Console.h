// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace platform {

// The program's arguments in UTF-8. On Windows `argv` is in the 8-bit code page, which cannot
// hold every name, so the arguments are taken from the wide command line instead.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Makes the console show the program's UTF-8 output as such (Windows consoles default to an
// 8-bit code page) and follow the control sequences of the progress line. Output into files and
// pipes is passed on unchanged anyway; output into a closed pipe is a write error, not the end
// of the program.
void PrepareConsole();

// True when standard output is a pipe whose reader has gone (`| head` has read enough). Always
// false on Windows, which does not tell.
bool OutputReaderGone();

// True when both standard input and standard error are a terminal, so questions can be asked.
bool IsInteractiveTerminal();

}  // namespace platform
