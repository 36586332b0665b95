#!/usr/bin/env bash
# Runs one case of the Wine test driver with a fresh desktop folder, then any
# checks of the case's results made from the Linux side.
#   run_case.sh RUN_DIR CASE X64_BUILD_DIR
set -uo pipefail
run_dir=$1 case_name=$2 build_dir=$3
here=$(dirname "$0")
source "$here/wine_env.sh" "$run_dir"

user_dir=$(wine_user_dir)
desktop="$run_dir/desktops/$case_name"
rm -rf "$desktop"
mkdir -p "$desktop"
case "$case_name" in
  desktop_missing) ln -sfn "$run_dir/no-such-folder" "$user_dir/Desktop" ;;
  *) ln -sfn "$desktop" "$user_dir/Desktop" ;;
esac
if [ "$case_name" = drive_root ]; then
  rm -rf "$run_dir/q-root"
  mkdir -p "$run_dir/q-root"
  ln -sfn "$run_dir/q-root" "$WINEPREFIX/dosdevices/q:"
fi

log="$run_dir/$case_name.log"
# The log file, not a pipe, is what Wine's own helper processes inherit.
timeout 240 "$wine" explorer /desktop=vrktest,1920x1080 "$build_dir/wine_driver.exe" "$case_name" \
  "$(windows_path "$build_dir/../../dist/x64/vrklink.exe")" \
  "$(windows_path "$build_dir/vrklink_seams.exe")" >"$log" 2>&1 </dev/null
status=$?
tr -d '\r' < "$log"
[ $status -eq 0 ] || { echo "Wine exit status $status"; exit 1; }
# The virtual desktop does not pass the driver's exit code on; its closing line does.
tr -d '\r' < "$log" | tail -n 1 | grep -Eq '^[1-9][0-9]* passed, 0 failed$' \
  || { echo "the driver did not finish with every check passed"; exit 1; }

if [ "$case_name" = link ]; then
  # The same file read by an independent parser.
  link_file="$desktop/Zarvello播放器.lnk"
  info=$(lnkinfo "$link_file" 2>&1)
  echo "$info" | sed 's/^/lnkinfo: /'
  failed=0
  grep -q 'Local path.*C:\\vrktest\\link\\app\\vrk\\VRK6\.exe' <<<"$info" \
    && echo "ok - lnkinfo reads the local path" || { echo "FAIL - lnkinfo local path"; failed=1; }
  grep -q 'Description.*原作者公司Ostrel公司，该软件用于测试，24小时后删除，如有侵权请提示删除，本人不负任何责任。' <<<"$info" \
    && echo "ok - lnkinfo reads the description" || { echo "FAIL - lnkinfo description"; failed=1; }
  exit $failed
fi
exit 0
