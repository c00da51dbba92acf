#!/usr/bin/env python3
"""Reads the program's accessible tree over the real AT-SPI bus, as a screen reader does: roles,
names, descriptions, the path field's label, the status bar, the About window's links, and the
text events that announce a paste and an erase. Run by accessibility.sh inside a D-Bus session."""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

ZARVOK, WORK = sys.argv[1], sys.argv[2]
inserted = []  # (role name, object name, inserted text)


def fail(message):
    sys.exit("FAIL: " + message)


def pump(seconds):
    end = time.time() + seconds
    context = GLib.MainContext.default()
    while time.time() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def wait_for(what, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        found = what()
        if found:
            return found
        pump(0.1)
    return None


def on_text_inserted(event):
    inserted.append((event.source.getRoleName(), event.source.name, str(event.any_data)))


def find_all(root, predicate):
    return pyatspi.utils.findAllDescendants(root, predicate)


def one(root, predicate, what):
    found = find_all(root, predicate)
    if len(found) != 1:
        fail("%d %s, not one" % (len(found), what))
    return found[0]


def press(button):
    action = button.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names and "press" not in names:
        fail("%s has no press action: %s" % (button.name, names))
    action.doAction(names.index("Press") if "Press" in names else names.index("press"))


def zarvok_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == "zarvok":
            return app
    return None


def check_main_window(app):
    frames = [w for w in app if w.getRole() == pyatspi.ROLE_FRAME and w.name == "Zarvok"]
    if len(frames) != 1:
        fail("the main window is no frame named Zarvok: %s" % [(w.getRoleName(), w.name) for w in app])
    frame = frames[0]
    hints = {"Exit": "Exit Program", "Delete": "Start Erasing", "Copy": "Copy Folder to Delete to clipboard",
             "Paste": "Paste from clipboard into Folder to Delete", "About": "Show About box",
             "Browse": "Browse for Folder or files to Erase"}
    buttons = {b.name: b for b in find_all(frame, lambda o: o.getRole() == pyatspi.ROLE_PUSH_BUTTON)}
    for name, hint in hints.items():
        if name not in buttons:
            fail("no button named %s among %s" % (name, sorted(buttons)))
        if buttons[name].description != hint:
            fail("%s is described as %r" % (name, buttons[name].description))
    field = one(frame, lambda o: o.getRole() == pyatspi.ROLE_COMBO_BOX, "combo boxes")
    if field.name != "Folder to Delete (drag and drop):":
        fail("the path field is named %r" % field.name)
    labels = [r.getTarget(0) for r in field.getRelationSet() if r.getRelationType() == pyatspi.RELATION_LABELLED_BY]
    if not labels or not labels[0].name.startswith("Folder to Delete (drag and drop):"):
        fail("the path field is not labelled by the count label")
    status = one(frame, lambda o: o.getRole() == pyatspi.ROLE_STATUS_BAR, "status bars")
    if status.name != "Ready":
        fail("the status bar reads %r" % status.name)
    return frame, buttons, status


def check_announcements(buttons, target):
    subprocess.run("printf '%s' '" + target + "' | xclip -selection clipboard -i >/dev/null 2>&1",
                   shell=True, check=True)
    pump(0.5)
    press(buttons["Paste"])
    if not wait_for(lambda: [e for e in inserted if e[2].strip() == "1 in list"]):
        fail("queueing was not announced as '1 in list': %s" % inserted)
    press(buttons["Delete"])
    if not wait_for(lambda: not os.path.exists(target)):
        fail("the pasted folder was not erased")
    done = wait_for(lambda: [e for e in inserted if e[0] == "status bar" and e[2].startswith("Erasing Done: ")])
    if not done:
        fail("the end of the erase was not announced on the status bar: %s" % inserted)
    if not [e for e in inserted if e[0] == "status bar" and e[2] == "Working Erasing all, Wait..."]:
        fail("the start of the erase was not announced: %s" % inserted)


def check_about(app, buttons):
    press(buttons["About"])
    dialog = wait_for(lambda: [w for w in app if w.getRole() == pyatspi.ROLE_DIALOG])
    if not dialog:
        fail("the About window is no dialog: %s" % [(w.getRoleName(), w.name) for w in app])
    links = find_all(dialog[0], lambda o: o.getRole() == pyatspi.ROLE_LINK)
    if sorted(link.name for link in links) != ["Email me", "WebSite"]:
        fail("the About links are %s" % [(link.getRoleName(), link.name) for link in links])
    for link in links:
        if link.queryAction().nActions < 1:
            fail("the link %s has no action" % link.name)
    licence = find_all(dialog[0], lambda o: o.name == "Licence")
    if not licence:
        fail("the licence box has no name")


def main():
    target = os.path.join(WORK, "announced")
    os.makedirs(os.path.join(target, "inner"))
    pyatspi.Registry.registerEventListener(on_text_inserted, "object:text-changed:insert")
    program = subprocess.Popen([ZARVOK], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        app = wait_for(zarvok_app, 20)
        if app is None:
            fail("the program does not show on the accessibility bus")
        frame = wait_for(lambda: [w for w in app if w.name == "Zarvok"], 10)
        if not frame:
            fail("no window on the bus")
        _, buttons, _ = check_main_window(app)
        check_announcements(buttons, target)
        check_about(app, buttons)
    finally:
        program.kill()
    print("ok")


main()
