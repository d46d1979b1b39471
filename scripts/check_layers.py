#!/usr/bin/env python3
"""Holds the program's includes to the links of its build.

Each program folder is one library, declared in the folder's CMakeLists.txt with the libraries
it links. A file may include the headers of its own folder and of the folders whose libraries
its library reaches through those links; the links must not run in a circle, and neither may
the includes between header and source pairs. Prints every offence and exits with 1 when there
is one.

Usage: check_layers.py [source root]
"""
import re
import sys
from pathlib import Path

root = Path(sys.argv[1] if len(sys.argv) > 1 else ".")
declared = re.compile(r"add_library\(\s*zelpo_(\w+)")
linked = re.compile(r"target_link_libraries\(\s*zelpo_(\w+)([^)]*)\)")
included = re.compile(r'^\s*#\s*include\s+"(\w+)/([^"]+)"', re.M)

folder_of = {}  # library name -> folder
links = {}  # folder -> folders whose libraries it links directly
for cmake in sorted(root.glob("*/CMakeLists.txt")):
    text = cmake.read_text()
    # A program folder's library bears its name; the benchmark's and the tests' do not count.
    for library in declared.findall(text):
        if library == cmake.parent.name:
            folder_of[library] = cmake.parent.name
for cmake in sorted(root.glob("*/CMakeLists.txt")):
    for library, arguments in linked.findall(cmake.read_text()):
        if library in folder_of:
            links.setdefault(folder_of[library], set()).update(
                folder_of[name] for name in re.findall(r"zelpo_(\w+)", arguments) if name in folder_of)
folders = set(folder_of.values())
offences = []


def circle(graph):
    """A circle in the graph (node -> successors) as a list of nodes, or None."""
    state = {}

    def visit(node, path):
        state[node] = "open"
        for successor in sorted(graph.get(node, ())):
            if state.get(successor) == "open":
                return path[path.index(successor):] + [successor]
            if successor not in state:
                found = visit(successor, path + [successor])
                if found:
                    return found
        state[node] = "done"
        return None

    for node in sorted(graph):
        if node not in state:
            found = visit(node, [node])
            if found:
                return found
    return None


folder_circle = circle(links)
if folder_circle:
    offences.append("the libraries link in a circle: " + " -> ".join(folder_circle))


def reachable(folder):
    seen, todo = set(), [folder]
    while todo:
        for successor in links.get(todo.pop(), ()):
            if successor not in seen:
                seen.add(successor)
                todo.append(successor)
    return seen


units = {}  # "folder/Stem" -> the units whose headers it includes
for folder in sorted(folders):
    allowed = reachable(folder) | {folder}
    for source in sorted((root / folder).rglob("*")):
        if source.suffix not in (".h", ".cpp"):
            continue
        unit = f"{folder}/{source.stem}"
        for target_folder, header in included.findall(source.read_text()):
            if target_folder not in folders:
                continue
            if target_folder not in allowed:
                offences.append(f"{source.relative_to(root)} includes {target_folder}/{header}, "
                                f"but zelpo_{folder} does not link zelpo_{target_folder}")
            target = f"{target_folder}/{Path(header).stem}"
            if target != unit:
                units.setdefault(unit, set()).add(target)

unit_circle = circle(units)
if unit_circle:
    offences.append("headers and sources include each other in a circle: " + " -> ".join(unit_circle))

for offence in offences:
    print(offence)
if not folders:
    print(f"no libraries found under {root}")
    sys.exit(1)
sys.exit(1 if offences else 0)
