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
# probe of the search path, then /usr/lib/jvm), what instance=single costs
# a start that finds no running wallet, how long a later start takes to hand
# over to one (the median), what log= costs, and the memory it holds while
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
median_ms() {
    awk -F, -v name="$2" '$1 == name { print $4 * 1000 }' "$results/$1"-*.csv | sort -n \
        | awk '{ value[NR] = $1 } END { printf "%.1f", NR % 2 ? value[(NR + 1) / 2] : (value[NR / 2] + value[NR / 2 + 1]) / 2 }'
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
# The demo with one of the keys of its own each: no wallet runs for single,
# so every start holds its own; and one whose wallet stays open, to hand over to.
for key in single log hold; do
    mkdir "$scratch/$key"
    cp rarudor-wallet-demo.jar "$scratch/$key/"
done
printf 'instance=single\n' | cat launcher.ini - > "$scratch/single/launcher.ini"
printf 'log=%s\n' "$scratch/log/launcher.log" | cat launcher.ini - > "$scratch/log/launcher.ini"
printf 'instance=single\narguments=forward\n' | cat launcher.ini - > "$scratch/hold/launcher.ini"
(cd "$scratch/hold" && WALLET_DEMO_STAY=3600 JAVA_HOME=$jdk exec "$root/build/launcher" > /dev/null 2>&1) &
holder=$!
sleep 3
alternate linux \
    -n java "$jdk/bin/java -jar rarudor-wallet-demo.jar" \
    -n launcher "env JAVA_HOME=$jdk $root/build/launcher" \
    -n probe "env -u JAVA_HOME PATH=$jdk/bin $root/build/launcher" \
    -n launcher-minjava "env -C $minjava JAVA_HOME=$jdk $root/build/launcher" \
    -n probe-minjava "env -C $minjava -u JAVA_HOME PATH=$jdk/bin $root/build/launcher" \
    -n installed "env -C $installed -u JAVA_HOME PATH=$scratch/no-java $root/build/launcher" \
    -n installed-home "env -C $installed JAVA_HOME=$newest $root/build/launcher" \
    -n single "env -C $scratch/single JAVA_HOME=$jdk $root/build/launcher" \
    -n log "env -C $scratch/log JAVA_HOME=$jdk $root/build/launcher" \
    -n hand-off "env -C $scratch/hold JAVA_HOME=$jdk $root/build/launcher rarudor:pay?amount=1" \
    -n bare "$root/build/bench/bare-qapplication"
kill "$holder"
java_ms=$(mean_ms linux java)
launcher_ms=$(mean_ms linux launcher)
probe_ms=$(mean_ms linux probe)
launcher_minjava_ms=$(mean_ms linux launcher-minjava)
probe_minjava_ms=$(mean_ms linux probe-minjava)
installed_ms=$(mean_ms linux installed)
installed_home_ms=$(mean_ms linux installed-home)
bare_ms=$(mean_ms linux bare)
single_ms=$(mean_ms linux single)
log_ms=$(mean_ms linux log)
hand_off_ms=$(median_ms linux hand-off)
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
printf '| %-52s | %9s ms |\n' "launcher, instance=single, no wallet running" "$single_ms"
printf '| %-52s | %10s× |\n' "  to the same without the key" "$(ratio "$single_ms" "$launcher_ms")"
printf '| %-52s | %9s ms |\n' "hand-over to the running wallet, start to status 0" "$hand_off_ms"
printf '| %-52s | %9s ms |\n' "launcher, log=" "$log_ms"
printf '| %-52s | %10s× |\n' "  to the same without the key" "$(ratio "$log_ms" "$launcher_ms")"
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
    mkdir -p "$scratch/win/jdk/bin" "$scratch/win/single" "$scratch/win/log" "$scratch/win/hold/jre/bin"
    cp build-windows/tests/standin.exe "$scratch/win/jdk/bin/java.exe"
    cp build-windows/tests/standin.exe "$scratch/win/hold/jre/bin/java.exe"
    printf 'sleep 3600000\n' > "$scratch/win/hold/jre/bin/java.exe.do"
    printf 'instance=single\n' > "$scratch/win/single/launcher.ini"
    printf 'log=launcher.log\n' > "$scratch/win/log/launcher.ini"
    printf 'instance=single\narguments=forward\nruntime=jre\n' > "$scratch/win/hold/launcher.ini"
    cd "$scratch/win"
    export -f alternate
    export results rounds runs
    # The stand-in alone, timed in the same rounds: the launcher's own cost is
    # its time less its child's, against a bare exe that starts no child.
    JAVA_HOME="Z:$(sed 's|/|\\|g' <<< "$scratch/win/jdk")" bash "$root/scripts/wine-session.sh" \
        bash -c '(cd hold && exec wine "$0/build-windows/launcher.exe") & sleep 5
                 alternate wine -n launcher "wine $0/build-windows/launcher.exe" \
                 -n java "wine jdk/bin/java.exe" \
                 -n single "env -C single wine $0/build-windows/launcher.exe" \
                 -n log "env -C log wine $0/build-windows/launcher.exe" \
                 -n hand-off "env -C hold wine $0/build-windows/launcher.exe rarudor:pay?amount=1" \
                 -n bare "wine $0/build-windows/bench/bare-qapplication.exe"
                 kill %1' "$root"
    launcher_ms=$(mean_ms wine launcher)
    java_ms=$(mean_ms wine java)
    bare_ms=$(mean_ms wine bare)
    own_ms=$(awk -v a="$launcher_ms" -v b="$java_ms" 'BEGIN { printf "%.1f", a - b }')
    printf '| %-52s | %9s ms |\n' "launcher.exe up to its child's end (stand-in java.exe)" "$launcher_ms"
    printf '| %-52s | %9s ms |\n' "stand-in java.exe alone" "$java_ms"
    printf '| %-52s | %9s ms |\n' "bare static QApplication exe" "$bare_ms"
    printf '| %-52s | %9s ms |\n' "launcher.exe's own cost (launcher - stand-in)" "$own_ms"
    printf '| %-52s | %10s× |\n' "own cost / bare QApplication exe" "$(ratio "$own_ms" "$bare_ms")"
    printf '| %-52s | %10s× |\n' "instance=single, no wallet running, to without" "$(ratio "$(mean_ms wine single)" "$launcher_ms")"
    printf '| %-52s | %9s ms |\n' "hand-over to the running wallet (median)" "$(median_ms wine hand-off)"
    printf '| %-52s | %10s× |\n' "log=, to without" "$(ratio "$(mean_ms wine log)" "$launcher_ms")"
    printf '| %-52s | %8s B |\n' "size of launcher.exe" "$(stat -c %s "$root/build-windows/launcher.exe")"
fi
