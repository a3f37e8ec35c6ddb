#!/usr/bin/env python3
"""Writes the three arrow pictures of the outdoor signs: 300 x 400 pixels, one bit per
pixel, white transparent. Run it in this folder; the PNGs are committed beside it."""
import struct
import zlib

B, H = 300, 400


def kein(x, y):
    return False


def oben(x, y):
    # Head: a triangle over the top 45 %; shaft: the middle third below it.
    kopf = 0.45 * H
    if y < kopf:
        halb = (y / kopf) * (B / 2 - 10)
        return abs(x - B / 2) <= halb
    return B / 3 <= x < 2 * B / 3 and y < H - 10


def unten(x, y):
    return oben(x, H - 1 - y)


def png(name, schwarz):
    zeilen = bytearray()
    for y in range(H):
        zeilen.append(0)  # no filter
        for bx in range(0, B, 8):
            byte = 0
            for bit in range(8):
                # 0 is black, 1 white
                if not schwarz(bx + bit, y):
                    byte |= 0x80 >> bit
            zeilen.append(byte)

    def chunk(art, daten):
        roh = art + daten
        return struct.pack(">I", len(daten)) + roh + struct.pack(">I", zlib.crc32(roh) & 0xFFFFFFFF)

    kopf = struct.pack(">IIBBBBB", B, H, 1, 0, 0, 0, 0)  # 1-bit grey
    with open(name, "wb") as datei:
        datei.write(b"\x89PNG\r\n\x1a\n")
        datei.write(chunk(b"IHDR", kopf))
        datei.write(chunk(b"tRNS", struct.pack(">H", 1)))  # white shows the sign through
        datei.write(chunk(b"IDAT", zlib.compress(bytes(zeilen), 9)))
        datei.write(chunk(b"IEND", b""))


png("arrow_none.png", kein)
png("arrow_up.png", oben)
png("arrow_down.png", unten)
