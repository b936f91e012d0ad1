#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The 妙语通 developers
"""The Debian package from end to end: builds it with tools/build-deb.sh, checks its fields
and files, runs lintian on it, installs it with dpkg --root into a throwaway folder, answers
--help and --version there with no display, starts the installed program on a private X
display (first run, greeting, Data.ait in the per-user folder and nowhere under /usr, then
again with --data-dir), and purges it.
Usage: test_package.py SOURCE-DIR VERSION
Exit codes: 0 passed, 1 failed, 77 skipped (the tools are not installed)."""

import glob
import gzip
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from test_chat_window import (  # noqa: E402 - found through the path set just above
    GREETINGS, ROBOT, SKIPPED, TIMEOUT, Session, StepFailed, Window, gbk, missing_tools,
    answer_name_dialog, report_failure, said_after, send_exit, wait_for)

PACKAGE = "miaoyutong"
USER_NAME = "包测试员"
BUILD_TIMEOUT = 1200
TOOLS = ("cmake", "ninja", "cpack", "dpkg", "dpkg-deb", "dpkg-shlibdeps", "dpkg-buildflags",
         "lintian", "appstreamcli", "desktop-file-validate")

# A build given no addresses and no maintainer (DEBFULLNAME, DEBEMAIL) signs with this.
NO_MAINTAINER = "The 妙语通 developers <nobody@miaoyutong.invalid>"
# The made-up hosts the package once pointed people to.
MADE_UP_HOSTS = ("example.org", "miaoyutong.example")

# What the package must hold, and nothing else but folders; the READMEs are added from the
# source tree (expected_files).
EXPECTED_FILES = {
    "usr/bin/miaoyutong",
    "usr/bin/miaoyutong-console",
    "usr/share/applications/miaoyutong.desktop",
    "usr/share/doc/miaoyutong/changelog.gz",
    "usr/share/doc/miaoyutong/copyright",
    "usr/share/icons/hicolor/scalable/apps/miaoyutong.svg",
    "usr/share/man/man1/miaoyutong.1.gz",
    "usr/share/man/zh_CN/man1/miaoyutong.1.gz",
    "usr/share/man/man1/miaoyutong-console.1.gz",
    "usr/share/man/zh_CN/man1/miaoyutong-console.1.gz",
    "usr/share/metainfo/org.example.miaoyutong.metainfo.xml",
} | {f"usr/share/icons/hicolor/{n}x{n}/apps/miaoyutong.png"
     for n in (16, 22, 24, 32, 48, 64, 128, 256)}


def expected_files(source):
    """The files above and every README of the source tree, compressed."""
    return EXPECTED_FILES | {f"usr/share/doc/miaoyutong/{os.path.basename(readme)}.gz"
                             for readme in glob.glob(os.path.join(source, "README*.md"))}


def run(command, what, timeout=TIMEOUT, env=None, ok_codes=(0,)):
    result = subprocess.run(command, capture_output=True, text=True, timeout=timeout, env=env,
                            stdin=subprocess.DEVNULL)
    if result.returncode not in ok_codes:
        raise StepFailed(f"{what}: exit code {result.returncode}\n"
                         f"{result.stdout[-3000:]}{result.stderr[-3000:]}")
    return result


def build_package(source, root):
    build = os.path.join(root, "build")
    log_path = os.path.join(root, "build.log")
    # Whoever runs the test may have a maintainer of their own set: the package is built as one
    # that no one has named, to see that it still passes lintian.
    env = {key: value for key, value in os.environ.items()
           if key not in ("DEBFULLNAME", "DEBEMAIL")}
    with open(log_path, "wb") as log:
        code = subprocess.run(["bash", os.path.join(source, "tools", "build-deb.sh"), build],
                              stdout=log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                              timeout=BUILD_TIMEOUT, env=env).returncode
    if code != 0:
        with open(log_path, encoding="utf-8", errors="replace") as log:
            raise StepFailed(f"tools/build-deb.sh failed with code {code}:\n{log.read()[-4000:]}")
    architecture = run(["dpkg", "--print-architecture"], "dpkg --print-architecture").stdout
    return build, architecture.strip()


def field(deb, name):
    return run(["dpkg-deb", "--field", deb, name], f"reading {name}").stdout.strip()


def check_fields(deb, version, architecture):
    expected = {"Package": PACKAGE, "Version": version, "Architecture": architecture,
                "Section": "misc", "Priority": "optional"}
    for name, value in expected.items():
        if field(deb, name) != value:
            raise StepFailed(f"{name} is {field(deb, name)!r}, expected {value!r}")
    depends = [d.strip() for d in field(deb, "Depends").split(",")]
    # The libraries the binary links, found by dpkg-shlibdeps, and what it needs to show text.
    for wanted in ("libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6texttospeech6",
                   "libicu", "libc6", "libstdc++6"):
        if not any(d.startswith(wanted) for d in depends):
            raise StepFailed(f"Depends lacks {wanted}: {depends}")
    for wanted in ("qt6-qpa-plugins", "fonts-wqy-microhei | fonts-noto-cjk"):
        if wanted not in depends:
            raise StepFailed(f"Depends lacks {wanted!r}: {depends}")
    recommends = [r.strip() for r in field(deb, "Recommends").split(",")]
    for wanted in ("qt6-speech-speechd-plugin", "speech-dispatcher",
                   "speech-dispatcher-espeak-ng"):
        if wanted not in recommends:
            raise StepFailed(f"Recommends lacks {wanted}: {recommends}")
    description = field(deb, "Description").split("\n")
    if len(description) < 3 or not description[0] or any(len(line) > 80 for line in description):
        raise StepFailed(f"the description is not a synopsis and a body: {description}")
    maintainer = field(deb, "Maintainer")
    if maintainer != NO_MAINTAINER:
        raise StepFailed(f"the Maintainer is {maintainer!r}, expected {NO_MAINTAINER!r}")
    # No address was given, so none is made up.
    if field(deb, "Homepage"):
        raise StepFailed(f"a build given no homepage has one: {field(deb, 'Homepage')!r}")


def check_documents(system):
    """The program and its texts send no one to a made-up host (the READMEs may show one as an
    example), the texts leave out the addresses the build was not given, and the changelog is
    signed by the package's maintainer."""
    doc = os.path.join(system, "usr/share/doc/miaoyutong")
    texts = {}
    for folder, _dirs, names in os.walk(os.path.join(system, "usr/share")):
        for name in names:
            path = os.path.join(folder, name)
            if not name.endswith(".png"):
                opener = gzip.open if name.endswith(".gz") else open
                with opener(path, "rb") as text:
                    texts[os.path.relpath(path, system)] = text.read().decode("utf-8")
    with open(os.path.join(system, "usr/bin/miaoyutong"), "rb") as program:
        binary = program.read()
    for host in MADE_UP_HOSTS:
        # The program's own strings are UTF-16 (QStringLiteral) or UTF-8.
        if host.encode() in binary or host.encode("utf-16-le") in binary:
            raise StepFailed(f"the program names the made-up host {host}")
        for path, text in texts.items():
            if host in text and not os.path.basename(path).startswith("README"):
                raise StepFailed(f"{path} names the made-up host {host}")
    metainfo = texts["usr/share/metainfo/org.example.miaoyutong.metainfo.xml"]
    for absent in ("<url", "<screenshot"):
        if absent in metainfo:
            raise StepFailed(f"the AppStream entry has {absent} though the build gave no address")
    copyright_file = texts["usr/share/doc/miaoyutong/copyright"]
    for absent in ("Source:", "Upstream-Contact:"):
        if absent in copyright_file:
            raise StepFailed(f"the copyright file has {absent} though the build gave none")
    signature = texts["usr/share/doc/miaoyutong/changelog.gz"].rstrip("\n").split("\n")[-1]
    if not signature.startswith(f" -- {NO_MAINTAINER}  "):
        raise StepFailed(f"the changelog is signed {signature!r}")
    with gzip.open(os.path.join(doc, "README.md.gz"), "rt", encoding="utf-8") as readme:
        if not readme.read().startswith("# "):
            raise StepFailed("README.md.gz is not the README")


def check_contents(deb, expected):
    listing = run(["dpkg-deb", "--contents", deb], "listing the package").stdout.splitlines()
    files = {}
    for line in listing:
        mode, owner, _size, _date, _time, path = line.split(None, 5)
        if owner != "root/root":
            raise StepFailed(f"{path} belongs to {owner}")
        if not path.startswith("./usr/"):
            raise StepFailed(f"{path} lies outside /usr")
        if not mode.startswith("d"):
            files[path[2:]] = mode
    if set(files) != expected:
        raise StepFailed(f"unexpected files: {sorted(set(files) - expected)}; "
                         f"missing: {sorted(expected - set(files))}")
    if files["usr/bin/miaoyutong"] != "-rwxr-xr-x":
        raise StepFailed(f"the program's mode is {files['usr/bin/miaoyutong']}")


def check_lintian(deb):
    """No errors; the warnings are printed for the report."""
    result = run(["lintian", "--fail-on", "error", "--pedantic", "--display-info", deb],
                 "lintian", timeout=600, ok_codes=(0, 1, 2))
    tags = [line for line in result.stdout.splitlines() if line[:2] in ("E:", "W:", "I:", "P:")]
    print("lintian: " + ("; ".join(tags) if tags else "no tags"))
    if result.returncode != 0 or any(tag.startswith("E:") for tag in tags):
        raise StepFailed(f"lintian found errors:\n{result.stdout}{result.stderr}")


def dpkg(root, *args, ok_codes=(0,)):
    return run(["dpkg", f"--root={root}", "--log=/dev/null", "--force-not-root", *args],
               f"dpkg {' '.join(args)}", ok_codes=ok_codes)


def make_dpkg_root(root):
    """An empty system for dpkg --root: its own database, no other package. The libraries come
    from the host, so the dependencies are forced."""
    target = os.path.join(root, "system")
    for sub in ("info", "updates", "triggers"):
        os.makedirs(os.path.join(target, "var", "lib", "dpkg", sub))
    for name in ("status", "available"):
        open(os.path.join(target, "var", "lib", "dpkg", name), "w").close()
    return target


def files_under(top):
    found = set()
    for folder, _dirs, names in os.walk(top):
        for name in names:
            found.add(os.path.relpath(os.path.join(folder, name), os.path.dirname(top)))
    return found


def quiet_env(session_root):
    """No display, no Qt platform forced by the test runner: --help must not need one."""
    env = {key: value for key, value in os.environ.items()
           if not key.startswith(("QT_", "DISPLAY", "WAYLAND", "XDG_", "DBUS_"))}
    env["XDG_DATA_HOME"] = os.path.join(session_root, "data")
    env["XDG_RUNTIME_DIR"] = session_root
    return env


def check_command_line(program, version, root):
    env = quiet_env(root)
    os.makedirs(env["XDG_DATA_HOME"], exist_ok=True)
    shown = run([program, "--version"], "--version with no display", env=env).stdout
    if shown.split("\n")[0] != f"妙语通 {version}":
        raise StepFailed(f"--version printed {shown!r}")
    help_text = run([program, "--help"], "--help with no display", env=env).stdout
    per_user = os.path.join(env["XDG_DATA_HOME"], PACKAGE)
    for wanted in ("用法：miaoyutong", "--data-dir", "--version", per_user):
        if wanted not in help_text:
            raise StepFailed(f"--help lacks {wanted!r}:\n{help_text}")
    if "程序所在的文件夹" in help_text:
        raise StepFailed(f"the packaged program's --help offers the program's folder:\n{help_text}")
    blocker = os.path.join(root, "a-file")
    open(blocker, "w").close()
    refused = run([program, "--data-dir", blocker], "--data-dir on a file", env=env,
                  ok_codes=(2,))
    if "不是文件夹" not in refused.stderr:
        raise StepFailed(f"--data-dir on a file said {refused.stderr!r}")
    if os.listdir(env["XDG_DATA_HOME"]):
        raise StepFailed("answering the command line wrote into the per-user folder")


def check_console(program, version, root):
    """The console answers with no display, and a missing Data.ait is told, never made."""
    env = quiet_env(root)
    shown = run([program, "--version"], "miaoyutong-console --version", env=env).stdout
    if shown.split("\n")[0] != f"妙语通 {version}":
        raise StepFailed(f"miaoyutong-console --version printed {shown!r}")
    answered = subprocess.run([program, "--default", "--tsv"], input="你好\n", text=True,
                              capture_output=True, env=env, timeout=TIMEOUT)
    if answered.returncode != 0 or not answered.stdout.startswith("1\tentry\t你好\t"):
        raise StepFailed(f"miaoyutong-console --default answered {answered.returncode}: "
                         f"{answered.stdout!r} {answered.stderr!r}")
    before = files_under(env["XDG_DATA_HOME"])
    missing = run([program], "miaoyutong-console without Data.ait", env=env, ok_codes=(1,))
    if "还没有数据文件" not in missing.stderr:
        raise StepFailed(f"miaoyutong-console without Data.ait said {missing.stderr!r}")
    if files_under(env["XDG_DATA_HOME"]) != before:
        raise StepFailed("miaoyutong-console wrote into the per-user folder")


class PackageSession(Session):
    def run_program(self, command, cwd):
        env = dict(self.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        self.program_log = os.path.join(self.root, f"program-{len(self.processes)}.log")
        with open(self.program_log, "wb") as log:
            process = subprocess.Popen(command, cwd=cwd, env=env, stdin=subprocess.DEVNULL,
                                       stdout=log, stderr=subprocess.STDOUT)
        self.processes.append(process)
        return process


def first_run(session, pyatspi, command, data_dir, state):
    """Starts the program on a fresh data folder, gives the name, sees the greeting and the
    new Data.ait in data_dir, then ends it with /exit."""
    process = session.run_program(command, session.root)
    window = Window(pyatspi, process.pid)
    state["window"] = window

    def not_ended():
        if process.poll() is not None:
            raise StepFailed(f"the program ended early with code {process.returncode}")

    answer_name_dialog(session, window, process, USER_NAME, not_ended)

    main = wait_for("the main window", lambda: not_ended() or window.top_level("filler", "妙语通"))
    transcript = wait_for("the transcript", lambda: Window.find(main, "text", "聊天记录"))
    state["transcript"] = transcript
    wait_for("a greeting from 阿木", lambda: said_after(
        Window.text_of(transcript), 0, ROBOT, lambda body: body in GREETINGS))
    data_path = os.path.join(data_dir, "Data.ait")
    expected_start = gbk("|" + USER_NAME + "|\r\n[AI_Dat]")

    def written():
        with open(data_path, "rb") as data:
            return data.read(len(expected_start)) == expected_start
    wait_for(f"Data.ait beginning with the name in {data_dir}", written)

    input_box = wait_for("the input box", lambda: Window.find(main, "text", "输入消息"))
    main_id = wait_for("the main window's X window",
                       lambda: session.visible_windows(process.pid, "妙语通"))
    session.xdotool("windowfocus", "--sync", main_id[0])
    wait_for("the keyboard focus in the input box", lambda: window.focused(input_box))
    send_exit(session, input_box, process)
    state.pop("transcript")


def scenario(source, version, root, state):
    def step(name):
        state["step"] = name
        print(f"{time.monotonic() - state['began']:6.1f} s  {name}", flush=True)

    step("build the package with tools/build-deb.sh")
    build, architecture = build_package(source, root)
    deb = os.path.join(build, f"{PACKAGE}_{version}_{architecture}.deb")
    if not os.path.isfile(deb):
        raise StepFailed(f"no {deb} after the build")

    step("check the package's fields")
    check_fields(deb, version, architecture)
    step("check the package's files")
    expected = expected_files(source)
    check_contents(deb, expected)
    step("lintian")
    check_lintian(deb)

    step("install it with dpkg --root into an empty system")
    system = make_dpkg_root(root)
    dpkg(system, "--force-depends", "--install", deb)
    status = run(["dpkg-query", f"--admindir={system}/var/lib/dpkg", "--showformat",
                  "${Status} ${Version}", "--show", PACKAGE], "dpkg-query").stdout
    if status != f"install ok installed {version}":
        raise StepFailed(f"dpkg reports {status!r}")
    installed = files_under(os.path.join(system, "usr"))
    if installed != expected:
        raise StepFailed(f"installed {sorted(installed)}")
    step("check the installed documents")
    check_documents(system)

    step("validate the installed AppStream entry and desktop entry")
    run(["appstreamcli", "validate", "--no-net",
         os.path.join(system, "usr/share/metainfo/org.example.miaoyutong.metainfo.xml")],
        "appstreamcli validate")
    run(["desktop-file-validate", os.path.join(system, "usr/share/applications/miaoyutong.desktop")],
        "desktop-file-validate")

    program = os.path.join(system, "usr", "bin", PACKAGE)
    step("--help, --version and a bad --data-dir with no display")
    check_command_line(program, version, os.path.join(root, "quiet"))
    step("the console with no display")
    check_console(os.path.join(system, "usr", "bin", "miaoyutong-console"), version,
                  os.path.join(root, "quiet"))

    step("start the installed program on a private X display")
    session = PackageSession(os.path.join(root, "session"))
    os.mkdir(session.root)
    state["session"] = session
    session.start()
    import pyatspi  # only now: it connects to the bus named in the environment
    # The test runs as root in CI, who could write beside /usr/bin/miaoyutong: the packaged
    # program must still keep its data in the per-user folder.
    per_user = os.path.join(session.env["XDG_DATA_HOME"], PACKAGE)
    first_run(session, pyatspi, [program], per_user, state)
    if files_under(os.path.join(system, "usr")) != expected:
        raise StepFailed("the program wrote under /usr: "
                         f"{sorted(files_under(os.path.join(system, 'usr')) - expected)}")

    step("start it again with --data-dir on a folder that does not exist yet")
    portable = os.path.join(root, "U 盘", "妙语通数据")
    with open(os.path.join(per_user, "Data.ait"), "rb") as data:
        per_user_bytes = data.read()
    first_run(session, pyatspi, [program, "--data-dir", portable], portable, state)
    with open(os.path.join(per_user, "Data.ait"), "rb") as data:
        if data.read() != per_user_bytes:
            raise StepFailed("--data-dir changed the per-user Data.ait")

    step("purge the package")
    dpkg(system, "--purge", PACKAGE)
    left = files_under(os.path.join(system, "usr"))
    if left:
        raise StepFailed(f"files left after purging: {sorted(left)}")
    gone = run(["dpkg-query", f"--admindir={system}/var/lib/dpkg", "--show", PACKAGE],
               "dpkg-query after purging", ok_codes=(0, 1))
    if gone.returncode == 0 and gone.stdout.strip():
        raise StepFailed(f"dpkg still knows the package: {gone.stdout!r}")
    if not os.path.isfile(os.path.join(per_user, "Data.ait")):
        raise StepFailed("purging the package took the user's Data.ait with it")


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    source, version = os.path.abspath(sys.argv[1]), sys.argv[2]
    missing = [tool for tool in TOOLS if shutil.which(tool) is None] + missing_tools()
    if missing:
        print("SKIP: not installed: " + ", ".join(missing) + " (see tools/setup.sh)")
        return SKIPPED

    def stopped(number, frame):
        raise StepFailed(f"stopped by signal {number}")
    signal.signal(signal.SIGTERM, stopped)
    signal.signal(signal.SIGINT, stopped)
    state = {"step": "start", "began": time.monotonic()}
    root = tempfile.mkdtemp(prefix="miaoyu-package-")
    try:
        scenario(source, version, root, state)
        print(f"PASS in {time.monotonic() - state['began']:.1f} s")
        return 0
    except Exception as error:  # noqa: BLE001 - every failure is reported with its step
        report_failure(error, state, state.get("session"), root)
        root = None
        return 1
    finally:
        if "session" in state:
            state["session"].stop()
        if root:
            shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
