"""The one line format that every file in tools/data/ shares, and the fault
that reading any input raises.

A line is KEY VALUE separated by blanks; "#" to the end of the line is a
comment and blank lines are ignored. A fault names the file and line, so the
generator can stop at the first one with a message that says where it is.
"""

import re
from dataclasses import dataclass

# The VALUE of a slot or cell that has no reading.
NO_TEXT = "none"
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
    """Reads the data file NAME into its entries, in file order. A line that
    is no KEY VALUE pair, a duplicate KEY or a file without entries is an
    error."""
    path = data_dir / name
    entries = []
    seen = {}
    try:
        stream = open(path, encoding="utf-8")
    except OSError as error:
        raise DataError(f"{name}: {error.strerror}") from error
    with stream:
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
    """(lead, trail) of a double-byte code written as four upper-case hex
    digits, lead first: the entry's KEY, or TEXT taken from it."""
    text = entry.key if text is None else text
    if not CODE_PATTERN.fullmatch(text):
        entry.fail(f"{text!r} is no code of four upper-case hex digits")
    return int(text[:2], 16), int(text[2:], 16)
