#!/usr/bin/env python3
"""The layer check passes the tree as it is and fails on each kind of offence planted in a copy.

Usage: test_check_layers.py [source root]
"""
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

ROOT = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parents[1]).resolve()
CHECK = Path(__file__).resolve().with_name("check_layers.py")

# (file the line is added to, the line, what the check must say); the first row plants nothing.
PLANTED = [
    ("README.md", "", ""),
    ("records/PatientFile.cpp", "#include <procedures/HistoryLoader.h>",
     "records/PatientFile.cpp includes procedures/HistoryLoader.h, which records/ may not use"),
    ("core/Conversions.cpp", '#include "../app/StartUp.h"',
     "core/Conversions.cpp includes app/StartUp.h"),
    ("CMakeLists.txt", "target_link_libraries(zelpo_core PUBLIC zelpo_app)",
     "zelpo_core links zelpo_app"),
    ("records/CMakeLists.txt", "target_link_libraries(zelpo_records PRIVATE zelpo_artwork)",
     "zelpo_records links zelpo_artwork, which the README's layout table does not let it use"),
    ("tests/core/tst_conversions.cpp", '#include "records/PatientFile.h"',
     "tests/core/ may not use"),
    ("fuzz/fuzz_conversions.cpp", '#include "forms/Fonts.h"', "fuzz/ may not use"),
]


def program_files(folder, names):
    """What the copy leaves out: build trees, hidden entries, and every file but the sources and
    the build's own."""
    kept = ("CMakeLists.txt", "README.md", ".h", ".cpp")
    return [name for name in names if name.startswith(".")
            or Path(folder, name, "CMakeCache.txt").exists()
            or Path(folder, name).is_file() and not name.endswith(kept)]


class LayerCheckTest(unittest.TestCase):
    def test_each_planted_offence_fails_the_check(self):
        for path, line, offence in PLANTED:
            with self.subTest(path), tempfile.TemporaryDirectory() as scratch:
                copy = shutil.copytree(ROOT, Path(scratch, "tree"), ignore=program_files)
                with open(copy / path, "a") as planted:
                    planted.write(f"\n{line}\n")
                run = subprocess.run([sys.executable, CHECK, copy], capture_output=True, text=True)
                self.assertEqual(run.returncode, 1 if line else 0, run.stdout)
                self.assertIn(offence, run.stdout)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
