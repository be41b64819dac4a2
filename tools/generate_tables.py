#!/usr/bin/env python3
"""Writes pinyin/IMCodeTables.cpp, the constant tables of unit IMCode, from
the data files in tools/data/ and Unicode's Unihan database.

The work is done by the package tools/tablegen/, one module per job; its
__init__.py lists them. This file is only the command that runs it.

Usage: generate_tables.py [--output FILE] [--data-dir DIR] [--unihan-dir DIR]
(defaults: pinyin/IMCodeTables.cpp, tools/data, /usr/share/unicode)
"""

import sys

from tablegen.command_line import main

if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
