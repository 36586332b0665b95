#!/usr/bin/env bash
# Stops the Wine server and the virtual screen of a test run.
run_dir=$1
source "$(dirname "$0")/wine_env.sh" "$run_dir"
"$wineserver" -k >/dev/null 2>&1 || true
if [ -f "$run_dir/xvfb.pid" ]; then
  pid=$(cat "$run_dir/xvfb.pid")
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
  rm -f "$run_dir/xvfb.pid"
fi
"$wineserver" -w >/dev/null 2>&1 || true
echo "Wine and Xvfb stopped"
