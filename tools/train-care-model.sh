#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The 妙语通 developers
# Trains a fastText classifier for care from corpus/care/*.tsv and prints its figures on the
# validation split (the test split is for one measurement, after everything is chosen:
# CARE_SPLIT=test). Reproducible: one thread and a fixed seed give the same model every time.
# The model goes to build/care-model.ftz; the program does not read it yet (see
# corpus/care/README.md for why and for what it reached). Needs ./build (care-corpus, which
# reads messages as the trainer expects) and Debian's fasttext.
#
#   tools/train-care-model.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
corpus=("$root"/corpus/care/*.tsv)
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cmake --build "$root/build" --target care-corpus >/dev/null
tool="$root/build/tools/carecorpus/care-corpus"
split="${CARE_SPLIT:-valid}"

"$tool" fasttext train "${corpus[@]}" >"$work/train.txt"
"$tool" fasttext "$split" "${corpus[@]}" >"$work/$split.txt"
# Small and quantised: under a megabyte, read in a blink.
settings=(-dim 16 -wordNgrams 2 -epoch 25 -lr 0.5 -bucket 200000 -thread 1 -seed 1 -verbose 0)
fasttext supervised -input "$work/train.txt" -output "$work/model" "${settings[@]}"
fasttext quantize -input "$work/train.txt" -output "$work/model" -qnorm -retrain -cutoff 50000 \
    "${settings[@]}"
cp "$work/model.ftz" "$root/build/care-model.ftz"
echo "build/care-model.ftz: $(stat -c %s "$root/build/care-model.ftz") bytes; on the $split split:"
fasttext test "$work/model.ftz" "$work/$split.txt" 1
fasttext test-label "$work/model.ftz" "$work/$split.txt" | grep -v '^N\|^P@\|^R@'
