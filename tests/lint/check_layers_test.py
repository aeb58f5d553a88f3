#!/usr/bin/env python3
"""Cases for scripts/lint/check-layers' include cycles: the script is run on
small scratch source trees of its own.
    check_layers_test.py [CHECK_LAYERS]"""
import pathlib
import shutil
import subprocess
import sys
import tempfile
import unittest

SCRIPT = pathlib.Path(sys.argv.pop(1) if len(sys.argv) > 1 else
                      pathlib.Path(__file__).resolve().parents[2] / "scripts/lint/check-layers")


def check(files):
    """Runs the check on a tree of FILES (path under src/ -> the names it
    includes); returns its exit status and its lines."""
    with tempfile.TemporaryDirectory() as root:
        root = pathlib.Path(root)
        (root / "scripts/lint").mkdir(parents=True)
        shutil.copy(SCRIPT, root / "scripts/lint/check-layers")
        for name, includes in files.items():
            path = root / "src" / name
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text("".join(f'#include "{include}"\n' for include in includes), encoding="utf-8")
        done = subprocess.run([sys.executable, root / "scripts/lint/check-layers"],
                              capture_output=True, text=True, check=False)
        return done.returncode, done.stdout.splitlines()


class IncludeCycles(unittest.TestCase):
    def assert_cycle(self, files, line):
        status, lines = check(files)
        self.assertEqual(status, 1)
        self.assertEqual(lines, [line])

    def test_two_modules_through_their_sources(self):
        self.assert_cycle({
            "core/spec/a.h": [], "core/spec/a.cpp": ["core/spec/a.h", "core/spec/b.h"],
            "core/spec/b.h": [], "core/spec/b.cpp": ["core/spec/b.h", "core/spec/a.h"],
        }, "core/spec: a -> b -> a include each other (a.cpp includes b.h; b.cpp includes a.h)")

    def test_a_chain_of_headers_is_reported_once(self):
        self.assert_cycle({
            "core/procgen/a.h": ["core/procgen/b.h"],
            "core/procgen/b.h": ["core/procgen/c.h"],
            "core/procgen/c.h": [], "core/procgen/c.cpp": ["core/procgen/c.h", "core/procgen/a.h"],
        }, "core/procgen: a -> b -> c -> a include each other "
           "(a.h includes b.h; b.h includes c.h; c.cpp includes a.h)")

    def test_sources_without_a_header_of_their_own_name(self):
        # A platform source is its header's; a source of no header's name
        # is that of the first header of its folder it includes.
        self.assert_cycle({
            "core/base/a.h": [], "core/base/a_win32.cpp": ["core/base/a.h", "core/base/b.h"],
            "core/base/b.h": [], "core/base/b.cpp": ["core/base/a.h"],
        }, "core/base: a -> b -> a include each other (a_win32.cpp includes b.h; b.cpp includes a.h)")
        self.assert_cycle({
            "core/spec/samples.h": [], "core/spec/sample_data.cpp": ["core/spec/samples.h", "core/spec/x.h"],
            "core/spec/x.h": [], "core/spec/x.cpp": ["core/spec/samples.h"],
        }, "core/spec: samples -> x -> samples include each other "
           "(sample_data.cpp includes x.h; x.cpp includes samples.h)")

    def test_no_cycle(self):
        # One way only, a header and its source, and a namesake in a lower
        # layer: none of them is a cycle.
        status, lines = check({
            "core/base/a.h": [], "core/base/a.cpp": ["core/base/a.h", "core/base/b.h"],
            "core/base/b.h": [], "core/base/b.cpp": ["core/base/b.h"],
            "core/spec/b.h": ["core/spec/a.h"], "core/spec/b.cpp": ["core/spec/b.h", "core/base/a.h"],
            "core/spec/a.h": [], "core/spec/a.cpp": ["core/spec/a.h", "core/base/b.h"],
        })
        self.assertEqual((status, lines), (0, []))


if __name__ == "__main__":
    unittest.main()
