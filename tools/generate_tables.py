#!/usr/bin/env python3
"""Writes pinyin/IMCodeTables.cpp, the constant tables of unit IMCode.

The tables are PinyinSyllables (the numbered syllable list), GBKPinyinIndex
(a syllable number for every double-byte GBK code), Row2Numbers and
GreekLetters (the readings of the symbol rows A2 and A6). They come from the
data files in tools/data/, which share one line format (see read_data).

The generator checks its data as it reads it and stops with a message naming
the file and line at the first fault: an unknown syllable, a duplicate or
unsorted key, a wrong slot count. The output is a pure function of the
inputs, so a regenerated file can be compared byte for byte with the
committed one.

Usage: generate_tables.py [--output FILE] [--data-dir DIR]
(defaults: pinyin/IMCodeTables.cpp, tools/data)
"""

import argparse
import pathlib
import re
import sys
from dataclasses import dataclass

TOOLS_DIR = pathlib.Path(__file__).resolve().parent
DEFAULT_DATA_DIR = TOOLS_DIR / "data"
REPO_DIR = TOOLS_DIR.parent
DEFAULT_OUTPUT = REPO_DIR / "pinyin" / "IMCodeTables.cpp"

SYLLABLES_FILE = "syllables.txt"
LEVEL1_RUNS_FILE = "level1_runs.txt"
ROW2_NUMBERS_FILE = "row2_numbers.txt"
GREEK_LETTERS_FILE = "greek_letters.txt"

# The shape of the tables, as IMCode.h declares them.
SYLLABLE_SLOT_COUNT = 405
SYLLABLE_CAPACITY = 6
SYMBOL_CAPACITY = 2
LEAD_FIRST, LEAD_LAST = 0x81, 0xFE
TRAIL_FIRST, TRAIL_LAST = 0x40, 0xFE
TRAIL_COUNT = TRAIL_LAST - TRAIL_FIRST + 1  # 191, trail 0x7F included
INDEX_SIZE = (LEAD_LAST - LEAD_FIRST + 1) * TRAIL_COUNT  # 24,066
NO_TRAIL = 0x7F  # never a GBK trail byte: its cells always hold 0

# GB2312 level 1: rows B0..D7, trail bytes A1..FE.
LEVEL1_ROWS = range(0xB0, 0xD7 + 1)
GB2312_TRAILS = range(0xA1, 0xFE + 1)

ROW2_LEAD = 0xA2
ROW2_TRAILS = range(0xA1, 0xFE + 1)  # 94 slots
GREEK_LEAD = 0xA6
GREEK_CAPITAL_TRAILS = range(0xA1, 0xB8 + 1)  # 24 slots; small = capital + 0x20

NO_TEXT = "none"
SYLLABLE_PATTERN = re.compile(r"[a-z]{1,%d}" % SYLLABLE_CAPACITY)
CODE_PATTERN = re.compile(r"[0-9A-F]{4}")


class DataError(Exception):
    """A fault in the input data; the message names where it is."""


@dataclass(frozen=True)
class Entry:
    """One KEY VALUE line of a data file."""

    file: str
    line: int
    key: str
    value: str

    def where(self):
        return f"{self.file}:{self.line}"

    def fail(self, message):
        raise DataError(f"{self.where()}: {message}")


def read_data(data_dir, name):
    """Reads the data file NAME. Every data file has the same line format:
    KEY VALUE separated by blanks, "#" to the end of the line is a comment,
    blank lines are ignored. A duplicate KEY is an error."""
    path = data_dir / name
    entries = []
    seen = {}
    with open(path, encoding="utf-8") as stream:
        for number, text in enumerate(stream, start=1):
            fields = text.split("#", 1)[0].split()
            if not fields:
                continue
            entry = Entry(name, number, *fields) if len(fields) == 2 else None
            if entry is None:
                raise DataError(f"{name}:{number}: expected KEY VALUE, got {text.strip()!r}")
            if entry.key in seen:
                entry.fail(f"duplicate key {entry.key} (first at line {seen[entry.key]})")
            seen[entry.key] = number
            entries.append(entry)
    if not entries:
        raise DataError(f"{name}: no entries")
    return entries


def parse_code(entry, text=None):
    """A double-byte code written as four upper-case hex digits, lead first."""
    text = entry.key if text is None else text
    if not CODE_PATTERN.fullmatch(text):
        entry.fail(f"{text!r} is no code of four upper-case hex digits")
    return int(text[:2], 16), int(text[2:], 16)


def index_of(lead, trail):
    return (lead - LEAD_FIRST) * TRAIL_COUNT + (trail - TRAIL_FIRST)


class SyllableList:
    """The numbered slots of PinyinSyllables; slot k holds text or ""."""

    def __init__(self, entries):
        self.slots = []
        self.numbers = {}
        for expected, entry in enumerate(entries, start=1):
            if entry.key != str(expected):
                entry.fail(f"slot {entry.key!r} out of order, expected {expected}")
            text = "" if entry.value == NO_TEXT else entry.value
            if text and not SYLLABLE_PATTERN.fullmatch(text):
                entry.fail(f"{text!r} is no syllable of 1 to {SYLLABLE_CAPACITY} lower-case letters")
            if text in self.numbers:
                entry.fail(f"syllable {text!r} already has slot {self.numbers[text]}")
            if text:
                self.numbers[text] = expected
            self.slots.append(text)
        if len(self.slots) != SYLLABLE_SLOT_COUNT:
            raise DataError(
                f"{SYLLABLES_FILE}: {len(self.slots)} slots, expected {SYLLABLE_SLOT_COUNT}"
            )

    def number(self, entry, text):
        """The slot number of a reading; 0 for none; unknown text is an error."""
        if text == NO_TEXT:
            return 0
        if text not in self.numbers:
            entry.fail(f"unknown syllable {text!r}")
        return self.numbers[text]


def fill_level1(index, syllables, entries):
    """Expands the runs of level 1 into its cells. Each row must start a run
    at trail A1 and its keys must ascend; a run ends where the next begins."""
    runs_by_row = {}
    previous = None
    for entry in entries:
        lead, trail = parse_code(entry)
        if lead not in LEVEL1_ROWS or trail not in GB2312_TRAILS:
            entry.fail(f"{entry.key} lies outside level 1 (B0A1-D7FE)")
        if previous is not None and (lead, trail) <= previous:
            entry.fail(f"run {entry.key} does not follow the run before it")
        if lead not in runs_by_row and trail != GB2312_TRAILS[0]:
            entry.fail(f"row {lead:02X} must start with a run at trail A1")
        previous = (lead, trail)
        runs_by_row.setdefault(lead, []).append((trail, syllables.number(entry, entry.value)))
    missing = [f"{lead:02X}" for lead in LEVEL1_ROWS if lead not in runs_by_row]
    if missing:
        raise DataError(f"{LEVEL1_RUNS_FILE}: rows without runs: {' '.join(missing)}")
    for lead, runs in runs_by_row.items():
        ends = [trail for trail, _ in runs[1:]] + [GB2312_TRAILS[-1] + 1]
        for (first, number), end in zip(runs, ends):
            for trail in range(first, end):
                index[index_of(lead, trail)] = number


def read_symbol_row(data_dir, name, lead, trails, pattern):
    """A symbol-row table: one entry per trail byte, in order, each reading
    matching PATTERN or none."""
    entries = read_data(data_dir, name)
    if len(entries) != len(trails):
        raise DataError(f"{name}: {len(entries)} slots, expected {len(trails)}")
    slots = []
    for entry, trail in zip(entries, trails):
        if parse_code(entry) != (lead, trail):
            entry.fail(f"expected code {lead:02X}{trail:02X}, got {entry.key}")
        text = "" if entry.value == NO_TEXT else entry.value
        if text and not pattern.fullmatch(text):
            entry.fail(f"{text!r} is no reading of this table")
        slots.append(text)
    return slots


@dataclass
class Tables:
    syllables: list
    index: list
    row2_numbers: list
    greek_letters: list
    inputs: list


def build_tables(data_dir):
    syllables = SyllableList(read_data(data_dir, SYLLABLES_FILE))
    index = [0] * INDEX_SIZE
    fill_level1(index, syllables, read_data(data_dir, LEVEL1_RUNS_FILE))
    for lead in range(LEAD_FIRST, LEAD_LAST + 1):
        assert index[index_of(lead, NO_TRAIL)] == 0
    row2 = read_symbol_row(data_dir, ROW2_NUMBERS_FILE, ROW2_LEAD, ROW2_TRAILS, re.compile(r"[1-9][0-9]?"))
    greek = read_symbol_row(
        data_dir, GREEK_LETTERS_FILE, GREEK_LEAD, GREEK_CAPITAL_TRAILS, re.compile(r"[a-z]{1,2}")
    )
    inputs = [
        f"tools/data/{name}"
        for name in (SYLLABLES_FILE, LEVEL1_RUNS_FILE, ROW2_NUMBERS_FILE, GREEK_LETTERS_FILE)
    ]
    return Tables(syllables.slots, index, row2, greek, inputs)


def slot_literal(text, capacity):
    """A TLengthPrefixed initialiser. A text shorter than the slot is a string
    literal; a full slot (chuang, "10") lists its characters one by one, since
    it has no room for the terminating zero of a literal."""
    if len(text) < capacity:
        return '{%d, "%s"}' % (len(text), text)
    return "{%d, {%s}}" % (len(text), ",".join(f"'{c}'" for c in text))


def write_slots(out, name, type_name, count_name, capacity, slots, per_line):
    out.append(f"const {type_name} {name}[{count_name}] = {{")
    for first in range(0, len(slots), per_line):
        chunk = slots[first : first + per_line]
        out.append(f"    /* {first + 1:3} */ " + ", ".join(slot_literal(s, capacity) for s in chunk) + ",")
    out.append("};")
    out.append("")


def render(tables):
    out = [
        "// Generated by tools/generate_tables.py from",
        *(f"//   {name}" for name in tables.inputs),
        "// Do not edit: change the data or the generator and run it again.",
        "//",
        "// The constant tables of unit IMCode, as IMCode.h declares them.",
        "",
        '#include "IMCode.h"',
        "",
        "namespace IMCode {",
        "",
        "// Slot k (1..405) at index k - 1; the comment gives the first slot of a line.",
    ]
    write_slots(out, "PinyinSyllables", "TSyllableSlot", "SyllableSlotCount", SYLLABLE_CAPACITY, tables.syllables, 8)
    out.append("// Row by row (lead 81..FE), 191 cells each (trail 40..FE); the comment")
    out.append("// gives the code of the first cell of a line.")
    out.append("const std::uint16_t GBKPinyinIndex[GBKIndexSize] = {")
    for lead in range(LEAD_FIRST, LEAD_LAST + 1):
        for first in range(TRAIL_FIRST, TRAIL_LAST + 1, 16):
            trails = range(first, min(first + 16, TRAIL_LAST + 1))
            cells = ", ".join(f"{tables.index[index_of(lead, t)]:3}" for t in trails)
            out.append(f"    /* {lead:02X}{first:02X} */ {cells},")
    out.append("};")
    out.append("")
    out.append("// Code A2t at index t - 0xA1.")
    write_slots(out, "Row2Numbers", "TSymbolSlot", "Row2NumberCount", SYMBOL_CAPACITY, tables.row2_numbers, 10)
    out.append("// Capital A6t at index t - 0xA1, small A6t at index t - 0xC1.")
    write_slots(out, "GreekLetters", "TSymbolSlot", "GreekLetterCount", SYMBOL_CAPACITY, tables.greek_letters, 8)
    out.append("}  // namespace IMCode")
    return "\n".join(out) + "\n"


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--output", type=pathlib.Path, default=DEFAULT_OUTPUT)
    parser.add_argument(
        "--data-dir", type=pathlib.Path, default=DEFAULT_DATA_DIR,
        help="where the data files are (default: tools/data)",
    )
    args = parser.parse_args(argv)
    try:
        tables = build_tables(args.data_dir)
    except DataError as error:
        print(f"generate_tables.py: {error}", file=sys.stderr)
        return 1
    args.output.parent.mkdir(parents=True, exist_ok=True)
    args.output.write_text(render(tables), encoding="utf-8", newline="\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
