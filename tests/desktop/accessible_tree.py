"""Reads the editor's main window through AT-SPI as a screen reader does and checks what it says.

Usage: accessible_tree.py ENG|GER. Exits 1 with one line per fault.
"""
import sys
import time

import pyatspi

TITLE = "KVL-17+ Settings Editor"
# The round buttons a user meets, named by their hints, before and after the start panel.
BAR = {
    "ENG": ["Program settings", "About...", "End program"],
    "GER": ["Programmeinstellungen", "Über...", "Programm beenden"],
}
PAGE = {
    "ENG": ["Apply changes to the registry and other files", "Reload registry values and other settings",
            "Create external registry file"],
    "GER": ["Änderungen in die Registry und andere Dateien übernehmen",
            "Registry-Werte und andere Einstellungen erneut laden", "Externe Registry-Datei erstellen"],
}
SWITCH = {"ENG": "Show this warning message at program start", "GER": "Diese Warnmeldung beim Programmstart anzeigen"}

faults = []


def main_window(seconds=30):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            for window in app or []:
                if window is not None and window.name == TITLE:
                    return window
        time.sleep(0.2)
    sys.exit("no window named %r on the accessibility bus" % TITLE)


def shown(window):
    """(name, role, states) of every showing node below the window."""
    nodes = []

    def walk(node):
        for child in node:
            if child is None or not child.getState().contains(pyatspi.STATE_SHOWING):
                continue
            nodes.append(child)
            walk(child)

    walk(window)
    return nodes


def find(window, name, role):
    for node in shown(window):
        if node.name == name and node.getRole() == role:
            return node
    return None


def act(node, action):
    acts = node.queryAction()
    for i in range(acts.nActions):
        if acts.getName(i).lower() == action:
            acts.doAction(i)
            return
    faults.append("%r offers no %s action" % (node.name, action))


def poll(condition, seconds=10):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if condition():
            return True
        time.sleep(0.1)
    return False


def expect_buttons(window, names):
    for name in names:
        if find(window, name, pyatspi.ROLE_PUSH_BUTTON) is None:
            faults.append("no push button named %r" % name)


def main():
    language = sys.argv[1]
    window = main_window()
    expect_buttons(window, BAR[language] + ["OK"])
    toggle = find(window, SWITCH[language], pyatspi.ROLE_CHECK_BOX)
    if toggle is None:
        faults.append("no check box named %r" % SWITCH[language])
    else:
        if not toggle.getState().contains(pyatspi.STATE_CHECKED):
            faults.append("the switch is on but not checked")
        act(toggle, "toggle")
        if not poll(lambda: not toggle.getState().contains(pyatspi.STATE_CHECKED)):
            faults.append("toggled through the bus, the switch still reads checked")
    unnamed = [pyatspi.Accessible.getRoleName(n) for n in shown(window)
               if n.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX) and not n.name.strip()]
    if unnamed:
        faults.append("unnamed controls: %s" % ", ".join(unnamed))
    ok = find(window, "OK", pyatspi.ROLE_PUSH_BUTTON)
    if ok is not None:
        act(ok, "press")
        if not poll(lambda: find(window, PAGE[language][0], pyatspi.ROLE_PUSH_BUTTON) is not None):
            faults.append("pressed through the bus, OK did not bring up the settings page")
        expect_buttons(window, PAGE[language])
    for fault in faults:
        print("FAIL:", fault)
    if not faults:
        print("ok: %d round buttons and the switch as a screen reader sees them" % (len(BAR[language]) + 4))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
