#!/usr/bin/env python3
"""Holds the README's layout table to the layers that cmake/Layers.cmake declares.

The table must have one row for each layer, in the same order, each naming the folder's library
when it is one (| `records/` → `zelpo_records` | …) and, in its "may use" cell, the same folders and
outside libraries as the layer, in any order: "everything below" for EVERYTHING_BELOW, "Qt Gui" for
Qt6::Gui, "CUPS" for Cups::Cups, "xcb" for X11::xcb. Reads the layers from layers.json, which
configuring writes into the build folder. Prints every difference and exits with 1 when there is
one.

Usage: check_layout_table.py <README.md> <build folder>/layers.json
"""
import json
import re
import sys
from pathlib import Path

if len(sys.argv) != 3:
    sys.exit(__doc__.split("Usage: ")[1])
table_row = re.compile(r"^\| `([a-z]+)/`( → `(zelpo_[a-z_]+)`)?[^|]*\|([^|]*)\|", re.M)


def spoken(name):
    """How the table names a folder or an outside library, in lower case."""
    name = re.sub(r"^Qt6?::", "Qt ", name)
    return name.split("::")[-1].lower()


layers = [(layer["folder"], layer["library"],
           {spoken(use) for use in layer["may_use"]} | ({"everything below"}
                                                         if layer["everything_below"] else set()))
          for layer in json.loads(Path(sys.argv[2]).read_text())["layers"]]
rows = [(folder, library or None, {item.strip().lower() for item in cell.split(",")} - {""})
        for folder, _, library, cell in table_row.findall(Path(sys.argv[1]).read_text())]

differences = []
declared_folders, table_folders = [layer[0] for layer in layers], [row[0] for row in rows]
if declared_folders != table_folders:
    differences.append(f"the table's rows are {', '.join(table_folders)}; the layers, lowest "
                       f"first, are {', '.join(declared_folders)}")
table = {folder: (library, uses) for folder, library, uses in rows}
for folder, library, uses in layers:
    row_library, row_uses = table.get(folder, (library, uses))
    if library != row_library:
        differences.append(f"`{folder}/` names {row_library or 'no library'} in the table, "
                           f"{library or 'no library'} in its layer")
    if uses != row_uses:
        differences.append(f"`{folder}/` may use {', '.join(sorted(row_uses))} in the table, "
                           f"{', '.join(sorted(uses))} in its layer")
for difference in differences:
    print(difference)
sys.exit(1 if differences or not layers else 0)
