"""The include check passes a copy of the tree as it is and fails on each offence planted in one;
the README's layout table check fails on a row that differs from its layer; and configuring a copy
with links its layers do not allow stops, naming each.

Usage: test_check_layers.py <source root> <build folder>/layers.json [cmake]
"""
import json, shutil, subprocess, sys, tempfile, unittest
from pathlib import Path

ROOT = Path(sys.argv[1]).resolve()
LAYERS = Path(sys.argv[2]).resolve()
CMAKE = sys.argv[3] if len(sys.argv) > 3 else shutil.which("cmake")
SCRIPTS = Path(__file__).resolve().parent
KEPT = ("CMakeLists.txt", "README.md", ".cmake", ".h", ".cpp")
# ({file: the lines added to it, or (text, its replacement)}, what the check must say); the first
# plants nothing. "layers.json" is the layers and links the build was configured with.
INCLUDES = [
    ({"README.md": ""}, ""),
    ({"records/PatientFile.cpp": "#include <procedures/PlotCommand.h>"}, "includes procedures/"),
    ({"core/Twips.cpp": '#include "../app/StartUp.h"'}, "core/Twips.cpp includes app/StartUp.h"),
    ({"tests/core/tst_readout.cpp": '#include "records/PatientFile.h"'}, "tests/core/ may not use"),
    # The fuzz targets, which this build does not configure, are held to what their layer names.
    ({"fuzz/fuzz_conversions.cpp": '#include "forms/PerZelpo.h"'}, "fuzz/ may not use"),
    ({"core/Loop.h": '#include "core/Twips.h"', "core/Twips.h": '#include "core/Loop.h"'},
     "headers and sources include each other in a circle"),
    ({"layers.json": ("\"zelpo_core\": {\"folder\": \"core\", \"links\": [",
                      "\"zelpo_core\": {\"folder\": \"core\", \"links\": [\"zelpo_history\"")},
     "the targets link in a circle: "),
]
TABLE = [
    ({}, ""),
    ({"README.md": ("| `records/` → `zelpo_records` | core |", "| `records/` → `zelpo_records` | "
                                                              "core, artwork |")},
     "`records/` may use artwork, core in the table, core in its layer"),
    ({"README.md": ("| `forms/` → `zelpo_forms` |", "| `forms/` → the windows |")},
     "`forms/` names no library in the table, zelpo_forms in its layer"),
]
# Each link a spelling of its own: CMake reads what it links, however it came to be written.
LINKS = {
    "records/CMakeLists.txt":
        "set_property(TARGET zelpo_records APPEND PROPERTY LINK_LIBRARIES zelpo_artwork)",
    "artwork/CMakeLists.txt": "add_library(zelpo_artwork_drawing STATIC Outlines.cpp)",
    "tests/core/CMakeLists.txt": "set(more zelpo_records)\nzelpo_add_test(tst_more LABEL unit "
                                 "SOURCES tst_readout.cpp LIBS ${more})",
    "bench/CMakeLists.txt": "TARGET_LINK_LIBRARIES(zelpo_bench PRIVATE zelpo_records)",
}
SAID = [
    "zelpo_records (records/) links zelpo_artwork, which its layer does not let it use: "
    "`records/` may use core",
    "artwork/ builds zelpo_artwork_drawing besides zelpo_artwork",
    "tst_more (tests/core/) links zelpo_records",
    "zelpo_bench (bench/) links zelpo_records",
]


def left_out(folder, names):  # build trees, hidden entries, and all but the sources and builds
    return [name for name in names if name.startswith(".") or Path(folder, name, "CMakeCache.txt")
            .exists() or Path(folder, name).is_file() and not name.endswith(KEPT)]


def planted_copy(scratch, plants):
    copy = shutil.copytree(ROOT, Path(scratch, "tree"), ignore=left_out)
    shutil.copy(LAYERS, copy / "layers.json")
    for path, lines in plants.items():
        if isinstance(lines, tuple):
            text = (copy / path).read_text()
            assert lines[0] in text, f"{lines[0]} is no longer in {path}"
            (copy / path).write_text(text.replace(lines[0], lines[1], 1))
        else:
            with open(copy / path, "a") as planted:
                planted.write(f"\n{lines}\n")
    return copy


class LayerCheckTest(unittest.TestCase):
    def check(self, script, arguments, cases):
        for plants, offence in cases:
            with self.subTest(plants), tempfile.TemporaryDirectory() as scratch:
                copy = planted_copy(scratch, plants)
                run = subprocess.run([sys.executable, SCRIPTS / script, *arguments(copy),
                                      copy / "layers.json"], capture_output=True, text=True)
                self.assertEqual(run.returncode, 1 if offence else 0, run.stdout + run.stderr)
                self.assertIn(offence, run.stdout)

    def test_each_planted_include_fails_the_check(self):
        self.check("check_layers.py", lambda copy: [copy], INCLUDES)

    def test_a_row_of_the_table_other_than_its_layer_fails(self):
        self.check("check_layout_table.py", lambda copy: [copy / "README.md"], TABLE)

    def test_configuring_stops_at_each_link_its_layer_does_not_allow(self):
        with tempfile.TemporaryDirectory() as scratch:
            copy = planted_copy(scratch, LINKS)
            run = subprocess.run([CMAKE, "-S", copy, "-B", copy / "build", "-G", "Ninja"],
                                 capture_output=True, text=True)
        said = " ".join((run.stdout + run.stderr).split())
        if 'provided by "Qt6"' in said:
            self.skipTest("Qt's CMake files are not installed: scripts/setup.sh installs them")
        self.assertNotEqual(run.returncode, 0, said)
        for offence in SAID:
            self.assertIn(offence, said)


unittest.main(argv=sys.argv[:1])
