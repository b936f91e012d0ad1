#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The 妙语通 developers
"""Prints care's five-class figures for a labeled file, answered through the console's batch mode.

    tools/care-figures.py FILE.tsv [CONSOLE]

FILE holds "message<TAB>label" lines after a header; labels are now, self, helper, distress,
lookalike and chat (crisis and lookalike, as the held-out sets write them, are read as self and
lookalike). For each label the table gives the share of messages that got each care outcome, or
none (a table row, a no-answer line, a command...). The console is build/src/miaoyutong-console
unless named, run with the built-in knowledge and a fixed seed."""
import collections
import os
import subprocess
import sys

OUTCOMES = ["care:now", "care:self", "care:helper", "care:distress", "none"]
LABELS = ["now", "self", "helper", "distress", "lookalike", "chat"]
SAME = {"crisis": "self"}


def escaped(message):
    return message.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    console = sys.argv[2] if len(sys.argv) > 2 else os.path.join(root, "build/src/miaoyutong-console")
    rows = []
    with open(sys.argv[1], encoding="utf-8") as data:
        for line in data.read().split("\n")[1:]:
            if line.strip():
                message, label = line.split("\t")[:2]
                rows.append((message, SAME.get(label, label)))
    answered = subprocess.run([console, "--default", "--tsv", "--seed", "1"], check=True,
                              input="".join(escaped(m) + "\n" for m, _ in rows),
                              capture_output=True, text=True).stdout.split("\n")
    counts = collections.defaultdict(collections.Counter)
    for (message, label), row in zip(rows, answered):
        route = row.split("\t")[1]
        counts[label][route if route.startswith("care:") else "none"] += 1
    print("%-10s %6s " % ("label", "count") + " ".join("%13s" % o for o in OUTCOMES))
    for label in LABELS:
        total = sum(counts[label].values())
        if total:
            print("%-10s %6d " % (label, total) +
                  " ".join("%12.1f%%" % (100.0 * counts[label][o] / total) for o in OUTCOMES))


if __name__ == "__main__":
    main()
