#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# Documentation step: photographs the dialog in English and in the
# languages with the longest texts into docs/, at 100 %, and in German at
# 150 % on a full-HD screen. Needs a build in build/; installs the fonts the
# pictures need (Noto CJK), which the launcher itself does not depend on.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-dependencies.sh imagemagick fonts-noto-cjk fonts-dejavu-core
root=$PWD
source scripts/xvfb.sh
scratch=$(mktemp -d)
trap 'kill "${xvfb:-}" 2>/dev/null || true; rm -rf "$scratch"' EXIT
cp build/translations/*.qm "$scratch"
# An installer is configured, so both options are offered.
printf 'jar=wallet.jar\njre=jre-setup.exe /s\n' > "$scratch/launcher.ini"
cd "$scratch"

# locale:picture:screen:DPI
for shot in en_US:resolve-dialog:1600x500:96 de_DE:resolve-dialog-de:1600x500:96 \
            ru_RU:resolve-dialog-ru:1600x500:96 ja_JP:resolve-dialog-ja:1600x500:96 \
            de_DE:resolve-dialog-de-150:1920x1080:144; do
    IFS=: read -r locale picture screen dpi <<< "$shot"
    start_xvfb "$screen" -dpi "$dpi"
    LC_ALL=$locale.UTF-8 LANG=$locale.UTF-8 env -u JAVA_HOME PATH="$scratch/empty" "$root/build/launcher" &
    launcher=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Rarudor Wallet' | head -n1)
    sleep 0.5 # let the first paint finish
    import -window "$window" "$root/docs/$picture.png"
    xdotool windowfocus --sync "$window" key Escape
    wait "$launcher" || true
    kill "$xvfb"
    wait "$xvfb" 2> /dev/null || true
    echo "docs/$picture.png"
done
