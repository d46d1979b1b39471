#!/usr/bin/env bash
# Runs one fuzz target for a short while on a copy of its seed corpus, so that the inputs it
# discovers never pile up in the repository. Any crash, hang, leak, sanitizer report or broken
# promise fails the run, and the input that caused it is kept in the findings folder.
#
# Usage: run_fuzzer.sh <fuzz target> <seed corpus folder> <seconds> <findings folder>
set -euo pipefail

fuzzer=${1:?usage: run_fuzzer.sh <fuzz target> <seed corpus> <seconds> <findings folder>}
seeds=${2:?missing seed corpus folder}
seconds=${3:?missing number of seconds}
findings=${4:?missing findings folder}

work=$(mktemp -d "${TMPDIR:-/tmp}/zelpo-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp -R "$seeds/." "$work/"
mkdir -p "$findings"

status=0
"$fuzzer" "$work" -max_total_time="$seconds" -rss_limit_mb=1024 -timeout=5 -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$findings/" || status=$?
if ((status != 0)); then
    echo "FAIL - $(basename "$fuzzer") found a fault; the input is kept in $findings" >&2
fi
exit "$status"
