#!/usr/bin/env python3
"""Waits until an accessible object of the program with process id PID is named by something
that matches PATTERN (a regular expression), as a screen reader would read it; exits 1 after
SECONDS without one. Needs the session bus the program's accessibility runs on."""
import re
import sys
import time

import pyatspi

pid, pattern, seconds = int(sys.argv[1]), re.compile(sys.argv[2]), float(sys.argv[3])


def shown():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return pyatspi.utils.findDescendant(app, lambda o: bool(pattern.search(o.name or ""))) is not None
    return False


end = time.time() + seconds
while time.time() < end:
    if shown():
        sys.exit(0)
    time.sleep(0.2)
sys.exit(1)
