#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The 妙语通 developers
"""Drives the real 妙语通 program the way a person does: a private X display, session bus and
accessibility bus; keys through xdotool, text through the accessibility tree; results read
back from the tree and from Data.ait. Usage: test_chat_window.py PATH-TO-miaoyutong.
Exit codes: 0 passed, 1 failed, 77 skipped (the tools are not installed)."""

import importlib.util
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
POLL = 0.05
# Each step's wait; slower builds (the sanitized one) set more.
TIMEOUT = float(os.environ.get("MIAOYU_E2E_TIMEOUT", "10"))
LAUNCHER_DIRS = ("/usr/libexec", "/usr/lib/at-spi2-core", "/usr/lib/at-spi2")

USER_NAME = " 测试员 "
ROBOT = "阿木"
GREETINGS = (
    "你好，我是阿木，很高兴认识你！",
    "我是阿木，请多指教^_^",
    "阿木来啦，你好啊！",
    "你好,我是聊天机器人阿木,欢迎你找我聊天!",
    "嗨!你好!",
)
HELLO_REPLIES = ("Hi~很高兴能和你聊天", "HELLO,HOW ARE YOU?", "Hi~")
TAUGHT_KEY = "e2e测试"
TAUGHT_REPLY = "端到端通过"


class StepFailed(Exception):
    pass


def launcher_path():
    for directory in LAUNCHER_DIRS:
        path = os.path.join(directory, "at-spi-bus-launcher")
        if os.access(path, os.X_OK):
            return path
    return None


def missing_tools():
    missing = [tool for tool in ("Xvfb", "xdotool", "dbus-daemon", "dbus-send")
               if shutil.which(tool) is None]
    if launcher_path() is None:
        missing.append("at-spi-bus-launcher")
    if importlib.util.find_spec("pyatspi") is None:
        missing.append("pyatspi (python3-pyatspi)")
    return missing


def wait_for(what, condition, timeout=TIMEOUT):
    """Polls condition until it gives something true; errors from objects that went away
    while they were being read count as "not yet", a StepFailed ends the wait."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = condition()
            if value:
                return value
        except StepFailed:
            raise
        except Exception as error:  # noqa: BLE001 - a vanished object is just "not yet"
            last_error = error
        if time.monotonic() > deadline:
            detail = f" (last error: {last_error})" if last_error else ""
            raise StepFailed(f"timed out after {timeout:.0f} s waiting for {what}{detail}")
        time.sleep(POLL)


def read_line(fd, what):
    """One line from a pipe, or StepFailed when it does not come in time."""
    line = b""
    deadline = time.monotonic() + TIMEOUT
    while not line.endswith(b"\n"):
        ready, _, _ = select.select([fd], [], [], max(0.0, deadline - time.monotonic()))
        chunk = os.read(fd, 1) if ready else b""
        if not chunk:
            raise StepFailed(f"{what} did not report it in time")
        line += chunk
    return line.decode().strip()


def process_table():
    """Each live process's parent, state and environment, read from /proc."""
    table = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat", encoding="ascii", errors="replace") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            with open(f"/proc/{entry}/environ", "rb") as environ:
                variables = environ.read().split(b"\0")
        except (OSError, IndexError):
            continue
        table[int(entry)] = (int(fields[1]), fields[0], variables)
    return table


def alive(pid):
    try:
        with open(f"/proc/{pid}/stat", encoding="ascii", errors="replace") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


class Session:
    """The processes of one run: Xvfb, a session bus, the accessibility bus, the program."""

    def __init__(self, root):
        self.root = root
        self.processes = []
        self.env = None

    def start_display(self):
        read_end, write_end = os.pipe()
        with open(os.path.join(self.root, "xvfb.log"), "wb") as log:
            xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                 "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=log)
        self.processes.append(xvfb)
        os.close(write_end)
        try:
            return ":" + read_line(read_end, "Xvfb's display number")
        finally:
            os.close(read_end)

    def start_session_bus(self):
        bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--print-address=1"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=self.env)
        self.processes.append(bus)
        return read_line(bus.stdout.fileno(), "the session bus's address")

    def a11y_bus_is_up(self):
        answer = subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
             "string:org.a11y.Bus"],
            env=self.env, capture_output=True, text=True, timeout=5)
        return answer.returncode == 0 and "boolean true" in answer.stdout

    def start(self):
        runtime = os.path.join(self.root, "run")
        os.mkdir(runtime, 0o700)
        env = {key: value for key, value in os.environ.items()
               if not key.startswith(("QT_", "DBUS_", "AT_SPI", "XDG_", "SPEECHD", "WAYLAND"))}
        for name in ("config", "data", "cache"):
            os.mkdir(os.path.join(self.root, name))
        env.update({
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(self.root, "config"),
            "XDG_DATA_HOME": os.path.join(self.root, "data"),
            "XDG_CACHE_HOME": os.path.join(self.root, "cache"),
            # No voice: no speech-dispatcher is started and none is reached.
            "SPEECHD_CMD": "/nonexistent",
            "SPEECHD_ADDRESS": "unix_socket:" + os.path.join(runtime, "no-speech.sock"),
        })
        self.env = env
        env["DISPLAY"] = self.start_display()
        env["DBUS_SESSION_BUS_ADDRESS"] = self.start_session_bus()
        self.processes.append(subprocess.Popen(
            [launcher_path(), "--launch-immediately"], env=env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for("the accessibility bus", self.a11y_bus_is_up)
        # pyatspi finds its bus through these when it is first imported.
        os.environ.update({key: env[key] for key in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                                                     "XDG_RUNTIME_DIR")})
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)

    def run_program(self, program, cwd):
        env = dict(self.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        self.program_log = os.path.join(self.root, "program.log")
        with open(self.program_log, "wb") as log:
            process = subprocess.Popen([program], cwd=cwd, env=env, stdin=subprocess.DEVNULL,
                                       stdout=log, stderr=subprocess.STDOUT)
        self.processes.append(process)
        return process

    def xdotool(self, *args):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True,
                                text=True, timeout=TIMEOUT)
        if result.returncode != 0:
            raise StepFailed(f"xdotool {' '.join(args)} failed: {result.stderr.strip()}")
        return result.stdout

    def visible_windows(self, pid, title):
        """The X windows of process pid showing title; none yet is not an error."""
        result = subprocess.run(
            ["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid),
             "--name", f"^{title}$"],
            env=self.env, capture_output=True, text=True, timeout=TIMEOUT)
        return result.stdout.split()

    def screenshot(self, path):
        if shutil.which("import") and self.env and "DISPLAY" in self.env:
            subprocess.run(["import", "-window", "root", path], env=self.env,
                           capture_output=True, timeout=TIMEOUT)

    def helpers(self):
        """Processes started on this run's behalf that are not ours directly: the children
        of our processes, and those the buses start and let go of (the registry daemon),
        known by this run's private XDG_RUNTIME_DIR in their environment."""
        table = process_table()
        roots = {p.pid for p in self.processes}
        marker = ("XDG_RUNTIME_DIR=" + os.path.join(self.root, "run")).encode()
        found = set()
        for pid, (_, _, variables) in table.items():
            if marker in variables:
                found.add(pid)
        pending = list(roots)
        while pending:
            parent = pending.pop()
            for pid, (ppid, _, _) in table.items():
                if ppid == parent and pid not in found:
                    found.add(pid)
                    pending.append(pid)
        return found - roots - {os.getpid()}

    @staticmethod
    def signal_all(pids, number):
        for pid in pids:
            try:
                os.kill(pid, number)
            except ProcessLookupError:
                pass

    def stop(self):
        # Helpers first, so that their parents are still there to collect them.
        helpers = self.helpers()
        self.signal_all(helpers, signal.SIGTERM)
        deadline = time.monotonic() + 2
        while any(alive(pid) for pid in helpers) and time.monotonic() < deadline:
            time.sleep(POLL)
        self.signal_all([pid for pid in helpers if alive(pid)], signal.SIGKILL)
        # Then ours, the program first and the display last.
        for process in reversed(self.processes):
            if process.stdout:
                process.stdout.close()
            if process.poll() is None:
                process.terminate()
            try:
                process.wait(2)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        # The buses may have started something while they went down.
        self.signal_all([pid for pid in self.helpers() if alive(pid)], signal.SIGKILL)


class Window:
    """The program as the accessibility tree shows it."""

    def __init__(self, pyatspi, pid):
        self.pyatspi = pyatspi
        self.pid = pid

    def application(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            if app is not None and app.get_process_id() == self.pid:
                return app
        return None

    def top_level(self, role, name):
        app = self.application()
        if app is None:
            return None
        for index in range(app.childCount):
            window = app.getChildAtIndex(index)
            if window is not None and window.getRoleName() == role and window.name == name:
                return window
        return None

    @staticmethod
    def find(root, role, name=None):
        pending = [root]
        while pending:
            node = pending.pop()
            if node is None:
                continue
            node_role = node.getRoleName()
            if node_role == role and (name is None or node.name == name):
                return node
            # A list's items are its rows, hundreds of them in teaching mode: not walked.
            if node_role != "list":
                pending.extend(node.getChildAtIndex(i) for i in range(node.childCount))
        return None

    def focused(self, node):
        return node.getState().contains(self.pyatspi.STATE_FOCUSED)

    @staticmethod
    def text_of(node):
        return node.queryText().getText(0, -1)

    @staticmethod
    def set_text(node, text):
        node.queryEditableText().setTextContents(text)
        wait_for(f"{text!r} in {node.name!r}", lambda: Window.text_of(node) == text)

    def dump(self):
        lines = []

        def visit(node, depth):
            if node is None or depth > 12:
                return
            lines.append(f"{'  ' * depth}{node.getRoleName()} {node.name!r}")
            for index in range(node.childCount):
                visit(node.getChildAtIndex(index), depth + 1)
        try:
            visit(self.application(), 0)
        except Exception as error:  # noqa: BLE001 - the dump is only a diagnostic
            lines.append(f"(tree unreadable: {error})")
        return "\n".join(lines)


def answer_name_dialog(session, window, process, name, check=lambda: None):
    """Types name into the first run's dialog and accepts it with Enter, as a person would."""
    dialog = wait_for("the name dialog", lambda: check() or window.top_level("dialog", "妙语通"))
    name_box = wait_for("the dialog's text box", lambda: Window.find(dialog, "text"))
    Window.set_text(name_box, name)
    dialog_id = wait_for("the dialog's X window",
                         lambda: session.visible_windows(process.pid, "妙语通"))
    session.xdotool("windowfocus", "--sync", dialog_id[0])
    wait_for("the keyboard focus in the dialog's text box", lambda: window.focused(name_box))
    session.xdotool("key", "Return")


def send_exit(session, input_box, process):
    """Sends /exit from the focused input box and waits for the program to end cleanly."""
    Window.set_text(input_box, "/exit")
    session.xdotool("key", "Return")
    try:
        code = process.wait(TIMEOUT)
    except subprocess.TimeoutExpired:
        raise StepFailed("the program is still running after /exit") from None
    if code != 0:
        raise StepFailed(f"the program ended with code {code}")


def transcript_blocks(text):
    """The transcript as (header, body) pairs: a header line, the lines said, a blank line."""
    blocks = []
    for chunk in text.split("\n\n"):
        lines = chunk.strip("\n").split("\n")
        if len(lines) >= 2:
            blocks.append((lines[0], "\n".join(lines[1:])))
    return blocks


def said_after(text, start, speaker, accept):
    """The first block from index start on spoken by speaker whose body accept() likes."""
    for index, (header, body) in enumerate(transcript_blocks(text)):
        if index >= start and header.startswith(speaker + " ") and accept(body):
            return index + 1
    return None


def gbk(text):
    return text.encode("gbk")


def scenario(session, program, pyatspi, state):
    def step(name):
        state["step"] = name
    workdir = os.path.join(session.root, "app")
    os.mkdir(workdir)
    copy = os.path.join(workdir, "miaoyutong")
    shutil.copy2(program, copy)
    data_path = os.path.join(workdir, "Data.ait")

    step("start the program in its own directory")
    process = session.run_program(copy, workdir)
    window = Window(pyatspi, process.pid)
    state["window"] = window

    def not_ended():
        if process.poll() is not None:
            raise StepFailed(f"the program ended early with code {process.returncode}")

    step("first run: the name dialog")
    answer_name_dialog(session, window, process, USER_NAME, not_ended)

    step("first run: the main window")
    main = wait_for("the main window", lambda: not_ended() or window.top_level("filler", "妙语通"))
    transcript = wait_for("the transcript", lambda: Window.find(main, "text", "聊天记录"))
    state["transcript"] = transcript
    input_box = wait_for("the input box", lambda: Window.find(main, "text", "输入消息"))
    key_box = wait_for("the keyword box", lambda: Window.find(main, "text", "关键字词"))
    reply_box = wait_for("the reply box", lambda: Window.find(main, "text", "智能回复"))
    greeted = wait_for("a greeting from 阿木", lambda: said_after(
        Window.text_of(transcript), 0, ROBOT, lambda body: body in GREETINGS))
    wait_for("the label 数据：465个", lambda: Window.find(main, "label", "数据：465个"))
    expected_start = gbk("|" + USER_NAME + "|\r\n[AI_Dat]")
    with open(data_path, "rb") as data:
        head = data.read(len(expected_start))
    if head != expected_start:
        raise StepFailed(f"Data.ait begins with {head!r}, expected {expected_start!r}")

    step("focus the main window")
    main_id = wait_for("the main window's X window",
                       lambda: session.visible_windows(process.pid, "妙语通"))
    if len(main_id) != 1:
        raise StepFailed(f"expected one visible window, found {main_id}")
    session.xdotool("windowfocus", "--sync", main_id[0])
    wait_for("the keyboard focus in the input box", lambda: window.focused(input_box))

    def send(message, seen_after):
        """Types message with Enter and waits for it in the transcript; gives its block."""
        Window.set_text(input_box, message)
        session.xdotool("key", "Return")
        sent = wait_for(f"{message!r} from {USER_NAME!r} in the transcript", lambda: said_after(
            Window.text_of(transcript), seen_after, USER_NAME, lambda body: body == message))
        wait_for("the input box to be emptied", lambda: Window.text_of(input_box) == "")
        return sent

    def robot_says(what, after, accept, timeout=TIMEOUT):
        return wait_for(f"阿木 to say {what}", lambda: said_after(
            Window.text_of(transcript), after, ROBOT, accept), timeout)

    step("send hello")
    sent = send("hello", greeted)
    replied = robot_says(f"one of {HELLO_REPLIES}", sent, lambda body: body in HELLO_REPLIES, 3)

    step("teach: enter teaching mode")
    sent = send("/teach", replied)
    entered = robot_says("'    进入调教模式'", sent, lambda body: body == "    进入调教模式")
    # The keyword box looks its entry up and fills the reply box: the reply goes in second.
    Window.set_text(key_box, TAUGHT_KEY)
    wait_for("the reply box to be emptied by the look-up", lambda: Window.text_of(reply_box) == "")
    Window.set_text(reply_box, TAUGHT_REPLY)

    step("teach: commit with Alt+O")
    session.xdotool("key", "alt+o")
    box = wait_for("the message box 调教成功!", lambda: window.top_level("alert", "调教成功!"))
    wait_for("the message box to take the keyboard focus",
             lambda: box.getState().contains(pyatspi.STATE_ACTIVE))
    session.xdotool("key", "Return")
    wait_for("the message box to close", lambda: window.top_level("alert", "调教成功!") is None)
    wait_for("the teaching boxes to be emptied",
             lambda: Window.text_of(key_box) == "" and Window.text_of(reply_box) == "")

    step("teach: leave with Alt+C")
    session.xdotool("windowfocus", "--sync", main_id[0])
    wait_for("the keyboard focus back in the main window",
             lambda: main.getState().contains(pyatspi.STATE_ACTIVE))
    session.xdotool("key", "alt+c")
    left = robot_says("'    退出调教模式'", entered, lambda body: body == "    退出调教模式")
    # Leaving reloads the file: one entry more, and a fresh greeting.
    regreeted = robot_says("a second greeting", left, lambda body: body in GREETINGS)
    wait_for("the label 数据：466个", lambda: Window.find(main, "label", "数据：466个"))
    taught = gbk("|" + TAUGHT_KEY + "\\" + TAUGHT_REPLY + "\\\r\n")

    def saved():
        with open(data_path, "rb") as data:
            return taught in data.read()
    wait_for(f"{taught!r} in Data.ait", saved)

    step("ask what was taught")
    wait_for("the keyboard focus in the input box", lambda: window.focused(input_box))
    sent = send("E2E测试", regreeted)
    robot_says(repr(TAUGHT_REPLY), sent, lambda body: body == TAUGHT_REPLY)

    step("send /exit: the program ends")
    send_exit(session, input_box, process)


def report_failure(error, state, session, root):
    """Says at which step a scenario failed and leaves what shows why in root."""
    print(f"FAIL at step '{state['step']}': {type(error).__name__}: {error}")
    if "transcript" in state:
        try:
            print("Transcript:\n" + Window.text_of(state["transcript"]))
        except Exception as unreadable:  # noqa: BLE001 - the program may be gone
            print(f"Transcript unreadable: {unreadable}")
    if "window" in state:
        print("Accessibility tree:\n" + state["window"].dump())
    if session is not None:
        session.screenshot(os.path.join(root, "failure.png"))
        log_path = getattr(session, "program_log", None)
        if log_path and os.path.exists(log_path):
            with open(log_path, encoding="utf-8", errors="replace") as program_log:
                print("Program output:\n" + program_log.read()[-4000:])
    print(f"Kept for inspection: {root}")


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    program = os.path.abspath(sys.argv[1])
    missing = missing_tools()
    if missing:
        print("SKIP: not installed: " + ", ".join(missing) + " (see tools/setup.sh)")
        return SKIPPED

    # Stopped from outside, the run is reported and its processes go down like on failure.
    def stopped(number, frame):
        raise StepFailed(f"stopped by signal {number}")
    signal.signal(signal.SIGTERM, stopped)
    signal.signal(signal.SIGINT, stopped)
    began = time.monotonic()
    root = tempfile.mkdtemp(prefix="miaoyu-e2e-")
    session = Session(root)
    state = {"step": "set up the display and the buses"}
    try:
        session.start()
        import pyatspi  # only now: it connects to the bus named in the environment
        scenario(session, program, pyatspi, state)
        print(f"PASS in {time.monotonic() - began:.2f} s")
        return 0
    except Exception as error:  # noqa: BLE001 - every failure is reported with its step
        report_failure(error, state, session, root)
        root = None
        return 1
    finally:
        session.stop()
        if root:
            shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
