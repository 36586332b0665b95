# Sourced by the Wine test scripts: the private prefix, home and display of one test run.
# $1 of the sourcing script is the run's state folder.
run_dir=$1
export WINEPREFIX="$run_dir/prefix"
export HOME="$run_dir/home"
export WINEDEBUG=-all
# Without the first, every saved link also makes a .desktop file in the Unix home;
# the other two keep the first start from offering to fetch .NET and HTML runtimes.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
# Wine takes its ANSI code page from the locale: zh_CN.UTF-8 gives code page 936.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export LANGUAGE=
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
[ -f "$run_dir/display" ] && export DISPLAY=":$(cat "$run_dir/display")"

# The Windows name of a Unix path (drive Z: is the Unix root).
windows_path() { printf 'Z:%s' "$(realpath "$1" | tr / '\\')"; }

# The Unix folder behind C:\users\<user>.
wine_user_dir() {
  local dir
  for dir in "$WINEPREFIX"/drive_c/users/*; do
    [ "$(basename "$dir")" != Public ] && { printf '%s' "$dir"; return; }
  done
}


# Runs a Windows program inside a 1920x1080 Wine virtual desktop, where Wine draws
# frames and captions itself and the screen metrics are the desktop's; programs
# it starts join the same desktop.  Its exit code does not come through.
in_virtual_desktop() { "$wine" explorer /desktop=vrktest,1920x1080 "$@"; }
