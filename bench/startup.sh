#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# What the launcher costs, measured with hyperfine, the commands of a table
# taking turns in rounds so that machine noise falls on all of them alike:
# its start-up overhead over running `java -jar` directly, as a ratio to a
# bare QApplication measured in the same run, the extra JVM start of the
# "-version" probe without JAVA_HOME, what minjava=17 adds to either (no
# process where the Java home has a release file; the search path's java is
# probed anyway), what finding Java among the installed ones costs (a failed
# probe of the search path, then /usr/lib/jvm), and the memory it holds while
# a stand-in application runs. With build-windows/ built (scripts/windows.sh and its
# tests), the same for launcher.exe under Wine, and its size. Run after
# scripts/build.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-dependencies.sh hyperfine
root=$PWD
rounds=${ROUNDS:-5}
runs=${RUNS:-4} # per command and round
scratch=$(mktemp -d)
results=$scratch/results
mkdir "$results"
trap 'rm -rf "$scratch"' EXIT
# Linux only: Wine passes no QT_* variable on, so launcher.exe runs on the
# real windows platform, under the Wine session's own X server.
export QT_QPA_PLATFORM=offscreen
jdk=$(dirname "$(dirname "$(readlink -f "$(command -v java)")")")

# alternate TABLE hyperfine-arguments...: every round times each command
# $runs times after a warm-up, into $results/TABLE-ROUND.csv.
alternate() {
    local table=$1
    shift
    for round in $(seq "$rounds"); do
        hyperfine -N --warmup 2 --runs "$runs" --style none --export-csv "$results/$table-$round.csv" "$@" > /dev/null 2>&1
    done
}
# mean_ms TABLE NAME: one command's mean over all rounds, in ms.
mean_ms() {
    awk -F, -v name="$2" '$1 == name { sum += $2; n++ } END { printf "%.1f", sum / n * 1000 }' "$results/$1"-*.csv
}
ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'
}

echo "== Linux, $rounds rounds of $runs runs each ($(nproc) cores, $(date -u +%F))"
cd build/demo
# The demo again, asking for Java 17 at least.
minjava=$scratch/minjava
mkdir "$minjava"
cp rarudor-wallet-demo.jar "$minjava/"
printf 'minjava=17\n' | cat launcher.ini - > "$minjava/launcher.ini"
# And with Java found only among the installed ones (/usr/lib/jvm): their
# release files are read, no process started.
installed=$scratch/installed
mkdir "$installed"
cp rarudor-wallet-demo.jar "$installed/"
printf 'discover=installed\n' | cat launcher.ini - > "$installed/launcher.ini"
# The Java it finds there, the newest by its release file, which the
# comparison runs with JAVA_HOME set: the same Java on both sides.
newest=$(grep -H '^JAVA_VERSION=' /usr/lib/jvm/*/release | sed 's/^\(.*\)\/release:JAVA_VERSION="\(.*\)"$/\2 \1/' \
         | sort -V | tail -n 1 | cut -d' ' -f2)
mkdir "$scratch/no-java"
alternate linux \
    -n java "$jdk/bin/java -jar rarudor-wallet-demo.jar" \
    -n launcher "env JAVA_HOME=$jdk $root/build/launcher" \
    -n probe "env -u JAVA_HOME PATH=$jdk/bin $root/build/launcher" \
    -n launcher-minjava "env -C $minjava JAVA_HOME=$jdk $root/build/launcher" \
    -n probe-minjava "env -C $minjava -u JAVA_HOME PATH=$jdk/bin $root/build/launcher" \
    -n installed "env -C $installed -u JAVA_HOME PATH=$scratch/no-java $root/build/launcher" \
    -n installed-home "env -C $installed JAVA_HOME=$newest $root/build/launcher" \
    -n bare "$root/build/bench/bare-qapplication"
java_ms=$(mean_ms linux java)
launcher_ms=$(mean_ms linux launcher)
probe_ms=$(mean_ms linux probe)
launcher_minjava_ms=$(mean_ms linux launcher-minjava)
probe_minjava_ms=$(mean_ms linux probe-minjava)
installed_ms=$(mean_ms linux installed)
installed_home_ms=$(mean_ms linux installed-home)
bare_ms=$(mean_ms linux bare)
overhead_ms=$(awk -v a="$launcher_ms" -v b="$java_ms" 'BEGIN { printf "%.1f", a - b }')

# Memory while a child runs: resident, and the private dirty pages that
# are the launcher's own cost (resident counts Qt's shared library pages).
mkdir -p "$scratch/jdk/bin"
printf '#!/bin/sh\nsleep 2\n' > "$scratch/jdk/bin/java"
chmod +x "$scratch/jdk/bin/java"
JAVA_HOME="$scratch/jdk" "$root/build/launcher" 2> /dev/null &
pid=$!
sleep 1
rss_kib=$(awk '/^Rss:/ {print $2}' "/proc/$pid/smaps_rollup")
dirty_kib=$(awk '/^Private_Dirty:/ {print $2}' "/proc/$pid/smaps_rollup")
wait "$pid"

printf '| %-52s | %12s |\n' "measure" "value"
printf '| %-52s | %9s ms |\n' "java -jar on the demo archive" "$java_ms"
printf '| %-52s | %9s ms |\n' "launcher on the demo archive (JAVA_HOME)" "$launcher_ms"
printf '| %-52s | %9s ms |\n' "launcher on the demo archive (java -version probe)" "$probe_ms"
printf '| %-52s | %9s ms |\n' "launcher, JAVA_HOME, minjava=17" "$launcher_minjava_ms"
printf '| %-52s | %10s× |\n' "  to the same without minjava" "$(ratio "$launcher_minjava_ms" "$launcher_ms")"
printf '| %-52s | %9s ms |\n' "launcher, java -version probe, minjava=17" "$probe_minjava_ms"
printf '| %-52s | %10s× |\n' "  to the same without minjava" "$(ratio "$probe_minjava_ms" "$probe_ms")"
printf '| %-52s | %9s ms |\n' "launcher, discover=installed, found in /usr/lib/jvm" "$installed_ms"
printf '| %-52s | %10s× |\n' "  to JAVA_HOME set to it, $(basename "$newest")" "$(ratio "$installed_ms" "$installed_home_ms")"
printf '| %-52s | %9s ms |\n' "bare QApplication start and exit" "$bare_ms"
printf '| %-52s | %9s ms |\n' "launcher overhead over java -jar" "$overhead_ms"
printf '| %-52s | %10s× |\n' "overhead / bare QApplication" "$(ratio "$overhead_ms" "$bare_ms")"
printf '| %-52s | %9s ms |\n' "cost of the probe (probe - JAVA_HOME)" \
    "$(awk -v a="$probe_ms" -v b="$launcher_ms" 'BEGIN { printf "%.1f", a - b }')"
printf '| %-52s | %8s KiB |\n' "resident memory while the wallet runs" "$rss_kib"
printf '| %-52s | %8s KiB |\n' "private dirty memory while the wallet runs" "$dirty_kib"

cd "$root"
if [ -x build-windows/launcher.exe ] && [ -f build-windows/tests/standin.exe ]; then
    echo
    echo "== Windows under Wine, $rounds rounds of $runs runs each"
    mkdir -p "$scratch/win/jdk/bin"
    cp build-windows/tests/standin.exe "$scratch/win/jdk/bin/java.exe"
    cd "$scratch/win"
    export -f alternate
    export results rounds runs
    # The stand-in alone, timed in the same rounds: the launcher's own cost is
    # its time less its child's, against a bare exe that starts no child.
    JAVA_HOME="Z:$(sed 's|/|\\|g' <<< "$scratch/win/jdk")" bash "$root/scripts/wine-session.sh" \
        bash -c 'alternate wine -n launcher "wine $0/build-windows/launcher.exe" \
                 -n java "wine jdk/bin/java.exe" \
                 -n bare "wine $0/build-windows/bench/bare-qapplication.exe"' "$root"
    launcher_ms=$(mean_ms wine launcher)
    java_ms=$(mean_ms wine java)
    bare_ms=$(mean_ms wine bare)
    own_ms=$(awk -v a="$launcher_ms" -v b="$java_ms" 'BEGIN { printf "%.1f", a - b }')
    printf '| %-52s | %9s ms |\n' "launcher.exe up to its child's end (stand-in java.exe)" "$launcher_ms"
    printf '| %-52s | %9s ms |\n' "stand-in java.exe alone" "$java_ms"
    printf '| %-52s | %9s ms |\n' "bare static QApplication exe" "$bare_ms"
    printf '| %-52s | %9s ms |\n' "launcher.exe's own cost (launcher - stand-in)" "$own_ms"
    printf '| %-52s | %10s× |\n' "own cost / bare QApplication exe" "$(ratio "$own_ms" "$bare_ms")"
    printf '| %-52s | %8s B |\n' "size of launcher.exe" "$(stat -c %s "$root/build-windows/launcher.exe")"
fi
