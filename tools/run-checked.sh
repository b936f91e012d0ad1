#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The 妙语通 developers
# The checked builds, with clang: every test under AddressSanitizer, UndefinedBehaviorSanitizer
# and LeakSanitizer (./build-checked), every test again under ThreadSanitizer (./build-threads),
# then each libFuzzer target for MIAOYU_FUZZ_SECONDS (60 by default) on its seed corpus and
# dictionary. Any finding fails the
# run: the sanitizers stop at the first error, and a fuzzer's crash or broken invariant exits
# non-zero with the input that caused it saved in build-checked/fuzz-findings/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-checked"
seconds="${MIAOYU_FUZZ_SECONDS:-60}"

command -v clang++ >/dev/null || { echo "run-checked: clang++ is missing (tools/setup.sh installs it)" >&2; exit 1; }

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DMIAOYU_SANITIZE=ON -DMIAOYU_FUZZ=ON >/dev/null
cmake --build "$build" -j2

export QT_QPA_PLATFORM=offscreen
# libspeechd reads the daemon's voice list with strstr over its whole reply, once per line;
# ASan's strstr wrapper measures the reply each time, which turns a second into minutes.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:intercept_strstr=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Leaks inside third-party system libraries only; see the file for why each is there.
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0"

echo "== the suite under ASan, UBSan and LSan"
# The window's pictures are JPEGs, decoded by Qt's jpeg plugin, which is loaded at run time and
# brings libjpeg-turbo with a thread-local of its own. Clang 14's LeakSanitizer misjudges the
# extent of such a late-loaded library's thread-local block and crashes in its own leak scan as
# the program ends ("Tracer caught signal 11", in four runs of the end-to-end test out of six).
# Loaded before the program starts, the library's thread-local is part of the static block,
# which the scan reads correctly (eleven runs out of eleven pass).
jpeg_plugin="$(qtpaths6 --query QT_INSTALL_PLUGINS)/imageformats/libqjpeg.so"
libjpeg="$(ldd "$jpeg_plugin" | awk '/libjpeg/ { print $3 }')"
[ -f "$libjpeg" ] || { echo "run-checked: libjpeg of $jpeg_plugin not found" >&2; exit 1; }
# Left to the plain suite: the package test builds and installs its own release build, so
# nothing sanitized runs in it.
LD_PRELOAD="$libjpeg" ctest --test-dir "$build" --output-on-failure --timeout 600 -j2 -E '^e2e_package$'

echo "== the suite under ThreadSanitizer"
threads="$root/build-threads"
cmake -S "$root" -B "$threads" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DMIAOYU_TSAN=ON >/dev/null
cmake --build "$threads" -j2
# Debian's Qt is not built for the tool: reports from inside its uninstrumented code are left
# out (our accesses are all still checked), and tools/tsan.supp names the few hand-offs of Qt's
# that remain. halt_on_error: the first race fails its test.
export TSAN_OPTIONS="halt_on_error=1:ignore_noninstrumented_modules=1:suppressions=$root/tools/tsan.supp"
# Left out: the package test (a release build of its own); tst_speaker, tst_singlewindow,
# tst_ending, tst_console and tst_savingprocesses, which start programs: clang 14's ThreadSanitizer runtime fails its own check in the
# child of a fork ("CHECK failed … SlotAttachAndLock" in ForkAfter), before any of our code runs
# there (the voice's thread and its mailbox are checked here by tst_voicethread, with an engine
# that starts no process); and the end-to-end test, which drives the real program through the
# accessibility bus. Its report, in QSlotObject<void (SpeechWorker::*)()>::impl, was the voice's
# own: each line was posted to the speech thread as a call Qt allocates on the window's thread
# and hands over under its own lock; the speaker now signals through a connection made before
# the speech thread starts.
ctest --test-dir "$threads" --output-on-failure --timeout 600 -j2 \
    -E '^(e2e_package|tst_speaker|tst_singlewindow|tst_ending|tst_console|tst_savingprocesses|e2e_chat_window)$'
unset TSAN_OPTIONS

echo "== fuzzing, ${seconds} s per target, two at a time"
findings="$build/fuzz-findings"
mkdir -p "$findings"
fuzz_one() {
    local name="$1" work
    work="$(mktemp -d)"
    # New inputs go to a scratch corpus; the seeds in the repository stay as they are.
    if "$build/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -dict="$root/fuzz/$name.dict" -artifact_prefix="$findings/$name-" \
        "$work" "$root/fuzz/corpus/$name" >"$build/$name.log" 2>&1; then
        echo "$name: $(grep -m1 'stat::number_of_executed_units' "$build/$name.log" | awk '{print $2}') executions, no finding"
        rm -rf "$work"
    else
        echo "$name: FAILED" >&2
        tail -n 60 "$build/$name.log" >&2
        rm -rf "$work"
        return 1
    fi
}
status=0
fuzz_one fuzz_knowledgefile & a=$!
fuzz_one fuzz_calculator & b=$!
wait $a || status=1
wait $b || status=1
fuzz_one fuzz_replyengine & a=$!
fuzz_one fuzz_teaching & b=$!
wait $a || status=1
wait $b || status=1
fuzz_one fuzz_merge & a=$!
fuzz_one fuzz_save & b=$!
wait $a || status=1
wait $b || status=1
exit $status
