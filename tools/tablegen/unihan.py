"""Unicode's Unihan database, as Debian's package unicode-data installs it:
the readings and variants of every character, taken from the files as they
are. Which fields count, and in which order, is the caller's choice
(extension_readings).

The version is checked against the files' own headers, so that newer data is
a clear stop rather than a flood of changed cells; after updating
UNIHAN_VERSION, regenerate and review. Everything else that names the
version (the banner of the generated file, the summary) takes it from here.
"""

import bz2
import collections
import pathlib
import re

from .data_files import DataError

DEFAULT_UNIHAN_DIR = pathlib.Path("/usr/share/unicode")
UNIHAN_VERSION = "15.0.0"
UNIHAN_READINGS_FILE = "Unihan_Readings.txt.bz2"
UNIHAN_VARIANTS_FILE = "Unihan_Variants.txt.bz2"
UNIHAN_VERSION_PATTERN = re.compile(r"# Unicode version: (\S+)")


class Unihan:
    """The readings and variants of every character that Unihan knows, for
    the fields READING_FIELDS and VARIANT_FIELDS, each list in the order its
    fields are to be tried."""

    def __init__(self, directory, reading_fields, variant_fields):
        self.reading_fields = tuple(reading_fields)
        self.variant_fields = tuple(variant_fields)
        self.readings = self._load(directory / UNIHAN_READINGS_FILE, self.reading_fields)
        self.variants = self._load(directory / UNIHAN_VARIANTS_FILE, self.variant_fields)

    @staticmethod
    def _load(path, fields):
        """{code point: {field: value}} for the wanted fields of one file,
        whose header must name UNIHAN_VERSION."""
        wanted = set(fields)
        properties = collections.defaultdict(dict)
        version = None
        try:
            stream = bz2.open(path, "rt", encoding="utf-8")
        except OSError as error:
            raise DataError(f"{path}: {error.strerror} (Debian package unicode-data)") from error
        with stream:
            for line in stream:
                if line.startswith("#"):
                    match = UNIHAN_VERSION_PATTERN.match(line)
                    version = match[1] if match else version
                    continue
                fields_of_line = line.rstrip("\n").split("\t")
                if len(fields_of_line) == 3 and fields_of_line[1] in wanted:
                    code_point, name, value = fields_of_line
                    properties[int(code_point[2:], 16)][name] = value
        if version != UNIHAN_VERSION:
            raise DataError(
                f"{path}: Unicode version {version}, expected {UNIHAN_VERSION}; "
                "update UNIHAN_VERSION, regenerate and review the changed cells"
            )
        return properties

    def readings_of(self, code_point):
        """(field, reading) in reading-field order, each field's readings in
        its own order. The fields write readings as "hǎo hào" (kMandarin),
        "hǎo(1234)" (kHanyuPinlu) or "location:hǎo,hào" (the dictionaries)."""
        properties = self.readings.get(code_point, {})
        for name in self.reading_fields:
            for item in properties.get(name, "").split():
                item = item.rpartition(":")[2].partition("(")[0]
                for reading in item.split(","):
                    yield name, reading

    def variants_of(self, code_point):
        """Variant code points in variant-field order ("U+4E0E<kMatthews")."""
        properties = self.variants.get(code_point, {})
        for name in self.variant_fields:
            for item in properties.get(name, "").split():
                yield int(item.partition("<")[0][2:], 16)
