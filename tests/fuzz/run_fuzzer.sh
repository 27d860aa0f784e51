#!/usr/bin/env bash
# Runs one fuzz target for a bounded time on its seed corpus.
#   run_fuzzer.sh TARGET SECONDS
# TARGET is the built fuzz_<name>; its seeds are tests/fuzz/corpus/<name>,
# and for the language-pack reader the packs the program ships.
# New inputs go to a work corpus beside the target (build/fuzz/corpus/<name>),
# so the seeds in the repository stay as they are. Crashes, leaks, timeouts
# and out-of-memory inputs end the run with a failure and leave the input as
# build/fuzz/crash-* (or leak-*, timeout-*, oom-*).
set -euo pipefail

target=$(realpath "$1")
seconds=$2
name=$(basename "$target")
name=${name#fuzz_}
here=$(cd "$(dirname "$0")" && pwd)
case $name in
  langpack) seeds="$here/../../src/lang/packs" ;;
  *) seeds="$here/corpus/$name" ;;
esac
work="$(dirname "$target")/corpus/$name"
mkdir -p "$work"
cd "$(dirname "$target")"
# -timeout: one input taking this long is a hang. -rss_limit_mb: a leak or a
# runaway allocation. -max_len: larger than every seed, small enough to stay
# fast (the 64 MiB case of the readers is a unit test).
exec "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -print_final_stats=1 "$work" "$seeds"
