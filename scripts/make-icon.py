#!/usr/bin/env python3
"""Generate the Velmora application icon (.ico) procedurally.

Usage:
    python3 scripts/make-icon.py OUT.ico [--preview-dir DIR]

The icon shows a rounded dark-blue "window" with a white title bar (with a
grey caption line at 32x32) and a golden key in the middle: a tool that edits
the text shown before logon.

The file holds exactly four images, in this order:
    16x16  8 bpp (palette)      16x16  32 bpp (BGRA)
    32x32  8 bpp (palette)      32x32  32 bpp (BGRA)
Every image is a BITMAPINFOHEADER DIB with doubled height, an XOR bitmap and
a 1-bpp AND mask (bit set = transparent).

The 16x16 images are hand-drawn pixel art; the 32x32 images are rendered
from shapes (4x4 supersampled for the 32-bit image, majority colour per
pixel for the 8-bit one).

After writing, the file is parsed back independently and every image is
decoded and compared with what was meant to be drawn; any mismatch aborts
with exit status 1.  With --preview-dir, each decoded image is also written
as an 8x enlarged PNG over a checkerboard.
"""

import os
import struct
import sys
import zlib

# --------------------------------------------------------------------------
# Colours.  One letter per colour role; '.' is fully transparent.
# --------------------------------------------------------------------------

PALETTE = [
    # (role, (r, g, b))  -- index 0 is the transparent slot (black)
    (".", (0x00, 0x00, 0x00)),
    ("K", (0x0B, 0x1F, 0x45)),  # border navy
    ("B", (0x1F, 0x52, 0xB0)),  # window body blue
    ("d", (0x16, 0x3B, 0x82)),  # key shadow on the body
    ("W", (0xFF, 0xFF, 0xFF)),  # title bar
    ("s", (0x8C, 0xA3, 0xC6)),  # caption line / title buttons
    ("G", (0xF5, 0xC2, 0x2B)),  # gold
    ("g", (0xB3, 0x7B, 0x0E)),  # dark gold (lower edges)
    ("y", (0xFF, 0xE8, 0x8C)),  # light gold (highlight)
]
ROLE_INDEX = {role: i for i, (role, _) in enumerate(PALETTE)}
ROLE_RGB = dict(PALETTE)

# Hand-drawn 16x16.  'c' marks corner pixels that are transparent in the
# 8-bit image and half-covered border pixels in the 32-bit one.
ART16 = [
    "cKKKKKKKKKKKKKKc",
    "KWWWWWWWWWWWWWWK",
    "KWWWWWWWWWsWsWWK",
    "KWWWWWWWWWWWWWWK",
    "KBBBBBBBBBBBBBBK",
    "KBBBBBBBBBBBBBBK",
    "KBByyyyBBBBBBBBK",
    "KByGggGyBBBBBBBK",
    "KBGGddGGGGGGGGBK",
    "KBGGdBGGggGgGGdK",
    "KBgGyyGgddgdGGdK",
    "KBBggggddBBdggdK",
    "KBBBddddBBBBBddK",
    "KBBBBBBBBBBBBBBK",
    "KBBBBBBBBBBBBBBK",
    "cKKKKKKKKKKKKKKc",
]
CORNER_ALPHA = 0x60


# --------------------------------------------------------------------------
# Drawing
# --------------------------------------------------------------------------

def _in_round_rect(x, y, x0, y0, x1, y1, r):
    if not (x0 <= x < x1 and y0 <= y < y1):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def _in_key(x, y):
    """Key of the 32x32 design: ring at left, shaft and two teeth at right."""
    d2 = (x - 10.5) ** 2 + (y - 20.5) ** 2
    if 2.6 ** 2 <= d2 <= 5.6 ** 2:
        return True
    if 15.0 <= x < 27.0 and 19.0 <= y < 22.0:
        return True
    if 21.0 <= x < 23.0 and 22.0 <= y < 25.0:
        return True
    if 25.0 <= x < 27.0 and 22.0 <= y < 26.0:
        return True
    return False


def role32(x, y):
    """Colour role at sample point (x, y) of the 32x32 design."""
    if not _in_round_rect(x, y, 0, 0, 32, 32, 5.0):
        return "."
    if not _in_round_rect(x, y, 1, 1, 31, 31, 4.0):
        return "K"
    if y < 9.0:
        if 4.0 <= y < 6.0 and 5.0 <= x < 15.0:
            return "s"  # caption text
        for bx in (19.0, 23.0):
            if bx <= x < bx + 3.0 and 3.5 <= y < 6.5:
                return "s"  # title bar buttons
        if 27.0 <= x < 30.0 and 3.5 <= y < 6.5:
            return "K"  # close button
        return "W"
    if y < 10.0:
        return "K"  # title bar separator
    if _in_key(x, y):
        if not _in_key(x, y + 1.0):
            return "g"
        if not _in_key(x, y - 1.0) and x < 14.0:
            return "y"
        return "G"
    if _in_key(x - 1.0, y - 1.0):
        return "d"
    return "B"


def draw16():
    """Return (8-bit index rows, 32-bit RGBA rows) for 16x16."""
    idx, rgba = [], []
    for line in ART16:
        irow, crow = [], []
        for ch in line:
            if ch == "c":
                irow.append(0)
                r, g, b = ROLE_RGB["K"]
                crow.append((r, g, b, CORNER_ALPHA))
            elif ch == ".":
                irow.append(0)
                crow.append((0, 0, 0, 0))
            else:
                irow.append(ROLE_INDEX[ch])
                crow.append(ROLE_RGB[ch] + (255,))
        idx.append(irow)
        rgba.append(crow)
    return idx, rgba


def draw32(ss=4):
    """Return (8-bit index rows, 32-bit RGBA rows) for 32x32."""
    idx, rgba = [], []
    for py in range(32):
        irow, crow = [], []
        for px in range(32):
            counts = {}
            pr = pg = pb = pa = 0
            for sy in range(ss):
                for sx in range(ss):
                    role = role32(px + (sx + 0.5) / ss, py + (sy + 0.5) / ss)
                    counts[role] = counts.get(role, 0) + 1
                    if role != ".":
                        r, g, b = ROLE_RGB[role]
                        pr += r
                        pg += g
                        pb += b
                        pa += 1
            n = ss * ss
            # 8-bit: the role covering most of the pixel (ties -> opaque).
            best = max(counts.items(), key=lambda kv: (kv[1], kv[0] != "."))[0]
            irow.append(ROLE_INDEX[best])
            # 32-bit: coverage-weighted colour, straight (non-premultiplied).
            if pa == 0:
                crow.append((0, 0, 0, 0))
            else:
                crow.append((round(pr / pa), round(pg / pa), round(pb / pa),
                             round(255 * pa / n)))
        idx.append(irow)
        rgba.append(crow)
    return idx, rgba


# --------------------------------------------------------------------------
# ICO encoding
# --------------------------------------------------------------------------

def _row_stride(bits):
    return ((bits + 31) // 32) * 4


def _and_mask(transparent_rows, w):
    """1-bpp mask, bottom-up, rows padded to 32 bits; bit set = transparent."""
    stride = _row_stride(w)
    out = bytearray()
    for row in reversed(transparent_rows):
        line = bytearray(stride)
        for x, t in enumerate(row):
            if t:
                line[x >> 3] |= 0x80 >> (x & 7)
        out += line
    return bytes(out)


def _info_header(w, h, bpp, image_size):
    return struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, bpp, 0, image_size,
                       0, 0, 0, 0)


def encode_dib8(idx):
    h, w = len(idx), len(idx[0])
    stride = _row_stride(8 * w)
    xor = bytearray()
    for row in reversed(idx):
        xor += bytes(row) + bytes(stride - w)
    mask = _and_mask([[i == 0 for i in row] for row in idx], w)
    table = bytearray()
    for i in range(256):
        r, g, b = PALETTE[i][1] if i < len(PALETTE) else (0, 0, 0)
        table += bytes((b, g, r, 0))
    return _info_header(w, h, 8, len(xor) + len(mask)) + bytes(table) + \
        bytes(xor) + mask


def encode_dib32(rgba):
    h, w = len(rgba), len(rgba[0])
    xor = bytearray()
    for row in reversed(rgba):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask = _and_mask([[p[3] == 0 for p in row] for row in rgba], w)
    return _info_header(w, h, 32, len(xor) + len(mask)) + bytes(xor) + mask


def encode_ico(images):
    """images: list of (width, height, bpp, dib_bytes)."""
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for w, h, bpp, dib in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, bpp,
                           len(dib), offset)
        offset += len(dib)
    for _, _, _, dib in images:
        out += dib
    return bytes(out)


# --------------------------------------------------------------------------
# ICO decoding (independent of the encoder above; used for the self-check
# and the previews)
# --------------------------------------------------------------------------

class IcoError(Exception):
    pass


def decode_ico(data):
    """Return a list of dicts: width, height, bpp, rgba (rows of tuples)."""
    if len(data) < 6:
        raise IcoError("file too short")
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1:
        raise IcoError("not an icon file (reserved=%d type=%d)" % (reserved, kind))
    result = []
    end_of_dir = 6 + 16 * count
    for n in range(count):
        bw, bh, ncol, res, planes, bpp, size, off = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * n)
        w, h = bw or 256, bh or 256
        if off < end_of_dir or off + size > len(data):
            raise IcoError("entry %d: data outside the file" % n)
        dib = data[off:off + size]
        hdr = struct.unpack_from("<IiiHHIIiiII", dib, 0)
        bi_size, bi_w, bi_h, bi_planes, bi_bpp, comp, _, _, _, clr_used, _ = hdr
        if bi_size != 40 or bi_w != w or bi_h != 2 * h or bi_planes != 1:
            raise IcoError("entry %d: bad BITMAPINFOHEADER %r" % (n, hdr))
        if bi_bpp != bpp or comp != 0 or planes != 1 or res != 0:
            raise IcoError("entry %d: directory/header mismatch" % n)
        pos = 40
        colours = []
        if bpp <= 8:
            ntab = clr_used or (1 << bpp)
            if ncol != (ntab if ntab < 256 else 0):
                raise IcoError("entry %d: bColorCount %d" % (n, ncol))
            for i in range(ntab):
                b, g, r, _ = dib[pos + 4 * i:pos + 4 * i + 4]
                colours.append((r, g, b))
            pos += 4 * ntab
        # Strides computed here, not with the encoder's helper, so that
        # a padding mistake there shows up as a size mismatch.
        xor_stride = ((bpp * w + 31) >> 5) << 2
        and_stride = ((w + 31) >> 5) << 2
        if len(dib) != pos + (xor_stride + and_stride) * h:
            raise IcoError("entry %d: size %d, expected %d" % (
                n, len(dib), pos + (xor_stride + and_stride) * h))
        xor_at, and_at = pos, pos + xor_stride * h
        rows = []
        for y in range(h):
            src = h - 1 - y  # bottom-up
            xrow = dib[xor_at + src * xor_stride:xor_at + (src + 1) * xor_stride]
            arow = dib[and_at + src * and_stride:and_at + (src + 1) * and_stride]
            row = []
            for x in range(w):
                masked = (arow[x >> 3] >> (7 - (x & 7))) & 1
                if bpp == 8:
                    r, g, b = colours[xrow[x]]
                    a = 0 if masked else 255
                    if masked and (r, g, b) != (0, 0, 0):
                        raise IcoError("entry %d: masked pixel (%d,%d) is not "
                                       "black, it would invert" % (n, x, y))
                elif bpp == 32:
                    b, g, r, a = xrow[4 * x:4 * x + 4]
                    if masked != (a == 0):
                        raise IcoError("entry %d: AND mask disagrees with "
                                       "alpha at (%d,%d)" % (n, x, y))
                else:
                    raise IcoError("entry %d: unsupported depth %d" % (n, bpp))
                row.append((r, g, b, a) if a else (0, 0, 0, 0))
            rows.append(row)
        result.append({"width": w, "height": h, "bpp": bpp, "rgba": rows})
    return result


# --------------------------------------------------------------------------
# PNG preview
# --------------------------------------------------------------------------

def write_png(path, w, h, rgb_rows):
    def chunk(tag, body):
        return (struct.pack(">I", len(body)) + tag + body +
                struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + bytes(row) for row in rgb_rows)
    png = (b"\x89PNG\r\n\x1a\n" +
           chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) +
           chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)


def preview(img, path, scale=8):
    """Composite over a checkerboard and enlarge by nearest neighbour."""
    w, h = img["width"], img["height"]
    rows = []
    for y in range(h * scale):
        row = bytearray()
        for x in range(w * scale):
            r, g, b, a = img["rgba"][y // scale][x // scale]
            bg = 0xCC if ((x // 8) + (y // 8)) % 2 else 0xF4
            for c in (r, g, b):
                row.append((c * a + bg * (255 - a) + 127) // 255)
        rows.append(row)
    write_png(path, w * scale, h * scale, rows)


# --------------------------------------------------------------------------

def expected_rgba(idx_rows):
    return [[(PALETTE[i][1] + (255,)) if i else (0, 0, 0, 0) for i in row]
            for row in idx_rows]


def build():
    i16, c16 = draw16()
    i32, c32 = draw32()
    for rows, size in ((i16, 16), (c16, 16), (i32, 32), (c32, 32)):
        assert len(rows) == size and all(len(r) == size for r in rows)
    meant = [(16, 8, expected_rgba(i16)), (16, 32, c16),
             (32, 8, expected_rgba(i32)), (32, 32, c32)]
    data = encode_ico([(16, 16, 8, encode_dib8(i16)),
                       (16, 16, 32, encode_dib32(c16)),
                       (32, 32, 8, encode_dib8(i32)),
                       (32, 32, 32, encode_dib32(c32))])
    return data, meant


def roundtrip_check():
    """Encode asymmetric patterns (the icon itself is nearly symmetric, so it
    would hide flipped rows or a flipped mask) and an odd width needing row
    padding, then decode them and compare."""
    w, h = 24, 8
    idx = [[0 if x > 2 * y else 1 + (x + y) % (len(PALETTE) - 1)
            for x in range(w)] for y in range(h)]
    rgba = [[(x * 10, y * 30, 255 - x, 0 if x < y else 1 + 9 * x)
             for x in range(w)] for y in range(h)]
    data = encode_ico([(w, h, 8, encode_dib8(idx)),
                       (w, h, 32, encode_dib32(rgba))])
    got = decode_ico(data)
    want = [expected_rgba(idx),
            [[p if p[3] else (0, 0, 0, 0) for p in row] for row in rgba]]
    for img, rows, bpp in zip(got, want, (8, 32)):
        if img["rgba"] != rows:
            bad = next((x, y) for y in range(h) for x in range(w)
                       if img["rgba"][y][x] != rows[y][x])
            raise IcoError("round trip of a %d-bit test pattern differs at "
                           "(%d,%d)" % (bpp, bad[0], bad[1]))


def self_check(data, meant):
    """Parse the written bytes back and compare with the intended pixels."""
    roundtrip_check()
    images = decode_ico(data)
    if len(images) != 4:
        raise IcoError("%d images instead of 4" % len(images))
    for img, (size, bpp, rgba) in zip(images, meant):
        tag = "%dx%d %d-bit" % (size, size, bpp)
        if (img["width"], img["height"], img["bpp"]) != (size, size, bpp):
            raise IcoError("%s: got %dx%d %d-bit" % (
                tag, img["width"], img["height"], img["bpp"]))
        for y in range(size):
            for x in range(size):
                if img["rgba"][y][x] != rgba[y][x]:
                    raise IcoError("%s: pixel (%d,%d) is %r, drew %r" % (
                        tag, x, y, img["rgba"][y][x], rgba[y][x]))
        flat = [p for row in img["rgba"] for p in row]
        # Corners transparent, centre opaque: catches flipped/shifted rows.
        if flat[0][3] > CORNER_ALPHA or flat[-1][3] > CORNER_ALPHA:
            raise IcoError("%s: corners are not transparent" % tag)
        if img["rgba"][size // 2][size // 2][3] != 255:
            raise IcoError("%s: centre is not opaque" % tag)
        # Orientation: the white title bar must be at the top.
        if img["rgba"][2][size // 4][:3] != ROLE_RGB["W"]:
            raise IcoError("%s: title bar is not at the top" % tag)
        if bpp == 8:
            used = {p[:3] for p in flat if p[3]}
            if len(used) > len(PALETTE) - 1:
                raise IcoError("%s: uses %d colours" % (tag, len(used)))
    return images


def main(argv):
    args = list(argv[1:])
    preview_dir = None
    if "--preview-dir" in args:
        i = args.index("--preview-dir")
        if i + 1 >= len(args):
            sys.exit("--preview-dir needs a directory")
        preview_dir = args[i + 1]
        del args[i:i + 2]
    if len(args) != 1 or args[0].startswith("-"):
        sys.exit("usage: %s OUT.ico [--preview-dir DIR]" % argv[0])
    out = args[0]
    data, meant = build()
    with open(out, "wb") as f:
        f.write(data)
    with open(out, "rb") as f:
        written = f.read()
    try:
        images = self_check(written, meant)
    except IcoError as e:
        sys.stderr.write("make-icon: self-check failed: %s\n" % e)
        return 1
    if preview_dir:
        os.makedirs(preview_dir, exist_ok=True)
        for img in images:
            name = "icon-%dx%d-%dbit.png" % (img["width"], img["height"],
                                             img["bpp"])
            preview(img, os.path.join(preview_dir, name))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
