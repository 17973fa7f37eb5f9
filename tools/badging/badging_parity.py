#!/usr/bin/env python3
"""Compares our PTQList with the Android asset packaging tool (aapt) line by line:
on the test packages our script builds with aapt, on every package Debian ships
under /usr/share, and on the error cases (missing file, no package, no manifest,
no argument). The lines the installer reads ("package:" and "sdkVersion:"), the
exit codes and the error lines must be equal on every package; on our own test
packages every line must be equal; other differences are listed.

usage: badging_parity.py OUR_PTQLIST WORK_DIR
"""
import collections
import difflib
import glob
import os
import subprocess
import sys
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
READ_BY_THE_WINDOW = ("package:", "sdkVersion:")


def run(command):
    p = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    return p.returncode, p.stdout.decode("utf-8", "replace").splitlines(), p.stderr.decode("utf-8", "replace")


def error_lines(stderr):
    return [line for line in stderr.splitlines() if line.startswith("ERROR")]


def kind(line):
    head = (line.split(":", 1)[0] if ":" in line else line).strip()
    for family in ("application-label-", "application-icon-"):
        if head.startswith(family):
            return family + "*"
    return head


def main(ours, work):
    os.makedirs(work, exist_ok=True)
    built = subprocess.run([sys.executable, os.path.join(HERE, "make_test_packages.py"), os.path.join(work, "packages")],
                           check=True, stdout=subprocess.PIPE).stdout.decode().split()
    shipped = sorted(set(glob.glob("/usr/share/**/*.apk", recursive=True)))
    failures = []
    rows = []
    differing = collections.Counter()
    examples = {}
    for path in built + shipped:
        code_a, lines_a, err_a = run(["aapt", "d", "badging", path])
        code_o, lines_o, err_o = run([ours, "d", "badging", path])
        name = os.path.basename(path)
        if code_a != code_o:
            failures.append("%s: exit code %d, aapt's %d" % (name, code_o, code_a))
        matcher = difflib.SequenceMatcher(a=lines_a, b=lines_o, autojunk=False)
        equal = sum(block.size for block in matcher.get_matching_blocks())
        for tag, a0, a1, b0, b1 in matcher.get_opcodes():
            if tag == "equal":
                continue
            for line in lines_a[a0:a1]:
                differing["only aapt: " + kind(line)] += 1
                examples.setdefault("only aapt: " + kind(line), line)
            for line in lines_o[b0:b1]:
                differing["only ours: " + kind(line)] += 1
                examples.setdefault("only ours: " + kind(line), line)
        if path in built and lines_a != lines_o:
            failures.append("%s: our lines differ from aapt's" % name)
        for prefix in READ_BY_THE_WINDOW:
            mine = [l for l in lines_o if l.startswith(prefix)]
            theirs = [l for l in lines_a if l.startswith(prefix)]
            if mine != theirs:
                failures.append("%s: %s lines differ: %r, aapt %r" % (name, prefix, mine, theirs))
        rows.append((name, len(lines_a), len(lines_o), equal))

    # The error cases: same exit code and the same ERROR line on standard error.
    bad = os.path.join(work, "errors")
    os.makedirs(bad, exist_ok=True)
    with open(os.path.join(bad, "text.apk"), "w") as f:
        f.write("not a package\n")
    with zipfile.ZipFile(os.path.join(bad, "nomanifest.apk"), "w") as z:
        z.writestr("classes.dex", "dex")
    with zipfile.ZipFile(os.path.join(bad, "textmanifest.apk"), "w") as z:
        z.writestr("AndroidManifest.xml", "<manifest/> as plain text")
    # A good package whose resource table is cut short.
    with zipfile.ZipFile([p for p in built if p.endswith("references.apk")][0]) as src, zipfile.ZipFile(os.path.join(bad, "cuttable.apk"), "w") as z:
        for info in src.infolist():
            data = src.read(info.filename)
            z.writestr(info.filename, data[:100] if info.filename == "resources.arsc" else data)
    cases = {"missing file": ["d", "badging", os.path.join(bad, "missing.apk")],
             "no package": ["d", "badging", os.path.join(bad, "text.apk")],
             "no manifest": ["d", "badging", os.path.join(bad, "nomanifest.apk")],
             "manifest not compiled": ["d", "badging", os.path.join(bad, "textmanifest.apk")],
             "resource table cut short": ["d", "badging", os.path.join(bad, "cuttable.apk")],
             "no argument": ["d", "badging"]}
    error_rows = []
    for what, args in cases.items():
        code_a, out_a, err_a = run(["aapt"] + args)
        code_o, out_o, err_o = run([ours] + args)
        same = code_a == code_o and error_lines(err_a) == error_lines(err_o) and out_a == out_o
        error_rows.append((what, code_a, code_o, error_lines(err_o), same))
        if not same:
            failures.append("%s: ours %d %r, aapt %d %r" % (what, code_o, error_lines(err_o), code_a, error_lines(err_a)))

    print("| package | aapt lines | our lines | equal lines |")
    print("|---|---|---|---|")
    for row in rows:
        print("| %s | %d | %d | %d |" % row)
    total_a = sum(r[1] for r in rows)
    total_equal = sum(r[3] for r in rows)
    print("| all %d packages | %d | %d | %d |" % (len(rows), total_a, sum(r[2] for r in rows), total_equal))
    print()
    print("| error case | aapt exit | our exit | our error line | same |")
    print("|---|---|---|---|---|")
    for what, code_a, code_o, lines, same in error_rows:
        print("| %s | %d | %d | %s | %s |" % (what, code_a, code_o, " / ".join(lines), "yes" if same else "NO"))
    print()
    print("Lines that differ, by kind (count, first example):")
    for key, count in sorted(differing.items()):
        print("  %-40s %4d  %s" % (key, count, examples[key][:110]))
    if failures:
        print()
        print("FAILED:")
        for f in failures:
            print("  " + f)
        return 1
    print("parity: the lines the installer reads, exit codes and error lines are equal")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
