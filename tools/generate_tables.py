#!/usr/bin/env python3
"""Writes pinyin/IMCodeTables.cpp, the constant tables of unit IMCode.

The tables are PinyinSyllables (the numbered syllable list), GBKPinyinIndex
(a syllable number for every double-byte GBK code), Row2Numbers and
GreekLetters (the readings of the symbol rows A2 and A6). They come from the
data files in tools/data/, which share one line format (see read_data), and,
for GB2312 level 2, GBK/3 and GBK/4, from Unicode's Unihan database as
Debian's package unicode-data installs it.

The generator checks its data as it reads it and stops with a message naming
the file and line at the first fault: an unknown syllable, a duplicate or
unsorted key, a wrong slot count, a cell left without a reading. The output
is a pure function of the inputs, so a regenerated file can be compared byte
for byte with the committed one. A short summary of how the cells were
decided goes to standard output.

Usage: generate_tables.py [--output FILE] [--data-dir DIR] [--unihan-dir DIR]
(defaults: pinyin/IMCodeTables.cpp, tools/data, /usr/share/unicode)
"""

import argparse
import bz2
import collections
import pathlib
import re
import sys
import unicodedata
from dataclasses import dataclass

TOOLS_DIR = pathlib.Path(__file__).resolve().parent
DEFAULT_DATA_DIR = TOOLS_DIR / "data"
REPO_DIR = TOOLS_DIR.parent
DEFAULT_OUTPUT = REPO_DIR / "pinyin" / "IMCodeTables.cpp"

SYLLABLES_FILE = "syllables.txt"
LEVEL1_RUNS_FILE = "level1_runs.txt"
ROW2_NUMBERS_FILE = "row2_numbers.txt"
GREEK_LETTERS_FILE = "greek_letters.txt"
ZERO_CELLS_FILE = "zero_cells.txt"
FIXED_READINGS_FILE = "fixed_readings.txt"
DATA_FILES = (
    SYLLABLES_FILE, LEVEL1_RUNS_FILE, ZERO_CELLS_FILE, FIXED_READINGS_FILE,
    ROW2_NUMBERS_FILE, GREEK_LETTERS_FILE,
)

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

# Syllables that no cell of level 2, GBK/3 or GBK/4 takes from Unihan. The
# first six belong to the few characters that fixed_readings.txt lists; the
# others stay out of these areas altogether (jv, qv and xv are no spelling of
# the list's at all: after j, q and x u-umlaut is written u).
RESERVED_FOR_FIXED_CELLS = ("ei", "m", "n", "dia", "cen", "nou")
KEPT_OUT_OF_EXTENSIONS = ("lia", "nen", "sen", "jv", "qv", "xv")

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
                entry.fail(
                    f"{text!r} is no syllable of 1 to {SYLLABLE_CAPACITY} lower-case letters"
                )
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


# ---------------------------------------------------------------------------
# GB2312 level 2, GBK/3 and GBK/4: readings from Unihan, cell by cell.

# Unihan as Debian's package unicode-data installs it. The version is checked
# against the files' own headers, so that newer data is a clear stop rather
# than a flood of changed cells; after updating it, regenerate and review.
DEFAULT_UNIHAN_DIR = pathlib.Path("/usr/share/unicode")
UNIHAN_VERSION = "15.0.0"
UNIHAN_READINGS_FILE = "Unihan_Readings.txt.bz2"
UNIHAN_VARIANTS_FILE = "Unihan_Variants.txt.bz2"
UNIHAN_VERSION_PATTERN = re.compile(r"# Unicode version: (\S+)")

# The Mandarin readings of a character, most customary first. The first one
# that is a syllable of the list and allowed in these areas is taken.
READING_FIELDS = ("kMandarin", "kHanyuPinlu", "kXHC1983", "kTGHZ2013", "kHanyuPinyin")
# A character none of whose readings qualifies takes the first qualifying
# reading of its variants, taken in this order.
VARIANT_FIELDS = (
    "kTraditionalVariant", "kSimplifiedVariant", "kSemanticVariant", "kZVariant",
    "kSpecializedSemanticVariant",
)

# GBK code to Unicode. Python's cp936 codec agrees with glibc iconv's CP936 on
# every code of these areas.
GBK_CODEC = "cp936"

# Combining tone marks of pinyin: macron, acute, caron, grave (tones 1 to 4).
TONE_MARKS = frozenset("\u0304\u0301\u030c\u0300")


@dataclass(frozen=True)
class Area:
    """The rows from FIRST's lead byte to LAST's and, in each, the trail bytes
    from FIRST's to LAST's, without trail byte 7F."""

    name: str
    first: int
    last: int

    def codes(self):
        for lead in range(self.first >> 8, (self.last >> 8) + 1):
            for trail in range((self.first & 0xFF), (self.last & 0xFF) + 1):
                if trail != NO_TRAIL:
                    yield lead << 8 | trail

    def __contains__(self, code):
        lead, trail = code >> 8, code & 0xFF
        return (
            (self.first >> 8) <= lead <= (self.last >> 8)
            and (self.first & 0xFF) <= trail <= (self.last & 0xFF)
            and trail != NO_TRAIL
        )


LEVEL1_AREA = Area("GB2312 level 1", 0xB0A1, 0xD7FE)
EXTENSION_AREAS = (
    Area("GB2312 level 2", 0xD8A1, 0xF7FE),
    Area("GBK/3", 0x8140, 0xA0FE),
    Area("GBK/4", 0xAA40, 0xFEA0),
)


def extension_area_of(code):
    return next((area for area in EXTENSION_AREAS if code in area), None)


def read_extension_cells(data_dir, name, allow_ranges):
    """The entries of a file keyed by codes of these areas, each with the
    codes it names: one code, or with ALLOW_RANGES a range FIRST-LAST through
    consecutive trail bytes of one row. KEYs must ascend without overlap."""
    result = []
    previous = None
    for entry in read_data(data_dir, name):
        first_text, _, last_text = entry.key.partition("-")
        if last_text and not allow_ranges:
            entry.fail(f"{entry.key} is a range; this file takes single codes")
        first = parse_code(entry, first_text)
        last = parse_code(entry, last_text) if last_text else first
        if first[0] != last[0] or first > last:
            entry.fail(f"range {entry.key} must run forward within one row")
        codes = [
            first[0] << 8 | trail
            for trail in range(first[1], last[1] + 1)
            if trail != NO_TRAIL
        ]
        for code in codes:
            if extension_area_of(code) is None:
                entry.fail(f"{code:04X} lies outside level 2, GBK/3 and GBK/4")
        if previous is not None and codes[0] <= previous:
            entry.fail(f"{entry.key} does not follow the key before it")
        previous = codes[-1]
        result.append((entry, codes))
    return result


def read_zero_cells(data_dir):
    zero = set()
    for entry, codes in read_extension_cells(data_dir, ZERO_CELLS_FILE, allow_ranges=True):
        if entry.value != NO_TEXT:
            entry.fail(f"a cell of this file holds no reading: write {NO_TEXT}")
        zero.update(codes)
    return zero


def read_fixed_readings(data_dir, syllables, zero):
    fixed = {}
    for entry, (code,) in read_extension_cells(data_dir, FIXED_READINGS_FILE, allow_ranges=False):
        if code in zero:
            entry.fail(f"{entry.key} is also listed in {ZERO_CELLS_FILE}")
        if entry.value in KEPT_OUT_OF_EXTENSIONS:
            entry.fail(f"{entry.value!r} is kept out of level 2, GBK/3 and GBK/4")
        number = syllables.number(entry, entry.value)
        if number == 0:
            entry.fail(f"a cell without reading belongs in {ZERO_CELLS_FILE}")
        fixed[code] = number
    return fixed


class Unihan:
    """The readings and variants of every character that Unihan knows."""

    def __init__(self, directory):
        self.readings = self._load(directory / UNIHAN_READINGS_FILE, READING_FIELDS)
        self.variants = self._load(directory / UNIHAN_VARIANTS_FILE, VARIANT_FIELDS)

    @staticmethod
    def _load(path, fields):
        """{code point: {field: value}} for the wanted fields of one file,
        whose header must name UNIHAN_VERSION."""
        wanted = set(fields)
        properties = collections.defaultdict(dict)
        version = None
        try:
            stream = bz2.open(path, "rt", encoding="utf-8")
        except OSError as error:
            raise DataError(f"{path}: {error.strerror} (Debian package unicode-data)") from error
        with stream:
            for line in stream:
                if line.startswith("#"):
                    match = UNIHAN_VERSION_PATTERN.match(line)
                    version = match[1] if match else version
                    continue
                fields_of_line = line.rstrip("\n").split("\t")
                if len(fields_of_line) == 3 and fields_of_line[1] in wanted:
                    code_point, name, value = fields_of_line
                    properties[int(code_point[2:], 16)][name] = value
        if version != UNIHAN_VERSION:
            raise DataError(
                f"{path}: Unicode version {version}, expected {UNIHAN_VERSION}; "
                "update UNIHAN_VERSION, regenerate and review the changed cells"
            )
        return properties

    def readings_of(self, code_point):
        """(field, reading) in READING_FIELDS order, each field's readings in
        its own order. The fields write readings as "hǎo hào" (kMandarin),
        "hǎo(1234)" (kHanyuPinlu) or "location:hǎo,hào" (the dictionaries)."""
        properties = self.readings.get(code_point, {})
        for name in READING_FIELDS:
            for item in properties.get(name, "").split():
                item = item.rpartition(":")[2].partition("(")[0]
                for reading in item.split(","):
                    yield name, reading

    def variants_of(self, code_point):
        """Variant code points in VARIANT_FIELDS order ("U+4E0E<kMatthews")."""
        properties = self.variants.get(code_point, {})
        for name in VARIANT_FIELDS:
            for item in properties.get(name, "").split():
                yield int(item.partition("<")[0][2:], 16)


def toneless(reading):
    """A Unihan reading spelled as the syllable list spells it: without tone,
    u-umlaut written v in lv and nv and u everywhere else (lue, nue, ju, xu,
    yu ...). Other marks (e-circumflex) stay, so such a reading matches no
    syllable."""
    letters = "".join(c for c in unicodedata.normalize("NFD", reading) if c not in TONE_MARKS)
    letters = unicodedata.normalize("NFC", letters)
    if letters in ("lü", "nü"):
        return letters[0] + "v"
    return letters.replace("ü", "u")


def fill_extensions(index, syllables, data_dir, unihan):
    """Gives every cell of these areas its reading: 0 for the zero list, the
    fixed reading where there is one, else the first allowed reading of the
    character, else of its variants. A cell left without stops the run.
    Returns how many cells each rule decided."""
    zero = read_zero_cells(data_dir)
    fixed = read_fixed_readings(data_dir, syllables, zero)
    excluded = set(RESERVED_FOR_FIXED_CELLS) | set(KEPT_OUT_OF_EXTENSIONS)
    allowed = {text: number for text, number in syllables.numbers.items() if text not in excluded}

    def first_allowed(code_point):
        for name, reading in unihan.readings_of(code_point):
            number = allowed.get(toneless(reading))
            if number:
                return name, number
        return None

    def from_unihan(code):
        """(rule, number) of the character's own or its variants' first
        allowed reading; None for a code without character or reading."""
        try:
            code_point = ord(bytes([code >> 8, code & 0xFF]).decode(GBK_CODEC))
        except UnicodeDecodeError:
            return None
        found = first_allowed(code_point)
        if found:
            return found
        for variant in unihan.variants_of(code_point):
            found = first_allowed(variant)
            if found:
                return "variant's " + found[0], found[1]
        return None

    by_rule = collections.Counter()
    without_reading = []
    for area in EXTENSION_AREAS:
        for code in area.codes():
            if code in zero:
                rule, number = "zero list", 0
            elif code in fixed:
                rule, number = "fixed reading", fixed[code]
            else:
                rule, number = from_unihan(code) or ("no reading", 0)
            if rule == "no reading":
                without_reading.append(f"{code:04X}")
            by_rule[rule] += 1
            index[index_of(code >> 8, code & 0xFF)] = number
    if without_reading:
        raise DataError(
            f"{len(without_reading)} cells of level 2, GBK/3 and GBK/4 have no reading; "
            f"give them one in {FIXED_READINGS_FILE} or list them in {ZERO_CELLS_FILE}: "
            + " ".join(without_reading)
        )
    return by_rule


def print_summary(index, by_rule, out):
    """How many cells each rule decided, and what each area holds."""
    print(f"Level 2, GBK/3 and GBK/4 from Unihan {UNIHAN_VERSION}, cells by rule:", file=out)
    rules = ["zero list", "fixed reading", *READING_FIELDS]
    rules += ["variant's " + name for name in READING_FIELDS]
    for rule in rules:
        if by_rule[rule]:
            print(f"  {rule:<26}{by_rule[rule]:6}", file=out)
    print(f"  {'area':<18}{'cells':>7}{'reading':>9}{'zero':>6}{'syllables':>11}", file=out)
    areas = [
        (area.name, [index[index_of(code >> 8, code & 0xFF)] for code in area.codes()])
        for area in (LEVEL1_AREA, *EXTENSION_AREAS)
    ]
    for name, numbers in areas + [("whole table", index)]:
        with_reading = [number for number in numbers if number]
        print(
            f"  {name:<18}{len(numbers):7}{len(with_reading):9}"
            f"{len(numbers) - len(with_reading):6}{len(set(with_reading)):11}",
            file=out,
        )


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
    syllables: SyllableList
    index: list
    row2_numbers: list
    greek_letters: list
    cells_by_rule: collections.Counter


def build_tables(data_dir, unihan_dir):
    syllables = SyllableList(read_data(data_dir, SYLLABLES_FILE))
    index = [0] * INDEX_SIZE
    fill_level1(index, syllables, read_data(data_dir, LEVEL1_RUNS_FILE))
    summary = fill_extensions(index, syllables, data_dir, Unihan(unihan_dir))
    for lead in range(LEAD_FIRST, LEAD_LAST + 1):
        assert index[index_of(lead, NO_TRAIL)] == 0
    row2 = read_symbol_row(
        data_dir, ROW2_NUMBERS_FILE, ROW2_LEAD, ROW2_TRAILS, re.compile(r"[1-9][0-9]?")
    )
    greek = read_symbol_row(
        data_dir, GREEK_LETTERS_FILE, GREEK_LEAD, GREEK_CAPITAL_TRAILS, re.compile(r"[a-z]{1,2}")
    )
    return Tables(syllables, index, row2, greek, summary)


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
        literals = ", ".join(slot_literal(text, capacity) for text in chunk)
        out.append(f"    /* {first + 1:3} */ {literals},")
    out.append("};")
    out.append("")


def render(tables):
    out = [
        "// Generated by tools/generate_tables.py from",
        *(f"//   tools/data/{name}" for name in DATA_FILES),
        f"//   {UNIHAN_READINGS_FILE.removesuffix('.bz2')} and"
        f" {UNIHAN_VARIANTS_FILE.removesuffix('.bz2')} of Unicode {UNIHAN_VERSION}",
        "//     (Debian package unicode-data)",
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
    write_slots(
        out, "PinyinSyllables", "TSyllableSlot", "SyllableSlotCount", SYLLABLE_CAPACITY,
        tables.syllables.slots, 8,
    )
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
    write_slots(
        out, "Row2Numbers", "TSymbolSlot", "Row2NumberCount", SYMBOL_CAPACITY,
        tables.row2_numbers, 10,
    )
    out.append("// Capital A6t at index t - 0xA1, small A6t at index t - 0xC1.")
    write_slots(
        out, "GreekLetters", "TSymbolSlot", "GreekLetterCount", SYMBOL_CAPACITY,
        tables.greek_letters, 8,
    )
    out.append("}  // namespace IMCode")
    return "\n".join(out) + "\n"


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--output", type=pathlib.Path, default=DEFAULT_OUTPUT)
    parser.add_argument(
        "--data-dir", type=pathlib.Path, default=DEFAULT_DATA_DIR,
        help="where the data files are (default: tools/data)",
    )
    parser.add_argument(
        "--unihan-dir", type=pathlib.Path, default=DEFAULT_UNIHAN_DIR,
        help=f"where {UNIHAN_READINGS_FILE} and {UNIHAN_VARIANTS_FILE} are"
        f" (default: {DEFAULT_UNIHAN_DIR})",
    )
    args = parser.parse_args(argv)
    try:
        tables = build_tables(args.data_dir, args.unihan_dir)
    except DataError as error:
        print(f"generate_tables.py: {error}", file=sys.stderr)
        return 1
    args.output.parent.mkdir(parents=True, exist_ok=True)
    args.output.write_text(render(tables), encoding="utf-8", newline="\n")
    print_summary(tables.index, tables.cells_by_rule, sys.stdout)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
