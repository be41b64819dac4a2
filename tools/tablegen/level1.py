"""level1_runs.txt: the readings of GB2312 level 1, written as runs of
consecutive cells of one row that share a syllable, expanded here into the
cells of GBKPinyinIndex."""

from .data_files import DataError, parse_code
from .layout import GB2312_TRAILS, LEVEL1_ROWS, index_of

LEVEL1_RUNS_FILE = "level1_runs.txt"


def fill_level1(index, syllables, entries):
    """Expands the runs of level 1 into its cells. Each row must start a run
    at trail A1 and its keys must ascend; a run ends where the next begins."""
    runs_by_row = {}
    previous = None
    for entry in entries:
        lead, trail = parse_code(entry)
        if lead not in LEVEL1_ROWS or trail not in GB2312_TRAILS:
            entry.fail(f"{entry.key} lies outside level 1 (B0A1-D7FE)")
        if previous is not None and (lead, trail) <= previous:
            entry.fail(f"run {entry.key} does not follow the run before it")
        if lead not in runs_by_row and trail != GB2312_TRAILS[0]:
            entry.fail(f"row {lead:02X} must start with a run at trail A1")
        previous = (lead, trail)
        runs_by_row.setdefault(lead, []).append((trail, syllables.number(entry, entry.value)))
    missing = [f"{lead:02X}" for lead in LEVEL1_ROWS if lead not in runs_by_row]
    if missing:
        raise DataError(f"{LEVEL1_RUNS_FILE}: rows without runs: {' '.join(missing)}")
    for lead, runs in runs_by_row.items():
        ends = [trail for trail, _ in runs[1:]] + [GB2312_TRAILS[-1] + 1]
        for (first, number), end in zip(runs, ends):
            for trail in range(first, end):
                index[index_of(lead, trail)] = number
