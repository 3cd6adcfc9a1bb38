#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target under fuzz/corpus/<target>/.

Seeds are valid inputs of each target's own shape, so the fuzzer starts past
the record and format checks. Configuration files and metafiles come from the
program itself: pass the built quillet binary with --program (without it
those two folders keep what they hold).

    fuzz/make_corpus.py [--program build/bin/quillet]
"""
import argparse
import os
import pathlib
import shutil
import struct
import subprocess
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
CORPUS = ROOT / "fuzz" / "corpus"


def write(target, name, data):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data if isinstance(data, bytes) else data.encode("latin-1"))


# --- the Aztec library's request record (4300 bytes, little-endian) ---------

def aztec_record(message, comment=b"", module=20, adjust=0, size_spec=0, fore=0, back=0xFFFFFF,
                 font=b"Arial", font_size=10, orientation=0, flags=0, dpi=(300, 300), output=2,
                 file_name=b""):
    rec = struct.pack("<i", len(message)) + message.ljust(3832, b"\0")
    rec += struct.pack("<i", len(comment)) + comment.ljust(100, b"\0")
    rec += struct.pack("<iiiiii", module, adjust, size_spec, 0, fore, back)
    rec += font.ljust(32, b"\0")
    rec += struct.pack("<iiiiiii", font_size, 0, orientation, flags, dpi[0], dpi[1], output)
    rec += file_name.ljust(260, b"\0")
    rec += struct.pack("<iffi", 0, 0.5, 0.5, 0)
    assert len(rec) == 4300
    return rec


def zorvex32_seeds():
    t = "fuzz_zorvex32"
    write(t, "text_default", aztec_record(b"Hello, Aztec!"))
    write(t, "digits_compact2", aztec_record(b"0123456789" * 4, size_spec=102))
    write(t, "mixed_full5", aztec_record(b"Mixed case, punctuation: 12.50 $ & lower", size_spec=205))
    write(t, "binary_nul", aztec_record(bytes(range(256)), size_spec=23))
    write(t, "comment_below_bold", aztec_record(b"LABEL-0042", comment=b"Lot 7 / Line 3",
                                                 flags=0x4 | 0x400, font_size=12))
    write(t, "comment_above_italic", aztec_record(b"abc", comment=b"above", flags=0x800 | 0x1000))
    write(t, "menu_symbol", aztec_record(b"\x00", flags=0x10, size_spec=101))
    write(t, "vertical_gain_transparent", aztec_record(b"TURNED", orientation=1, adjust=-25, back=-1))
    write(t, "shrink_snap", aztec_record(b"snapped to dots", adjust=30, flags=0x8000, dpi=(203, 203)))
    write(t, "to_file_placeable", aztec_record(b"to a file", output=1, flags=0x10000, file_name=b"x.wmf"))
    write(t, "clipboard", aztec_record(b"clipboard", output=0, fore=0x800000))
    write(t, "long_ecc50", aztec_record(b"The quick brown fox jumps over the lazy dog. " * 20, size_spec=50))
    write(t, "large_full32", aztec_record(b"9" * 3000, size_spec=232, module=5))


# --- execute strings ------------------------------------------------------------

EXECUTES = {
    "code39_check": "[CODE39][CODE39CHECK=ON][MESSAGE='CODE-39'][BUILD/COPY]",
    "full_ascii": "[CODE39FULLASCII][MESSAGE='lower' 9 'tab'][TEXT=ON][TEXTABOVE=ON][BUILD/COPY]",
    "upce_supplement": "[UPCE][BARCODE=012345][SUPPLEMENT=12345][MAGNIFY=120][BUILD/COPY]",
    "ean13_bookland": "[EAN13][BARCODE=123456789012][BOOKLAND][MESSAGE='9781234567897'][SUPPLEMENT=51234][BUILD/COPY]",
    "ean8_upce1": "[EAN8][BARCODE=1234567][UPCE1][BARCODE=123456]",
    "two_of_five": "[I2OF5][I2OF5CHECK=ON][BARCODE=123456][D2OF5][BARCODE=98765][BEARERBARS=ON][BUILD/COPY]",
    "codabar_code93": "[CODABAR][BARCODE=A1234B][CODE93][MESSAGE='Code 93' 0 1 127][BUILD/COPY]",
    "code128_gs1": "[CODE128][MESSAGE='abc' 128 '123' 9][BUILD/COPY][GS1-128][MESSAGE=128 '0101234567890128' 128 '10ABC'][BUILD/COPY]",
    "msi_postal": "[MSI][BARCODE=1234567][POSTNET][BARCODE=12345-6789][BPO][BARCODE=LE28HS9Z]",
    "databar": "[RSS14][BARCODE=0123456789012][RSS14S][BUILD/COPY][RSS14SO][COMPOSITE=1234][BUILD/COPY][RSSLIM][BARCODE=1999999999999]",
    "pdf417_options": "[PDF417][PDFMODE=NUM][PDFSECURITY=5][PDFMAXCOLS=4][PDFMAXROWS=40][PDFASPECT=2.5][TRUNCATEDPDF=ON][PDFMODULEWIDTH=10][PDFMODULEHEIGHT=30][MESSAGE='1234567890123'][BUILD/COPY]",
    "pdf417_text": "[PDF417][PDFMODE=AUTOEBN][PDFSET=ANSI][PDFOVERHEAD=40][MESSAGE='Text and 123456789 and ' 200 201][BUILD/COPY]",
    "aztec_layers": "[AZTEC][AZTECECP=204][AZTECMENU=ON][AZTECMODULESIZE=15][BARCODE=menu][AZTECECP=33][AZTECMENU=OFF][BUILD/COPY]",
    "datamatrix_tildes": "[DATAMATRIX][DMSTANDARD=ON][DMFORMAT=1][DMECC=200][DMMODULESIZE=25][MESSAGE='~1' '0101234567890128' '~d065'][BUILD/COPY]",
    "qr_vertical": "[QR][VERTUP][QUIETZONES=ON][BARREDUCTION=10][MESSAGE='https://example.com/' 0 'x'][BUILD/COPY]",
    "colours_fonts": "[FONTNAME=Courier New][FONTSIZE=14][FONTBOLDITALIC][UNDERLINE=ON][STRIKEOUT=ON][FONTCOLOR=navy][FORECOLOR=MAROON][BACKCOLORRGB=255 255 0][FONTSCALING=OFF][CODE128][BARCODE=fonts]",
    "units_dpi": "[METRIC][BARWIDTH=25.4][BARHEIGHT=1.5][INCHES][DOTS][HORIZONTALDPI=203][VERTICALDPI=300][RATIO=3.0][CODE39][BARCODE=DOTS]",
    "numbering": "[INCPREAMBLE='SN-'][INCPOSTAMBLE='-X'][INCSTART=998][INCVALUE=1][INCWIDTH=6][INCENABLE][NEXT][NEXT][PREV][INCSUPPLEMENT][INCMESSAGE][INCDISABLE]",
    "comments_switches": "[COMMENT=A comment][COMMENTABOVE=ON][COMMENTALIGNRIGHT][DISPLAYASCII][MESSAGEWARNINGS=OFF][PRINTWARNINGS=OFF][FIXDRIVER=ON][CODE39][BARCODE=bad chars]",
    "raster_options": "[BITSPERPIXEL=8][PNGINTERLACE=ON][TIFFCOMPRESSION=GROUP4][PNGPAETHFILTER][RASTERIMAGERESOLUTION=600][JPEGQUALITY=90][GIFCOMPRESSION=ON]",
    "refused_values": "[RATIO=3.1][AZTECECP=150][DMECC=90][PDFMAXROWS=2][BARREDUCTION=80][HORIZONTALDPI=0][UNKNOWN][MAGNIFY=1] trailing",
    "clipboard_new": "[CODE128][BARCODE=copy me][COPYMESSAGE][PASTE][PASTE/BUILD/COPY][COPYCOMMENT][PASTECOMMENT][PASTEDATA][NEW][APPEXIT]",
}


def command_language_seeds():
    for name, text in EXECUTES.items():
        write("fuzz_command_language", name, text)


# --- messages for the encoders ------------------------------------------------

def linear_seeds():
    # First byte: symbology (index into 3,4,5,6,7,8,13,14,24,25); second: flags.
    seeds = {
        "upca": (0, 0, b"01234567890|12"), "upce": (1, 2, b"012345|12345"), "upce1": (2, 0, b"123456"),
        "ean8": (3, 0, b"1234567"), "ean13": (4, 1, b"123456789012|54321"), "bookland": (5, 0, b"9781234567897|51299"),
        "code128": (6, 0, b"Mixed 0123456789 \x80\x81\x82\x83 \x7f"), "gs1_128": (7, 0, b"\x800101234567890128\x8010ABC"),
        "postnet": (8, 0, b"12345-6789-01"), "bpo": (9, 0, b"LE28HS9Z"),
    }
    for name, (sym, flags, msg) in seeds.items():
        write("fuzz_linear_encoders", name, bytes([sym, flags]) + msg)


def stripegen_seeds():
    seeds = {
        "primary": b"\x00" + b"0123456789012", "short": b"\x00" + b"42",
        "composite": b"\x00" + b"0361234567890|1234AB-/", "limited_max": b"\x00" + b"1999999999999",
        "expanded_stacked": bytes([4]) + b"0109501101530003\x803103000123|x",
        "expanded_fields": bytes([22]) + b"019501234567890310200012341710123110ABC123\x1d21SERIAL",
        "null_outputs": bytes([0x55]) + b"9501234567890|composite 99",
    }
    for name, data in seeds.items():
        write("fuzz_stripegen", name, data)


def matrix_seeds():
    # Bytes: ECC index, format, shape (top bit: GS1), flags (tildes, QR model and level, bytes); then the message.
    seeds = {
        "dm_ascii": (5, 1, 0, 0x02, b"Data Matrix 0123456789"),
        "dm_tildes_fnc1": (5, 6, 0, 0x03, b"~10101234567890128~d065~~"),
        "dm_shape_rect": (5, 2, 26, 0x0A, b"RECTANGLE"),
        "dm_gs1_modes": (5, 6, 0x80, 0x02,
                         b"\x1d0109501101530003" b"10UPPER CASE LOT\x1d21lower case" b"\xc4\xe9\xff*>\r:;<"),
        "dm_ecc140": (4, 3, 10, 0x12, b"ECC 140 " * 6),
        "qr_bytes_nul": (5, 1, 4, 0x42, b"qr\x00bytes\xff"),
        "qr_micro": (5, 0, 2, 0x06, b"12345"),
        "qr_long_h": (5, 5, 4, 0x1A, b"https://example.com/" * 20),
        "qr_vertical": (5, 7, 4, 0x02, b"turned"),
    }
    for name, (ecc, fmt, shape, flags, msg) in seeds.items():
        write("fuzz_matrix_codes", name, bytes([ecc, fmt, shape, flags]) + msg)


def pdf417_seeds():
    seeds = {
        "auto_text": (0, 5, 0, 10, b"PDF417 text and 0123456789012345 digits"),
        "numeric": (4, 2, 1, 20, b"12345678901234567890123456789012345678901234"),
        "binary": (3, 8, 2, 0x85, bytes(range(1, 200))),
        "text_mode": (2, 9, 0, 40, b"Mixed Case punct !#$%&'()*+ and more"),
        "auto_eb": (1, 3, 1, 0x90, b"bytes \xe9\xe8 and TEXT"),
    }
    for name, (mode, sec, size, rows, msg) in seeds.items():
        write("fuzz_pdf417", name, bytes([mode, sec, size, rows]) + msg)
    # The pattern file reader on the real pattern file, cut to its first lines.
    cluster = (ROOT / "app" / "pdf417" / "Cluster.Dat").read_bytes()
    write("fuzz_pdf417", "pattern_file_head", bytes([0, 5, 0, 10]) + cluster[:2000])


def imgconv_seeds():
    # width, height, depth, quality/filter, switches, TIFF compression; then pixels.
    bars = bytes([0x00, 0x00, 0x80, 0x80, 0x00, 0x80] * 8)
    seeds = {
        "mono_bars": (40, 8, 0, 0, 0x00, 0, bars), "grey_rle": (47, 15, 1, 5, 0x0F, 1, bars + bytes(range(0, 128, 8))),
        "rgb_lzw": (20, 10, 2, 94, 0x09, 1, bytes(range(0, 256, 3))), "pack_bits": (31, 3, 0, 50, 0x06, 2, bars),
        "group3_4": (15, 15, 0, 11, 0x01, 3, bars[::-1]), "colours": (9, 9, 2, 2, 0x0E, 4, bytes(range(128, 256))),
    }
    for name, (w, h, depth, q, sw, tiff, pixels) in seeds.items():
        head = bytes([w - 1, h - 1, depth, q, sw, tiff])
        write("fuzz_imgconv", name, head + pixels)
    write("fuzz_imgconv", "resolution_text", b"600x300 dpi printer, bars " + bars)


# --- from the program: configuration files and metafiles ----------------------

CONFIG_SETUPS = {
    "code128_comment": "[CODE128][MESSAGE='ABC-123'][COMMENT=note][COMMENTABOVE=ON]",
    "pdf417": "[PDF417][PDFMODE=BIN][PDFSECURITY=4][PDFMAXCOLS=6][TRUNCATEDPDF=ON]",
    "aztec": "[AZTEC][AZTECECP=203][AZTECMODULESIZE=12][AZTECMENU=ON]",
    "datamatrix": "[DATAMATRIX][DMFORMAT=6][DMECC=200][DMSTANDARD=ON]",
    "qr_metric": "[QR][METRIC][QUIETZONES=ON][VERTDOWN][FORECOLOR=NAVY]",
    "databar_dots": "[RSS14SO][DOTS][HORIZONTALDPI=203][VERTICALDPI=203][FONTBOLD]",
    "raster": "[BITSPERPIXEL=24][TIFFCOMPRESSION=LZW][PNGUPFILTER][RASTERIMAGERESOLUTION=1200]",
}


def program_seeds(program):
    with tempfile.TemporaryDirectory() as tmp:
        env = dict(os.environ, TMPDIR=tmp, QT_QPA_PLATFORM="offscreen")
        for name, setup in CONFIG_SETUPS.items():
            path = os.path.join(tmp, name + ".qcf")
            subprocess.run([program, "--execute", setup + "[SAVECONFIG(" + path + ")]"], env=env, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            shutil.copyfile(path, CORPUS / "fuzz_config_file" / (name + ".qcf"))
    # The metafiles the program made for the golden corpus: a small choice of kinds.
    golden = ROOT / "tests" / "golden"
    for name in ("code39_comment_below_right.wmf", "upca_addon5.wmf", "pdf417.wmf", "aztec_full5_comment.wmf",
                 "code128_vertdown.wmf", "postnet.wmf", "databar_stacked_omni.wmf", "qr_q_vertup.wmf"):
        source = golden / name
        if source.exists() and source.stat().st_size <= 64 * 1024:
            shutil.copyfile(source, CORPUS / "fuzz_wmf_reader" / name)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", help="the built quillet program, for configuration files and metafiles")
    args = parser.parse_args()
    zorvex32_seeds()
    command_language_seeds()
    linear_seeds()
    stripegen_seeds()
    matrix_seeds()
    pdf417_seeds()
    imgconv_seeds()
    if args.program:
        (CORPUS / "fuzz_config_file").mkdir(parents=True, exist_ok=True)
        (CORPUS / "fuzz_wmf_reader").mkdir(parents=True, exist_ok=True)
        program_seeds(args.program)


if __name__ == "__main__":
    main()
