#!/usr/bin/env bash
# Makes the release archive of the shipped 32-bit program:
#   dist/release/vrklink-VERSION-x86.zip  (vrklink.exe, README.txt, SHA256SUMS.txt)
#   dist/release/vrklink-VERSION-x86.zip.sha256
# The archive holds fixed dates and modes, so the same commit gives the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${VRK_SKIP_BUILD:-}" = 1 ] || ./build >/dev/null
version=$(awk '/#define VRK_VERSION_(MAJOR|MINOR|PATCH|BUILD) /{v = v (v ? "." : "") $3} END {print v}' resources/version.h)
out=${1:-dist/release}
mkdir -p "$out"
archive="$out/vrklink-$version-x86.zip"
python3 - "$archive" dist/x86/vrklink.exe packaging/README.txt <<'PY'
import hashlib, sys, zipfile
archive, program, readme = sys.argv[1:]
files = {"vrklink.exe": open(program, "rb").read(),
         # A byte order mark, so that Notepad reads the Chinese lines as UTF-8.
         "README.txt": b"\xef\xbb\xbf" + open(readme, "rb").read()}
sums = "".join(f"{hashlib.sha256(data).hexdigest()} *{name}\r\n" for name, data in files.items())
files["SHA256SUMS.txt"] = sums.encode()
with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as zf:
    for name in sorted(files):
        info = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
        info.external_attr = 0o644 << 16
        info.compress_type = zipfile.ZIP_DEFLATED
        zf.writestr(info, files[name])
PY
(cd "$out" && sha256sum "$(basename "$archive")" > "$(basename "$archive").sha256")
echo "$archive"
unzip -l "$archive" 2>/dev/null || python3 -m zipfile -l "$archive"
cat "$archive.sha256"
