#!/usr/bin/python3
"""Reads VantorraAds through AT-SPI as a screen reader does (run by tests/atspi-check.sh
inside a D-Bus session of its own, with DISPLAY set): finds the main window, prints every
control's role and name, chooses a make and a year with their accessible actions, works
the "Next ad" action and checks the counter and the picture's name that follow.

Exit 0 when everything read as expected, 1 on a wrong reading, 77 when the accessibility
bus cannot be reached at all."""

import os
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi  # noqa: E402

TITLE = "Vantorra Ads of the 50's & 60's"
failures = []
# The events a screen reader listens for, as they arrive: (type, role of the source, its
# name, the event's detail and data).
events = []


def listen(event):
    try:
        source = event.source
        events.append((event.type, source.getRole() if source else None, source.name if source else None,
                       event.detail1, event.any_data))
    except GLib.Error:
        pass


def event_seen(kind, role=None, name_pattern=None, detail=None):
    for type_, source_role, source_name, detail1, data in events:
        if not type_.startswith(kind) or (role is not None and source_role != role):
            continue
        if detail is not None and detail1 != detail:
            continue
        named = data if isinstance(data, str) else source_name
        if name_pattern is None or re.fullmatch(name_pattern, named or ""):
            return True
    return False


def fail(message):
    print("atspi-check: FAIL: " + message)
    failures.append(message)


def pump():
    # Lets the library take in the events that keep its view of the tree current.
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, seconds, probe):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        pump()
        try:
            result = probe()
        except GLib.Error:
            result = None
        if result:
            return result
        time.sleep(0.1)
    return None


def nodes(acc, depth=0):
    yield acc, depth
    if depth > 25:
        return
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child, depth + 1)


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def enabled(acc):
    return acc.getState().contains(pyatspi.STATE_ENABLED)


def find(root, role, name=None, pattern=None, only_showing=True):
    for acc, _ in nodes(root):
        if acc.getRole() not in (role if isinstance(role, tuple) else (role,)):
            continue
        if only_showing and not showing(acc):
            continue
        if name is not None and acc.name != name:
            continue
        if pattern is not None and not re.fullmatch(pattern, acc.name or ""):
            continue
        return acc
    return None


def press(acc):
    action = acc.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() in ("press", "click", "activate"):
            return action.doAction(i)
    fail("%s %r offers no press action (it offers %s)"
         % (acc.getRoleName(), acc.name, [action.getName(i) for i in range(action.nActions)]))
    return False


def print_tree(title, window):
    print("atspi-check: %s, as AT-SPI reads it (the controls on show):" % title)
    for acc, depth in nodes(window):
        if showing(acc) and acc.getRole() != pyatspi.ROLE_FILLER:
            states = acc.getState()
            marks = [word for word, state in (("disabled", None), ("checked", pyatspi.STATE_CHECKED),
                                              ("focused", pyatspi.STATE_FOCUSED))
                     if (state is None and not enabled(acc)) or (state is not None and states.contains(state))]
            print("atspi-check:   %s%s %r%s" % ("  " * depth, acc.getRoleName(), acc.name,
                                               " (%s)" % ", ".join(marks) if marks else ""))


def focus_window(title):
    # Without a window manager nothing gives the window the keyboard focus; xdotool does.
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % re.escape(title)],
                           capture_output=True, text=True, timeout=20).stdout.split()
    if found:
        subprocess.run(["xdotool", "windowfocus", "--sync", found[-1]], capture_output=True, timeout=20)


def text_of(acc):
    return acc.queryText().getText(0, -1)


def main():
    try:
        Atspi.get_desktop(0)
    except GLib.Error as error:
        print("atspi-check: no accessibility bus: %s" % error)
        return 77

    log = open(os.path.join(os.environ["VANTORRA_LIBRARY"], "..", "program.log"), "w")
    program = subprocess.Popen(
        [os.environ["VANTORRA_PROGRAM"], "--media", os.environ["VANTORRA_MEDIA"],
         "--library", os.environ["VANTORRA_LIBRARY"]],
        stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT)
    try:
        return check(program)
    finally:
        program.terminate()
        try:
            program.wait(10)
        except subprocess.TimeoutExpired:
            program.kill()
            program.wait(10)


def check(program):
    desktop = pyatspi.Registry.getDesktop(0)
    for kind in ("object:property-change:accessible-name", "object:state-changed", "object:value-changed",
                 "object:text-changed", "focus:"):
        pyatspi.Registry.registerEventListener(listen, kind)

    def main_window():
        if program.poll() is not None:
            raise SystemExit("atspi-check: the program ended early (exit %s)" % program.returncode)
        for app in desktop:
            if app is None:
                continue
            for i in range(app.childCount):
                window = app.getChildAtIndex(i)
                # The splash window has the same title; the main window is the one with the makes.
                if window is not None and window.name == TITLE and showing(window):
                    make = find(window, pyatspi.ROLE_RADIO_BUTTON, "Solenne")
                    if make:
                        return app, window, make
        return None

    # The splash window stays six seconds before the main window comes.
    found = wait_for("the main window", 90, main_window)
    if not found:
        fail("no window %r with the make 'Solenne' as a radio button appeared on the accessibility bus" % TITLE)
        return 1
    app, window, makes = found
    # Read every property afresh, not from the library's cache.
    app.set_cache_mask(Atspi.Cache.NONE)
    print("atspi-check: application %r, window %r" % (app.name, window.name))



    # A make, by its press action: it becomes checked and enables its years.
    press(makes)
    if not wait_for("the make checked", 10, lambda: makes.getState().contains(pyatspi.STATE_CHECKED)):
        fail("'Solenne' did not become checked")
    if not wait_for("its event", 10, lambda: event_seen("object:state-changed:checked", pyatspi.ROLE_RADIO_BUTTON,
                                                        "Solenne", 1)):
        fail("no state-changed:checked event came for 'Solenne'")
    years = wait_for("a year enabled", 10, lambda: [
        acc for acc, _ in nodes(window)
        if acc.getRole() == pyatspi.ROLE_PUSH_BUTTON and re.fullmatch(r"19[56]\d", acc.name or "")
        and enabled(acc)])
    if not years:
        fail("no year button was enabled for Solenne")
        return 1

    # A year with more than one ad: the stepper's "Next ad" button shows.
    for year in years:
        press(year)
        counter = wait_for("the counter", 10, lambda: find(window, (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY), "Advertisement"))
        if counter and find(window, pyatspi.ROLE_PUSH_BUTTON, "Next ad"):
            break
    else:
        fail("no year of Solenne has more than one ad in the sample media")
        return 1
    print_tree("the main window with %s of Solenne on show" % year.name, window)
    print("atspi-check: year %s: counter %r" % (year.name, text_of(counter)))
    first = re.fullmatch(r"1 of (\d+)", text_of(counter))
    if not first:
        fail("the counter reads %r, not '1 of N'" % text_of(counter))
        return 1
    count = first.group(1)
    picture = find(window, pyatspi.ROLE_IMAGE)
    if not picture:
        fail("no image on show")
        return 1
    want = "Solenne %s, advertisement 1 of %s" % (year.name, count)
    if picture.name != want:
        fail("the picture reads %r, not %r" % (picture.name, want))
    print("atspi-check: picture %r, description %r" % (picture.name, picture.description))

    # "Next ad": the second ad, the counter and the picture's name follow.
    stepper = find(window, pyatspi.ROLE_SPIN_BUTTON)
    print("atspi-check: stepper %r with %s" % (stepper.name if stepper else None,
                                               [stepper.getChildAtIndex(i).name for i in range(stepper.childCount)]
                                               if stepper else []))
    press(find(window, pyatspi.ROLE_PUSH_BUTTON, "Next ad"))
    want_counter = "2 of %s" % count
    if not wait_for("the counter", 10, lambda: text_of(counter) == want_counter):
        fail("after 'Next ad' the counter reads %r, not %r" % (text_of(counter), want_counter))
    want = "Solenne %s, advertisement 2 of %s" % (year.name, count)
    if not wait_for("the picture's name", 10, lambda: picture.name == want):
        fail("after 'Next ad' the picture reads %r, not %r" % (picture.name, want))
    print("atspi-check: after 'Next ad': counter %r, picture %r" % (text_of(counter), picture.name))
    if not wait_for("the name event", 10, lambda: event_seen("object:property-change:accessible-name",
                                                             pyatspi.ROLE_IMAGE, re.escape(want))):
        fail("no accessible-name event came for the picture's new name %r" % want)

    # Zoom In: the zoomed picture takes the focus, with the same name; its stepper steps too.
    focus_window(TITLE)
    press(find(window, pyatspi.ROLE_PUSH_BUTTON, "Zoom In"))
    if not wait_for("the focus event", 10, lambda: event_seen("object:state-changed:focused", pyatspi.ROLE_IMAGE,
                                                              re.escape(want), 1)):
        fail("the zoomed picture %r did not report taking the focus" % want)
    zoomed = wait_for("the zoomed picture", 10, lambda: find(window, pyatspi.ROLE_IMAGE))
    if zoomed and not zoomed.getState().contains(pyatspi.STATE_FOCUSED):
        fail("the zoomed picture %r does not have the focus" % zoomed.name)
    print_tree("the zoomed view", window)
    next_ad = find(window, pyatspi.ROLE_PUSH_BUTTON, "Next ad")
    if next_ad:
        press(next_ad)
        want = "Solenne %s, advertisement %s of %s" % (year.name, 3 if int(count) > 2 else 1, count)
        if not wait_for("the zoomed picture's name", 10, lambda: zoomed.name == want):
            fail("after 'Next ad' in the zoomed view the picture reads %r, not %r" % (zoomed.name, want))
        print("atspi-check: zoomed, after 'Next ad': picture %r" % zoomed.name)
    else:
        fail("no 'Next ad' button in the zoomed view")
    press(find(window, pyatspi.ROLE_PUSH_BUTTON, "Zoom Out"))
    if not wait_for("the normal view", 10, lambda: find(window, pyatspi.ROLE_PUSH_BUTTON, "Zoom In")):
        fail("'Zoom Out' did not bring back the normal view")

    # The status panels read as labels with their text.
    labels = [acc.name for acc, _ in nodes(window) if acc.getRole() == pyatspi.ROLE_LABEL and showing(acc)]
    if not any(re.fullmatch(r"\d\d:\d\d:\d\d [ap]m", name or "") for name in labels):
        fail("no label reads the time (labels: %r)" % labels)
    if "Vantorra Ads of the '50s and '60s" not in labels:
        fail("the title strip does not read as a label (labels: %r)" % labels)

    # The About box, from its menu item: its texts read as labels, OK closes it.
    about_item = find(window, pyatspi.ROLE_MENU_ITEM, "About", only_showing=False)
    if about_item:
        press(about_item)
        about = wait_for("the About box", 20, lambda: next(
            (app.getChildAtIndex(i) for i in range(app.childCount)
             if app.getChildAtIndex(i) is not None and app.getChildAtIndex(i).name == "About Vantorra Ads"
             and find(app.getChildAtIndex(i), pyatspi.ROLE_PUSH_BUTTON, "OK")), None))
        if about:
            print_tree("the About box", about)
            texts = [acc.name for acc, _ in nodes(about) if acc.getRole() == pyatspi.ROLE_LABEL]
            for want in ("Vantorra Ads", "of the 50's & 60's", "v1.00"):
                if want not in texts:
                    fail("the About box has no label %r (labels: %r)" % (want, texts))
            press(find(about, pyatspi.ROLE_PUSH_BUTTON, "OK"))
            if not wait_for("the main window enabled", 20, lambda: enabled(window)):
                fail("the main window stayed disabled after the About box's OK")
        else:
            fail("the About box did not come up from its menu item")
    else:
        fail("no menu item 'About'")

    if failures:
        return 1
    print("atspi-check: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
