#!/usr/bin/env bash
# Runs a fuzz target for FUZZ_SECONDS (default 60) on its corpora and prints its
# final statistics. Usage: run_target.sh TARGET NEW_CORPUS FINDING_PREFIX SEEDS
set -euo pipefail
shopt -s inherit_errexit
target=$1 corpus=$2 findings=$3 seeds=$4
mkdir -p "$corpus" "$(dirname "$findings")"
exec "$target" -max_total_time="${FUZZ_SECONDS:-60}" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$findings" "$corpus" "$seeds"
