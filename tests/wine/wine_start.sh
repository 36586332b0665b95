#!/usr/bin/env bash
# Starts a virtual screen and a fresh Wine prefix for the cases of one test run.
set -euo pipefail
run_dir=$1
here=$(dirname "$0")
[ -f "$run_dir/xvfb.pid" ] && "$here/wine_stop.sh" "$run_dir"
rm -rf "$run_dir"
mkdir -p "$run_dir/home" "$run_dir/prefix"
source "$here/wine_env.sh" "$run_dir"

display=
for n in $(seq 91 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "no free X display number"; exit 1; }
Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
echo $! > "$run_dir/xvfb.pid"
echo "$display" > "$run_dir/display"
export DISPLAY=":$display"
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.05; done
[ -e "/tmp/.X11-unix/X$display" ] || { echo "Xvfb did not start"; exit 1; }

# Every Wine process started below inherits nothing that the caller waits on.
{
  "$wine" wineboot -i
  # Until the first start's helpers are gone, each virtual desktop lingers for seconds.
  "$wineserver" -w
} >"$run_dir/start.log" 2>&1 </dev/null
echo "Wine prefix ready on display :$display"
