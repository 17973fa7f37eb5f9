#!/usr/bin/env python3
"""Builds the badging reader's test packages with the Android asset packaging tool
(aapt) against the framework resource package, from small manifests of our own.
Each package covers a case the reader must get right; their badging is compared
with aapt's own by the parity test.

usage: make_test_packages.py OUT_DIR      (prints the paths of the packages built)

The outputs are reproducible byte for byte. Committed copies: tests/data/badging/
(the reader's and the window's fixtures) and tests/data/sample/VqSample.apk (the
demo's sample, with its own launcher icon drawn here).
"""
import os
import shutil
import struct
import subprocess
import sys
import zlib

FRAMEWORK = "/usr/share/android-framework-res/framework-res.apk"
NS = 'xmlns:android="http://schemas.android.com/apk/res/android"'
LAUNCHER = ('<intent-filter><action android:name="android.intent.action.MAIN"/>'
            '<category android:name="android.intent.category.LAUNCHER"/></intent-filter>')


def png(width, height):
    """A small opaque PNG of one colour."""
    row = b"\0" + b"\x30\x80\xd0\xff" * width
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(row * height)) + chunk(b"IEND", b""))


def png_rgba(width, height, pixel):
    """A PNG of width x height from pixel(x, y) -> (r, g, b, a)."""
    raw = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def solid_png(width, height, rgba):
    """A one-colour PNG; cheap at any size (one row, repeated)."""
    row = b"\0" + bytes(rgba) * width
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(row * height, 9)) + chunk(b"IEND", b""))


def sample_icon(size):
    """The sample's launcher icon: a white arrow into a tray on a blue rounded
    square, drawn with 4 x 4 samples per pixel for smooth edges."""
    def in_square(u, v):
        m, r = 0.06, 0.2  # margin, corner radius
        dx = max(abs(u - 0.5) - (0.5 - m - r), 0.0)
        dy = max(abs(v - 0.5) - (0.5 - m - r), 0.0)
        return dx * dx + dy * dy <= r * r
    def in_glyph(u, v):
        shaft = 0.44 <= u <= 0.56 and 0.22 <= v <= 0.50
        head = 0.46 <= v <= 0.66 and abs(u - 0.5) <= 0.2 * (0.66 - v) / 0.2
        tray = (0.25 <= u <= 0.75 and 0.71 <= v <= 0.78) or \
               ((0.25 <= u <= 0.32 or 0.68 <= u <= 0.75) and 0.56 <= v <= 0.78)
        return shaft or head or tray
    top, bottom = (0x5A, 0xB9, 0xF5), (0x1B, 0x6F, 0xD1)
    n = 4
    def pixel(x, y):
        square = glyph = 0
        for sy in range(n):
            for sx in range(n):
                u, v = (x + (sx + 0.5) / n) / size, (y + (sy + 0.5) / n) / size
                if in_square(u, v):
                    square += 1
                    glyph += in_glyph(u, v)
        if square == 0:
            return (0, 0, 0, 0)
        t = (y + 0.5) / size
        back = [round(a + (b - a) * t) for a, b in zip(top, bottom)]
        w = glyph / square
        return tuple(round(c + (255 - c) * w) for c in back) + (round(255 * square / (n * n)),)
    return png_rgba(size, size, pixel)


def strings(entries):
    body = "".join('<string name="%s">%s</string>' % kv for kv in entries.items())
    return '<?xml version="1.0" encoding="utf-8"?>\n<resources>%s</resources>\n' % body


# name: manifest (package attributes, body), resource files, extra files added after packaging
PACKAGES = {
    "literal": dict(
        manifest='package="com.vq.literal" android:versionCode="42" android:versionName="3.1.4"',
        body='<uses-sdk android:minSdkVersion="8" android:targetSdkVersion="10"/>'
             '<uses-permission android:name="android.permission.INTERNET"/>'
             '<uses-permission android:name="android.permission.INTERNET"/>'
             '<uses-permission android:name="android.permission.READ_CONTACTS" android:maxSdkVersion="18"/>'
             '<application android:label="Literal App">'
             '<activity android:name=".MainActivity" android:label="Main">' + LAUNCHER + '</activity>'
             '</application>'),
    "references": dict(
        manifest='package="com.vq.references" android:versionCode="1234" android:versionName="@string/version"',
        body='<uses-sdk android:minSdkVersion="9" android:targetSdkVersion="19"/>'
             '<application android:label="@string/app_name" android:icon="@drawable/icon">'
             '<activity android:name="com.vq.references.Start" android:label="@string/start" android:icon="@drawable/icon">'
             + LAUNCHER + '</activity></application>',
        res={"values/strings.xml": strings({"app_name": "Reference App", "version": "2.5.1-beta", "start": "Start here"}),
             "values/integers.xml": '<resources><integer name="unused">9</integer></resources>',
             "values-de/strings.xml": strings({"app_name": "Verweis-App"}),
             "values-fr-rCA/strings.xml": strings({"app_name": "Appli référence"}),
             "values-zh-rCN/strings.xml": strings({"app_name": "安装器示例应用"}),
             "values-zh-rTW/strings.xml": strings({"app_name": "安裝器範例"}),
             "values-ja/strings.xml": strings({"app_name": "参照アプリ"}),
             "values-ru/strings.xml": strings({"app_name": "Ссылочное приложение"}),
             "values-ar/strings.xml": strings({"app_name": "تطبيق مرجعي"}),
             "values-b+sr+Latn/strings.xml": strings({"app_name": "Referentna aplikacija"}),
             "drawable-mdpi/icon.png": png(48, 48),
             "drawable-hdpi/icon.png": png(72, 72),
             "drawable-xxhdpi/icon.png": png(144, 144)}),
    "nosdk": dict(
        manifest='package="com.vq.nosdk" android:versionCode="1" android:versionName=""',
        body='<uses-permission android:name="android.permission.VIBRATE"/><application/>'),
    "noversion": dict(
        manifest='package="com.vq.noversion"',
        body='<uses-sdk android:minSdkVersion="4"/><application android:label=""/>'),
    "codename": dict(
        manifest='package="com.vq.codename" android:versionCode="5" android:versionName="Q preview"',
        body='<uses-sdk android:minSdkVersion="Q" android:targetSdkVersion="Q"/>'
             '<application android:label="Codename" android:icon="@mipmap/launcher"/>',
        res={"mipmap-xhdpi/launcher.png": png(96, 96), "mipmap-anydpi-v26/launcher.xml":
             '<adaptive-icon xmlns:android="http://schemas.android.com/apk/res/android">'
             '<background android:drawable="@mipmap/launcher_bg"/></adaptive-icon>',
             "mipmap-mdpi/launcher_bg.png": png(48, 48)}),
    "split": dict(
        manifest='package="com.vq.split" split="config.x86" android:versionCode="8" android:versionName="1.0"',
        body='<uses-sdk android:minSdkVersion="21"/><application android:hasCode="false"/>'),
    "native": dict(
        manifest='package="com.vq.native" android:versionCode="77" android:versionName="7.7"',
        body='<uses-sdk android:minSdkVersion="14" android:targetSdkVersion="28"/>'
             '<uses-permission android:name="android.permission.CAMERA"/>'
             '<application android:label="@string/app_name"><activity android:name=".Game">' + LAUNCHER +
             '</activity></application>',
        res={"values/strings.xml": strings({"app_name": "Native &amp; \\'quoted\\' game"})},
        extra={"lib/armeabi-v7a/libgame.so": b"\x7fELF arm", "lib/x86/libgame.so": b"\x7fELF x86",
               "lib/arm64-v8a/libgame.so": b"\x7fELF arm64",
               "assets/数据 файл.txt": "odd names survive".encode(), "assets/with space.bin": b"\0\1\2"}),
    # A version code given as a reference: the tool stops after the package name.
    "badcode": dict(
        manifest='package="com.vq.badcode" android:versionCode="@integer/code" android:versionName="1"',
        body='<application/>',
        res={"values/integers.xml": '<resources><integer name="code">12</integer></resources>'}),
    "components": dict(
        manifest='package="com.vq.components" android:versionCode="3" android:versionName="1"',
        body='<uses-sdk android:minSdkVersion="15" android:targetSdkVersion="26"/>'
             '<uses-permission android:name="android.permission.WRITE_EXTERNAL_STORAGE"/>'
             '<application android:label="Components">'
             '<activity android:name="Main">' + LAUNCHER + '</activity>'
             '<activity android:name=".Other"/>'
             '<activity android:name=".Home"><intent-filter><action android:name="android.intent.action.MAIN"/>'
             '<category android:name="android.intent.category.HOME"/>'
             '<category android:name="android.intent.category.DEFAULT"/></intent-filter></activity>'
             '<receiver android:name=".Rx"/><service android:name=".Svc"/>'
             '<provider android:name=".Prov" android:authorities="com.vq.components.p"/>'
             '</application>',
        res={"values/strings.xml": strings({"unused": "x"})}),
    # The demo's sample, as a real package.
    "VqSample": dict(
        manifest='package="com.boting.sample" android:versionCode="3" android:versionName="1.2.0"',
        body='<uses-sdk android:minSdkVersion="8" android:targetSdkVersion="10"/>'
             '<uses-permission android:name="android.permission.INTERNET"/>'
             '<application android:label="VQ Sample" android:icon="@drawable/icon">'
             '<activity android:name=".MainActivity" android:label="VQ Sample">' + LAUNCHER + '</activity>'
             '</application>',
        res={"drawable-mdpi/icon.png": sample_icon(48), "drawable-hdpi/icon.png": sample_icon(72),
             "drawable-xhdpi/icon.png": sample_icon(96), "drawable-xxhdpi/icon.png": sample_icon(144)},
        # The simulated PTQList of the tests prints this (stored, so it needs no inflating).
        badging_asset=True),
    # One colour per density, so a picture tells which was taken: mdpi (48 px) and
    # xxhdpi (144 px) are equally far from 96 px, the larger one wins.
    "densities": dict(
        manifest='package="com.vq.densities" android:versionCode="2" android:versionName="2.0"',
        body='<uses-sdk android:minSdkVersion="8"/><application android:label="Densities" android:icon="@mipmap/ic">'
             '<activity android:name=".Main">' + LAUNCHER + '</activity></application>',
        res={"mipmap-mdpi/ic.png": solid_png(48, 48, (0xE0, 0x30, 0x30, 0xFF)),
             "mipmap-xxhdpi/ic.png": solid_png(144, 144, (0x30, 0xA0, 0x40, 0xFF)),
             "mipmap-xxxhdpi/ic.png": solid_png(192, 192, (0x30, 0x40, 0xE0, 0xFF))}),
    # An adaptive icon only: no PNG to show.
    "adaptive": dict(
        manifest='package="com.vq.adaptive" android:versionCode="1" android:versionName="1.0"',
        body='<uses-sdk android:minSdkVersion="26"/><application android:label="Adaptive" android:icon="@mipmap/ic">'
             '<activity android:name=".Main">' + LAUNCHER + '</activity></application>',
        res={"mipmap-anydpi-v26/ic.xml":
             '<adaptive-icon xmlns:android="http://schemas.android.com/apk/res/android">'
             '<background android:drawable="@color/bg"/><foreground android:drawable="@color/bg"/></adaptive-icon>',
             "values/colors.xml": '<resources><color name="bg">#3366cc</color></resources>'}),
    # An icon whose picture is larger than the window accepts (1100 x 1100).
    "hugeicon": dict(
        manifest='package="com.vq.hugeicon" android:versionCode="1" android:versionName="1.0"',
        body='<uses-sdk android:minSdkVersion="8"/><application android:label="Huge" android:icon="@drawable/ic">'
             '<activity android:name=".Main">' + LAUNCHER + '</activity></application>',
        res={"drawable-xhdpi/ic.png": solid_png(1100, 1100, (0x80, 0x20, 0x90, 0xFF))}),
}


def build(out_dir, name, recipe):
    src = os.path.join(out_dir, "src", name)
    shutil.rmtree(src, ignore_errors=True)
    os.makedirs(os.path.join(src, "res"))
    with open(os.path.join(src, "AndroidManifest.xml"), "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="utf-8"?>\n<manifest %s %s>%s</manifest>\n'
                % (NS, recipe["manifest"], recipe["body"]))
    for rel, data in recipe.get("res", {}).items():
        path = os.path.join(src, "res", rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data if isinstance(data, bytes) else data.encode("utf-8"))
    apk = os.path.join(out_dir, name + ".apk")
    def package(*more):
        if os.path.exists(apk):
            os.remove(apk)
        subprocess.run(["aapt", "package", "-f", "-M", os.path.join(src, "AndroidManifest.xml"),
                        "-S", os.path.join(src, "res"), "-I", FRAMEWORK, "-F", apk] + list(more),
                       check=True, stdout=subprocess.DEVNULL)
    package()
    if recipe.get("badging_asset"):
        # aapt's own badging of the package, which assets do not change.
        badging = subprocess.run(["aapt", "dump", "badging", apk], check=True, stdout=subprocess.PIPE).stdout
        assets = os.path.join(src, "assets")
        os.makedirs(assets)
        with open(os.path.join(assets, "badging.txt"), "wb") as f:
            f.write(badging)
        package("-A", assets, "-0", "txt")
    extra = recipe.get("extra", {})
    if extra:
        for rel, data in extra.items():
            path = os.path.join(src, rel)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
        subprocess.run(["aapt", "add", os.path.abspath(apk)] + list(extra), cwd=src,
                       check=True, stdout=subprocess.DEVNULL)
    return apk


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    for name, recipe in PACKAGES.items():
        print(build(out_dir, name, recipe))


if __name__ == "__main__":
    main(sys.argv[1])
