// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
#include "system.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include <limits.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>


namespace System {

std::string ownPath()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path));
    return length > 0 ? std::string(path, size_t(length)) : std::string();
}

std::string workingDirectory()
{
    char path[PATH_MAX];
    return getcwd(path, sizeof(path)) ? std::string(path) : std::string();
}

std::vector<std::string> arguments(int argc, char *argv[])
{
    return std::vector<std::string>(argv, argv + argc);
}

void crash()
{
    // The default action, also where a sanitizer has its own handler.
    std::signal(SIGSEGV, SIG_DFL);
    std::raise(SIGSEGV);
    // cppcheck-suppress unreachableCode
    std::_Exit(1);
}

void closeOutputs()
{
    std::fflush(nullptr);
    close(STDOUT_FILENO);
    close(STDERR_FILENO);
}

void makeOutputsBinary()
{
}

void sleepMs(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void startGrandchild(const std::string &instructions)
{
    const std::string self = ownPath();
    char *const argv[] = {const_cast<char *>(self.c_str()), const_cast<char *>("--instructions"),
                          const_cast<char *>(instructions.c_str()), nullptr};
    pid_t pid = 0;
    posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, environ);
}

void broadcastSettingChange()
{
}

void showMinimizedWindow(int milliseconds, const std::string &)
{
    sleepMs(milliseconds);
}

void listVisibleWindows(const std::string &titlePattern, const std::string &file)
{
    const std::string command = "xdotool search --onlyvisible --name '" + titlePattern + "' > '" + file + "'";
    const int status = std::system(command.c_str());
    (void)status; // xdotool fails when it finds nothing
}

} // namespace System
