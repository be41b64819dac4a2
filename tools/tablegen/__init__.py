"""Writes pinyin/IMCodeTables.cpp, the constant tables of unit IMCode.

The tables are PinyinSyllables (the numbered syllable list), GBKPinyinIndex
(a syllable number for every double-byte GBK code), Row2Numbers and
GreekLetters (the readings of the symbol rows A2 and A6). They come from the
data files in tools/data/, which share one line format (data_files), and,
for GB2312 level 2, GBK/3 and GBK/4, from Unicode's Unihan database as
Debian's package unicode-data installs it.

The generator checks its data as it reads it and stops with a message naming
the file and line at the first fault. The output is a pure function of the
inputs, so a regenerated file can be compared byte for byte with the
committed one.

Modules, in the order the data flows through them:
  layout              the shape of the tables and the areas of GBK codes
  data_files          the one line format of tools/data/ and its faults
  syllable_list       syllables.txt: the numbered syllable slots
  level1              level1_runs.txt: GB2312 level 1, run by run
  extension_lists     zero_cells.txt and fixed_readings.txt
  unihan              the Unihan files: readings and variants per character
  extension_readings  the rules that give level 2, GBK/3 and GBK/4 readings
  symbol_rows         row2_numbers.txt and greek_letters.txt
  tables              all tables built from all inputs
  cpp_source          the text of IMCodeTables.cpp
  summary             the report of how the cells were decided
  command_line        options, error message, exit status

tools/generate_tables.py is the command that runs it.
"""
