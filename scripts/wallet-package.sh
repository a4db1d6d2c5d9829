#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# wallet-package.sh --version X.Y.Z --runtime DIR [--jar FILE] [--output FILE]:
# builds the sample wallet package of examples/wallet-package/ from the
# Windows package of scripts/windows.sh: the signed launcher.exe of
# build-windows/signed/ when there is one, its translations, licences and
# notices, the sample launcher.ini, the wallet's archive (the demo's by
# default) and the Java runtime folder DIR as jre\. Writes
# build-windows/wallet-package/RarudorWallet.msi unless told otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

usage() {
    echo "usage: wallet-package.sh --version X.Y.Z --runtime DIR [--jar FILE] [--output FILE]" >&2
    exit 2
}
version="" runtime="" jar=build-windows/demo/rarudor-wallet-demo.jar output=build-windows/wallet-package/RarudorWallet.msi
while [ $# -gt 0 ]; do
    case $1 in
    --version) version=${2:-} ;;
    --runtime) runtime=${2:-} ;;
    --jar) jar=${2:-} ;;
    --output) output=${2:-} ;;
    *) usage ;;
    esac
    shift 2 || usage
done
[[ $version =~ ^([0-9]+)\.([0-9]+)\.([0-9]+)$ ]] || usage
[ -f "$runtime/bin/java.exe" ] || { echo "no bin/java.exe in the runtime folder '$runtime'" >&2; exit 1; }
[ -f build-windows/stage/launcher.exe ] || { echo "build the Windows package first: bash scripts/windows.sh" >&2; exit 1; }
# Every version below the next patch level is replaced, this one included.
next_version=${BASH_REMATCH[1]}.${BASH_REMATCH[2]}.$((BASH_REMATCH[3] + 1))
output=$(realpath -m "$output")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp build-windows/stage/{LICENSE.txt,LICENSE-Qt-LGPL-3.txt,LICENSE-GPL-3.txt,THIRD-PARTY-NOTICES.txt,SHIPPING.txt} "$work/"
cp build-windows/stage/launcher_*.qm build-windows/launch/rarudor.ico examples/wallet-package/launcher.ini "$work/"
if [ -f build-windows/signed/launcher.exe ]; then
    cp build-windows/signed/launcher.exe "$work/"
else
    echo "wallet-package.sh: build-windows/signed/ has no launcher.exe: the package holds the unsigned one" >&2
    cp build-windows/stage/launcher.exe "$work/"
fi
cp "$jar" "$work/RarudorWallet.jar"
cp -r "$runtime" "$work/jre"

cd "$work"
# wixl takes sources relative to its folder; the listings are sorted, so
# that the same input makes the same tables.
ls launcher_*.qm | sort | sed 's|^|./|' \
    | wixl-heat --prefix ./ --directory-ref INSTALLDIR --component-group Translations --var var.Here --win64 > translations.wxs
find jre -type f | LC_ALL=C sort \
    | wixl-heat --prefix jre/ --directory-ref RUNTIME --component-group Runtime --var var.Runtime --win64 > runtime.wxs
mkdir -p "$(dirname "$output")"
wixl -a x64 -D Version="$version" -D NextVersion="$next_version" -D Win64=yes -D Here=. -D Runtime=jre \
    -o "$output" "$root/examples/wallet-package/wallet.wxs" translations.wxs runtime.wxs
echo "wallet package: $output"
