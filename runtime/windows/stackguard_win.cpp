// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT

// The stack protector's guard and failure handler, and the checked copies
// that _FORTIFY_SOURCE calls, for Windows programs, in place of GCC's
// libssp: its constructor seeds the guard through CryptoAPI, which loads
// DLLs before main() can restrict where they come from. This seed uses
// kernel32 alone, as MSVC's __security_init_cookie does, and runs from a
// TLS callback, which the loader calls before the program's entry point and
// so before any protected function (Microsoft's PE format documentation,
// "The .tls Section"; Wine does the same). Built without the stack protector, as
// the seeding would fail its own check, and without fortification, as the
// checked copies would call themselves.
#undef _FORTIFY_SOURCE
#include <windows.h>

#include <cstdint>
#include <cstring>

namespace {

// Never zero, and the guard that stays if seeding found no entropy at all.
constexpr std::uintptr_t fallbackGuard = 0x00002B992DDFA232u;
constexpr DWORD statusStackBufferOverrun = 0xC0000409;

} // namespace

extern "C" {

std::uintptr_t __stack_chk_guard = fallbackGuard;

// Ends the process at once: no handler, no unwinding, no message. Since
// Windows 8, __fastfail (int 0x29) does that in the kernel, as Microsoft's
// __fastfail documentation says; Windows 7 raises an exception on it, so
// there the process terminates itself.
[[noreturn]] void __stack_chk_fail()
{
    if (IsProcessorFeaturePresent(PF_FASTFAIL_AVAILABLE))
        __asm__ volatile("int $0x29" : : "c"(FAST_FAIL_STACK_COOKIE_CHECK_FAILURE));
    TerminateProcess(GetCurrentProcess(), statusStackBufferOverrun);
    __builtin_unreachable();
}

// What _FORTIFY_SOURCE's checked functions call on an overflow.
[[noreturn]] void __chk_fail()
{
    __stack_chk_fail();
}

// The checked copies: each gets the size of the destination as the
// compiler knows it, and fails instead of writing past it.
void *__memcpy_chk(void *destination, const void *source, std::size_t length, std::size_t room)
{
    if (length > room)
        __chk_fail();
    return std::memcpy(destination, source, length);
}

void *__memmove_chk(void *destination, const void *source, std::size_t length, std::size_t room)
{
    if (length > room)
        __chk_fail();
    return std::memmove(destination, source, length);
}

void *__memset_chk(void *destination, int value, std::size_t length, std::size_t room)
{
    if (length > room)
        __chk_fail();
    return std::memset(destination, value, length);
}

char *__strcpy_chk(char *destination, const char *source, std::size_t room)
{
    const std::size_t length = std::strlen(source);
    if (length >= room)
        __chk_fail();
    return static_cast<char *>(std::memcpy(destination, source, length + 1));
}

char *__strncpy_chk(char *destination, const char *source, std::size_t length, std::size_t room)
{
    if (length > room)
        __chk_fail();
    return std::strncpy(destination, source, length);
}

char *__strcat_chk(char *destination, const char *source, std::size_t room)
{
    const std::size_t kept = std::strlen(destination);
    const std::size_t added = std::strlen(source);
    if (kept + added >= room)
        __chk_fail();
    std::memcpy(destination + kept, source, added + 1);
    return destination;
}

char *__strncat_chk(char *destination, const char *source, std::size_t limit, std::size_t room)
{
    const std::size_t kept = std::strlen(destination);
    const std::size_t added = strnlen(source, limit);
    if (kept + added >= room)
        __chk_fail();
    std::memcpy(destination + kept, source, added);
    destination[kept + added] = '\0';
    return destination;
}

} // extern "C"

namespace {

void WINAPI seedStackGuard(PVOID, DWORD reason, PVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return;
    FILETIME time = {};
    GetSystemTimeAsFileTime(&time);
    LARGE_INTEGER counter = {};
    QueryPerformanceCounter(&counter);
    std::uintptr_t guard = (std::uintptr_t(time.dwHighDateTime) << 32) ^ time.dwLowDateTime;
    guard ^= std::uintptr_t(GetCurrentProcessId()) << 16;
    guard ^= std::uintptr_t(GetCurrentThreadId()) << 40;
    guard ^= (std::uintptr_t(counter.LowPart) << 32) ^ std::uintptr_t(counter.QuadPart);
    guard ^= reinterpret_cast<std::uintptr_t>(&guard);
    // As MSVC does on 64-bit Windows: the top 16 bits clear, so that a
    // string copy can never write the whole guard.
    guard &= 0x0000FFFFFFFFFFFFu;
    if (guard != 0 && guard != fallbackGuard)
        __stack_chk_guard = guard;
}

} // namespace

// .CRT$XLB sorts before the MinGW runtime's own callbacks (XLC and later).
extern "C" __attribute__((section(".CRT$XLB"), used)) const PIMAGE_TLS_CALLBACK launcherStackGuardSeed = seedStackGuard;
