#!/usr/bin/env python3
"""Holds the program's includes to the links of its build, and the links to the README.

Each program folder is one library, named after it, declared in the folder's CMakeLists.txt. Every
target the build makes (the libraries, the program, the tests, the benchmark, the fuzz targets, the
drawing tools) is held to the row of the README's layout table of the folder that builds it: it may
link the libraries that row names and those built in its own folder, and a test in tests/<folder>
those of the tests' row and of <folder>'s as well. The links are read however they are written:
CMake commands in any letter case and spacing, libraries named through variables, in any
CMakeLists.txt or included .cmake file; and they must not run in a circle. A file may include the
headers of its own folder and of the folders that the targets its folder builds reach through their
links, however the include is spelled (quoted, in angle brackets, relative); a test folder the test
doubles in tests/support as well. Header and source pairs must not include each other in a circle
either. Prints every offence and exits with 1 when there is one.

Usage: check_layers.py [source root]
"""
import os
import re
import sys
from pathlib import Path

root = Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
table_row = re.compile(r"^\| `([a-z]+)/`( → `(zelpo_[a-z_]+)`)?[^|]*\|([^|]*)\|", re.M)
comment_or_string = re.compile(r'("(?:[^"\\]|\\.)*")|#\[(=*)\[.*?\]\2\]|#[^\n]*', re.S)
command_start = re.compile(r"^[ \t]*(\w+)[ \t]*\(", re.M)
variable = re.compile(r"\$\{(\w+)\}")
word = re.compile(r"[\w.+-]+")
included = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]', re.M)


def cmake_files():
    for folder, subfolders, files in os.walk(root):
        # Build trees and the repository's own records are not part of the program.
        subfolders[:] = sorted(name for name in subfolders if not name.startswith(".")
                               and not (Path(folder, name) / "CMakeCache.txt").exists())
        for name in sorted(files):
            if name == "CMakeLists.txt" or name.endswith(".cmake"):
                yield Path(folder, name)


def commands(text):
    """The commands of a CMake file outside function bodies, as (name in lower case, arguments),
    with comments left out. A function's body is read where it is called, from its arguments."""
    text = comment_or_string.sub(lambda match: match.group(1) or "", text)
    position, depth = 0, 0
    while match := command_start.search(text, position):
        end, open_parentheses = match.end(), 1
        while open_parentheses and end < len(text):
            open_parentheses += {"(": 1, ")": -1}.get(text[end], 0)
            end += 1
        position, name = end, match.group(1).lower()
        depth += {"function": 1, "macro": 1, "endfunction": -1, "endmacro": -1}.get(name, 0)
        if depth == 0 and name not in ("endfunction", "endmacro"):
            yield name, text[match.end():end - 1]


def area_of(path):
    """The folder whose row holds a file: its top folder, or tests/<folder> among the tests; for a
    source, that of the nearest folder above it with a CMakeLists.txt."""
    folder = path.parent
    if path.suffix in (".h", ".cpp"):
        while folder != root and not (folder / "CMakeLists.txt").exists():
            folder = folder.parent
    parts = folder.relative_to(root).parts
    return "/".join(parts[:2] if parts[:1] == ("tests",) else parts[:1])


cmakes = {cmake: list(commands(cmake.read_text())) for cmake in cmake_files()}

# Variables set anywhere, each with every value it is given, so that a library named through one
# is seen wherever the name is used.
values = {}
for found in cmakes.values():
    for name, arguments in found:
        words = arguments.split()
        if name == "list" and words[:1] == ["APPEND"]:
            words = words[1:]
        if name in ("set", "list", "foreach") and words:
            own = "${" + words[0] + "}"
            values.setdefault(words[0], []).extend(value for value in words[1:] if own not in value)


def expanded(text):
    """The text with every variable set anywhere replaced by all its values; others are kept."""
    for _ in range(8):
        before = text
        text = variable.sub(lambda match: " ".join(values.get(match[1], [match[0]])), text)
        if text == before:
            break
    return text


targets = {}  # target -> (the folder that builds it, whether it is a library)
named = {}  # target -> every word of the commands that declare it or link it
for cmake, found in cmakes.items():
    for name, arguments in found:
        arguments = expanded(arguments)
        target = (arguments.split() or ["${"])[0]
        if "${" in target or name == "add_library" and re.search(r"\bIMPORTED|\bALIAS", arguments):
            continue  # a name only a function's call gives, or another name for a library
        if name in ("add_library", "add_executable") or name.startswith("zelpo_add_"):
            targets[target] = (area_of(cmake), name in ("add_library", "zelpo_add_library"))
        if name == "target_link_libraries" or name.startswith("zelpo_add_"):
            named.setdefault(target, set()).update(word.findall(arguments))
links = {target: {name for name in words if name in targets and name != target}
         for target, words in named.items() if target in targets}

readme = root / "README.md"
rows = {}  # folder -> (its library or None, the program's libraries it may use)
offences = []
for folder, _, library, cell in table_row.findall(readme.read_text() if readme.exists() else ""):
    below = {row_library for row_library, _ in rows.values() if row_library}
    uses = set()
    for item in (item.strip() for item in cell.split(",")):
        uses |= below if item == "everything below" else {rows.get(item, (None,))[0]} - {None}
    rows[folder] = (library or None, uses)
    if library and library != f"zelpo_{folder}":
        offences.append(f"the README's layout table names {library} for {folder}/: a folder's "
                        f"library is named after it, zelpo_{folder}")


def may_link(area):
    """The project's own libraries a target built in area may link."""
    folders = ["tests", area.removeprefix("tests/")] if area.startswith("tests/") else [area]
    return set().union(*(rows.get(folder, (None, set()))[1] for folder in folders),
                       (target for target, (home, _) in targets.items() if home in folders))


for target, (area, is_library) in sorted(targets.items()):
    row = "tests" if area.startswith("tests/") else area
    own_library = rows.get(row, (None,))[0]
    if row not in rows:
        offences.append(f"{target} is built in {area}/, which has no row in the README's layout "
                        "table")
    elif is_library and own_library and target != own_library:
        offences.append(f"{area}/ builds {target} besides {own_library}, the one library its row "
                        "of the README's layout table names")
    for used in sorted(links.get(target, set()) - may_link(area)):
        offences.append(f"{target} ({area}/) links {used}, which the README's layout table does "
                        "not let it use")


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


def allowed(area):
    """The folders whose headers the files of area may include: those of what its targets reach."""
    seen = {target for target, (home, _) in targets.items() if home == area}
    todo = list(seen)
    while todo:
        for successor in links.get(todo.pop(), ()):
            if successor not in seen:
                seen.add(successor)
                todo.append(successor)
    folders = {targets[target][0] for target in seen} | {area}
    # The test doubles, for the tests and for whatever else takes them from tests/.
    if area.startswith("tests") or any("${PROJECT_SOURCE_DIR}/tests" in arguments
                                       for cmake, found in cmakes.items() if area_of(cmake) == area
                                       for _, arguments in found):
        folders.add("tests")
    return folders


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
        folder, target = area_of(target), target.relative_to(root)
        if folder not in may_include[area]:
            offences.append(f"{source.relative_to(root)} includes {target}, which {area}/ may not "
                            f"use (it reaches {', '.join(sorted(may_include[area]))})")
        if target.with_suffix("") != unit:
            units.setdefault(unit, set()).add(target.with_suffix(""))

unit_circle = circle(units)
if unit_circle:
    offences.append("headers and sources include each other in a circle: "
                    + " -> ".join(map(str, unit_circle)))

for offence in offences:
    print(offence)
if not any(library for library, _ in rows.values()) or not targets:
    print(f"no libraries found under {root}")
    sys.exit(1)
sys.exit(1 if offences else 0)
