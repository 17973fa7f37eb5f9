#!/usr/bin/env python3
"""Builds the setup package (MSI, with Debian's wixl) and the portable zip of the
program from the executables of a build.

usage: make_package.py --out-dir DIR --version X.Y.Z --product-name NAME
         --publisher NAME --prog-id ID --type-description TEXT --open-verb TEXT
         --program ApkInstaller.exe --bridge PTQApk.exe --badging PTQList.exe
         --icon ApkInstaller.ico

Writes DIR/ApkInstaller-X.Y.Z.msi and DIR/ApkInstaller-X.Y.Z-portable.zip.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import zipfile

import olefile  # Debian's python3-olefile

HERE = os.path.dirname(os.path.abspath(__file__))
FOLDER = "Boting APK Installer"  # as in ApkInstaller.wxs


def stand_ins(text):
    """Replaces every run of non-ASCII characters by an ASCII stand-in of the
    same length in GBK bytes; returns the text and {stand-in: GBK bytes}.

    Debian's wixl and libmsi mis-store strings that mix ASCII and other
    characters (a registry key such as Software\\Classes\\<GBK name> crashes
    them), so the package is built with stand-ins and its string data is then
    patched in place: equal lengths leave every offset of the database as it is.
    """
    runs = {}

    def token(match):
        run = match.group(0)
        if run not in runs:
            gbk = run.encode("gbk")  # raises for a character the code page cannot hold
            if len(gbk) < 4:
                sys.exit("a text of fewer than 4 GBK bytes cannot get a stand-in: %r" % run)
            stand_in = ("`%02d" % len(runs)).ljust(len(gbk), "`")
            runs[run] = (stand_in, gbk)
        return runs[run][0]

    ascii_text = re.sub(r"[^\x00-\x7f]+", token, text)
    return ascii_text, {stand_in.encode("ascii"): gbk for stand_in, gbk in runs.values()}


MSI_NAME_CHARS = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz._"


def msi_stream_name(encoded):
    """The name of a database stream as the installer knows it (table streams
    start with "!"); the compound file stores names packed two characters a
    code point."""
    out = []
    for ch in encoded:
        c = ord(ch)
        if c == 0x4840:
            out.append("!")
        elif 0x3800 <= c < 0x4800:
            c -= 0x3800
            out.append(MSI_NAME_CHARS[c & 0x3F] + MSI_NAME_CHARS[(c >> 6) & 0x3F])
        elif 0x4800 <= c < 0x4840:
            out.append(MSI_NAME_CHARS[c - 0x4800])
        else:
            out.append(ch)
    return "".join(out)


def patch_strings(msi, replacements, codepage):
    """Puts the GBK bytes in place of their stand-ins in the package's string
    data and summary information, and marks the string pool with the code page
    (wixl leaves it neutral)."""
    ole = olefile.OleFileIO(msi, write_mode=True)
    try:
        found = set()
        pool = None
        for entry in ole.listdir(streams=True, storages=False):
            if msi_stream_name(entry[-1]) == "!_StringPool":
                pool = entry
            data = ole.openstream(entry).read()
            patched = data
            for stand_in, gbk in replacements.items():
                if stand_in in patched:
                    found.add(stand_in)
                    patched = patched.replace(stand_in, gbk)
            if patched != data:
                ole.write_stream(entry, patched)
        missing = set(replacements) - found
        if missing:
            sys.exit("stand-ins not found in the package: %r" % sorted(missing))
        if pool is None:
            sys.exit("the package has no string pool")
        header = bytearray(ole.openstream(pool).read())
        # The first entry holds the code page; its top bit marks long string ids.
        flags = int.from_bytes(header[0:4], "little") & 0x80000000
        header[0:4] = (flags | codepage).to_bytes(4, "little")
        ole.write_stream(pool, bytes(header))
    finally:
        ole.close()
    ole = olefile.OleFileIO(msi)
    try:
        for entry in ole.listdir(streams=True, storages=False):
            data = ole.openstream(entry).read()
            for stand_in in replacements:
                if stand_in in data:
                    sys.exit("a stand-in is left in stream %r" % "/".join(entry))
    finally:
        ole.close()


def main():
    p = argparse.ArgumentParser()
    for name in ("out-dir", "version", "product-name", "publisher", "prog-id", "type-description",
                 "open-verb", "program", "bridge", "badging", "icon"):
        p.add_argument("--" + name, required=True)
    a = p.parse_args()

    stage = os.path.join(a.out_dir, "stage")
    shutil.rmtree(stage, ignore_errors=True)
    os.makedirs(stage)
    files = {"ApkInstaller.exe": a.program, "PTQApk.exe": a.bridge, "PTQList.exe": a.badging,
             "ApkInstaller.ico": a.icon}
    for name, source in files.items():
        shutil.copyfile(source, os.path.join(stage, name))
    with open(os.path.join(HERE, "ApkInstaller.wxs"), encoding="utf-8") as f:
        wxs = f.read()
    # The values are put in here rather than with wixl's -D, so that they get
    # stand-ins like every other text.
    defines = {"Version": a.version, "ProductName": a.product_name, "Publisher": a.publisher,
               "ProgId": a.prog_id, "TypeDescription": a.type_description, "OpenVerb": a.open_verb}
    for key, value in defines.items():
        wxs = wxs.replace("$(var.%s)" % key, value.replace("&", "&amp;").replace('"', "&quot;"))
    if "$(var." in wxs:
        sys.exit("ApkInstaller.wxs uses a value that make_package.py does not give")
    wxs, replacements = stand_ins(wxs)
    with open(os.path.join(stage, "ApkInstaller.wxs"), "w", encoding="ascii") as f:
        f.write(wxs)

    msi = os.path.abspath(os.path.join(a.out_dir, "ApkInstaller-%s.msi" % a.version))
    cmd = ["wixl", "-a", "x86", "-o", msi, "ApkInstaller.wxs"]
    env = dict(os.environ, LC_ALL="C.UTF-8")
    result = subprocess.run(cmd, cwd=stage, env=env, stderr=subprocess.PIPE, text=True)
    # wixl reports some faults as warnings and still writes nothing useful.
    if result.returncode != 0 or not os.path.isfile(msi):
        sys.stderr.write(result.stderr)
        sys.exit("wixl failed")
    patch_strings(msi, replacements, 936)

    # The portable zip: the same three programs in one folder, nothing installed.
    portable = os.path.join(a.out_dir, "ApkInstaller-%s-portable.zip" % a.version)
    with zipfile.ZipFile(portable, "w", zipfile.ZIP_DEFLATED) as z:
        for name in ("ApkInstaller.exe", "PTQApk.exe", "PTQList.exe"):
            info = zipfile.ZipInfo(FOLDER + "/" + name, date_time=(2026, 1, 1, 0, 0, 0))
            info.external_attr = 0o644 << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(stage, name), "rb") as f:
                z.writestr(info, f.read())
    print(msi)
    print(portable)


if __name__ == "__main__":
    main()
