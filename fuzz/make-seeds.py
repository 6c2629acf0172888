#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets: files as the launcher, the user
and the sibling programs leave them, built byte by byte (texts in CP932).
Run from anywhere; it rewrites fuzz/corpus/."""
import pathlib
import shutil
import struct

root = pathlib.Path(__file__).resolve().parent / "corpus"


def cp(text):
    return text.encode("cp932")


def field(text, width, pad=b" "):
    b = cp(text) if isinstance(text, str) else text
    return b[:width] + pad * (width - len(b[:width]))


def put(target, name, data):
    d = root / target
    d.mkdir(parents=True, exist_ok=True)
    (d / name).write_bytes(data)


# clock.pra: one record of 169 bytes, little-endian numbers.
def clock(left=10950, top=120, width=855, height=855, dial="", mascot=7,
          colours=(0xFFFFFF, 0xFFFFFF, 0x0000FF, 0, 0, 0xC0C0C0), reserved1=0,
          widths=(2, 3, 1, 1), reserved2=0, off=0, sound="C:\\OM\\default.wav", minute=0):
    r = struct.pack("<hhhh", left, top, width, height) + field(dial, 7)
    r += struct.pack("<h", mascot) + struct.pack("<6I", *colours) + struct.pack("<i", reserved1)
    r += struct.pack("<4i", *widths) + struct.pack("<i", reserved2) + struct.pack("<h", off)
    r += field(sound, 100) + struct.pack("<h", minute)
    assert len(r) == 169
    return r


put("fuzz_clockpra", "defaults", clock())
put("fuzz_clockpra", "golden", clock(2970, 1500, 1485, 990, "時計A", 12,
                                     (0x0000FF, 0x00FF00, 0xFF0000, 0x808080, 0x404040, 0xC0C000),
                                     0x12345678, (4, 5, 6, 7), -2, 1, "C:\\OM\\chime.wav", 30))
put("fuzz_clockpra", "out-of-range", clock(-32768, 32767, 20000, 10, "ABCDEFG", -5,
                                           (0xFFFFFFFF,) * 6, -1, (0, -3, 70000, 11), 7, 2,
                                           "ｼﾞﾎｳ" * 30, 99))
put("fuzz_clockpra", "short", clock()[:40])
put("fuzz_clockpra", "cut-double-byte", clock(dial="時計時計")[:169])
put("fuzz_clockpra", "longer", clock() + b"\x7f" * 31)

# BackImg: one quoted-field record, the number and the text.
put("fuzz_backimg", "builtin", b'12,"OM"\r\n')
put("fuzz_backimg", "white", b'50,"16777215"\r\n')
put("fuzz_backimg", "red", b'50,"255"\r\n')
put("fuzz_backimg", "own-windows", b'99,"' + cp("C:\\画像\\桜.jpg") + b'"\r\n')
put("fuzz_backimg", "own-posix", b'99,"/home/genba/picture one.jpg"\r\n')
put("fuzz_backimg", "unused-number", b'40,"OM"\r\n')
put("fuzz_backimg", "unquoted", b' 5 , OM \r\n')
put("fuzz_backimg", "no-text", b'13\r\n')

# event_tbl: date key and picture name per field, ended by 999.
put("fuzz_eventtbl", "table", b'"0101shogatu","0505kodomo","1224xmas"\r\n999\r\n')
put("fuzz_eventtbl", "lines", b'0101shogatu\r\n0303hina\r\n0707tanabata\r\n999\r\n')
put("fuzz_eventtbl", "no-end", b'"1208view01","1208view02"')
put("fuzz_eventtbl", "quoted-comma", b'"1208a,b","1208 long name here",  "12",,999\r\n')
put("fuzz_eventtbl", "japanese", b'"' + cp("1208冬休み") + b'","' + cp("1115ｼﾁｺﾞｻﾝ") + b'",999\r\n')
put("fuzz_eventtbl", "paths", b'"1208../x","1208/etc","1208.hidden","1208a\\b",999\r\n')


# omkojinm: 100 records of 256 bytes, the name and the directory.
def registry(entries):
    data = b"".join(field(n, 128) + field(d, 128) for n, d in entries)
    data += b" " * 256 * (100 - len(entries))
    assert len(data) == 25600
    return data


put("fuzz_omkojinm", "entries", registry([
    ("第一ビル新築工事", "/tmp"),
    ("GENBA-01", "/"),
    ("消えた工事", "/no/such/project"),
    ("CD の工事", "/notready/genba"),
    ("読めない工事", "/denied/genba"),
    ("", "/usr"),
    ("名前だけ", ""),
]))
put("fuzz_omkojinm", "full", registry([("工事%03d" % i, "/tmp") for i in range(100)]))
put("fuzz_omkojinm", "nul-records", b"\0" * 256 + registry([("A", "/tmp")])[:25344])
put("fuzz_omkojinm", "short", registry([("ＳＨＯＲＴ", "/tmp")])[:300])


# WOMSET: records of 128 bytes, one working path each.
def settings(*paths):
    return b"".join(field(p, 128) for p in paths)


put("fuzz_womset", "valid", settings("/tmp", "/usr", "/"))
put("fuzz_womset", "trailing-separators", settings("/tmp/", "/usr//", "  /  "))
put("fuzz_womset", "two-records", settings("/tmp", "/usr"))
put("fuzz_womset", "four-records", settings("/tmp", "/no/such/data", "/usr", "kept by others"))
put("fuzz_womset", "disk-errors", settings("/notready/master", "/denied/data", "/notready"))
put("fuzz_womset", "windows", settings("C:\\OM\\MASTER", "D:\\", cp("C:\\工事\\データ\\")))
put("fuzz_womset", "nul", settings("/tmp") + b"\0" * 256)

# kojigai and the import directory's overview files: 128-byte records.
overview = ["12-3/45", "2024", "04", "01", "第一ビル新築工事", "東京都千代田区", "事務所",
            "ＲＣ造", "地上５階", "1234.5", ".25", "山田"] + ["備考 %d 行目" % i for i in range(1, 11)]
put("fuzz_kojigai", "saved", settings(*overview))
put("fuzz_kojigai", "created", b"\0" * 3840)
put("fuzz_kojigai", "created-and-named", b"\0" * 512 + field("名前のある工事", 128) + b"\0" * 3200)
put("fuzz_kojigai", "odd-values", settings("1234567890", "24", "4", "1", "あ" * 70, "x" * 130,
                                          "", "", "", "0.000", "1e300", "   ", "\0tail"))
put("fuzz_kojigai", "double-byte-name", settings("", "", "", "", "漢" * 60))
put("fuzz_kojigai", "short", settings("1", "2024", "12", "08", "ＳＨＯＲＴ")[:600])
put("fuzz_kojigai", "import-file", settings(*overview) + b"\0" * 1024)

# app_hnd: the first field names the task, an id or a window title.
put("fuzz_apphnd", "task-id", b"4711\r\n")
put("fuzz_apphnd", "title", b'"' + cp("見積 - 第一ビル") + b'"\r\n')
put("fuzz_apphnd", "title-and-more", b'"KORVAN",123\r\n')
put("fuzz_apphnd", "decimal", b" 12.5 \r\n")
put("fuzz_apphnd", "negative", b"-1\r\n")
# Found by fuzzing: numbers that no task id can hold.
put("fuzz_apphnd", "huge-number", b"1" + b"5" * 66 + b'\n"')
put("fuzz_apphnd", "not-a-number", b"nan\r\n")
put("fuzz_apphnd", "infinite", b"-inf\r\n")
