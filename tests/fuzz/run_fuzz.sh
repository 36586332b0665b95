#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and UBSan and
# runs each for the given number of seconds (default 5) from the kept seed corpus.
#   tests/fuzz/run_fuzz.sh [SECONDS] [BUILD_DIR]
set -euo pipefail
seconds=${1:-5}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${2:-$root/.build/fuzz}
mkdir -p "$out"
flags=(-std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I"$root")
clang++ "${flags[@]}" "$here/fuzz_path_rules.cpp" "$root/app/program_folder.cpp" \
  "$root/shortcut/ansi_path.cpp" "$root/shortcut/link_name.cpp" -o "$out/fuzz_path_rules"
clang++ "${flags[@]}" "$here/fuzz_text_join.cpp" "$root/shortcut/text.cpp" -o "$out/fuzz_text_join"
for target in path_rules text_join; do
  found="$out/found-$target"
  rm -rf "$found"
  mkdir -p "$found"
  # New inputs go to the scratch folder; the kept seeds are only read.
  status=0
  "$out/fuzz_$target" -seed=1 -max_total_time="$seconds" -max_len=700 -print_final_stats=1 \
    -artifact_prefix="$out/$target-" "$found" "$here/corpus/$target" >"$out/$target.log" 2>&1 || status=$?
  grep -E '^(INFO: seed corpus|stat::number_of_executed_units)' "$out/$target.log" || true
  if [ $status -ne 0 ]; then
    tail -40 "$out/$target.log"
    echo "FAIL - fuzz_$target found a fault (inputs under $out)"
    exit 1
  fi
  echo "ok - fuzz_$target ran $seconds s without a finding"
done
