#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into fuzz/corpus/<target>/.

The seeds are the inputs of the core's test tables (conversion cases, stream
texts, UTF-8/GBK cases), each with the settings header its target reads
(FuzzInput.h): mode byte, 16-bit limit, and for the stream a split choice
and a block size. Findings kept as regression cases are named regression-*
and are not touched here.
"""
import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent
NO_LIMIT = 0x7FFF  # stands for INT_MAX
MIN_LIMIT = -0x8000  # stands for INT_MIN


def gbk(hex_text):
    return bytes.fromhex(hex_text)


# (name, GBK text, mode, limit) from the conversion cases.
CONVERSIONS = [
    ("two-characters", gbk("BABAD7D6"), 1, 255),
    ("initials", gbk("BABAD7D6"), 0, 255),
    ("letters-around", b"abc" + gbk("BABA") + b"abc" + gbk("D7D6") + b"abc", 1, 255),
    ("punctuation-kept", b"Hello, " + gbk("CAC0BDE7") + b"!", 5, 255),
    ("no-reading-marked", gbk("BABAA1A3D7D6"), 3, 255),
    ("only-no-reading", gbk("A1A3A1A3"), 1, 255),
    ("full-width", gbk("A3C1A3C2A3B1A3E1A3AC"), 0, 255),
    ("line-break-kept", gbk("BABA0D0AD7D6"), 5, 255),
    ("greek-and-numbers", gbk("A6A8BABAA2E2A2D9A2DA"), 0, 255),
    ("row2-and-greek-gaps", gbk("BABAA2ABA240A6E0A6FFA2FF"), 3, 255),
    ("trail-7f-and-ff", gbk("BABAB07FB0FFFF41D7D6"), 3, 255),
    ("lone-lead-kept", gbk("BABABA"), 5, 255),
    ("lead-before-digit", gbk("BA31"), 5, 255),
    ("byte-80", gbk("618062"), 5, 255),
    ("kept-spaces", b"  a  ", 5, 255),
    ("cut-inside-syllable", gbk("D6D0") * 43, 1, 255),
    ("cut-at-space", gbk("D7D6") * 100, 1, 255),
    ("leading-spaces-count", gbk("A1A3A1A3BABA"), 1, 4),
    ("limit-1", gbk("BABAD7D6"), 1, 1),
    ("limit-0", gbk("BABAD7D6"), 1, 0),
    ("most-negative-limit", gbk("BABAD7D6"), 1, MIN_LIMIT),
    ("no-limit", gbk("BABAD7D6"), 1, NO_LIMIT),
    ("negative-mode", gbk("BABAD7D6"), -1, 255),
    ("ignored-bit", gbk("BABAD7D6"), 9, 255),
    ("full-width-nul-kept", gbk("61A38078A3FF61"), 5, 255),
    ("trail-never-lead", gbk("B0B0A1"), 1, 255),
    ("level2-and-extensions", gbk("D8A1F7FE8140A0FEAA40FD9BFE40DF40"), 3, 255),
]

# (name, UTF-8 bytes) from the encoding cases.
ENCODINGS = [
    ("round-trip", "汉字转拼音 abc 123\r\n開會說話ＡＢ１，。、①Ⅻα€ ぁア".encode()),
    ("emoji", "汉😀字".encode()),
    ("extension-b", b"\xF0\xA0\x80\x80a"),
    ("replacement-character", b"\xEF\xBF\xBD"),
    ("truncated-at-end", b"a\xE6\xB1"),
    ("truncated-before-ascii", b"\xE6\xB1b"),
    ("overlong", b"\xC0\xAFc\xE0\x80\x80"),
    ("surrogate", b"\xED\xA0\x80d"),
    ("above-max", b"\xF4\x90\x80\x80"),
    ("lone-continuation", b"\x80" + "汉".encode()),
    ("byte-ff", b"\xFF"),
    ("mixed", "a汉😀".encode() + b"\xE6\xB1b" + "€".encode() + b"\xED\xA0\x80" + "字".encode()
     + b"\xC0\xAF" + "說".encode() + b"\xF0\x9F"),
    ("gbk-bytes", gbk("BABAFF61BA3161BAC020")),
]


def limit_bytes(limit):
    return struct.pack("<h", limit)


def write(target, name, data):
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


def main():
    for name, text, mode, limit in CONVERSIONS:
        header = struct.pack("<b", mode) + limit_bytes(limit)
        write("text_to_pinyin_fuzzer", name, header + text)
        # Split in the middle, the rest in blocks of 3 (a pair cut apart).
        write("stream_split_fuzzer", name,
              header + struct.pack("<HB", len(text) // 2 + 1, 2) + text)
    for name, text in ENCODINGS:
        write("encoding_round_trip_fuzzer", name, struct.pack("<H", len(text) // 2) + text)


if __name__ == "__main__":
    main()
