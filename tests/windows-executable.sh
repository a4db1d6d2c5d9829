#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# The facts of launcher.exe that a shipper relies on: a GUI program that
# needs no DLL beside it and loads none from there, with ASLR and DEP, the
# wallet's icon, version and manifest.
set -euo pipefail
exe=$1
map=$2
fail() { echo "FAIL: $*"; exit 1; }

headers=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -q 'Subsystem.*(Windows GUI)' <<< "$headers" || fail "not a GUI subsystem program"
# Every import must be one of the KnownDLLs of Windows 10 and 11, which
# Windows loads from System32 alone; any other DLL is delay-loaded.
known_dlls='^(advapi32|clbcatq|combase|comdlg32|coml2|difxapi|gdi32|gdiplus|imagehlp|imm32|kernel32|msctf|msvcrt|normaliz|nsi|ole32|oleaut32|psapi|rpcrt4|sechost|setupapi|shcore|shell32|shlwapi|user32|wldap32|ws2_32|ntdll)\.dll$'
imports=$(sed -n 's/^\s*DLL Name: //p' <<< "$headers" | tr 'A-Z' 'a-z' | sort -u)
[ -n "$imports" ] || fail "no imports read"
others=$(grep -Ev "$known_dlls" <<< "$imports" || true)
[ -z "$others" ] || fail "imports DLLs that Windows may load from the program's folder: $others"
# Windows binds imports before main() runs, and resolves a forwarded export
# at the same time, searching the program's folder for a DLL outside the
# KnownDLLs. From public export dumps of advapi32 on Windows 7 to 11:
# SystemFunction001-005, 028, 029, 034, 036, 040 and 041 forward to
# cryptbase.dll, the other SystemFunction0NN and the CryptoAPI (Crypt*)
# to cryptsp.dll. Wine implements them in advapi32 itself, so no Wine run
# shows this load: the import table does.
functions=$(awk '/DLL Name:/ { dll = tolower($3) } /^[[:space:]]*[[:xdigit:]]+[[:space:]]+[0-9]+[[:space:]]+[A-Za-z_]/ && dll { print dll, $3 }' <<< "$headers")
[ -n "$functions" ] || fail "no imported functions read"
forwarded=$(grep -E '^advapi32\.dll (SystemFunction0[0-9][0-9]|Crypt[A-Z])' <<< "$functions" || true)
[ -z "$forwarded" ] || fail "imports functions that advapi32 forwards out of the KnownDLLs:" $forwarded
# Windows lets the wallet take the foreground only through this call (see
# allowToTakeForeground); Wine enforces no such rule, so no run can show it.
grep -qx 'user32.dll AllowSetForegroundWindow' <<< "$functions" || fail "never hands the wallet the foreground"
# Link map: GCC's libssp seeds its guard through CryptoAPI before main().
! grep -q 'libssp' "$map" || fail "links libssp, whose guard set-up loads DLLs before main()"
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
    grep -qw "$flag" <<< "$headers" || fail "$flag is not set"
done

resources=$(wrestool -l "$exe")
icons=$(grep -c -- '--type=3 ' <<< "$resources" || true)
[ "$icons" -eq 7 ] || fail "expected 7 icon images (16 to 256 px), found $icons"
grep -q -- '--type=14 ' <<< "$resources" || fail "no icon group"

version=$(wrestool -x --raw --type=16 "$exe" | iconv -f UTF-16LE -t UTF-8 -c | tr -d '\0')
for text in 'ProductName' 'Rarudor Wallet' 'FileVersion' 'ProductVersion' 'OriginalFilename' 'launcher.exe' \
            'FileDescription' 'Rarudor Wallet – Java launcher' 'LegalCopyright' '©'; do
    grep -qF -- "$text" <<< "$version" || fail "version resource lacks $text"
done

manifest=$(wrestool -x --raw --type=24 "$exe")
grep -q 'level="asInvoker"' <<< "$manifest" || fail "manifest does not run as invoker"
grep -q '<ws2:longPathAware>true' <<< "$manifest" || fail "manifest is not long-path aware"
[ "$(grep -c '<supportedOS ' <<< "$manifest")" -eq 4 ] || fail "manifest lacks Windows 7 to 11"
! grep -qi 'dpiAware' <<< "$manifest" || fail "manifest sets DPI awareness, which Qt sets itself"

echo "launcher.exe: GUI subsystem; imports only $(wc -l <<< "$imports") KnownDLLs; ASLR and DEP; 7 icon sizes; version and manifest resources"
