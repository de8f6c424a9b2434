#!/usr/bin/python3
# Drives the running editor through the screen readers' bus and prints what it finds, one
# line per step, for the calling script to compare. Steps (arguments, in order):
#   size                 the main window's size
#   walk                 "role:name" of every focusable control, in the tree's order
#   press NAME           presses the control of that name and prints where its menu opened
#   pick ITEM            picks the item of the menu that is open
#   increase ROLE:NAME   runs a control's increment action; prints its value before and after
import sys
import time

import pyatspi
from gi.repository import GLib


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for index in range(desktop.childCount):
            found = desktop.getChildAtIndex(index)
            if found is not None and found.name == "Velmora":
                return found
        time.sleep(0.1)
    sys.exit("the editor is not on the accessibility bus")


def controls(node):
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is None or child.getRoleName() in ("list", "list item"):
            continue
        if child.getState().contains(pyatspi.STATE_FOCUSABLE):
            yield child
        yield from controls(child)


def extents(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def named(app, key):
    for control in controls(app):
        if f"{control.getRoleName()}:{control.name}" == key or control.name == key:
            return control
    sys.exit(f"no control {key}")


def run_action(node, action):
    actions = node.queryAction()
    names = [actions.getName(index) for index in range(actions.nActions)]
    actions.doAction(names.index(action))


def wait_for_menu(press):
    # Popup menus are not children of the application: they announce themselves.
    shown = []

    def noted(event):
        if event.source.getRoleName() == "popup menu" and event.detail1 == 1:
            shown.append(event.source)
            pyatspi.Registry.stop()

    pyatspi.Registry.registerEventListener(noted, "object:state-changed:showing")
    GLib.timeout_add(100, lambda: press() and False)
    GLib.timeout_add(5000, lambda: pyatspi.Registry.stop() and False)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(noted, "object:state-changed:showing")
    return shown[0] if shown else sys.exit("no menu opened")


def main(steps):
    app = application()
    frame = app.getChildAtIndex(0)
    menu = None
    while steps:
        step = steps.pop(0)
        if step == "size":
            print("size %d %d" % extents(frame)[2:])
        elif step == "walk":
            for control in controls(frame):
                print(f"{control.getRoleName()}:{control.name}")
        elif step == "press":
            control = named(frame, steps.pop(0))
            menu = wait_for_menu(lambda: run_action(control, "Press"))
            x, y, width, height = extents(control)
            print("menu at %d %d, control below %d %d" % (extents(menu)[:2] + (x, y + height - 1)))
        elif step == "pick":
            item = steps.pop(0)
            for index in range(menu.childCount):
                if menu.getChildAtIndex(index).name == item:
                    run_action(menu.getChildAtIndex(index), "Press")
            time.sleep(0.5)
        elif step == "increase":
            control = named(frame, steps.pop(0))
            before = control.queryValue().currentValue
            run_action(control, "Increase")
            time.sleep(0.5)
            print("value %d -> %d" % (before, control.queryValue().currentValue))


main(sys.argv[1:])
