#!/usr/bin/python3
"""Reads the running editor through AT-SPI, as a Linux screen reader reads it.

editor_check.py EDITOR EXAMPLE_FOLDER [--grid-checks] [--timeout SECONDS]

Starts a private X server (Xvfb) and a private D-Bus session (dbus-run-session) with the
accessibility bus, opens the real editor on a copy of EXAMPLE_FOLDER and reads it with pyatspi.
The grid checks always run and print their values; only with --grid-checks do they count
towards the result. Exit status 0 when every counted check passed.
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

HERE = os.path.abspath(__file__)
TABS = ["AES3 MIX", "IP MIX", "DC LOOPS", "METERS", "COMPRESSOR"]
TREES = ["AES3 mix controls", "IP mix controls", "AES3 loop controls", "IP loop controls"]
GRIDS = ["AES3 crosspoints", "IP crosspoints", "AES3 loop assignments", "IP loop assignments"]
LOOPS_PANELS = ["AES3 Output Loops", "AES3 Loop controls", "IP Output Loops", "IP Loop controls"]
# Roles whose children are cells or entries: read through their table, not walked.
ITEM_HOLDERS = {"table", "tree", "tree table", "list", "list box", "combo box"}
# Events a screen reader reads a changed text from.
CHANGE_EVENTS = ["object:property-change:accessible-name",
                 "object:property-change:accessible-description", "object:visible-data-changed",
                 "object:text-changed", "object:model-changed", "object:children-changed"]


def start_xvfb(log):
    """Starts an X server on a free display; returns it and the display's number."""
    read_end, write_end = os.pipe()
    # -noreset: a server resets when its last client leaves, as the accessibility tools do
    # while they start, and drops a client that connects during the reset.
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                             "1600x1100x24", "-nolisten", "tcp", "-noreset"],
                            pass_fds=[write_end],
                            stdout=log, stderr=log, start_new_session=True)
    os.close(write_end)
    display = ""
    deadline = time.monotonic() + 20
    while not display.endswith("\n") and time.monotonic() < deadline:
        chunk = os.read(read_end, 16).decode()
        if not chunk:
            break
        display += chunk
    os.close(read_end)
    return xvfb, display.strip()


def start_outer(args):
    """Starts Xvfb, then this script again inside a private D-Bus session; cleans up both."""
    work = tempfile.mkdtemp(prefix="tarn-a11y-")
    log = open(os.path.join(work, "session.log"), "w+")
    procs = []

    def stop(*_):
        # Every process this check started lives in one of these two process groups.
        for proc in reversed(procs):
            try:
                os.killpg(proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            proc.wait()

    signal.signal(signal.SIGTERM, lambda *_: sys.exit(3))
    try:
        display = ""
        # Two servers started at once on a shared machine may pick the same display; the one
        # that loses ends at once, so a server still running a moment later has its own.
        for _ in range(3):
            xvfb, display = start_xvfb(log)
            procs.append(xvfb)
            time.sleep(0.5)
            if display and xvfb.poll() is None:
                break
            display = ""
        if not display:
            print("FAIL: Xvfb gave no display")
            return 1
        env = dict(os.environ, DISPLAY=":" + display, TARN_A11Y_WORK=work)
        for name in ("config", "data", "cache", "state", "runtime"):
            os.makedirs(os.path.join(work, name), mode=0o700)
        env.update(XDG_CONFIG_HOME=work + "/config", XDG_DATA_HOME=work + "/data",
                   XDG_CACHE_HOME=work + "/cache", XDG_STATE_HOME=work + "/state",
                   XDG_RUNTIME_DIR=work + "/runtime", NO_AT_BRIDGE="0", GTK_A11Y="")
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        env.pop("AT_SPI_BUS_ADDRESS", None)
        inner = subprocess.Popen(["dbus-run-session", "--", sys.executable, HERE, "--inner"] +
                                 sys.argv[1:], env=env, stderr=log, start_new_session=True)
        procs.append(inner)
        try:
            status = inner.wait(timeout=args.timeout)
        except subprocess.TimeoutExpired:
            print(f"FAIL: no result within {args.timeout} s")
            status = 1
        if status != 0:
            log.flush()
            log.seek(0)
            sys.stdout.write("--- session log ---\n" + log.read()[-6000:])
        return status
    finally:
        stop()
        log.close()
        shutil.rmtree(work, ignore_errors=True)


class EditorEnded(Exception):
    pass


class Check:
    def __init__(self, grid_counted):
        self.grid_counted = grid_counted
        self.failed = 0

    def expect(self, name, ok, value, grid=False):
        counted = self.grid_counted or not grid
        verdict = "ok" if ok else ("FAIL" if counted else "not yet")
        print(f"{verdict:7} {name}: {value}", flush=True)
        if not ok and counted:
            self.failed += 1


def run_inner(args):
    import pyatspi
    from gi.repository import GLib

    work = os.environ["TARN_A11Y_WORK"]
    folder = os.path.join(work, "folder")
    shutil.copytree(args.folder, folder)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               QT_QPA_PLATFORM="xcb")
    # In this session's process group, so that whoever ends the group ends the editor too.
    editor = subprocess.Popen([args.editor, folder], env=env)
    check = Check(args.grid_checks)
    events = []

    def on_event(event):
        events.append((event.type, event.source, event.detail1))

    for kind in ["object:state-changed:focused", "object:state-changed:expanded",
                 "object:state-changed:selected", "object:selection-changed",
                 "object:property-change:accessible-value", "object:value-changed"] + CHANGE_EVENTS:
        pyatspi.Registry.registerEventListener(on_event, kind)

    def pump(seconds=0.0):
        context = GLib.MainContext.default()
        end = time.monotonic() + seconds
        while True:
            while context.pending():
                context.iteration(False)
            if time.monotonic() >= end:
                return
            time.sleep(0.01)

    def wait_for(what, condition, timeout=20.0):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            pump()
            try:
                value = condition()
            except EditorEnded:
                raise
            except Exception:  # the tree is still being built
                value = None
            if value:
                return value
            time.sleep(0.05)
        raise TimeoutError(f"timed out waiting for {what}")

    def settle():
        # Events come over D-Bus after the key; wait until none has come for a while.
        count = -1
        while count != len(events):
            count = len(events)
            pump(0.4)

    def application():
        if editor.poll() is not None:  # no use waiting out the minute
            raise EditorEnded(f"the editor ended with status {editor.returncode} before it "
                              "reached the accessibility bus")
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == editor.pid:
                return app
        return None

    def walk(node, found):
        for child in node:
            if child is None:
                continue
            found.append(child)
            if child.getRoleName() not in ITEM_HOLDERS:
                walk(child, found)
        return found

    def named(objects, role, name):
        hits = [o for o in objects if o.getRoleName() == role and spoken_name(o) == name]
        if not hits:
            raise LookupError(f'no {role} "{name}"')
        return hits[0]

    def key(keysym, modifiers=0):
        if modifiers:
            pyatspi.Registry.generateKeyboardEvent(modifiers, None, pyatspi.KEY_LOCKMODIFIERS)
        pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)
        if modifiers:
            pyatspi.Registry.generateKeyboardEvent(modifiers, None, pyatspi.KEY_UNLOCKMODIFIERS)

    def focus_events(seen=events):
        return [e[1] for e in seen if e[0] == "object:state-changed:focused" and e[2] == 1]

    def focused_on(obj):
        return lambda: obj.getState().contains(pyatspi.STATE_FOCUSED)

    def press(keysym, modifiers=0, until=None):
        events.clear()
        key(keysym, modifiers)
        # A loaded machine may answer late: wait for the answer, then for the quiet after it.
        wait_quietly(until or (lambda: events), 10.0)
        settle()
        return focus_events()

    def spoken_name(obj):
        # A list is read by its label (on Linux, its own name is its current entry).
        if obj.getRoleName() == "combo box":
            for relation in obj.getRelationSet():
                if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                    return relation.getTarget(0).name
        return obj.name

    def give_focus(obj):
        if obj.queryComponent().grabFocus() and wait_quietly(focused_on(obj)):
            settle()
            return
        # Qt grants no focus action to lists and spinners: a click, and Escape for a list.
        x, y, width, height = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        pyatspi.Registry.generateMouseEvent(x + width // 4, y + height // 2, "b1c")
        if obj.getRoleName() == "combo box":
            wait_quietly(lambda: obj.getState().contains(pyatspi.STATE_EXPANDED), 5.0)
            key(0xFF1B)
        wait_for(f"the focus on {spoken_name(obj)}", focused_on(obj))
        settle()

    def wait_quietly(condition, timeout=1.0):
        try:
            return wait_for("", condition, timeout)
        except TimeoutError:
            return False

    def show_tab(name):
        tab = [o for o in objects if o.getRoleName() == "page tab" and o.name == name][0]
        # A click, as no window manager activates the window on this X server.
        x, y, width, height = tab.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        pyatspi.Registry.generateMouseEvent(x + width // 2, y + height // 2, "b1c")
        wait_for(f"the {name} tab", lambda: tab.parent.name == name)

    def describe(objs):
        return [f"{o.getRoleName()} '{spoken_name(o)}'" for o in objs]

    try:
        app = wait_for("the editor on the accessibility bus", application, 60)
        frame = wait_for("the window", lambda: app[0])
        wait_for("the loaded folder", lambda: folder in frame.name)
        objects = wait_for("the widgets", lambda: [o for o in walk(app, []) if o is not None])

        tabs = [o for o in objects if o.getRoleName() == "page tab"]
        check.expect("page tabs", [t.name for t in tabs] == TABS, [t.name for t in tabs])

        combos = [spoken_name(o) for o in objects if o.getRoleName() == "combo box"]
        meters = [f"Meter {k:02}" for k in range(1, 17)]
        check.expect("meter lists", all(m in combos for m in meters), combos)
        panels = [o.name for o in objects if o.getRoleName() == "panel"]
        check.expect("loops frames", all(p in panels for p in LOOPS_PANELS),
                     [p for p in panels if "oop" in p])
        trees = [o.name for o in objects if o.getRoleName() == "tree"]
        check.expect("trees", trees == TREES, trees)
        grids = [o.name for o in objects if o.getRoleName() == "table"]
        check.expect("grids", grids == GRIDS, grids)
        focusable = [o for o in objects if o.getState().contains(pyatspi.STATE_FOCUSABLE)]
        # The tab strip is read by its current tab; the tab widget hands its focus to the strip.
        names = [spoken_name(o) for o in focusable
                 if o.getRoleName() not in ("page tab list", "filler")]
        repeated = sorted({n for n in names if names.count(n) > 1 or not n})
        check.expect("every control named once", not repeated,
                     repeated or f"{len(names)} controls")

        # Ctrl+Tab from a meter list lands on the COMPRESSOR page's first spinner, and back.
        show_tab("METERS")
        meter = named(objects, "combo box", "Meter 05")
        give_focus(meter)
        moved = press(0xFF09, 1 << 2)  # Ctrl+Tab
        check.expect("Ctrl+Tab from a meter list: focus events", describe(moved) ==
                     ["spin button 'Attack'"], describe(moved))
        moved = press(0xFE20, (1 << 2) | 1)  # ISO_Left_Tab, as Shift+Tab arrives
        check.expect("Ctrl+Shift+Tab back: focus events", describe(moved) ==
                     ["combo box 'Meter 05'"], describe(moved))

        # A spinner step: the value a screen reader reads, and the event that tells it.
        show_tab("COMPRESSOR")
        spinner = named(objects, "spin button", "Attack")
        give_focus(spinner)
        before = spinner.queryValue().currentValue
        press(0xFF52)  # Up
        values = [e for e in events if "value" in e[0]]
        check.expect("spinner step", spinner.queryValue().currentValue == before + 1 and values,
                     f"{before} -> {spinner.queryValue().currentValue}, "
                     f"{len(values)} value events")

        # A tree entry tells its pointer: open the first heading, go to its first entry.
        tree = named(objects, "tree", "AES3 loop controls")
        show_tab("DC LOOPS")
        give_focus(tree)
        heading = tree.queryTable().getAccessibleAt(0, 0)
        check.expect("tree heading description", heading.description.startswith("a heading"),
                     f"'{heading.name}': '{heading.description}'")
        press(0xFF50)  # Home: the first entry becomes the current one
        rows = tree.queryTable().nRows
        press(0xFF53, until=lambda: tree.queryTable().nRows > rows)  # Right opens the heading
        opened = [e for e in events if e[0] == "object:state-changed:expanded"]
        check.expect("tree heading opens", tree.queryTable().nRows > rows,
                     f"{rows} -> {tree.queryTable().nRows} rows, {len(opened)} expand events")
        moved = press(0xFF54)  # Down
        entry = tree.queryTable().getAccessibleAt(1, 0)
        check.expect("tree entry description", entry.description == "pointer 0",
                     f"'{entry.name}': '{entry.description}', focus events {len(moved)}")

        grid_checks(check, objects, show_tab, named, press, events, give_focus, describe,
                    focus_events)
    except Exception as error:  # a missing widget or a timeout fails the run, with its reason
        traceback.print_exc(file=sys.stdout)
        check.expect("reading the editor", False, f"{type(error).__name__}: {error}")
    finally:
        editor.kill()
        editor.wait()
    print(f"{check.failed} failed", flush=True)
    return 1 if check.failed else 0


def grid_checks(check, objects, show_tab, named, press, events, give_focus, describe,
                focus_events):
    """The grid as a table of 64 x 4 (8 x 1) data cells with named headers."""
    show_tab("AES3 MIX")
    slots = [f"CONTROL {s}" for s in "ABCD"]
    for name, rows, heads, first in [
            ("AES3 crosspoints", 64, slots, "01 Mic 1 Presenter"),
            ("IP crosspoints", 64, slots, "01 Stream 1 Guest remote"),
            ("AES3 loop assignments", 8, None, "01 Talkback, studio"),
            ("IP loop assignments", 8, None, "01 Stream 1 return")]:
        table = named(objects, "table", name).queryTable()
        columns = len(heads) if heads else 1
        check.expect(f"{name}: rows x columns", (table.nRows, table.nColumns) == (rows, columns),
                     f"{table.nRows} x {table.nColumns}", grid=True)
        # A screen reader speaks the header cells' names.
        shown = [table.getColumnHeader(c).name for c in range(table.nColumns)]
        check.expect(f"{name}: column headers", shown == heads if heads else
                     len(shown) == 1 and shown[0].strip() != "", shown, grid=True)
        row = table.getRowHeader(0).name
        check.expect(f"{name}: first row header", row == first, f"'{row}'", grid=True)
    grid = named(objects, "table", "AES3 crosspoints")
    cell = grid.queryTable().getAccessibleAt(0, 0)
    # Loading tells nothing: the grid has no description until the user changes a cell.
    check.expect("AES3 crosspoints: first cell", cell.name == "MUTE" and
                 "pointer 0" in cell.description and not grid.description,
                 f"'{cell.name}': '{cell.description}', the grid '{grid.description}'", grid=True)
    give_focus(grid)
    moved = press(0xFF53)  # Right
    check.expect("focus events for one arrow press", len(moved) == 1, describe(moved), grid=True)
    press(0xFF54, 1)  # Shift+Down extends the selection
    selected = [e for e in events if e[0] == "object:state-changed:selected" and e[2] == 1]
    check.expect("selection events for Shift+Down", len(selected) >= 1,
                 f"{len(selected)} selected, {len(focus_events(events))} focus", grid=True)
    press(0xFF52, 1)  # Shift+Up: the selection is the one cell the arrow reached again
    press(0xFFC7, 1)  # Shift+F10: the grid's menu
    press(0xFF54)  # Down to "MUTE"
    events.clear()
    press(0xFF0D)  # Enter assigns it
    changed = [f"{e[0].split(':')[-1]} of {e[1].getRoleName()} '{e[1].name}'"
               for e in events if e[0] in CHANGE_EVENTS]
    # The focus landed where the check clicked the grid; the arrow moved on from there.
    cell = moved[0] if moved else grid.queryTable().getAccessibleAt(0, 0)
    check.expect("events after an assignment", bool(changed) and cell.name == "MUTE" and
                 grid.description == "1 cell set to MUTE",
                 f"{changed}, the cell reads '{cell.name}', the grid '{grid.description}'",
                 grid=True)

def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("editor")
    parser.add_argument("folder")
    parser.add_argument("--grid-checks", action="store_true",
                        help="count the grid checks (row and column counts, headers, cell "
                             "texts, focus events per arrow, selection events, events after an "
                             "assignment)")
    parser.add_argument("--timeout", type=float, default=150)
    parser.add_argument("--inner", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    sys.exit(run_inner(args) if args.inner else start_outer(args))


if __name__ == "__main__":
    main()
