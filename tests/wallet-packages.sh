#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# wallet-packages.sh STANDIN.exe FOLDER: the sample wallet package in
# versions 1.0.0 and 2.0.0 in FOLDER, with the stand-in as its Java 17
# runtime, built by scripts/wallet-package.sh as a vendor builds it.
set -euo pipefail
standin=$1 folder=$2
rm -rf "$folder"
mkdir -p "$folder/runtime/bin"
cp "$standin" "$folder/runtime/bin/java.exe"
printf 'JAVA_VERSION="17.0.15"\n' > "$folder/runtime/release"
for version in 1.0.0 2.0.0; do
    bash "$(dirname "$0")/../scripts/wallet-package.sh" --version "$version" --runtime "$folder/runtime" \
        --output "$folder/RarudorWallet-$version.msi"
done
