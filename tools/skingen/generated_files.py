"""Writing generated files, or checking that the committed ones are up to date."""

import os
import sys


def emit(out_dir, outputs, prune=False):
    """Writes outputs ({name: bytes}) into out_dir, or with --check on the command
    line compares them with the files there and exits 1 on any difference.

    prune removes other files of out_dir (the folder belongs to the generator).
    """
    check = "--check" in sys.argv[1:]
    repo = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    where = os.path.relpath(out_dir, repo)
    if check:
        stale = []
        for name in sorted(outputs):
            path = os.path.join(out_dir, name)
            if not os.path.isfile(path) or open(path, "rb").read() != outputs[name]:
                stale.append(name)
        if prune and os.path.isdir(out_dir):
            stale += sorted(set(os.listdir(out_dir)) - set(outputs))
        if stale:
            print("%s is not what the generator makes: %s" % (where, ", ".join(stale)))
            sys.exit(1)
        print("%s is up to date (%d files)" % (where, len(outputs)))
        return
    os.makedirs(out_dir, exist_ok=True)
    if prune:
        for existing in os.listdir(out_dir):
            if existing not in outputs:
                os.remove(os.path.join(out_dir, existing))
    for name in sorted(outputs):
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(outputs[name])
    print("wrote %s (%d bytes) to %s" % (", ".join(sorted(outputs)), sum(map(len, outputs.values())), where))
