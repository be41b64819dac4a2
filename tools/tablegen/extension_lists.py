"""zero_cells.txt and fixed_readings.txt: the cells of GB2312 level 2, GBK/3
and GBK/4 that do not take their reading from Unihan. The zero list names
cells that hold no reading; the fixed list gives a cell its syllable
outright. Both are keyed by codes of these areas, in ascending order."""

from .data_files import NO_TEXT, read_data, parse_code
from .layout import NO_TRAIL, extension_area_of

ZERO_CELLS_FILE = "zero_cells.txt"
FIXED_READINGS_FILE = "fixed_readings.txt"

# Syllables that no cell of level 2, GBK/3 or GBK/4 takes from Unihan. The
# first six belong to the few characters that fixed_readings.txt lists; the
# others stay out of these areas altogether (jv, qv and xv are no spelling of
# the list's at all: after j, q and x u-umlaut is written u).
RESERVED_FOR_FIXED_CELLS = ("ei", "m", "n", "dia", "cen", "nou")
KEPT_OUT_OF_EXTENSIONS = ("lia", "nen", "sen", "jv", "qv", "xv")


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
    """The set of codes whose cells hold no reading."""
    zero = set()
    for entry, codes in read_extension_cells(data_dir, ZERO_CELLS_FILE, allow_ranges=True):
        if entry.value != NO_TEXT:
            entry.fail(f"a cell of this file holds no reading: write {NO_TEXT}")
        zero.update(codes)
    return zero


def read_fixed_readings(data_dir, syllables, zero):
    """{code: syllable number} of the fixed cells; none of them may also be
    in the zero list ZERO, hold no reading or a syllable kept out."""
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
