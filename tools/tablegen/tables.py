"""All tables of IMCodeTables.cpp, built from all inputs: the syllable list
first, since every reading is looked up in it, then the character reading
table (level 1 from its runs, the other areas by the extension rules), then
the symbol rows."""

import collections
from dataclasses import dataclass

from .data_files import read_data
from .extension_lists import FIXED_READINGS_FILE, ZERO_CELLS_FILE
from .extension_readings import fill_extensions, load_unihan
from .layout import INDEX_SIZE, LEAD_FIRST, LEAD_LAST, NO_TRAIL, index_of
from .level1 import LEVEL1_RUNS_FILE, fill_level1
from .symbol_rows import (
    GREEK_LETTERS_FILE,
    ROW2_NUMBERS_FILE,
    read_greek_letters,
    read_row2_numbers,
)
from .syllable_list import SYLLABLES_FILE, SyllableList

# Every file of tools/data/ the tables come from, in the order the banner of
# the generated file lists them.
DATA_FILES = (
    SYLLABLES_FILE, LEVEL1_RUNS_FILE, ZERO_CELLS_FILE, FIXED_READINGS_FILE,
    ROW2_NUMBERS_FILE, GREEK_LETTERS_FILE,
)


@dataclass
class Tables:
    syllables: SyllableList
    index: list
    row2_numbers: list
    greek_letters: list
    cells_by_rule: collections.Counter


def build_tables(data_dir, unihan_dir):
    """The tables made of the data files in DATA_DIR and the Unihan files in
    UNIHAN_DIR; raises DataError at the first fault of either."""
    syllables = SyllableList(read_data(data_dir, SYLLABLES_FILE))
    index = [0] * INDEX_SIZE
    fill_level1(index, syllables, read_data(data_dir, LEVEL1_RUNS_FILE))
    cells_by_rule = fill_extensions(index, syllables, data_dir, load_unihan(unihan_dir))
    for lead in range(LEAD_FIRST, LEAD_LAST + 1):
        assert index[index_of(lead, NO_TRAIL)] == 0
    row2 = read_row2_numbers(data_dir)
    greek = read_greek_letters(data_dir)
    return Tables(syllables, index, row2, greek, cells_by_rule)
