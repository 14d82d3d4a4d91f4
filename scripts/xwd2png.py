#!/usr/bin/env python3
"""Convert an X Window Dump (as written by `xwd -root -silent`) to an RGB PNG.

Usage:
    python3 scripts/xwd2png.py IN.xwd OUT.png [--crop X,Y,W,H] [--over WIN.xwd@X,Y]...
    python3 scripts/xwd2png.py --self-test

--over pastes the dump of one window at X,Y of the image before cropping:
Xvfb leaves override-redirect windows such as tooltips black in a dump of
the root window, while a dump of the window itself holds its picture.

The header is 25 big-endian CARD32 fields followed by the window name, for
header_size bytes in all; then come ncolors XWDColor entries of 12 bytes;
then height * bytes_per_line bytes of pixel data.  The pixel data honours
the header's byte_order, bits_per_pixel, bytes_per_line and colour masks
(TrueColor/DirectColor); PseudoColor/StaticColor/GrayScale images are looked
up in the dumped colormap.  Only ZPixmap images are supported.
"""

import struct
import sys
import zlib

HEADER_FIELDS = (
    "header_size", "file_version", "pixmap_format", "pixmap_depth",
    "pixmap_width", "pixmap_height", "xoffset", "byte_order", "bitmap_unit",
    "bitmap_bit_order", "bitmap_pad", "bits_per_pixel", "bytes_per_line",
    "visual_class", "red_mask", "green_mask", "blue_mask", "bits_per_rgb",
    "colormap_entries", "ncolors", "window_width", "window_height",
    "window_x", "window_y", "window_bdrwidth",
)
HEADER_LEN = 4 * len(HEADER_FIELDS)  # 100
XWD_FILE_VERSION = 7
ZPIXMAP = 2
LSB_FIRST, MSB_FIRST = 0, 1
TRUE_COLOR, DIRECT_COLOR = 4, 5


class XwdError(Exception):
    pass


def parse_header(data):
    if len(data) < HEADER_LEN:
        raise XwdError("file too short for an XWD header")
    # xwd writes the header most-significant byte first; accept a
    # byte-swapped one too, recognised by its version field.
    for endian in (">", "<"):
        values = struct.unpack_from(endian + "25I", data, 0)
        hdr = dict(zip(HEADER_FIELDS, values))
        if hdr["file_version"] == XWD_FILE_VERSION:
            hdr["_endian"] = endian
            break
    else:
        raise XwdError("not an XWD version 7 file")
    if hdr["header_size"] < HEADER_LEN:
        raise XwdError("header_size %d is too small" % hdr["header_size"])
    if hdr["pixmap_format"] != ZPIXMAP:
        raise XwdError("pixmap_format %d is not ZPixmap" % hdr["pixmap_format"])
    if hdr["byte_order"] not in (LSB_FIRST, MSB_FIRST):
        raise XwdError("bad byte_order %d" % hdr["byte_order"])
    bpp = hdr["bits_per_pixel"]
    if bpp not in (8, 16, 24, 32):
        raise XwdError("bits_per_pixel %d is not supported" % bpp)
    w, h = hdr["pixmap_width"], hdr["pixmap_height"]
    if w == 0 or h == 0:
        raise XwdError("empty image (%dx%d)" % (w, h))
    if hdr["bytes_per_line"] < (w * bpp + 7) // 8:
        raise XwdError("bytes_per_line %d is too small for width %d" % (
            hdr["bytes_per_line"], w))
    return hdr


def parse_colormap(data, hdr):
    """Return {pixel: (r, g, b)} with 8-bit components."""
    fmt = hdr["_endian"] + "IHHHBB"
    cmap = {}
    pos = hdr["header_size"]
    for _ in range(hdr["ncolors"]):
        pixel, r, g, b, _flags, _pad = struct.unpack_from(fmt, data, pos)
        cmap[pixel] = (r >> 8, g >> 8, b >> 8)
        pos += 12
    return cmap


def _mask_info(mask):
    """(shift, width) of a contiguous bit mask."""
    if mask == 0:
        raise XwdError("a colour mask is zero")
    shift = (mask & -mask).bit_length() - 1
    width = (mask >> shift).bit_length()
    if (mask >> shift) != (1 << width) - 1:
        raise XwdError("colour mask %#x is not contiguous" % mask)
    return shift, width


def convert(data, crop=None):
    """Return (width, height, rgb_bytes) for the image or the crop of it."""
    hdr = parse_header(data)
    w, h = hdr["pixmap_width"], hdr["pixmap_height"]
    bpp, bpl = hdr["bits_per_pixel"], hdr["bytes_per_line"]
    offset = hdr["header_size"] + 12 * hdr["ncolors"]
    if len(data) < offset + bpl * h:
        raise XwdError("pixel data truncated: need %d bytes, file has %d" % (
            offset + bpl * h, len(data)))
    cx, cy, cw, ch = crop if crop else (0, 0, w, h)
    if cw <= 0 or ch <= 0 or cx < 0 or cy < 0 or cx + cw > w or cy + ch > h:
        raise XwdError("crop %d,%d,%d,%d is outside the %dx%d image" % (
            cx, cy, cw, ch, w, h))
    nbytes = bpp // 8
    msb = hdr["byte_order"] == MSB_FIRST
    out = bytearray(3 * cw * ch)

    if hdr["visual_class"] in (TRUE_COLOR, DIRECT_COLOR):
        masks = [_mask_info(hdr[k]) for k in ("red_mask", "green_mask",
                                              "blue_mask")]
        # Fast path: every channel is one whole byte of the pixel.
        if all(width == 8 and shift % 8 == 0 and shift // 8 < nbytes
               for shift, width in masks):
            picks = [(nbytes - 1 - shift // 8) if msb else shift // 8
                     for shift, _ in masks]
            for row in range(ch):
                start = offset + (cy + row) * bpl + cx * nbytes
                line = data[start:start + cw * nbytes]
                base = 3 * cw * row
                for c, pick in enumerate(picks):
                    out[base + c:base + 3 * cw:3] = line[pick::nbytes]
            return cw, ch, bytes(out)
        lookup = None
    else:
        masks = None
        lookup = parse_colormap(data, hdr)

    order = "big" if msb else "little"
    i = 0
    for row in range(ch):
        start = offset + (cy + row) * bpl + cx * nbytes
        for col in range(cw):
            p = start + col * nbytes
            pixel = int.from_bytes(data[p:p + nbytes], order)
            if masks:
                for shift, width in masks:
                    v = (pixel >> shift) & ((1 << width) - 1)
                    out[i] = (v * 255 + ((1 << width) - 1) // 2) // (
                        (1 << width) - 1)
                    i += 1
            else:
                r, g, b = lookup.get(pixel, (0, 0, 0))
                out[i:i + 3] = bytes((r, g, b))
                i += 3
    return cw, ch, bytes(out)


def encode_png(w, h, rgb):
    def chunk(tag, body):
        return (struct.pack(">I", len(body)) + tag + body +
                struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF))
    stride = 3 * w
    raw = bytearray()
    for y in range(h):
        raw += b"\0" + rgb[y * stride:(y + 1) * stride]
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 6)) +
            chunk(b"IEND", b""))


# --------------------------------------------------------------------------
# Self-test: builds dumps in memory and checks the decoded pixels.
# --------------------------------------------------------------------------

def _make_xwd(w, h, pixels, bpp, byte_order, masks, pad_line=0,
              name=b"test\0", colours=(), visual=TRUE_COLOR, header_le=False):
    bpl = (w * bpp + 7) // 8 + pad_line
    header_size = HEADER_LEN + len(name)
    values = [header_size, 7, ZPIXMAP, 24, w, h, 0, byte_order, 32,
              byte_order, 32, bpp, bpl, visual, masks[0], masks[1], masks[2],
              8, 256, len(colours), w, h, 0, 0, 0]
    endian = "<" if header_le else ">"
    data = bytearray(struct.pack(endian + "25I", *values) + name)
    for pixel, (r, g, b) in colours:
        data += struct.pack(endian + "IHHHBB", pixel, r * 257, g * 257,
                            b * 257, 7, 0)
    order = "big" if byte_order == MSB_FIRST else "little"
    for y in range(h):
        line = bytearray()
        for x in range(w):
            line += pixels[y][x].to_bytes(bpp // 8, order)
        data += line + b"\xEE" * pad_line
    return bytes(data)


def self_test():
    failures = []

    def check(label, got, want):
        if got != want:
            failures.append("%s: got %r, want %r" % (label, got, want))

    w, h = 5, 3
    rgb = [[(17 * x + 3, 40 * y + 1, 250 - 9 * x - y) for x in range(w)]
           for y in range(h)]
    want = bytes(c for row in rgb for p in row for c in p)
    std = (0xFF0000, 0x00FF00, 0x0000FF)
    px32 = [[(0xAB << 24) | (r << 16) | (g << 8) | b for r, g, b in row]
            for row in rgb]
    cmap = [(i, (i, 255 - i, i // 2)) for i in range(256)]
    for order in (LSB_FIRST, MSB_FIRST):
        for colours in ((), cmap):
            tag = "32bpp order=%d ncolors=%d" % (order, len(colours))
            data = _make_xwd(w, h, px32, 32, order, std, pad_line=8,
                             colours=colours)
            check(tag, convert(data), (w, h, want))
        # Masks in the other order (BGR) must not be assumed away.
        bgr = [[(b << 16) | (g << 8) | r for r, g, b in row] for row in rgb]
        data = _make_xwd(w, h, bgr, 32, order, (0x0000FF, 0x00FF00, 0xFF0000))
        check("32bpp bgr masks order=%d" % order, convert(data), (w, h, want))
        data = _make_xwd(w, h, [[p & 0xFFFFFF for p in r] for r in px32], 24,
                         order, std, pad_line=1)
        check("24bpp order=%d" % order, convert(data), (w, h, want))
        # 16-bit 5-6-5 goes through the generic path with scaling.
        px16 = [[((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)
                 for r, g, b in row] for row in rgb]
        want16 = bytes(c for row in rgb for r, g, b in row for c in (
            ((r >> 3) * 255 + 15) // 31, ((g >> 2) * 255 + 31) // 63,
            ((b >> 3) * 255 + 15) // 31))
        data = _make_xwd(w, h, px16, 16, order, (0xF800, 0x07E0, 0x001F),
                         pad_line=2)
        check("16bpp order=%d" % order, convert(data), (w, h, want16))
    # Little-endian header as some writers produce.
    data = _make_xwd(w, h, px32, 32, LSB_FIRST, std, header_le=True,
                     colours=cmap[:3])
    check("le header", convert(data), (w, h, want))
    # Crop picks the right rectangle, with padding and a long window name.
    data = _make_xwd(w, h, px32, 32, MSB_FIRST, std, pad_line=4,
                     name=b"a longer window name\0\0\0", colours=cmap[:5])
    crop_want = bytes(c for row in rgb[1:3] for p in row[2:5] for c in p)
    check("crop", convert(data, (2, 1, 3, 2)), (3, 2, crop_want))
    # PseudoColor goes through the colormap.
    pal = [(7, (1, 2, 3)), (9, (200, 100, 50))]
    data = _make_xwd(2, 1, [[9, 7]], 8, LSB_FIRST, (0, 0, 0), colours=pal,
                     visual=3)
    check("pseudocolor", convert(data), (2, 1, bytes((200, 100, 50, 1, 2, 3))))
    # Errors that must be reported, not turned into garbage.
    for label, blob, crop in (
            ("truncated", _make_xwd(w, h, px32, 32, 0, std)[:-1], None),
            ("crop outside", _make_xwd(w, h, px32, 32, 0, std), (3, 0, 3, 1)),
            ("not xwd", b"\0" * 200, None)):
        try:
            convert(blob, crop)
            failures.append("%s: no error" % label)
        except XwdError:
            pass
    # PNG framing: signature, IHDR and a decompressible IDAT with filters.
    png = encode_png(2, 1, bytes((1, 2, 3, 4, 5, 6)))
    check("png signature", png[:8], b"\x89PNG\r\n\x1a\n")
    idat_len = struct.unpack(">I", png[33:37])[0]
    check("png idat", zlib.decompress(png[41:41 + idat_len]),
          b"\0\1\2\3\4\5\6")
    for f in failures:
        sys.stderr.write("FAIL %s\n" % f)
    print("self-test: %s" % ("FAILED" if failures else "ok"))
    return 1 if failures else 0


def _parse_crop(text):
    try:
        parts = [int(v) for v in text.split(",")]
    except ValueError:
        parts = []
    if len(parts) != 4:
        raise SystemExit("--crop wants X,Y,W,H (four integers)")
    return tuple(parts)


def paste(w, rgb, over, x, y, h):
    """Paste the dump `over` into the w x h image `rgb` at x, y, clipped."""
    ow, oh, orgb = convert(over)
    out = bytearray(rgb)
    for row in range(max(0, -y), min(oh, h - y)):
        left, right = max(0, -x), min(ow, w - x)
        if left >= right:
            break
        dst = 3 * ((y + row) * w + x + left)
        src = 3 * (row * ow + left)
        out[dst:dst + 3 * (right - left)] = orgb[src:src + 3 * (right - left)]
    return bytes(out)


def _take_overlays(args):
    overlays = []
    while "--over" in args:
        i = args.index("--over")
        if i + 1 >= len(args) or "@" not in args[i + 1]:
            raise SystemExit("--over wants WIN.xwd@X,Y")
        path, _, at = args[i + 1].rpartition("@")
        x, y = (int(v) for v in at.split(","))
        overlays.append((path, x, y))
        del args[i:i + 2]
    return overlays


def main(argv):
    args = list(argv[1:])
    if args == ["--self-test"]:
        return self_test()
    overlays = _take_overlays(args)
    crop = None
    for i, a in enumerate(args):
        if a == "--crop" and i + 1 < len(args):
            crop = _parse_crop(args[i + 1])
            del args[i:i + 2]
            break
        if a.startswith("--crop="):
            crop = _parse_crop(a[len("--crop="):])
            del args[i]
            break
    if len(args) != 2 or any(a.startswith("--") for a in args):
        sys.stderr.write("usage: %s IN.xwd OUT.png [--crop X,Y,W,H]\n"
                         "       %s --self-test\n" % (argv[0], argv[0]))
        return 2
    with open(args[0], "rb") as f:
        data = f.read()
    try:
        w, h, rgb = convert(data)
        for path, x, y in overlays:
            with open(path, "rb") as f:
                rgb = paste(w, rgb, f.read(), x, y, h)
        if crop:
            cx, cy, cw, ch = crop
            if cw <= 0 or ch <= 0 or cx < 0 or cy < 0 or cx + cw > w or cy + ch > h:
                raise XwdError("crop %d,%d,%d,%d is outside the %dx%d image" % (
                    cx, cy, cw, ch, w, h))
            rgb = b"".join(rgb[3 * ((cy + r) * w + cx):3 * ((cy + r) * w + cx + cw)]
                           for r in range(ch))
            w, h = cw, ch
    except XwdError as e:
        sys.stderr.write("xwd2png: %s: %s\n" % (args[0], e))
        return 1
    with open(args[1], "wb") as f:
        f.write(encode_png(w, h, rgb))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
