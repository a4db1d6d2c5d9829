#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# Documentation step: photographs the dialog in English and in the
# languages with the longest texts into docs/. Needs a build in build/;
# installs the fonts the pictures need (Noto CJK), which the launcher
# itself does not depend on.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-dependencies.sh imagemagick fonts-noto-cjk fonts-dejavu-core
root=$PWD
scratch=$(mktemp -d)
trap 'kill "${xvfb:-}" 2>/dev/null || true; rm -rf "$scratch"' EXIT

exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -nolisten tcp -screen 0 1600x500x24 2> /dev/null &
xvfb=$!
read -r -t 60 -u "$displayfd" display
export DISPLAY=":$display"
cp build/translations/*.qm "$scratch"
# An installer is configured, so both options are offered.
printf 'jar=wallet.jar\njre=jre-setup.exe /s\n' > "$scratch/launcher.ini"
cd "$scratch"

for shot in en_US:resolve-dialog de_DE:resolve-dialog-de ru_RU:resolve-dialog-ru ja_JP:resolve-dialog-ja; do
    locale=${shot%%:*}
    LC_ALL=$locale.UTF-8 LANG=$locale.UTF-8 env -u JAVA_HOME PATH="$scratch/empty" "$root/build/launcher" &
    launcher=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Rarudor Wallet' | head -n1)
    sleep 0.5 # let the first paint finish
    import -window "$window" "$root/docs/${shot#*:}.png"
    xdotool key --window "$window" Escape
    wait "$launcher" || true
    echo "docs/${shot#*:}.png"
done
