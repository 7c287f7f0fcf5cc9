#!/usr/bin/env python3
"""Checks the floor plan of src/: every folder is on a floor, includes only from its own folder
or from floors below it, logic floors include no Qt Widgets, and each folder builds one library
named after it. Prints each breach and exits 1, or prints the floors and exits 0.

Usage: floors.py [SOURCE_ROOT]"""
import os, re, sys

# From the ground up. A folder may include from any folder on a lower floor; folders on the same
# floor never include each other.
FLOORS = [
    ["platform"],
    ["platform/scanner", "platform/printer"],
    ["station"],
    ["records", "scoring", "sheets", "administration"],
    ["reports"],
    ["tools"],
    ["ui"],
    ["records/windows", "reports/windows"],
    ["sheets/windows", "administration/windows", "supervisor"],
    ["shell"],
    ["app"],
]
# Logic: these floors build without Qt Widgets and open no window.
LOGIC = {"platform", "platform/scanner", "platform/printer", "station", "records", "scoring",
         "sheets", "administration", "reports", "tools"}
WIDGETS = re.compile(r'#include\s*<(QtWidgets/|Q(Widget|Dialog|MainWindow|MessageBox|Application|'
                     r'PushButton|Label|LineEdit|TableWidget|ListWidget|Frame|TabWidget|ComboBox)\b)')
INCLUDE = re.compile(r'#include\s*"([^"]+)"')


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
    floor = {folder: n for n, folders in enumerate(FLOORS) for folder in folders}
    where = {"src": "", "app": "app", "tools/dvq3tool": "tools"}
    breaches = []
    headers = {}  # header path as included -> folder
    sources = []  # (file, folder)
    for top, prefix in where.items():
        for dirpath, _, files in os.walk(os.path.join(root, top)):
            rel = os.path.relpath(dirpath, os.path.join(root, top))
            folder = prefix if top != "src" else ("" if rel == "." else rel)
            for name in files:
                if not name.endswith((".h", ".cpp")):
                    continue
                if folder not in floor:
                    breaches.append(f"{top}/{rel}/{name}: folder '{folder}' is on no floor")
                    continue
                sources.append((os.path.join(dirpath, name), folder))
                if top == "src":
                    headers[os.path.join(rel, name) if rel != "." else name] = folder
    for path, folder in sources:
        text = open(path, encoding="utf-8", errors="replace").read()
        shown = os.path.relpath(path, root)
        if folder in LOGIC and WIDGETS.search(text):
            breaches.append(f"{shown}: a logic folder includes Qt Widgets")
        for included in INCLUDE.findall(text):
            target = headers.get(included)
            if target is None or target == folder:
                continue
            if floor[target] >= floor[folder]:
                breaches.append(f"{shown}: includes {included} from '{target}', "
                                f"which is not below '{folder}'")
    for folder in floor:
        cmake = os.path.join(root, "src", folder, "CMakeLists.txt")
        if folder in ("app", "tools") or not os.path.isdir(os.path.dirname(cmake)):
            continue
        wanted = "dvq3_" + folder.replace("/", "_")
        libraries = re.findall(r"dvq3_library\((\w+)", open(cmake).read()) if os.path.exists(cmake) else []
        if libraries != [wanted]:
            breaches.append(f"src/{folder}: builds {libraries or 'no library'}, not [{wanted}]")
    for breach in breaches:
        print(breach)
    if breaches:
        return 1
    for n, folders in reversed(list(enumerate(FLOORS))):
        print(f"{n:2} {'  '.join(folders)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
