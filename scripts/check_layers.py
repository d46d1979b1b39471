#!/usr/bin/env python3
"""Holds the includes of the program, its tests, benchmark and fuzz targets to the build's links.

Reads layers.json, which configuring writes into the build folder (cmake/Layers.cmake): the layers
and, for every target of the build, the folder that builds it, the project's targets it links and
the folders it takes headers from by an include directory of its own. A file may include the
headers of its own folder, of the folders whose targets the targets of its folder reach through
their links, and of the include directories of the targets reached (the test doubles in tests/ for
the tests and the benchmark). A folder that this build makes nothing of (the fuzz targets, unless
configured for them; the tests, when built without them) may include those of the libraries its
layer may use and what they reach, and a test those of its layer and its folder's, what its folder
builds and the doubles. Includes are found as the compiler finds them: quoted ones beside the
file first, then from the source root and tests/. Also fails when the project's targets link in a
circle, or header and source pairs include each other in a circle. Prints every offence and exits
with 1 when there is one.

The links themselves are held to the layers when the build is configured, not here.

Usage: check_layers.py <source root> <build folder>/layers.json
"""
import json
import os
import re
import sys
from pathlib import Path

if len(sys.argv) != 3:
    sys.exit(__doc__.split("Usage: ")[1])
root = Path(sys.argv[1]).resolve()
layout = json.loads(Path(sys.argv[2]).read_text())
targets = layout["targets"]  # name -> {folder, links, include_folders}
layers = {layer["folder"]: layer for layer in layout["layers"]}
included = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]', re.M)


def area_of(path):
    """The folder whose layer holds a file: its top folder, or tests/<folder> among the tests;
    that of the nearest folder above it with a CMakeLists.txt."""
    folder = path.parent
    while folder != root and not (folder / "CMakeLists.txt").exists():
        folder = folder.parent
    parts = folder.relative_to(root).parts
    return "/".join(parts[:2] if parts[:1] == ("tests",) else parts[:1])


def reached(start):
    """The targets reached from the start ones through their links, the start ones among them."""
    seen, todo = set(start), list(start)
    while todo:
        for successor in targets.get(todo.pop(), {}).get("links", ()):
            if successor not in seen:
                seen.add(successor)
                todo.append(successor)
    return seen


def declared_libraries(folder):
    """The libraries a folder's layer lets it use; for tests/<folder>, those of the tests' layer and
    of <folder>'s, and <folder>'s library."""
    if folder.startswith("tests/"):
        tested = folder.removeprefix("tests/")
        return (declared_libraries("tests") | declared_libraries(tested)
                | {layers.get(tested, {}).get("library")} - {None})
    names = list(layers)
    layer = layers.get(folder)
    if layer is None:
        return set()
    below = names[:names.index(folder)] if layer["everything_below"] else []
    return {layers[used]["library"] for used in below + layer["may_use"]
            if used in layers and layers[used]["library"]}


def may_include(area):
    """The folders whose headers the files of area may include."""
    own = {name for name, target in targets.items() if target["folder"] == area}
    seen = reached(own or declared_libraries(area))
    folders = {area}
    if not own and area.startswith("tests/"):
        # A test this build does not make: besides, what its folder builds, and the doubles.
        folders |= {"tests", area.removeprefix("tests/")}
    for name in seen:
        target = targets.get(name, {})
        folders.add(target.get("folder", name.removeprefix("zelpo_")))
        folders.update(area_of(root / folder / "CMakeLists.txt")
                       for folder in target.get("include_folders", ()))
    return folders


def header(source, bracket, name):
    """The program's header an include names, as the compiler finds it: beside the including file
    when quoted, then from the source root or, for the test doubles, from tests/."""
    for place in ([source.parent] if bracket == '"' else []) + [root, root / "tests"]:
        path = Path(os.path.normpath(place / name))
        if root in path.parents and path.is_file():
            return path
    return None


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


def sources():
    """The program's sources and headers: those of each folder of the source root with a
    CMakeLists.txt, build folders left out."""
    for top in sorted(path.parent for path in root.glob("*/CMakeLists.txt")):
        for folder, subfolders, files in os.walk(top):
            subfolders[:] = sorted(name for name in subfolders
                                   if not (Path(folder, name) / "CMakeCache.txt").exists())
            yield from (Path(folder, name) for name in sorted(files)
                        if name.endswith((".h", ".cpp")))


offences = []
links = {name: set(target["links"]) for name, target in targets.items()}
library_circle = circle(links)
if library_circle:
    offences.append("the targets link in a circle: " + " -> ".join(library_circle))

units = {}  # "folder/Stem" -> the units whose headers it includes
allowed = {}  # area -> the folders its files may include
for source in sources():
    area = area_of(source)
    if area not in allowed:
        allowed[area] = may_include(area)
    unit = source.relative_to(root).with_suffix("")
    for bracket, name in included.findall(source.read_text()):
        target = header(source, bracket, name)
        if target is None:
            continue
        folder, target = area_of(target), target.relative_to(root)
        if folder not in allowed[area]:
            offences.append(f"{source.relative_to(root)} includes {target}, which {area}/ may not "
                            f"use (it reaches {', '.join(sorted(allowed[area]))})")
        if target.with_suffix("") != unit:
            units.setdefault(unit, set()).add(target.with_suffix(""))

unit_circle = circle(units)
if unit_circle:
    offences.append("headers and sources include each other in a circle: "
                    + " -> ".join(map(str, unit_circle)))

for offence in offences:
    print(offence)
if not targets or not units:
    print(f"no targets in {sys.argv[2]} or no includes under {root}")
    sys.exit(1)
sys.exit(1 if offences else 0)
