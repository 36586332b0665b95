#!/usr/bin/env bash
# Stops the Wine server and the virtual screen of a test run.
run_dir=$1
source "$(dirname "$0")/wine_env.sh" "$run_dir"
"$wineserver" -k >/dev/null 2>&1 || true
if [ -f "$run_dir/xvfb.pid" ]; then
  kill "$(cat "$run_dir/xvfb.pid")" 2>/dev/null || true
  rm -f "$run_dir/xvfb.pid"
fi
"$wineserver" -w >/dev/null 2>&1 || true
echo "Wine and Xvfb stopped"
