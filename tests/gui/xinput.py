"""What a person does with the mouse and the keyboard, sent through the X
server (XTest, by xdotool), so that the window manager, focus, modality and
disabled controls apply exactly as they do for a person."""

import subprocess


def _xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, stdout=subprocess.DEVNULL)


def click_at(x, y):
    # One connection, so the server moves the pointer before it clicks; no
    # --sync, which waits for a motion that never comes when the pointer is
    # already there.
    _xdotool("mousemove", str(x), str(y), "click", "1")


def key(*keysyms):
    """Keys to whatever window has the focus, e.g. key("Return"), key("ctrl+v")."""
    _xdotool("key", "--delay", "40", *keysyms)


def type_text(text):
    _xdotool("type", "--delay", "20", text)


def put_on_clipboard(text):
    """Copies text as another program would; xclip keeps serving it until the
    clipboard changes hands."""
    subprocess.run(["xclip", "-selection", "clipboard"], input=text.encode(), check=True)


def clipboard():
    """What a paste would insert now."""
    return subprocess.run(["xclip", "-selection", "clipboard", "-o"], stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, timeout=10).stdout.decode()
