#!/bin/sh
# Runs every fuzz target in a folder for a set time, each from a copy of its
# seed corpus (the seeds in the tree stay as they are), and stops at the
# first target that finds a crash, a leak or a hang.
# usage: run-fuzz.sh TARGET_DIR CORPUS_DIR SECONDS
set -e
targets=$(cd "$1" && pwd)
corpus=$(cd "$2" && pwd)
seconds=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for bin in "$targets"/fuzz_*; do
  [ -f "$bin" ] && [ -x "$bin" ] || continue
  name=$(basename "$bin")
  mkdir -p "$work/$name"
  [ -d "$corpus/$name" ] && cp -r "$corpus/$name/." "$work/$name/"
  echo "fuzz: $name for ${seconds}s"
  # Not under sh -e: the report comes before the status is judged.
  status=0
  (cd "$work" && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
    "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "$work/$name" > "$work/$name.log" 2>&1) || status=$?
  grep -E "stat::number_of_executed_units|stat::average_exec_per_sec" "$work/$name.log" | sed "s/^/fuzz: $name /" || true
  if [ "$status" -ne 0 ]; then
    tail -60 "$work/$name.log"
    echo "fuzz: $name failed (status $status); the input is in the log above" >&2
    exit 1
  fi
done
