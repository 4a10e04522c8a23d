"""Reads the editor's main window through AT-SPI as a screen reader does; prints one line per fault.

Usage: accessible_tree.py ENG|GER
"""
import sys
import time

import pyatspi

TITLE = "KVL-17+ Settings Editor"
# The round buttons, named by their hints: the bar and the start panel's OK, then the settings page's.
PANEL = {"ENG": ["Program settings", "About...", "End program", "OK"],
         "GER": ["Programmeinstellungen", "Über...", "Programm beenden", "OK"]}
PAGE = {"ENG": ["Apply changes to the registry and other files", "Reload registry values and other settings",
                "Create external registry file"],
        "GER": ["Änderungen in die Registry und andere Dateien übernehmen",
                "Registry-Werte und andere Einstellungen erneut laden", "Externe Registry-Datei erstellen"]}
SWITCH = {"ENG": "Show this warning message at program start",
          "GER": "Diese Warnmeldung beim Programmstart anzeigen"}
BUTTON, CHECK_BOX = pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX
faults = []


def poll(condition, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = condition()
        if found:
            return found
        time.sleep(0.1)
    return None


def main_window():
    return next((w for app in pyatspi.Registry.getDesktop(0) for w in app or [] if w and w.name == TITLE), None)


def shown(node):
    """Every node below this one that is on the screen."""
    for child in node:
        if child is not None and child.getState().contains(pyatspi.STATE_SHOWING):
            yield child
            yield from shown(child)


def find(window, name, role):
    return next((n for n in shown(window) if n.name == name and n.getRole() == role), None)


def checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


def act(node, action):
    actions = node.queryAction()
    names = [actions.getName(i).lower() for i in range(actions.nActions)]
    if action in names:
        actions.doAction(names.index(action))
    else:
        faults.append("%r offers no %s action but %s" % (node.name, action, names))


def expect_buttons(window, names):
    faults.extend("no push button named %r" % name for name in names if not find(window, name, BUTTON))


def main(language):
    window = poll(main_window)
    if window is None:
        return ["no window named %r on the accessibility bus" % TITLE]
    expect_buttons(window, PANEL[language])
    unnamed = [n.getRoleName() for n in shown(window) if n.getRole() in (BUTTON, CHECK_BOX) and not n.name.strip()]
    if unnamed:
        faults.append("unnamed controls: %s" % ", ".join(unnamed))
    toggle = find(window, SWITCH[language], CHECK_BOX)
    if toggle is None:
        faults.append("no check box named %r" % SWITCH[language])
    elif not checked(toggle):
        faults.append("the switch is on but its check box is not checked")
    else:
        act(toggle, "toggle")
        if not poll(lambda: not checked(toggle), 10):
            faults.append("toggled through the bus, the switch still reads checked")
    ok = find(window, "OK", BUTTON)
    if ok is not None:
        act(ok, "press")
        if not poll(lambda: find(window, PAGE[language][0], BUTTON), 10):
            faults.append("pressed through the bus, OK did not bring up the settings page")
        expect_buttons(window, PAGE[language])
    return faults


if __name__ == "__main__":
    found = main(sys.argv[1])
    print("\n".join("FAIL: " + fault for fault in found) or "ok: the round buttons and the switch as read through AT-SPI")
    sys.exit(1 if found else 0)
