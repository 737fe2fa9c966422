"""Reads the running program the way a screen reader does, over AT-SPI.

Usage: atspi_test.py PROGRAM. Needs a display and a D-Bus session bus; prints a line per
check and exits non-zero on the first failure.
"""
import os
import subprocess
import sys
import threading
import time

import pyatspi
from gi.repository import GLib

HEADINGS = ["c", "a=b", "P", "S"]
COMPUTED = {2, 3, 5, 6, 8, 10, 12, 15, 17, 19}


def box_name(k):
    return "%s, Вариант %d" % (HEADINGS[k % 4], k // 4 + 1)


def wait_for(what, probe, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        # Events reach their listeners only as the main loop runs.
        while GLib.MainContext.default().iteration(False):
            pass
        found = probe()
        if found:
            return found
        time.sleep(0.2)
    raise SystemExit("FAIL: %s did not appear" % what)


def find_application(name, program):
    if program.poll() is not None:
        raise SystemExit("FAIL: the program ended with status %d before it was seen" %
                         program.returncode)
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == name and app.childCount > 0:
            return app
    return None


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def by_name(app, role):
    return {n.name: n for n in walk(app) if n.getRole() == role}


def press(node, action):
    actions = node.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) == action:
            actions.doAction(i)
            return
    raise SystemExit("FAIL: %r has no action %s" % (node.name, action))


def text_of(node):
    return node.queryText().getText(0, -1)


BOUNDARIES = range(7)  # a character, a word's start and end, a sentence's, a line's


def ask_every_boundary(node, what):
    """Asks every unit at, before and after every offset; a question left unanswered fails."""
    text = node.queryText()
    count = text.characterCount
    for boundary in BOUNDARIES:
        for offset in range(count + 1):
            for ask in (text.getTextAtOffset, text.getTextBeforeOffset, text.getTextAfterOffset):
                try:
                    yield boundary, offset, ask.__name__, ask(offset, boundary)
                except Exception as error:  # the reply never came
                    raise SystemExit("FAIL: %s: %s(%d, boundary %d) was not answered: %s" %
                                     (what, ask.__name__, offset, boundary, error))


def check(condition, message):
    if not condition:
        raise SystemExit("FAIL: " + message)
    print("ok: " + message)


def pass_on_stderr(stream):
    """The toolkit warns at every question before a text's start; the rest is passed on."""
    for line in stream:
        if b"QTextCursor::setPosition" not in line:
            sys.stderr.buffer.write(line)
            sys.stderr.flush()


def main():
    # On the X server, whatever platform the caller exported (offscreen is common headless).
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C", QT_QPA_PLATFORM="xcb")
    # A program that hangs on a question shows as an unanswered one, at once.
    pyatspi.setTimeout(3000, 20000)
    program = subprocess.Popen([sys.argv[1]], env=env, stderr=subprocess.PIPE)
    threading.Thread(target=pass_on_stderr, args=(program.stderr,), daemon=True).start()
    try:
        app = wait_for("the application", lambda: find_application("isosceles", program))
        frame = app.getChildAtIndex(0)
        check(frame.getRole() == pyatspi.ROLE_FRAME, "the window is a frame")
        check(frame.name == "Геометрия - равнобедрен триъгълник",
              "the frame is named by the program's title, without the address")
        boxes = wait_for(
            "the text boxes",
            lambda: (lambda b: b if len(b) >= 21 else None)(by_name(app, pyatspi.ROLE_TEXT)),
        )
        for k in range(20):
            check(box_name(k) in boxes, "box %d is called %r" % (k, box_name(k)))
            sensitive = boxes[box_name(k)].getState().contains(pyatspi.STATE_SENSITIVE)
            check(sensitive == (k not in COMPUTED),
                  "box %d is %s" % (k, "enabled" if k not in COMPUTED else "not enabled"))
        check("Задание на проекта" in boxes, "the assignment has a name")

        # A value is read whole by every unit but the character, at every offset.
        box = boxes[box_name(0)]
        for value in ["", "12,000", "1 000 000,000", "4,856·10¹¹"]:
            box.queryEditableText().setTextContents(value)
            wait_for("the value %r" % value, lambda: text_of(box) == value)
            for boundary, offset, ask, (got, start, end) in ask_every_boundary(box, value):
                if ask != "getTextAtOffset":
                    continue
                whole = value if boundary else value[offset:offset + 1]
                if got != whole:
                    raise SystemExit("FAIL: %r at %d by boundary %d reads %r" %
                                     (value, offset, boundary, got))
            check(True, "%r is answered at every offset, whole but by character" % value)
        box.queryEditableText().setTextContents("")
        assignment = boxes["Задание на проекта"]
        sum(1 for _ in ask_every_boundary(assignment, "the assignment"))
        check(True, "the assignment is answered at every offset")

        options = by_name(app, pyatspi.ROLE_RADIO_BUTTON)
        check(sorted(options) == ["Вариант %d" % i for i in range(1, 6)],
              "the options are named by their captions")
        buttons = by_name(app, pyatspi.ROLE_PUSH_BUTTON)
        check(sorted(buttons) == ["Изчисли", "Изчисти"], "the buttons are named by their texts")

        press(options["Вариант 2"], "Toggle")
        wait_for("variant 2", lambda: options["Вариант 2"].getState().contains(
            pyatspi.STATE_CHECKED))
        boxes[box_name(4)].queryEditableText().setTextContents("6")
        boxes[box_name(7)].queryEditableText().setTextContents("12")
        # A screen reader hears the results from a notification that shows itself.
        heard = []

        def on_showing(event):
            if event.detail1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
                heard.append(event.source.name)

        pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
        press(buttons["Изчисли"], "Press")
        expected = ["6.000", "5.000", "16.000", "12.000"]
        shown = wait_for("the results", lambda: (
            lambda row: row if row == expected else None)([text_of(boxes[box_name(k)])
                                                            for k in range(4, 8)]), seconds=10)
        check(shown == expected, "Calculate shows %s" % ", ".join(shown))
        told = "Вариант 2: це = 6.000; а = 5.000; пе = 16.000; ес = 12.000."
        wait_for("the announcement", lambda: told in heard, seconds=10)
        check(True, "a screen reader is told %r" % told)
        pyatspi.Registry.deregisterEventListener(on_showing, "object:state-changed:showing")

        # The working opens on its text, named, and answers as the assignment does.
        x, y, width, height = boxes[box_name(6)].queryComponent().getExtents(
            pyatspi.DESKTOP_COORDS)
        # A menu is a popup, outside the window's tree: its last item, the working, is
        # chosen by the keyboard.
        subprocess.run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2),
                        "click", "3", "sleep", "0.5", "key", "Up", "Return"], check=True)
        name = "Как е изчислено, Вариант 2"
        working = wait_for("the working", lambda: by_name(app, pyatspi.ROLE_TEXT).get(name))
        wait_for("the focus in the working", lambda: working.getState().contains(
            pyatspi.STATE_FOCUSED))
        check(text_of(working).startswith("Вариант 2\n"),
              "the working opens with the focus in its text, named %r" % name)
        sum(1 for _ in ask_every_boundary(working, "the working"))
        check(True, "the working is answered at every offset")
    finally:
        program.terminate()
        program.wait(timeout=10)


if __name__ == "__main__":
    main()
