#!/usr/bin/env bash
# Builds the shipped 32-bit program a second time, in another folder, and checks
# that it is byte for byte the program in dist/x86.
#   check_reproducible.sh SOURCE_DIR SCRATCH_DIR
set -euo pipefail
source_dir=$1 scratch=$2
rm -rf "$scratch"
cmake -S "$source_dir" -B "$scratch/build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/toolchain-i686-w64-mingw32.cmake" -DVRK_DIST_DIR="$scratch/out" >/dev/null
cmake --build "$scratch/build" --target vrklink -j"$(nproc)" >/dev/null
if cmp "$source_dir/dist/x86/vrklink.exe" "$scratch/out/vrklink.exe"; then
  echo "ok - a second build in $scratch is byte-identical ($(sha256sum <"$scratch/out/vrklink.exe" | cut -c1-16)…)"
else
  echo "FAIL - a second build differs from dist/x86/vrklink.exe"
  exit 1
fi
