"""The layer check passes a copy of the tree as it is and fails on each offence planted in one; and
configuring a copy with a link the README's layout table does not allow stops, naming it.

Usage: test_check_layers.py [source root [cmake]]
"""
import shutil, subprocess, sys, tempfile, unittest
from pathlib import Path

ROOT = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parents[1]).resolve()
CMAKE = sys.argv[2] if len(sys.argv) > 2 else shutil.which("cmake")
KEPT = ("CMakeLists.txt", "README.md", ".cmake", ".h", ".cpp")
DRAWING = ("zelpo_records (records/) links zelpo_artwork, which the README's layout table does not "
           "let it use")
PLANTED = [  # ({file: the lines added to it}, what the check must say); the first plants nothing
    ({"README.md": ""}, ""),
    ({"records/RecordFile.cpp": "#include <procedures/PlotCommand.h>"}, "includes procedures/"),
    ({"core/Twips.cpp": '#include "../app/StartUp.h"'}, "core/Twips.cpp includes app/StartUp.h"),
    ({"tests/core/tst_readout.cpp": '#include "records/PatientFile.h"'}, "tests/core/ may not use"),
    ({"CMakeLists.txt": "target_link_libraries(zelpo_core zelpo_app)"},
     "zelpo_core (core/) links zelpo_app"),
    ({"records/CMakeLists.txt": "target_link_libraries(zelpo_records PRIVATE zelpo_artwork)"},
     DRAWING),
    ({"records/CMakeLists.txt": "TARGET_LINK_LIBRARIES(zelpo_records PRIVATE zelpo_artwork)"},
     DRAWING),
    ({"records/CMakeLists.txt": "target_link_libraries (zelpo_records\n  PRIVATE zelpo_artwork)"},
     DRAWING),
    ({"records/CMakeLists.txt": "set(drawing zelpo_artwork)\n"
                                "target_link_libraries(zelpo_records PRIVATE ${drawing})"},
     DRAWING),
    ({"records/Drawing.cmake": "target_link_libraries(zelpo_records PRIVATE zelpo_artwork)",
      "records/CMakeLists.txt": "include(Drawing.cmake)"}, DRAWING),
    ({"artwork/CMakeLists.txt": "add_library(zelpo_artwork_drawing STATIC Outlines.cpp)"},
     "artwork/ builds zelpo_artwork_drawing besides zelpo_artwork"),
    ({"tests/core/CMakeLists.txt": "zelpo_add_test(tst_more SOURCES tst_readout.cpp "
                                   "LIBS zelpo_records)"},
     "tst_more (tests/core/) links zelpo_records"),
    ({"bench/CMakeLists.txt": "target_link_libraries(zelpo_bench PRIVATE zelpo_records)"},
     "zelpo_bench (bench/) links zelpo_records"),
    ({"fuzz/CMakeLists.txt": "zelpo_add_fuzzer(forms SOURCES fuzz_conversions.cpp "
                             "LIBS zelpo_forms)"}, "forms (fuzz/) links zelpo_forms"),
]


def left_out(folder, names):  # build trees, hidden entries, and all but the sources and builds
    return [name for name in names if name.startswith(".") or Path(folder, name, "CMakeCache.txt")
            .exists() or Path(folder, name).is_file() and not name.endswith(KEPT)]


def planted_copy(scratch, plants):
    copy = shutil.copytree(ROOT, Path(scratch, "tree"), ignore=left_out)
    for path, lines in plants.items():
        with open(copy / path, "a") as planted:
            planted.write(f"\n{lines}\n")
    return copy


class LayerCheckTest(unittest.TestCase):
    def test_each_planted_offence_fails_the_check(self):
        check = Path(__file__).resolve().with_name("check_layers.py")
        for plants, offence in PLANTED:
            with self.subTest(plants), tempfile.TemporaryDirectory() as scratch:
                copy = planted_copy(scratch, plants)
                run = subprocess.run([sys.executable, check, copy], capture_output=True, text=True)
                self.assertEqual(run.returncode, 1 if offence else 0, run.stdout)
                self.assertIn(offence, run.stdout)

    def test_configuring_stops_at_a_link_the_table_does_not_allow(self):
        # A spelling the include check does not read: the configuration reads what CMake links.
        link = "set_property(TARGET zelpo_records APPEND PROPERTY LINK_LIBRARIES zelpo_artwork)"
        with tempfile.TemporaryDirectory() as scratch:
            copy = planted_copy(scratch, {"records/CMakeLists.txt": link})
            run = subprocess.run([CMAKE, "-S", copy, "-B", copy / "build", "-G", "Ninja"],
                                 capture_output=True, text=True)
        said = " ".join((run.stdout + run.stderr).split())
        if 'provided by "Qt6"' in said:
            self.skipTest("Qt's CMake files are not installed: scripts/setup.sh installs them")
        self.assertNotEqual(run.returncode, 0, said)
        self.assertIn(DRAWING + ": `records/` may use core", said)


unittest.main(argv=sys.argv[:1])
