#!/usr/bin/env bash
# Measures the program under Wine in a virtual desktop (not part of ./test):
# medians of start to visible window, click to link on disk, Esc to window gone
# and the whole flow, against a WScript.Shell script making the same kind of
# link; CPU time while idle; private bytes; program sizes.  Builds from before
# each start-up change are measured side by side in the same run.
#   tools/benchmark.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
export VRK_BENCH_RUNS=${1:-15}
tools/setup.sh
VRK_SKIP_SETUP=1 ./build >/dev/null

run_dir="$PWD/out/bench-wine"
source tests/wine/wine_env.sh "$run_dir"
trap 'tests/wine/wine_stop.sh "$run_dir" >/dev/null 2>&1 || true' EXIT

# Start-up changes, by the subject of the commit that made each; the build from
# its parent commit is the "before".
changes=("Load shell32 at the first click, not at start-up")
variants=()
for change in "${changes[@]}"; do
  rev=$(git log --format=%H -n 1 --fixed-strings --grep="$change" || true)
  [ -n "$rev" ] || continue
  base=$(git rev-parse --short "$rev^")
  dir="$PWD/.build/bench-$base"
  if [ ! -f "$dir/src/dist/x64/vrklink.exe" ]; then
    rm -rf "$dir"
    mkdir -p "$dir/src"
    git archive "$base" | tar -x -C "$dir/src"
    cmake -S "$dir/src" -B "$dir/build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-x86_64-w64-mingw32.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$dir/build" --target vrklink -j"$(nproc)" >/dev/null
  fi
  variants+=("before-$base=$(windows_path "$dir/src/dist/x64/vrklink.exe")")
done

tests/wine/wine_start.sh "$run_dir" >/dev/null
source tests/wine/wine_env.sh "$run_dir"
mkdir -p "$run_dir/desktop"
ln -sfn "$run_dir/desktop" "$(wine_user_dir)/Desktop"
echo "running ${VRK_BENCH_RUNS} rounds; this takes a minute or two"
in_virtual_desktop .build/x86_64/wine_driver.exe benchmark "$(windows_path dist/x64/vrklink.exe)" \
  "$(windows_path .build/x86_64/vrklink_seams.exe)" "${variants[@]}" >"$run_dir/benchmark.log" 2>&1 </dev/null || true
tr -d '\r' <"$run_dir/benchmark.log" | grep -v '^ok - \|passed, \|^wine: ' || true
for arch in x86 x64; do
  size=$(stat -c %s "dist/$arch/vrklink.exe")
  printf '%-28s %7d bytes (%d KiB)%s\n' "program size $arch" "$size" $(((size + 1023) / 1024)) \
    "$([ "$arch" = x86 ] && echo '   (goal at most 32 KiB)')"
done
for variant in "${variants[@]}"; do echo "${variant%%=*}: the build from commit ${variant#before-}" | sed 's/=.*//'; done
