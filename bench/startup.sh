#!/usr/bin/env bash
# What the launcher costs: its start-up overhead over running `java -jar`
# directly, next to a bare QApplication start, and its resident memory while
# the application runs. Run after scripts/build.sh; prints a small table.
set -euo pipefail
cd "$(dirname "$0")/../build/demo"
runs=${RUNS:-20}
export QT_QPA_PLATFORM=offscreen
export JAVA_HOME
JAVA_HOME=$(dirname "$(dirname "$(readlink -f "$(command -v java)")")")

# Mean wall time of a command in milliseconds over $runs runs.
mean_ms() {
    local start end
    start=$(date +%s%N)
    for _ in $(seq "$runs"); do "$@" >/dev/null 2>&1; done
    end=$(date +%s%N)
    echo $(( (end - start) / runs / 1000000 ))
}

java_ms=$(mean_ms "$JAVA_HOME/bin/java" -jar rarudor-wallet-demo.jar)
launcher_ms=$(mean_ms ../launcher)
bare_ms=$(mean_ms ../bench/bare-qapplication)

# Resident memory of the launcher while a child runs for a while.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/jdk/bin"
printf '#!/bin/sh\nsleep 2\n' > "$scratch/jdk/bin/java"
chmod +x "$scratch/jdk/bin/java"
JAVA_HOME="$scratch/jdk" ../launcher &
pid=$!
sleep 1
rss_kib=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
wait "$pid"

printf '%-44s %8s\n' "measure ($runs runs each)" "value"
printf '%-44s %6s ms\n' "java -jar on the demo archive" "$java_ms"
printf '%-44s %6s ms\n' "launcher on the demo archive" "$launcher_ms"
printf '%-44s %6s ms\n' "launcher overhead over java -jar" "$((launcher_ms - java_ms))"
printf '%-44s %6s ms\n' "bare QApplication start and exit" "$bare_ms"
printf '%-44s %6s KiB\n' "launcher resident memory while a child runs" "$rss_kib"
