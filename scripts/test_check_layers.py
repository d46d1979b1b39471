"""The layer check passes a copy of the tree as it is and fails on each offence planted in one."""
import shutil, subprocess, sys, tempfile, unittest
from pathlib import Path

ROOT = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parents[1]).resolve()
KEPT = ("CMakeLists.txt", "README.md", ".h", ".cpp")
PLANTED = [  # (file, the line added to it, what the check must say); the first plants nothing
    ("README.md", "", ""),
    ("records/RecordFile.cpp", "#include <procedures/PlotCommand.h>", "includes procedures/"),
    ("core/Twips.cpp", '#include "../app/StartUp.h"', "core/Twips.cpp includes app/StartUp.h"),
    ("CMakeLists.txt", "target_link_libraries(zelpo_core zelpo_app)", "zelpo_core links zelpo_app"),
    ("records/CMakeLists.txt", "target_link_libraries(zelpo_records PRIVATE zelpo_artwork)",
     "zelpo_records links zelpo_artwork, which the README's layout table does not let it use"),
    ("tests/core/tst_readout.cpp", '#include "records/PatientFile.h"', "tests/core/ may not use"),
]


def left_out(folder, names):  # build trees, hidden entries, and all but the sources and builds
    return [name for name in names if name.startswith(".") or Path(folder, name, "CMakeCache.txt")
            .exists() or Path(folder, name).is_file() and not name.endswith(KEPT)]


class LayerCheckTest(unittest.TestCase):
    def test_each_planted_offence_fails_the_check(self):
        for path, line, offence in PLANTED:
            with self.subTest(path), tempfile.TemporaryDirectory() as scratch:
                copy = shutil.copytree(ROOT, Path(scratch, "tree"), ignore=left_out)
                with open(copy / path, "a") as planted:
                    planted.write(f"\n{line}\n")
                check = Path(__file__).resolve().with_name("check_layers.py")
                run = subprocess.run([sys.executable, check, copy], capture_output=True, text=True)
                self.assertEqual(run.returncode, 1 if line else 0, run.stdout)
                self.assertIn(offence, run.stdout)


unittest.main(argv=sys.argv[:1])
