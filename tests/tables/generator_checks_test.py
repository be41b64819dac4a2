#!/usr/bin/env python3
"""The table generator refuses faulty data with a message that names the
fault, instead of writing tables with a hole or a shifted slot in them.

Each case copies tools/data to a temporary folder, spoils one file and runs
the generator on the copy.

Usage: generator_checks_test.py PATH/TO/generate_tables.py
"""

import pathlib
import shutil
import subprocess
import sys
import tempfile
import unittest

GENERATOR = None  # set from the command line


class GeneratorRefusesFaultyData(unittest.TestCase):
    def setUp(self):
        self.work = pathlib.Path(tempfile.mkdtemp(prefix="generator-checks-"))
        self.data = self.work / "data"
        shutil.copytree(GENERATOR.parent / "data", self.data)

    def tearDown(self):
        shutil.rmtree(self.work)

    def run_generator(self):
        return subprocess.run(
            [sys.executable, str(GENERATOR), "--data-dir", str(self.data),
             "--output", str(self.work / "IMCodeTables.cpp")],
            capture_output=True, text=True,
        )

    def edit(self, name, old, new):
        path = self.data / name
        text = path.read_text(encoding="utf-8")
        self.assertIn(old, text, f"{name} has no {old!r} to spoil")
        path.write_text(text.replace(old, new, 1), encoding="utf-8")

    def assert_refused(self, *words):
        result = self.run_generator()
        self.assertEqual(result.returncode, 1, result.stderr)
        for word in words:
            self.assertIn(word, result.stderr)
        self.assertFalse((self.work / "IMCodeTables.cpp").exists(), "wrote tables anyway")

    def test_the_untouched_data_is_accepted(self):
        result = self.run_generator()
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_unknown_syllable(self):
        self.edit("level1_runs.txt", "\nB0A3 ai\n", "\nB0A3 aii\n")
        self.assert_refused("level1_runs.txt:", "unknown syllable 'aii'")

    def test_syllable_with_tone_or_capital(self):
        self.edit("syllables.txt", "\n2 ai\n", "\n2 Ai\n")
        self.assert_refused("syllables.txt:", "'Ai'")

    def test_duplicate_key(self):
        self.edit("level1_runs.txt", "\nB0A3 ai\n", "\nB0A3 ai\nB0A3 an\n")
        self.assert_refused("level1_runs.txt:", "duplicate key B0A3")

    def test_duplicate_syllable(self):
        self.edit("syllables.txt", "\n3 an\n", "\n3 ai\n")
        self.assert_refused("syllables.txt:", "'ai' already has slot 2")

    def test_unsorted_runs(self):
        self.edit("level1_runs.txt", "\nB0A3 ai\nB0B0 an\n", "\nB0B0 an\nB0A3 ai\n")
        self.assert_refused("level1_runs.txt:", "B0A3 does not follow")

    def test_row_not_starting_at_a1(self):
        self.edit("level1_runs.txt", "\nB1A1 bao\n", "\n")
        self.assert_refused("row B1 must start")

    def test_missing_slot(self):
        self.edit("syllables.txt", "\n405 nv\n", "\n")
        self.assert_refused("404 slots, expected 405")

    def test_slot_out_of_order(self):
        self.edit("syllables.txt", "\n394 none\n395 ei\n", "\n395 ei\n394 none\n")
        self.assert_refused("syllables.txt:", "slot '395' out of order")

    def test_symbol_slot_missing(self):
        self.edit("row2_numbers.txt", "\nA2FE none\n", "\n")
        self.assert_refused("row2_numbers.txt", "93 slots, expected 94")

    def test_symbol_reading_with_leading_zero(self):
        self.edit("row2_numbers.txt", "\nA2A1 1\n", "\nA2A1 01\n")
        self.assert_refused("row2_numbers.txt:", "'01'")

    def test_line_without_value(self):
        self.edit("greek_letters.txt", "\nA6A1 a", "\nA6A1")
        self.assert_refused("greek_letters.txt:", "expected KEY VALUE")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    GENERATOR = pathlib.Path(sys.argv.pop(1)).resolve()
    unittest.main(verbosity=1)
