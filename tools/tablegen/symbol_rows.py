"""row2_numbers.txt and greek_letters.txt: the readings of the symbol rows,
one entry per trail byte in order. Row A2 holds enumerated numbers (their
decimal digits); row A6 the Greek letters (their Latin letters), capitals
listed, small letters 0x20 further on sharing their readings."""

import re

from .data_files import NO_TEXT, DataError, parse_code, read_data

ROW2_NUMBERS_FILE = "row2_numbers.txt"
ROW2_LEAD = 0xA2
ROW2_TRAILS = range(0xA1, 0xFE + 1)  # 94 slots
ROW2_READING = re.compile(r"[1-9][0-9]?")

GREEK_LETTERS_FILE = "greek_letters.txt"
GREEK_LEAD = 0xA6
GREEK_CAPITAL_TRAILS = range(0xA1, 0xB8 + 1)  # 24 slots; small = capital + 0x20
GREEK_READING = re.compile(r"[a-z]{1,2}")


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


def read_row2_numbers(data_dir):
    return read_symbol_row(data_dir, ROW2_NUMBERS_FILE, ROW2_LEAD, ROW2_TRAILS, ROW2_READING)


def read_greek_letters(data_dir):
    return read_symbol_row(
        data_dir, GREEK_LETTERS_FILE, GREEK_LEAD, GREEK_CAPITAL_TRAILS, GREEK_READING
    )
