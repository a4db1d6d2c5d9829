// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#ifndef RARUDOR_TESTS_STANDIN_SYSTEM_H
#define RARUDOR_TESTS_STANDIN_SYSTEM_H

#include <string>
#include <vector>

// The stand-in's view of the system: system.cpp for POSIX, system_win.cpp
// for Windows. Texts are UTF-8.
namespace System {

// The stand-in's own file, wherever it was copied to.
std::string ownPath();
std::string workingDirectory();
// The arguments exactly as the process received them, argv[0] first; on
// Windows as CommandLineToArgvW splits the command line.
std::vector<std::string> arguments(int argc, char *argv[]);

// Ends the process by an access violation (SIGSEGV on POSIX).
[[noreturn]] void crash();
void closeOutputs();
// Byte for byte: no line-end translation on the outputs.
void makeOutputsBinary();
void sleepMs(int milliseconds);
// Starts this program again with the given instruction file, inheriting the
// outputs, and does not wait for it.
void startGrandchild(const std::string &instructions);
// As installers announce a new PATH: WM_SETTINGCHANGE to HWND_BROADCAST by
// SendMessage, which returns once every top-level window has answered.
void broadcastSettingChange();
// Shows a minimized top-level window for that long, answering its messages,
// then writes to file whether it was restored meanwhile ("restored" or
// "minimized"). Windows only; elsewhere it only sleeps.
void showMinimizedWindow(int milliseconds, const std::string &file);
// Writes the visible top-level windows whose title matches the pattern to file.
void listVisibleWindows(const std::string &titlePattern, const std::string &file);

} // namespace System

#endif // RARUDOR_TESTS_STANDIN_SYSTEM_H
