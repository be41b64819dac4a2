"""The short report that the generator prints after writing the tables: how
many cells of level 2, GBK/3 and GBK/4 each rule decided, and how many cells
of each area hold a reading. It is for the person who updates the data or
Unihan, to see at a glance what moved."""

from .extension_readings import rule_names
from .layout import EXTENSION_AREAS, LEVEL1_AREA, index_of
from .unihan import UNIHAN_VERSION


def print_summary(index, by_rule, out):
    """How many cells each rule decided, and what each area holds."""
    print(f"Level 2, GBK/3 and GBK/4 from Unihan {UNIHAN_VERSION}, cells by rule:", file=out)
    for rule in rule_names():
        if by_rule[rule]:
            print(f"  {rule:<26}{by_rule[rule]:6}", file=out)
    print(f"  {'area':<18}{'cells':>7}{'reading':>9}{'zero':>6}{'syllables':>11}", file=out)
    areas = [
        (area.name, [index[index_of(code >> 8, code & 0xFF)] for code in area.codes()])
        for area in (LEVEL1_AREA, *EXTENSION_AREAS)
    ]
    for name, numbers in areas + [("whole table", index)]:
        with_reading = [number for number in numbers if number]
        print(
            f"  {name:<18}{len(numbers):7}{len(with_reading):9}"
            f"{len(numbers) - len(with_reading):6}{len(set(with_reading)):11}",
            file=out,
        )
