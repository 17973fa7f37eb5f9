#!/usr/bin/env python3
"""Writes our sample package: a zip with a placeholder manifest and the badging
PTQList prints for it (assets/badging.txt, stored uncompressed so the tool can
read it without inflating). Fixed timestamps keep the bytes reproducible.

usage: make_sample_apk.py OUT.apk
"""
import sys
import zipfile

MANIFEST = b"<!-- placeholder for the compiled manifest of the VQ sample package -->\n"
BADGING = (
    "package: name='com.boting.sample' versionCode='3' versionName='1.2.0' platformBuildVersionName='2.2'\n"
    "sdkVersion:'8'\n"
    "targetSdkVersion:'10'\n"
    "application-label:'VQ Sample'\n"
    "launchable-activity: name='com.boting.sample.MainActivity'  label='VQ Sample' icon=''\n"
    "uses-permission:'android.permission.INTERNET'\n"
    "densities: '160'\n"
).encode("ascii")
README = b"Sample package of the APK installer's tests and demo. Not a real application.\n"


def main(out):
    with zipfile.ZipFile(out, "w") as z:
        for name, data, method in (("AndroidManifest.xml", MANIFEST, zipfile.ZIP_DEFLATED),
                                   ("assets/badging.txt", BADGING, zipfile.ZIP_STORED),
                                   ("assets/readme.txt", README, zipfile.ZIP_DEFLATED)):
            info = zipfile.ZipInfo(name, date_time=(2012, 3, 1, 12, 0, 0))
            info.compress_type = method
            info.external_attr = 0o644 << 16
            z.writestr(info, data)


if __name__ == "__main__":
    main(sys.argv[1])
