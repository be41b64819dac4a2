"""The command line of tools/generate_tables.py: its options and defaults,
the one-line message and exit status 1 for faulty data, and writing the
file only once every table is built, so that a fault leaves no output."""

import argparse
import pathlib
import sys

from . import __doc__ as PACKAGE_DOC
from .cpp_source import render
from .data_files import DataError
from .summary import print_summary
from .tables import build_tables
from .unihan import DEFAULT_UNIHAN_DIR, UNIHAN_READINGS_FILE, UNIHAN_VARIANTS_FILE

TOOLS_DIR = pathlib.Path(__file__).resolve().parent.parent
DEFAULT_DATA_DIR = TOOLS_DIR / "data"
DEFAULT_OUTPUT = TOOLS_DIR.parent / "pinyin" / "IMCodeTables.cpp"
PROGRAM = "generate_tables.py"


def main(argv):
    parser = argparse.ArgumentParser(description=PACKAGE_DOC.split("\n\n")[0])
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
        print(f"{PROGRAM}: {error}", file=sys.stderr)
        return 1
    args.output.parent.mkdir(parents=True, exist_ok=True)
    args.output.write_text(render(tables), encoding="utf-8", newline="\n")
    print_summary(tables.index, tables.cells_by_rule, sys.stdout)
    return 0
