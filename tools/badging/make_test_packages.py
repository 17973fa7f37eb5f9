#!/usr/bin/env python3
"""Builds the badging reader's test packages with the Android asset packaging tool
(aapt) against the framework resource package, from small manifests of our own.
Each package covers a case the reader must get right; their badging is compared
with aapt's own by the parity test.

usage: make_test_packages.py OUT_DIR      (prints the paths of the packages built)
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
        res={"drawable-mdpi/icon.png": png(48, 48)}),
}


def build(out_dir, name, spec):
    src = os.path.join(out_dir, "src", name)
    shutil.rmtree(src, ignore_errors=True)
    os.makedirs(os.path.join(src, "res"))
    with open(os.path.join(src, "AndroidManifest.xml"), "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="utf-8"?>\n<manifest %s %s>%s</manifest>\n'
                % (NS, spec["manifest"], spec["body"]))
    for rel, data in spec.get("res", {}).items():
        path = os.path.join(src, "res", rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data if isinstance(data, bytes) else data.encode("utf-8"))
    apk = os.path.join(out_dir, name + ".apk")
    if os.path.exists(apk):
        os.remove(apk)
    subprocess.run(["aapt", "package", "-f", "-M", os.path.join(src, "AndroidManifest.xml"),
                    "-S", os.path.join(src, "res"), "-I", FRAMEWORK, "-F", apk],
                   check=True, stdout=subprocess.DEVNULL)
    extra = spec.get("extra", {})
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
    for name, spec in PACKAGES.items():
        print(build(out_dir, name, spec))


if __name__ == "__main__":
    main(sys.argv[1])
