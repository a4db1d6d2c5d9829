#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# Signs the reproducible launcher.exe of build-windows/ (scripts/windows.sh)
# with Authenticode, keeping the signature apart, so that anyone can check
# that the signed file is that build plus the signature and nothing else.
#
#   sign-windows.sh --pkcs12 FILE [--timestamp URL]
#       signs with the shipper's certificate, its password taken from the
#       environment variable LAUNCHER_SIGN_PASSWORD, and writes the detached
#       signature build-windows/launcher.exe.sig.pem
#   sign-windows.sh --attach SIGNATURE.pem [--cafile FILE]
#       puts a published signature on the build and checks that it fits
#       and that its certificate chains to a trusted one (the system's, or
#       those in FILE)
#
# Either way build-windows/signed/ receives the signed launcher.exe, the ZIP
# made from it and their SHA256SUMS. The unsigned build is left as it is;
# on any failure nothing is written.
set -euo pipefail
usage() { echo "usage: $0 --pkcs12 FILE [--timestamp URL] | --attach SIGNATURE.pem [--cafile FILE]" >&2; exit 2; }
[ $# -ge 2 ] || usage
mode=$1
input=$(realpath "$2")
shift 2
options=()
if [ $# -eq 2 ] && [ "$mode $1" = "--pkcs12 --timestamp" ]; then
    options=(-ts "$2")
elif [ $# -eq 2 ] && [ "$mode $1" = "--attach --cafile" ]; then
    options=(-CAfile "$(realpath "$2")")
elif [ $# -ne 0 ]; then
    usage
fi

cd "$(dirname "$0")/../build-windows"
[ -f launcher.exe ] && [ -d stage ] || { echo "build it first: bash scripts/windows.sh" >&2; exit 1; }
rm -rf signed
work=$(mktemp -d signing.XXXXXX)
trap 'rm -rf "$work"' EXIT

case $mode in
--pkcs12)
    # The password never appears on a command line: osslsigncode reads it from a pipe.
    osslsigncode sign -pkcs12 "$input" -readpass <(printf '%s' "${LAUNCHER_SIGN_PASSWORD:-}") \
        -h sha256 -n "Rarudor Wallet launcher" "${options[@]}" \
        -in launcher.exe -out "$work/launcher.exe" > /dev/null
    osslsigncode extract-signature -pem -in "$work/launcher.exe" -out "$work/launcher.exe.sig.pem" > /dev/null
    ;;
--attach)
    # It verifies what it wrote, the certificate chain included.
    osslsigncode attach-signature -sigin "$input" "${options[@]}" -in launcher.exe -out "$work/launcher.exe" \
        > "$work/attach.log" 2>&1 || { cat "$work/attach.log" >&2; exit 1; }
    ;;
*)
    usage
    ;;
esac

# The signature must cover this very build: the digest it carries is the
# one computed from the file. (Whether its certificate is trusted is the
# verifier's own question, answered by osslsigncode verify -CAfile.)
report=$(osslsigncode verify -in "$work/launcher.exe" 2>&1 || true)
carried=$(sed -n 's/^Current message digest *: *//p' <<< "$report" | head -n1)
computed=$(sed -n 's/^Calculated message digest *: *//p' <<< "$report" | head -n1)
if [ -z "$carried" ] || [ "$carried" != "$computed" ]; then
    echo "the signature does not fit build-windows/launcher.exe" >&2
    exit 1
fi

cp -r stage "$work/stage"
cp "$work/launcher.exe" "$work/stage/launcher.exe"
package=$(basename "$(ls RarudorWalletLauncher-*-win64.zip)")
SOURCE_DATE_EPOCH=$(sed -n 's/^SOURCE_DATE_EPOCH: //p' BUILDINFO.txt) \
    bash ../scripts/zip-package.sh "$work/stage" "$work/$package"
(cd "$work" && sha256sum launcher.exe "$package" > SHA256SUMS)

mkdir signed
mv "$work/launcher.exe" "$work/$package" "$work/SHA256SUMS" signed/
[ "$mode" = --attach ] || mv "$work/launcher.exe.sig.pem" .
echo "signed package: build-windows/signed/"
cat signed/SHA256SUMS
