#!/usr/bin/env python3
"""The table generator refuses faulty data with a message that names the
fault, instead of writing tables with a hole or a shifted slot in them.

Each case copies tools/data to a temporary folder, spoils one file and runs
the generator on the copy.

Usage: generator_checks_test.py PATH/TO/generate_tables.py
"""

import bz2
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
        self.unihan_dir = None  # the generator's default, Debian's unicode-data

    def tearDown(self):
        shutil.rmtree(self.work)

    def run_generator(self):
        command = [sys.executable, str(GENERATOR), "--data-dir", str(self.data),
                   "--output", str(self.work / "IMCodeTables.cpp")]
        if self.unihan_dir:
            command += ["--unihan-dir", str(self.unihan_dir)]
        return subprocess.run(command, capture_output=True, text=True)

    def fake_unihan(self, version):
        """A Unihan folder of empty files whose headers name VERSION."""
        self.unihan_dir = self.work / "unihan"
        self.unihan_dir.mkdir()
        for name in ("Unihan_Readings.txt.bz2", "Unihan_Variants.txt.bz2"):
            with bz2.open(self.unihan_dir / name, "wt", encoding="utf-8") as stream:
                stream.write(f"#\n# {name[:-4]}\n# Unicode version: {version}\n#\n")

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

    def test_cell_left_without_reading(self):
        # The last row of GBK/4 holds no characters: unless the zero list
        # says so, its cells are holes, and all of them are named.
        self.edit("zero_cells.txt", "\nFE40-FEA0 none", "\n")
        self.assert_refused("have no reading", "FE40 FE41", "FEA0", "zero_cells.txt")

    def test_zero_cell_that_is_also_fixed(self):
        self.edit("zero_cells.txt", "\nD285 none\n", "\nD285 none\nD566 none\n")
        self.assert_refused("fixed_readings.txt:", "D566 is also listed in zero_cells.txt")

    def test_fixed_reading_that_is_no_syllable(self):
        self.edit("fixed_readings.txt", "\nD566 yue", "\nD566 yüe")
        self.assert_refused("fixed_readings.txt:", "unknown syllable")

    def test_fixed_reading_kept_out_of_these_areas(self):
        self.edit("fixed_readings.txt", "\nD566 yue", "\nD566 sen")
        self.assert_refused("fixed_readings.txt:", "'sen' is kept out")

    def test_fixed_cell_outside_the_areas(self):
        self.edit("fixed_readings.txt", "\nD566 yue", "\nB0A1 yue\nD566 yue")
        self.assert_refused("fixed_readings.txt:", "B0A1 lies outside")

    def test_zero_ranges_out_of_order(self):
        self.edit("zero_cells.txt", "\nF98F none\nFC51 none\n", "\nFC51 none\nF98F none\n")
        self.assert_refused("zero_cells.txt:", "F98F does not follow")

    def test_zero_range_across_rows(self):
        self.edit("zero_cells.txt", "\nFD9C-FDA0 none", "\nFD9C-FE40 none")
        self.assert_refused("zero_cells.txt:", "within one row")

    def test_other_unicode_version(self):
        self.fake_unihan("99.0.0")
        self.assert_refused("Unicode version 99.0.0, expected 15.0.0")

    def test_missing_unihan(self):
        self.unihan_dir = self.work / "nowhere"
        self.assert_refused("Unihan_Readings.txt.bz2", "unicode-data")

    def test_line_without_value(self):
        self.edit("greek_letters.txt", "\nA6A1 a", "\nA6A1")
        self.assert_refused("greek_letters.txt:", "expected KEY VALUE")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    GENERATOR = pathlib.Path(sys.argv.pop(1)).resolve()
    unittest.main(verbosity=1)
