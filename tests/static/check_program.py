#!/usr/bin/env python3
"""Static checks of a built program: PE header, imports, sections and the three
resources, read back with wrestool and icotool.  Prints one line per check and
'N passed, N failed'.

    check_program.py PROGRAM.exe x86|x64
"""
import struct
import subprocess
import sys
import tempfile
import os

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "ole32.dll", "shell32.dll", "msvcrt.dll"}
passed = failed = 0


def check(ok, name, detail=""):
    global passed, failed
    if ok:
        passed += 1
        print(f"ok - {name}")
    else:
        failed += 1
        print(f"FAIL - {name}" + (f": {detail}" if detail else ""))


class Pe:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        assert data[pe:pe + 4] == b"PE\0\0"
        self.machine, self.section_count, self.timestamp = struct.unpack_from("<HHI", data, pe + 4)
        optional_size = struct.unpack_from("<H", data, pe + 20)[0]
        self.characteristics = struct.unpack_from("<H", data, pe + 22)[0]
        opt = pe + 24
        self.magic = struct.unpack_from("<H", data, opt)[0]
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", data, opt + 68)
        directories = opt + (96 if self.magic == 0x10B else 112)
        self.import_rva = struct.unpack_from("<I", data, directories + 8)[0]
        self.sections = []
        table = opt + optional_size
        for i in range(self.section_count):
            name, vsize, rva, raw_size, raw_ptr = struct.unpack_from("<8sIIII", data, table + 40 * i)
            flags = struct.unpack_from("<I", data, table + 40 * i + 36)[0]
            self.sections.append((name.rstrip(b"\0").decode(), rva, vsize, raw_ptr, raw_size, flags))

    def offset(self, rva):
        for _, start, vsize, raw_ptr, raw_size, _ in self.sections:
            if start <= rva < start + max(vsize, raw_size):
                return raw_ptr + rva - start
        raise ValueError(hex(rva))

    def string(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode()

    def imports(self):
        names = []
        at = self.offset(self.import_rva)
        while True:
            entry = struct.unpack_from("<IIIII", self.data, at)
            if entry == (0, 0, 0, 0, 0):
                return names
            names.append(self.string(entry[3]))
            at += 20


def wrestool(program, *args):
    return subprocess.run(["wrestool", *args, program], capture_output=True, check=True).stdout


def check_header(pe, arch):
    want_machine, want_magic = (0x14C, 0x10B) if arch == "x86" else (0x8664, 0x20B)
    check(pe.machine == want_machine, f"machine is {arch}", hex(pe.machine))
    check(pe.magic == want_magic, "PE32" if arch == "x86" else "PE32+", hex(pe.magic))
    check(pe.subsystem == 2, "GUI subsystem", str(pe.subsystem))
    check(pe.dll_characteristics & 0x40, "dynamic base (ASLR)", hex(pe.dll_characteristics))
    check(pe.dll_characteristics & 0x100, "NX compatible", hex(pe.dll_characteristics))
    if arch == "x64":
        check(pe.dll_characteristics & 0x20, "high-entropy virtual addresses", hex(pe.dll_characteristics))
    check(pe.timestamp == 0, "no build timestamp in the header", hex(pe.timestamp))
    wx = [name for name, *_, flags in pe.sections if flags & 0x20000000 and flags & 0x80000000]
    check(not wx, "no section is both writable and executable", ", ".join(wx))
    dlls = pe.imports()
    foreign = [dll for dll in dlls if dll.lower() not in SYSTEM_DLLS]
    check(dlls and not foreign, "imports system DLLs only: " + ", ".join(dlls), ", ".join(foreign))


def check_icon(program):
    listing = wrestool(program, "-l").decode()
    groups = [line for line in listing.splitlines() if "type=group_icon" in line]
    check(len(groups) >= 1 and "--name='DEFAULT_ICON'" in groups[0] and "--language=0 " in groups[0],
          "the first icon group is DEFAULT_ICON, language neutral", groups[0] if groups else listing)
    with tempfile.TemporaryDirectory() as folder:
        ico = os.path.join(folder, "icon.ico")
        with open(ico, "wb") as f:
            f.write(wrestool(program, "-x", "--type=14", "--name=DEFAULT_ICON"))
        images = subprocess.run(["icotool", "-l", ico], capture_output=True, text=True, check=True).stdout.split("\n")
    sizes = sorted(
        (int(line.split("--width=")[1].split()[0]), int(line.split("--bit-depth=")[1].split()[0]))
        for line in images if "--width=" in line)
    check(sizes == [(16, 4), (32, 4), (48, 4)], "icon images 16, 32 and 48 pixels at 4 bits per pixel", str(sizes))


def check_manifest(program, arch):
    listing = wrestool(program, "-l").decode()
    check("--type=24 --name=1 " in listing, "manifest is resource type 24, id 1")
    manifest = wrestool(program, "-x", "-R", "--type=24", "--name=1").decode()
    own_arch = "x86" if arch == "x86" else "amd64"
    for text, name in [
        ('type="win32"', "own identity of type win32"),
        (f'processorArchitecture="{own_arch}"', f"architecture {own_arch}"),
        ('name="Microsoft.Windows.Common-Controls"', "depends on the common controls"),
        ('version="6.0.0.0"', "version 6.0.0.0"),
        ('publicKeyToken="6595b64144ccf1df"', "the published public key token"),
        ('language="*"', 'language "*"'),
    ]:
        check(text in manifest, "manifest: " + name)
    check("requestedExecutionLevel" not in manifest and "dpiaware" not in manifest.lower(),
          "manifest requests no execution level and declares no DPI awareness")


def read_block(data, at):
    """One VS_VERSIONINFO-style block: (key, value bytes, children, end)."""
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    key_at = at + 6
    key_end = key_at
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[key_at:key_end].decode("utf-16-le")
    value_at = (key_end + 2 + 3) & ~3
    value_size = value_length * 2 if kind == 1 else value_length
    value = data[value_at:value_at + value_size]
    children = []
    child = (value_at + value_size + 3) & ~3
    while child < at + length:
        block = read_block(data, child)
        children.append(block)
        child = (block[3] + 3) & ~3
    return key, value, children, at + length


def check_version(program):
    listing = wrestool(program, "-l").decode()
    check("--type=16 --name=1 --language=2052 " in listing, "version record in language 0x0804")
    data = wrestool(program, "-x", "-R", "--type=16")
    key, fixed, children, _ = read_block(data, 0)
    check(key == "VS_VERSION_INFO", "version record key")
    (signature, _, file_ms, file_ls, product_ms, product_ls, _, flags, os_, file_type, _, _, _) = struct.unpack(
        "<13I", fixed)
    check(signature == 0xFEEF04BD, "fixed version part present")
    check((file_ms, file_ls) == (0x10000, 0), "file version 1.0.0.0", f"{file_ms:#x} {file_ls:#x}")
    check((product_ms, product_ls) == (0x10000, 0), "product version 1.0.0.0")
    check(flags == 0, "no file flags")
    check(os_ == 0x4, "operating system VOS__WINDOWS32", hex(os_))
    check(file_type == 1, "file type VFT_APP")
    by_key = {child[0]: child for child in children}
    tables = by_key.get("StringFileInfo", (None, None, []))[2]
    check([t[0] for t in tables] == ["080404B0"], "one string table 080404B0", str([t[0] for t in tables]))
    if tables:
        strings = [(s[0], s[1].decode("utf-16-le").rstrip("\0")) for s in tables[0][2]]
        names = [name for name, _ in strings]
        check(names == ["FileVersion", "FileDescription", "ProductName", "ProductVersion", "LegalCopyright",
                        "Comments"], "the six strings in order", str(names))
        values = dict(strings)
        check(values.get("FileVersion") == "1.0.0.0" and values.get("ProductVersion") == "1.0.0.0",
              "FileVersion and ProductVersion 1.0.0.0")
        check(all(values.get(name) for name in names), "every string has a value")
        print("   FileDescription: " + values.get("FileDescription", ""))
    translation = [c for c in by_key.get("VarFileInfo", (None, None, []))[2] if c[0] == "Translation"]
    check(translation and translation[0][1] == struct.pack("<HH", 0x0804, 0x04B0), "translation 0x0804, 0x04B0")


def main(program, arch):
    with open(program, "rb") as f:
        pe = Pe(f.read())
    check_header(pe, arch)
    check_icon(program)
    check_manifest(program, arch)
    check_version(program)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
