#!/usr/bin/env python3
"""Holds the program's includes to the links of its build, and the links to the README.

Each program folder is one library, declared in the folder's CMakeLists.txt; its links, wherever a
CMakeLists.txt declares them, must be among those the README's layout table lets it use, and must
not run in a circle. A file may include the headers of its own folder and of the folders whose
libraries its library reaches through those links, however the include is spelled (quoted, in
angle brackets, relative). A test folder tests/<folder> may include what the library its name
gives reaches, and the test doubles in tests/support; the benchmark, the fuzz targets and the
packaging what the libraries their own CMakeLists.txt links reach. Header and source pairs must
not include each other in a circle either. Prints every offence and exits with 1 when there is
one.

Usage: check_layers.py [source root]
"""
import os
import re
import sys
from pathlib import Path

root = Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
declared = re.compile(r"add_library\(\s*zelpo_(\w+)")
linked = re.compile(r"target_link_libraries\(\s*(\S+)([^)]*)\)")
listed = re.compile(r"\bLIBS\b([^)]*)")  # the libraries a test or a fuzz target links
included = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]', re.M)
table_row = re.compile(r"^\| `(\w+)/` → `zelpo_(\w+)`[^|]*\|([^|]*)\|", re.M)


def cmake_files():
    for folder, subfolders, files in os.walk(root):
        # Build trees and the repository's own records are not part of the program.
        subfolders[:] = sorted(name for name in subfolders if not name.startswith(".")
                               and not (Path(folder, name) / "CMakeCache.txt").exists())
        if "CMakeLists.txt" in files:
            yield Path(folder, "CMakeLists.txt")


def area_of(path):
    """The folder a file belongs to: its top folder, or tests/<folder> among the tests."""
    parts = path.relative_to(root).parts
    return "/".join(parts[:2]) if parts[0] == "tests" and len(parts) > 2 else parts[0]


# What each CMakeLists.txt declares, without its comments.
cmakes = {cmake: re.sub(r"#.*", "", cmake.read_text()) for cmake in cmake_files()}
home = {}  # library name -> the folder that declares it
for cmake, text in cmakes.items():
    for library in declared.findall(text):
        home[library] = area_of(cmake) if cmake.parent != root else ""
programs = {library for library, folder in home.items() if folder == library}
links = {}  # library -> the libraries it links directly, declared in any CMakeLists.txt
for text in cmakes.values():
    for target, arguments in linked.findall(text):
        if target.startswith("zelpo_") and target[6:] in home:
            links.setdefault(target[6:], set()).update(
                name for name in re.findall(r"zelpo_(\w+)", arguments) if name in home)
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


library_circle = circle(links)
if library_circle:
    offences.append("the libraries link in a circle: " + " -> ".join(library_circle))

readme = root / "README.md"
may_use = {}  # library -> the program libraries the README's layout table lets it use
for _, library, cell in table_row.findall(readme.read_text() if readme.exists() else ""):
    names = {name.strip() for name in cell.split(",")}
    may_use[library] = programs - {library} if "everything below" in names else names & programs
for library in sorted(programs):
    if library not in may_use:
        offences.append(f"zelpo_{library} has no row in the README's layout table")
        continue
    for used in sorted(links.get(library, set()) & programs - may_use[library]):
        offences.append(f"zelpo_{library} links zelpo_{used}, "
                        "which the README's layout table does not let it use")


def reach(libraries):
    """The folders whose headers the given libraries reach through their links."""
    seen, todo = set(libraries), list(libraries)
    while todo:
        for successor in links.get(todo.pop(), ()):
            if successor not in seen:
                seen.add(successor)
                todo.append(successor)
    return {home[library] for library in seen}


def allowed(area):
    tested = area.removeprefix("tests/")
    if area in programs or tested in programs:
        folders = reach({tested})
    else:
        # Whatever else builds with the program uses what its own CMakeLists.txt links.
        folder = root / area
        while not (folder / "CMakeLists.txt").exists():
            folder = folder.parent
        text = cmakes[folder / "CMakeLists.txt"]
        arguments = " ".join([found for _, found in linked.findall(text)] + listed.findall(text))
        folders = reach({name for name in re.findall(r"zelpo_(\w+)", arguments) if name in home})
        if "${PROJECT_SOURCE_DIR}/tests" in text:
            folders.add("tests/support")
    if area.startswith("tests/"):
        folders.add("tests/support")
    return folders | {area}


def header(source, bracket, name):
    """The program's header an include names, as the compiler finds it: beside the including file
    when quoted, then from the source root or, for the test doubles, from tests/."""
    for place in ([source.parent] if bracket == '"' else []) + [root, root / "tests"]:
        path = Path(os.path.normpath(place / name))
        if root in path.parents and path.is_file():
            return path
    return None


units = {}  # "folder/Stem" -> the units whose headers it includes
may_include = {}  # folder -> the folders its files may include
for source in sorted(path for cmake in cmakes if cmake.parent.parent == root
                     for path in cmake.parent.rglob("*") if path.suffix in (".h", ".cpp")):
    area = area_of(source)
    if area not in may_include:
        may_include[area] = allowed(area)
    unit = source.relative_to(root).with_suffix("")
    for bracket, name in included.findall(source.read_text()):
        target = header(source, bracket, name)
        if target is None:
            continue
        target = target.relative_to(root)
        if area_of(root / target) not in may_include[area]:
            offences.append(f"{source.relative_to(root)} includes {target}, which {area}/ "
                            f"may not use (it reaches {', '.join(sorted(may_include[area]))})")
        if target.with_suffix("") != unit:
            units.setdefault(unit, set()).add(target.with_suffix(""))

unit_circle = circle(units)
if unit_circle:
    offences.append("headers and sources include each other in a circle: "
                    + " -> ".join(map(str, unit_circle)))

for offence in offences:
    print(offence)
if not programs:
    print(f"no libraries found under {root}")
    sys.exit(1)
sys.exit(1 if offences else 0)
