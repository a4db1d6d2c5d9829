// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
// Stands in for java and for the installer. Beside its own file it reads
// <own path>.do, one instruction a line, and appends how it was started to
// <own path>.record: its path, its working directory and every argument,
// each ended by NUL, the run ended by 0x1E.
//
//   exit N           exit with code N (the last instruction's code wins)
//   crash            end by an access violation
//   flood FILE       write FILE to standard output and standard error at once
//   grandchild FILE  leave a copy running that follows instruction file FILE
//   sleep MS         sleep
//   close-outputs    close standard output and standard error
//   windows PATTERN  list visible windows whose title matches into <own path>.windows
//   overrun          write past a buffer on the stack, which the stack protector guards
//   read-input       read standard input to its end
//   error-line TEXT  write TEXT and a line end to standard error, as java -version does
//   broadcast        tell every top-level window that the environment changed,
//                    and wait until each has answered (Windows; nothing elsewhere)
//   install FOLDER   rename FOLDER.staged to FOLDER, as an installer puts Java in place
//   minimized-window MS  show a minimized window for MS milliseconds, then write
//                    to <own path>.window whether it was restored meanwhile
//                    (Windows; elsewhere only sleep)
//   copy-input FILE  from now on, while the other instructions go on, append
//                    what arrives on standard input to FILE as it comes
//   open-arguments   try to open each argument as a file, with the arguments
//                    as main() gets them (on Windows in the ANSI code page, as
//                    Java's launcher reads them), and write "opened" or
//                    "not opened" a line to <own path>.opened
#include "system.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace {

std::string readFile(const std::string &path)
{
    std::ifstream file(std::filesystem::u8path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void record(const std::string &path, const std::vector<std::string> &fields)
{
    std::ofstream file(std::filesystem::u8path(path), std::ios::binary | std::ios::app);
    for (const std::string &field : fields)
        file << field << '\0';
    file << '\x1e';
}

void flood(const std::string &dataFile)
{
    const std::string data = readFile(dataFile);
    System::makeOutputsBinary();
    std::thread toError([&data] { std::fwrite(data.data(), 1, data.size(), stderr); });
    std::fwrite(data.data(), 1, data.size(), stdout);
    toError.join();
    std::fflush(stdout);
    std::fflush(stderr);
}

// Through a volatile pointer, so the compiler neither refuses nor drops the writes.
[[gnu::noinline]] void overrun()
{
    char buffer[8];
    volatile char *bytes = buffer;
    for (std::size_t i = 0; i < 64; ++i)
        bytes[i] = 'x';
}

void copyInput(const std::string &file)
{
    std::ofstream out(std::filesystem::u8path(file), std::ios::binary | std::ios::app);
    // Byte by byte: fread would wait for a whole buffer.
    for (int c = std::fgetc(stdin); c != EOF; c = std::fgetc(stdin)) {
        out.put(char(c));
        if (c == '\n')
            out.flush();
    }
}

void openArguments(int argc, char *argv[], const std::string &report)
{
    std::ofstream out(std::filesystem::u8path(report), std::ios::binary);
    for (int i = 1; i < argc; ++i) {
        std::FILE *file = std::fopen(argv[i], "rb");
        out << (file ? "opened\n" : "not opened\n");
        if (file)
            std::fclose(file);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string self = System::ownPath();
    std::vector<std::string> fields = System::arguments(argc, argv);
    // A grandchild follows its own instructions and is not a run of its own.
    const bool grandchild = fields.size() == 3 && fields[1] == "--instructions";
    const std::string instructionFile = grandchild ? fields[2] : self + ".do";
    if (!grandchild) {
        fields.insert(fields.begin() + 1, System::workingDirectory());
        record(self + ".record", fields);
    }

    int exitCode = 0;
    std::istringstream instructions(readFile(instructionFile));
    std::string line;
    while (std::getline(instructions, line)) {
        std::istringstream words(line);
        std::string verb;
        std::string rest;
        words >> verb >> std::ws;
        std::getline(words, rest);
        if (verb == "exit")
            exitCode = std::stoi(rest);
        else if (verb == "crash")
            System::crash();
        else if (verb == "flood")
            flood(rest);
        else if (verb == "grandchild")
            System::startGrandchild(rest);
        else if (verb == "sleep")
            System::sleepMs(std::stoi(rest));
        else if (verb == "close-outputs")
            System::closeOutputs();
        else if (verb == "overrun")
            overrun();
        else if (verb == "read-input")
            while (std::fgetc(stdin) != EOF) {
            }
        else if (verb == "error-line")
            std::fprintf(stderr, "%s\n", rest.c_str());
        else if (verb == "install")
            std::filesystem::rename(std::filesystem::u8path(rest + ".staged"), std::filesystem::u8path(rest));
        else if (verb == "broadcast")
            System::broadcastSettingChange();
        else if (verb == "windows")
            System::listVisibleWindows(rest, self + ".windows");
        else if (verb == "minimized-window")
            System::showMinimizedWindow(std::stoi(rest), self + ".window");
        else if (verb == "copy-input")
            std::thread(copyInput, rest).detach();
        else if (verb == "open-arguments")
            openArguments(argc, argv, self + ".opened");
    }
    return exitCode;
}
