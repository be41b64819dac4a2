"""The shape of the generated tables, as IMCode.h declares them, and the
areas of double-byte GBK codes whose cells the character reading table
GBKPinyinIndex fills.

A code is written as four hex digits, lead byte first (B0A1 is lead B0,
trail A1); as a number it is lead << 8 | trail.
"""

from dataclasses import dataclass

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


def index_of(lead, trail):
    """Where the cell of code (LEAD, TRAIL) is in GBKPinyinIndex."""
    return (lead - LEAD_FIRST) * TRAIL_COUNT + (trail - TRAIL_FIRST)


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
# The areas whose readings come from Unihan, cell by cell.
EXTENSION_AREAS = (
    Area("GB2312 level 2", 0xD8A1, 0xF7FE),
    Area("GBK/3", 0x8140, 0xA0FE),
    Area("GBK/4", 0xAA40, 0xFEA0),
)


def extension_area_of(code):
    return next((area for area in EXTENSION_AREAS if code in area), None)
