#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The 妙语通 developers
"""Takes the README's screenshots of the real program on a private X display: the chat window
after a short talk, and teaching mode with an entry looked up. Drives it like the end-to-end
test does (tests/e2e/test_chat_window.py), with a throwaway Data.ait (--data-dir).
Usage: screenshots.py PATH-TO-miaoyutong OUTPUT-DIR   (writes window.png and teaching.png)"""

import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
from test_chat_window import (  # noqa: E402 - found through the path set just above
    ROBOT, TIMEOUT, Session, StepFailed, Window, answer_name_dialog, missing_tools, said_after,
    wait_for)

USER_NAME = "小明"
# A few lines that show what 阿木 does: a sum, a question about itself.
MESSAGES = ("计算 (3+4)*5", "你叫什么名字")
# The entry looked up in teaching mode.
TEACH_KEY = "你好"


def chinese_locale(root):
    """Environment for a program that shows dates the Chinese way. The C library needs the
    locale compiled; where the system has not, it is compiled into a private folder."""
    env = {"LANG": "zh_CN.UTF-8"}
    known = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.split()
    if not any(name.lower() in ("zh_cn.utf8", "zh_cn.utf-8") for name in known):
        folder = os.path.join(root, "locale")
        os.mkdir(folder)
        subprocess.run(["localedef", "-i", "zh_CN", "-f", "UTF-8",
                        os.path.join(folder, "zh_CN.UTF-8")], check=True, capture_output=True)
        env["LOCPATH"] = folder
    return env


def capture(session, window_id, path):
    with tempfile.NamedTemporaryFile(suffix=".png") as raw:
        subprocess.run(["import", "-window", window_id, raw.name], env=session.env, check=True,
                       timeout=TIMEOUT)
        # No time stamps in the file: a picture taken again differs only where the window does.
        subprocess.run(["convert", raw.name, "-strip", path], check=True, timeout=TIMEOUT)


def take(session, program, out_dir, pyatspi):
    data_dir = os.path.join(session.root, "data-dir")
    env = dict(session.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
               **chinese_locale(session.root))
    with open(os.path.join(session.root, "program.log"), "wb") as log:
        process = subprocess.Popen([program, "--data-dir", data_dir], cwd=session.root, env=env,
                                   stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT)
    session.processes.append(process)
    window = Window(pyatspi, process.pid)

    answer_name_dialog(session, window, process, USER_NAME)

    main = wait_for("the main window", lambda: window.top_level("filler", "妙语通"))
    transcript = wait_for("the transcript", lambda: Window.find(main, "text", "聊天记录"))
    input_box = wait_for("the input box", lambda: Window.find(main, "text", "输入消息"))
    seen = wait_for("a greeting", lambda: said_after(Window.text_of(transcript), 0, ROBOT,
                                                     lambda body: True))
    main_id = wait_for("the main window's X window",
                       lambda: session.visible_windows(process.pid, "妙语通"))[0]
    session.xdotool("windowfocus", "--sync", main_id)
    wait_for("the keyboard focus in the input box", lambda: window.focused(input_box))

    for message in MESSAGES:
        Window.set_text(input_box, message)
        session.xdotool("key", "Return")
        seen = wait_for(f"阿木's answer to {message!r}", lambda: said_after(
            Window.text_of(transcript), seen + 1, ROBOT, lambda body: True))
    capture(session, main_id, os.path.join(out_dir, "window.png"))

    Window.set_text(input_box, "/teach")
    session.xdotool("key", "Return")
    wait_for("teaching mode", lambda: said_after(Window.text_of(transcript), seen, ROBOT,
                                                 lambda body: body == "    进入调教模式"))
    key_box = wait_for("the keyword box", lambda: Window.find(main, "text", "关键字词"))
    reply_box = wait_for("the reply box", lambda: Window.find(main, "text", "智能回复"))
    Window.set_text(key_box, TEACH_KEY)
    wait_for("the reply looked up", lambda: Window.text_of(reply_box) != "")
    # 编辑数据库 (Alt+E) brings out the sorted list of every keyword.
    session.xdotool("windowfocus", "--sync", main_id)
    session.xdotool("key", "alt+e")
    keys = wait_for("the keyword list", lambda: Window.find(main, "list", "关键字列表"))
    wait_for("the keyword list to show",
             lambda: keys.getState().contains(pyatspi.STATE_SHOWING))
    capture(session, main_id, os.path.join(out_dir, "teaching.png"))


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    program, out_dir = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    missing = missing_tools() + [t for t in ("import", "convert") if shutil.which(t) is None]
    if missing:
        print("not installed: " + ", ".join(missing) + " (see tools/setup.sh)", file=sys.stderr)
        return 1
    os.makedirs(out_dir, exist_ok=True)
    root = tempfile.mkdtemp(prefix="miaoyu-shots-")
    session = Session(root)
    try:
        session.start()
        import pyatspi  # only now: it connects to the bus named in the environment
        take(session, program, out_dir, pyatspi)
        print(f"wrote {out_dir}/window.png and {out_dir}/teaching.png")
        return 0
    except StepFailed as error:
        print(f"screenshots failed: {error}", file=sys.stderr)
        return 1
    finally:
        session.stop()
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
