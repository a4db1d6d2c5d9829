#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# third-party.sh EXE MAP QT_PREFIX NOTICES BOM: the shipped notices cover
# every component linked into EXE, a notice left out is caught, and the
# bill of materials is valid CycloneDX 1.5 naming EXE by its SHA-256, with
# a valid SPDX expression for every licence.
set -euo pipefail
exe=$1 map=$2 qt=$3 notices=$4 bom=$5
tool=$(dirname "$0")/../scripts/third-party.py
fail() { echo "FAIL: $*"; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

python3 "$tool" check --map "$map" --qt "$qt" --notices "$notices"

# Notices made from a record that lacks one linked component must fail the check.
python3 - "$qt/attributions.json" "$scratch/record.json" <<'PYTHON'
import json, sys
record = json.load(open(sys.argv[1]))
record["components"] = [c for c in record["components"] if c["Id"] != "doubleconversion"]
json.dump(record, open(sys.argv[2], "w"))
PYTHON
python3 "$tool" generate --map "$map" --qt "$qt" --record "$scratch/record.json" --exe "$exe" \
    --version 0 --commit 0 --epoch 0 --notices "$scratch/notices.txt" --bom "$scratch/bom.json"
if python3 "$tool" check --map "$map" --qt "$qt" --notices "$scratch/notices.txt" > "$scratch/check.log" 2>&1; then
    fail "notices without double-conversion passed the check"
fi
grep -q 'doubleconversion' "$scratch/check.log" || fail "the check did not name the missing component: $(cat "$scratch/check.log")"

sha256=$(sha256sum "$exe" | cut -d' ' -f1)
recorded=$(python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["metadata"]["component"]["hashes"][0]["content"])' "$bom")
[ "$recorded" = "$sha256" ] || fail "the bill of materials names SHA-256 $recorded, launcher.exe is $sha256"

# The validator and the schema it ships come from the npm registry, pinned by the lock file.
cp "$(dirname "$0")"/sbom/{package.json,package-lock.json,validate.mjs} "$scratch/"
(cd "$scratch" && npm ci --no-audit --no-fund --loglevel=error > /dev/null)
node "$scratch/validate.mjs" "$bom"
# A licence expression that is not SPDX's fails, though the schema takes any string.
python3 - "$bom" "$scratch/bad-expression.json" <<'PYTHON'
import json, sys
bom = json.load(open(sys.argv[1]))
bom["components"][0]["licenses"] = [{"expression": "FTL or GPL-2.0"}]
json.dump(bom, open(sys.argv[2], "w"))
PYTHON
if node "$scratch/validate.mjs" "$scratch/bad-expression.json" > "$scratch/validate.log" 2>&1; then
    fail "the expression \"FTL or GPL-2.0\" passed"
fi
grep -q 'FTL or GPL-2.0' "$scratch/validate.log" || fail "the check did not name the expression: $(cat "$scratch/validate.log")"
