"""syllables.txt: the numbered slots of PinyinSyllables, and the lookup of a
reading's slot number that every other table's data goes through, so that
an unknown syllable anywhere is a fault."""

import re

from .data_files import NO_TEXT, DataError
from .layout import SYLLABLE_CAPACITY, SYLLABLE_SLOT_COUNT

SYLLABLES_FILE = "syllables.txt"
SYLLABLE_PATTERN = re.compile(r"[a-z]{1,%d}" % SYLLABLE_CAPACITY)


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
