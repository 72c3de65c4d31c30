#!/usr/bin/python3
"""Reads every page of a running Quillet window over the AT-SPI accessibility bus, as a screen
reader would, and checks it against what `quillet-cli show --json` reads from the same folder.

Usage: atspi_read.py EXPECTED_JSON [KEYS_JSON]

Turns the pages with the page buttons' own Press actions (More... and Back included), and on each
page looks for every option of that page among the objects that report themselves showing:
a toggle is a check box named by its caption, labelled by its caption label and checked as the
file says; a slider is a slider named by its caption with the file's position as its value; a
text field or box is labelled by its caption and holds the file's text. An option of another page
must not be showing. On the Keys page the two tables read with their column headers and hold
as many rows as `quillet-cli keys --json` (KEYS_JSON) lists, the first cell of each as listed.
Exit status 0 when all is found, 1 with a list of what was not, 77 when the
bus or the program cannot be reached.
"""
import json
import sys
import time

import pyatspi

# The page captions `quillet-cli show` gives, and how a user reaches each page.
ROUTE = [
    (["Video"], "Video"),
    (["Client"], "Client"),
    (["More..."], "More client"),
    (["Back", "Server"], "Server"),
    (["More..."], "More server"),
    (["Back", "Maps"], "Maps"),
    (["Control / Sound"], "Controls / sound"),
    (["Commandline"], "Commandline / Launch options"),
    (["Keys"], "Keys"),
]
# The Keys page's tables: accessible name, column headers, the list of `quillet-cli keys
# --json` they show and the field of its first entry in the first column.
TABLES = [
    ("Key bindings", ["Key", "Command", "File:line", "State"], "bindings", "key"),
    ("Aliases", ["Name", "Commands", "File:line", "State"], "aliases", "name"),
]
# Boxes without a caption label of their own, and what labels them instead.
LABELS = {"cmbnetgraphpos": "Netgraph position", "txtmotd": "Message Of The Day"}


def find_app(name, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and (app.name or "").lower() == name:
                return app
        time.sleep(0.2)
    return None


def showing(obj):
    try:
        return obj.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def walk(obj, out):
    """Every showing object below obj (a hidden object hides what it holds)."""
    for child in obj:
        if child is None or not showing(child):
            continue
        out.append(child)
        walk(child, out)
    return out


def labels_of(obj):
    names = []
    for rel in obj.getRelationSet():
        if rel.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [rel.getTarget(i).name for i in range(rel.getNTargets())]
    return names


def text_of(obj):
    if obj.getRoleName() == "combo box":  # an editable box holds its text in its own field
        fields = [c for c in obj if c is not None and c.getRoleName() == "text"]
        if fields:
            return text_of(fields[0])
    try:
        t = obj.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return obj.name


def press(frame, name):
    for obj in walk(frame, []):
        if obj.getRoleName() == "push button" and obj.name == name:
            action = obj.queryAction()
            for i in range(action.nActions):
                if action.getName(i).lower() in ("press", "click"):
                    action.doAction(i)
                    return True
    return False


def check_option(control, want, objects, problems, page):
    caption = want["caption"]
    value = want["value"]
    kind = control.split("(")[0][:3]
    if control.startswith("img_"):
        found = [o for o in objects if o.getRoleName() == "check box" and o.name == caption]
        if not found:
            problems.append(f"{page}: no check box '{caption}' ({control})")
            return
        box = found[0]
        if caption not in labels_of(box):
            problems.append(f"{page}: check box '{caption}' is labelled by {labels_of(box)}")
        if box.getState().contains(pyatspi.STATE_CHECKED) != bool(value):
            problems.append(f"{page}: check box '{caption}' is not {'checked' if value else 'unchecked'}")
    elif kind == "scr":
        found = [o for o in objects if o.getRoleName() == "slider" and o.name == caption]
        if not found:
            problems.append(f"{page}: no slider '{caption}' ({control})")
            return
        current = found[0].queryValue().currentValue
        if int(round(current)) != int(value):
            problems.append(f"{page}: slider '{caption}' reads {current}, the file {value}")
        if caption not in labels_of(found[0]):
            problems.append(f"{page}: slider '{caption}' is labelled by {labels_of(found[0])}")
    elif kind in ("txt", "cmb"):
        label = LABELS.get(control, caption)
        found = [o for o in objects if label in labels_of(o) and o.getRoleName() != "label"]
        if not found:
            problems.append(f"{page}: nothing labelled '{label}' ({control})")
            return
        want_text = str(value).replace("\r\n", "\n")
        if text_of(found[0]) != want_text:
            problems.append(f"{page}: {found[0].getRoleName()} '{label}' holds {text_of(found[0])!r}, the file {want_text!r}")


def check_tables(objects, keys, problems):
    tables = {o.name: o for o in objects if o.getRoleName() == "table"}
    for name, headers, listed, first in TABLES:
        if name not in tables:
            problems.append(f"Keys: no table '{name}'")
            continue
        table = tables[name].queryTable()
        read = []
        for column in range(table.nColumns):
            header = table.getColumnHeader(column)
            read.append(header.name if header is not None else table.getColumnDescription(column))
        if read != headers:
            problems.append(f"Keys: table '{name}' reads the headers {read}, not {headers}")
        rows = keys.get(listed, [])
        if table.nRows != len(rows):
            problems.append(f"Keys: table '{name}' has {table.nRows} rows, quillet-cli keys lists {len(rows)}")
        elif rows and table.getAccessibleAt(0, 0).name != rows[0][first]:
            problems.append(f"Keys: table '{name}' begins with {table.getAccessibleAt(0, 0).name!r}, not {rows[0][first]!r}")
        else:
            print(f"Keys: table '{name}': {table.nRows} rows under {read}")


def main():
    expected = json.load(open(sys.argv[1], encoding="utf-8"))
    keys = json.load(open(sys.argv[2], encoding="utf-8")) if len(sys.argv) > 2 else None
    app = find_app("quillet")
    if app is None:
        print("atspi_read: SKIP: Quillet did not appear on the accessibility bus")
        return 77
    frame = next((c for c in app if c is not None and c.getRoleName() == "frame"), None)
    if frame is None:
        print("atspi_read: Quillet has no window on the bus")
        return 1
    problems = []
    pages_read = 0
    options_read = 0
    for buttons, page in ROUTE:
        for name in buttons:
            if not press(frame, name):
                problems.append(f"no button '{name}' to press on the way to {page}")
        time.sleep(0.6)
        objects = walk(frame, [])
        pages_read += 1
        for control, want in expected.items():
            if want["page"] == page and (want["caption"] or control in LABELS):
                check_option(control, want, objects, problems, page)
                options_read += 1
        # What belongs to another page is not showing (a covered base page included).
        here = {w["caption"] for w in expected.values() if w["page"] == page}
        for o in objects:
            if o.getRoleName() in ("check box", "slider") and o.name not in here:
                problems.append(f"{page}: '{o.name}' of another page reports itself showing")
        if page == "Keys" and keys is not None:
            check_tables(objects, keys, problems)
        status = [o for o in objects if o.getRoleName() == "status bar" and o.name == "Help"]
        if not status or not status[0].description:
            problems.append(f"{page}: the help strip says nothing")
        else:
            print(f"{page}: {len(objects)} objects showing; help: {status[0].description}")
    for p in problems:
        print("atspi_read:", p)
    print(f"atspi_read: {pages_read} pages, {options_read} options read, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
