"""The rules that give every cell of GB2312 level 2, GBK/3 and GBK/4 its
reading, in this order: 0 for a cell of the zero list, the fixed reading
where there is one, else the first allowed reading of the character in
Unihan, else the first allowed reading of its variants. A cell that no rule
decides stops the run.

The order of Unihan's fields is data (READING_FIELDS, VARIANT_FIELDS), and
the summary names each rule by the field that decided it.
"""

import collections
import unicodedata

from .data_files import DataError
from .extension_lists import (
    FIXED_READINGS_FILE,
    KEPT_OUT_OF_EXTENSIONS,
    RESERVED_FOR_FIXED_CELLS,
    ZERO_CELLS_FILE,
    read_fixed_readings,
    read_zero_cells,
)
from .layout import EXTENSION_AREAS, index_of
from .unihan import Unihan

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


def load_unihan(directory):
    """Unihan with the fields these rules read, in the order they try them."""
    return Unihan(directory, READING_FIELDS, VARIANT_FIELDS)


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
    """Gives every cell of these areas its reading by the rules above.
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


def rule_names():
    """Every rule that can decide a cell, in the order the summary lists them."""
    return [
        "zero list",
        "fixed reading",
        *READING_FIELDS,
        *("variant's " + name for name in READING_FIELDS),
    ]
