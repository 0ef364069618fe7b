# Draws Quellor's icons and wizard picture; run: python3 src/res/draw_artwork.py
"""Writes the program icon idle.ico, the tray pictures tray-*.ico and
wizard.bmp next to this file.

Everything is drawn in code with the standard 16-colour Windows palette, so
the output is byte-for-byte the same on every run and needs only Python 3.
The program icon holds 16-colour 16 and 32 px images for old displays, and
every icon 16, 20, 24, 32 and 48 px images in 32-bit colour with alpha, so
that every DPI setting finds its own size instead of a shrunken or blown-up
picture. The tray pictures have no 16-colour pair: the taskbars they are
drawn for show true colour.

The tray pictures come in two sets, one for dark taskbars and one for light
ones. Drawing them checks that the telephone's outline stands out from the
taskbar, prints the figures, and fails when a picture falls short.
"""

import math
import os
import struct
import sys
import zlib

PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
(BLACK, MAROON, DKGREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER,
 GREY, RED, GREEN, YELLOW, BLUE, MAGENTA, CYAN, WHITE) = range(16)
CLEAR = None  # transparent (icons only)


class Canvas:
    """Palette-indexed pixels; pixel (x, y) covers the unit square centred on it."""

    def __init__(self, w, h, fill=CLEAR):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set_pixel(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x] if 0 <= x < self.w and 0 <= y < self.h else CLEAR

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set_pixel(x, y, c)

    def line(self, x0, y0, x1, y1, c):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.set_pixel(round(x0 + (x1 - x0) * i / steps),
                           round(y0 + (y1 - y0) * i / steps), c)

    def shape(self, inside, c):
        """Fills every pixel whose centre satisfies inside(x, y)."""
        for y in range(self.h):
            for x in range(self.w):
                if inside(x, y):
                    self.px[y][x] = c

    def circle(self, cx, cy, r, c):
        self.shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, c)

    def arc(self, cx, cy, r0, r1, a0, a1, c):
        """Ring between radii r0..r1, angles a0..a1 degrees (0 = right, 90 = up)."""
        def inside(x, y):
            d = math.hypot(x - cx, y - cy)
            a = math.degrees(math.atan2(cy - y, x - cx))
            return r0 <= d <= r1 and a0 <= a <= a1
        self.shape(inside, c)

    def polygon(self, pts, c):
        def inside(x, y):
            hit = False
            for (ax, ay), (bx, by) in zip(pts, pts[1:] + pts[:1]):
                if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                    hit = not hit
            return hit
        self.shape(inside, c)

    def outline(self, c=BLACK, width=1):
        """Rings every opaque area with c, width pixels thick, where it meets transparency."""
        for ring in range(width):
            edge = [(x, y) for y in range(self.h) for x in range(self.w)
                    if self.px[y][x] is CLEAR and any(
                        self.get(x + dx, y + dy) not in ((CLEAR, c) if ring == 0 else (CLEAR,))
                        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))]
            for x, y in edge:
                self.px[y][x] = c

    def blit(self, src, ox, oy):
        for y in range(src.h):
            for x in range(src.w):
                if src.px[y][x] is not CLEAR:
                    self.set_pixel(ox + x, oy + y, src.px[y][x])


# --- the motif: a desk telephone, ringing while the line is kept alive -------

def telephone(s, waves=0, lamp=None, edge=1, ink=BLACK):
    """A telephone on a 32-unit grid drawn at scale s; waves 0..2 signal arcs.

    edge is the width of the outline in pixels of this canvas, ink its colour."""
    size = round(32 * s)
    c = Canvas(size, size)
    S = lambda pts: [(x * s, y * s) for x, y in pts]
    cx, dial_y = 15.5 * s, 25 * s
    # Body, darker on the right so it reads as a solid block.
    c.polygon(S([(9, 19), (22, 19), (29, 30.5), (2, 30.5)]), MAROON)
    c.polygon(S([(9, 19), (20, 19), (23, 30.5), (2, 30.5)]), RED)
    # Rotary dial: a white disc with a ring of finger holes.
    c.circle(cx, dial_y, 4.6 * s, WHITE)
    for i in range(8):
        a = math.radians(200 - i * 32)
        c.circle(cx + 3.2 * s * math.cos(a), dial_y - 3.2 * s * math.sin(a), 0.8 * s, GREY)
    c.circle(cx, dial_y, 1.2 * s, SILVER)
    # Handset on the cradle: two cups joined by a handle.
    c.polygon(S([(1, 21), (1, 17), (5, 13), (26, 13), (30, 17), (30, 21),
                 (23, 21), (21, 17), (10, 17), (8, 21)]), BLACK)
    c.polygon(S([(2.5, 17), (5.5, 14), (25.5, 14), (25.5, 15), (6, 15), (3.5, 17.5)]), GREY)
    if lamp is not None:
        c.rect(round(24 * s), round(26 * s), round(25.9 * s), round(27.9 * s), lamp)
    for i in range(waves):
        r = (5 + 5 * i) * s
        c.arc(cx, 14.5 * s, r, r + 1.9 * s, 45, 135, YELLOW)
    c.outline(ink, width=edge)
    return c


SMALL_TELEPHONE = """
................
................
................
..KKKKKKKKKKKK..
.KGGGGGGGGGGGGK.
KKKKKKKKKKKKKKKK
KKKK........KKKK
KKKK.KKKKKK.KKKK
.KKKKRRRRRMKKKK.
...KRRRRRRMMK...
...KRRSWWSRMMK..
..KRRRWGGWRRMK..
..KRRRWGGWRRMMK.
.KRRRRSWWSRRMMK.
.KRRRRRRRRRRMMMK
KKKKKKKKKKKKKKKK
"""


# Signal arcs above the handset and the lamp on the body, for the two
# pictures of the running animation.
SMALL_WAVES = ["""
................
......YYYY......
.....Y....Y.....
""", """
....YYYYYYYY....
...Y..YYYY..Y...
.....Y....Y.....
"""]


def telephone_small(waves=0, lamp=None, ink=BLACK, wave_colour=YELLOW):
    """The 16x16 version, placed pixel by pixel: scaled shapes blur at this size.

    ink recolours the black pixels that border on transparency, so the
    outline changes while the black handset stays."""
    colours = {".": CLEAR, "K": BLACK, "G": GREY, "R": RED, "M": MAROON,
               "S": SILVER, "W": WHITE, "Y": wave_colour}
    c = Canvas(16, 16)
    for y, row in enumerate(SMALL_TELEPHONE.split()):
        for x, ch in enumerate(row):
            c.set_pixel(x, y, colours[ch])
    if waves:
        for y, row in enumerate(SMALL_WAVES[waves - 1].split()):
            for x, ch in enumerate(row):
                if ch != ".":
                    c.set_pixel(x, y, colours[ch])
    if lamp is not None:
        c.set_pixel(11, 13, lamp)
    rim = [(x, y) for x, y in outline_pixels(c.w, c.h, lambda x, y: c.px[y][x] is not CLEAR)
           if c.px[y][x] == BLACK]
    for x, y in rim:
        c.px[y][x] = ink
    return c


# --- true-colour images ------------------------------------------------------

SUPERSAMPLE = 4


def rgba_from_palette(canvas, true_colours=None):
    """Rows of (r, g, b, a) for a palette canvas, transparent where CLEAR;
    true_colours maps a palette index to the colour it stands for here."""
    colours = [(true_colours or {}).get(i, rgb) for i, rgb in enumerate(PALETTE)]
    return [[(0, 0, 0, 0) if p is CLEAR else colours[p] + (255,) for p in row]
            for row in canvas.px]


def telephone_rgba(size, waves=0, lamp=None, ink=BLACK, least_cover=0):
    """The telephone at size px with smooth edges: drawn at SUPERSAMPLE times
    the size with a one-pixel outline, then averaged down, so partly covered
    pixels get partial alpha. Pixels covered less than least_cover stay
    clear: a faint pixel blurs the outline into the taskbar."""
    n = SUPERSAMPLE
    big = telephone(size * n / 32, waves, lamp, edge=n, ink=ink)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            samples = [big.get(x * n + i, y * n + j) for j in range(n) for i in range(n)]
            opaque = [PALETTE[p] for p in samples if p is not CLEAR]
            if not opaque or len(opaque) < least_cover * len(samples):
                row.append((0, 0, 0, 0))
                continue
            r, g, b = (round(sum(px[k] for px in opaque) / len(opaque)) for k in range(3))
            row.append((r, g, b, round(255 * len(opaque) / len(samples))))
        rows.append(row)
    return rows


TRUE_COLOUR_SIZES = (16, 20, 24, 32, 48)


def icon_images(waves=0, lamp=None):
    """Every image of one icon: the 16-colour pair, then the true-colour set.
    The hand-placed 16 px picture also serves as the true-colour 16 px one."""
    small = telephone_small(waves, lamp)
    true_colour = [rgba_from_palette(small)] + [telephone_rgba(n, waves, lamp) for n in TRUE_COLOUR_SIZES[1:]]
    return [telephone(1, waves, lamp), small] + true_colour


# --- tray pictures for dark and light taskbars -------------------------------

class Taskbar:
    """A taskbar colour and how the telephone is drawn to stand out on it:
    the ink of its outline, and the colour of the 16 px signal arcs, which
    have no outline of their own (in the 16-colour image, and as drawn in
    true colour)."""

    def __init__(self, name, rgb, ink, small_waves, small_waves_rgb):
        self.name, self.rgb, self.ink = name, rgb, ink
        self.small_waves, self.small_waves_rgb = small_waves, small_waves_rgb


TASKBARS = [
    # Black outlines vanish on a dark taskbar; silver keeps the shape without glare.
    Taskbar("dark", (0x20, 0x20, 0x20), SILVER, YELLOW, PALETTE[YELLOW]),
    # Yellow arcs vanish on a light taskbar; at 16 px they turn amber.
    Taskbar("light", (0xF3, 0xF3, 0xF3), BLACK, OLIVE, (0xB0, 0x78, 0x00)),
]

# The idle picture and the two that alternate while the activity is on.
TRAY_PICTURES = [("idle", {}), ("active1", {"waves": 1, "lamp": GREEN}), ("active2", {"waves": 2, "lamp": DKGREEN})]

# Share of each picture's outline that must stand out, and by how much.
LEAST_OUTLINE_SHARE = 0.9
LEAST_CONTRAST = 3.0


def tray_icon_images(taskbar, waves=0, lamp=None):
    """The true-colour images of one tray picture for this taskbar. The
    taskbars that have these colours show true colour: no 16-colour pair."""
    small = telephone_small(waves, lamp, taskbar.ink, taskbar.small_waves)
    true_colour = [rgba_from_palette(small, {taskbar.small_waves: taskbar.small_waves_rgb})]
    return true_colour + [telephone_rgba(n, waves, lamp, taskbar.ink, least_cover=0.5)
                          for n in TRUE_COLOUR_SIZES[1:]]


# --- the outline's contrast with the taskbar ---------------------------------

def outline_pixels(w, h, is_opaque):
    """Every opaque pixel next to a transparent one or on the image's edge."""
    return [(x, y) for y in range(h) for x in range(w) if is_opaque(x, y) and (
        x in (0, w - 1) or y in (0, h - 1) or
        not all(is_opaque(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))))]


def relative_luminance(rgb):
    """WCAG 2's relative luminance of an sRGB colour."""
    def linear(channel):
        c = channel / 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast_ratio(first, second):
    light, dark = sorted((relative_luminance(first), relative_luminance(second)), reverse=True)
    return (light + 0.05) / (dark + 0.05)


def over(pixel, background):
    """The pixel as the screen shows it over the background."""
    *rgb, a = pixel
    return tuple(round(c * a / 255 + k * (255 - a) / 255) for c, k in zip(rgb, background))


def outline_contrast(rows, background):
    """The contrast of every outline pixel with the background."""
    w, h = len(rows[0]), len(rows)
    edge = outline_pixels(w, h, lambda x, y: rows[y][x][3] != 0)
    return [contrast_ratio(over(rows[y][x], background), background) for x, y in edge]


def check_outlines(drawn):
    """Prints each picture's figures; true when every picture passes."""
    passed = True
    for taskbar, picture, images in drawn:
        for rows in images:
            ratios = outline_contrast(rows, taskbar.rgb)
            good = sum(ratio >= LEAST_CONTRAST for ratio in ratios)
            share = good / len(ratios)
            verdict = "ok" if share >= LEAST_OUTLINE_SHARE else "TOO FAINT"
            print("%-5s taskbar #%02X%02X%02X  %-7s %2d px  %3d of %3d outline pixels at %g:1 or more  %5.1f %%"
                  "  (lowest %4.1f:1)  %s" % ((taskbar.name,) + taskbar.rgb + (
                      picture, len(rows), good, len(ratios), LEAST_CONTRAST, 100 * share, min(ratios), verdict)))
            passed = passed and share >= LEAST_OUTLINE_SHARE
    return passed


# --- writers -----------------------------------------------------------------

def palette_bytes():
    return b"".join(struct.pack("<4B", b, g, r, 0) for r, g, b in PALETTE)


def pixel_rows_4bpp(canvas):
    """Bottom-up rows, two pixels a byte, each row padded to 4 bytes."""
    out = b""
    for row in reversed(canvas.px):
        idx = [0 if p is CLEAR else p for p in row] + [0]
        data = bytes((idx[i] << 4) | idx[i + 1] for i in range(0, canvas.w, 2))
        out += data + b"\0" * (-len(data) % 4)
    return out


def mask_rows(canvas):
    """The AND mask: 1 where transparent, bottom-up, rows padded to 4 bytes."""
    out = b""
    for row in reversed(canvas.px):
        bits = "".join("1" if p is CLEAR else "0" for p in row)
        bits += "0" * (-len(bits) % 32)
        out += int(bits, 2).to_bytes(len(bits) // 8, "big")
    return out


def info_header(w, h, image_size, colours, bpp=4):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, image_size, 0, 0, colours, 0)


def rgba_mask_rows(rows):
    """The AND mask of a true-colour image: 1 where fully transparent."""
    out = b""
    for row in reversed(rows):
        bits = "".join("1" if a == 0 else "0" for _, _, _, a in row)
        bits += "0" * (-len(bits) % 32)
        out += int(bits, 2).to_bytes(len(bits) // 8, "big")
    return out


def png_image(rows):
    """Rows of RGBA as a PNG file: 8 bits a channel, every row unfiltered."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    w, h = len(rows[0]), len(rows)
    raw = b"".join(b"\0" + bytes(channel for pixel in row for channel in pixel) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_image(image, smallest_png):
    """(width, height, colour count, bits per pixel, bytes) of one image: a
    palette Canvas becomes 4 bits per pixel, rows of RGBA 32 bits: BGRA below
    smallest_png px, compressed as PNG from there on (as Windows reads icons
    since Vista), a fifth of the size."""
    if isinstance(image, Canvas):
        bits = pixel_rows_4bpp(image) + mask_rows(image)
        data = info_header(image.w, image.h * 2, len(bits), 0, 4) + palette_bytes() + bits
        return image.w, image.h, 16, 4, data
    w, h = len(image[0]), len(image)
    if w >= smallest_png:
        return w, h, 0, 32, png_image(image)
    pixels = b"".join(struct.pack("<4B", b, g, r, a) for row in reversed(image) for r, g, b, a in row)
    bits = pixels + rgba_mask_rows(image)
    return w, h, 0, 32, info_header(w, h * 2, len(bits), 0, 32) + bits


def write_ico(path, images, smallest_png=20):
    entries = [ico_image(image, smallest_png) for image in images]
    offset = 6 + 16 * len(entries)
    head = struct.pack("<HHH", 0, 1, len(entries))
    for w, h, colours, bpp, data in entries:
        head += struct.pack("<BBBBHHII", w, h, colours, 0, 1, bpp, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(head + b"".join(data for *_, data in entries))


def rle4_row(idx):
    """One row in the 4-bit run-length form: a count and two alternating
    colours for a stretch of period two, literal pixels for the rest."""
    out, literal, i = b"", [], 0

    def flush():
        nonlocal out, literal
        while literal:
            piece, literal = literal[:255], literal[255:]
            if len(piece) < 3:
                for j in range(0, len(piece), 2):
                    pair = piece[j:j + 2]
                    out += bytes([len(pair), (pair[0] << 4) | pair[-1]])
            else:
                packed = bytes((piece[j] << 4) | (piece[j + 1] if j + 1 < len(piece) else 0)
                               for j in range(0, len(piece), 2))
                out += bytes([0, len(piece)]) + packed + b"\0" * (len(packed) % 2)

    while i < len(idx):
        run = 1
        while i + run < len(idx) and run < 255 and idx[i + run] == idx[i + run - 2 if run >= 2 else i]:
            run += 1
        if run >= 4:
            flush()
            second = idx[i + 1] if run > 1 else idx[i]
            out += bytes([run, (idx[i] << 4) | second])
            i += run
        else:
            literal.append(idx[i])
            i += 1
    flush()
    return out + b"\0\0"


def write_bmp(path, canvas):
    """A 16-colour bitmap, run-length encoded (BI_RLE4): a third the size."""
    rows = [[0 if p is CLEAR else p for p in row] for row in reversed(canvas.px)]
    bits = b"".join(rle4_row(row) for row in rows) + b"\0\1"
    offset = 14 + 40 + 64
    header = struct.pack("<IiiHHIIiiII", 40, canvas.w, canvas.h, 1, 4, 2, len(bits), 0, 0, 16, 0)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset))
        f.write(header + palette_bytes() + bits)


# --- lettering: a 5x7 pixel font (8th row for descenders) --------------------

FONT = {
    "Q": [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "d": ["....#", "....#", ".####", "#...#", "#...#", "#...#", ".####"],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    "i": ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    "l": [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    "p": [".....", ".....", "####.", "#...#", "#...#", "####.", "#....", "#...."],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    "t": [".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##."],
    "u": [".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"],
    "z": [".....", ".....", "#####", "...#.", "..#..", ".#...", "#####"],
    "-": [".....", ".....", ".....", "#####", ".....", ".....", "....."],
    " ": ["..."],
}


def text_width(text, scale):
    return sum((len(FONT[ch][0]) + 1) * scale for ch in text) - scale


def draw_text(canvas, x, y, text, scale, colour, shadow=None):
    for dx, dy, c in ([(scale // 2, scale // 2, shadow)] if shadow is not None else []) + [(0, 0, colour)]:
        cx = x
        for ch in text:
            glyph = FONT[ch]
            for gy, row in enumerate(glyph):
                for gx, bit in enumerate(row):
                    if bit == "#":
                        canvas.rect(cx + gx * scale + dx, y + gy * scale + dy,
                                    cx + (gx + 1) * scale - 1 + dx, y + (gy + 1) * scale - 1 + dy, c)
            cx += (len(glyph[0]) + 1) * scale


def wizard_picture():
    w, h = 276, 60
    c = Canvas(w, h, NAVY)
    # A night sky of sparse blue points over a teal floor.
    for y in range(55):
        for x in range(w):
            if (x * 7 + y * 13) % 29 == 0:
                c.set_pixel(x, y, BLUE)
    c.rect(0, 55, w - 1, h - 1, TEAL)
    c.rect(0, 55, w - 1, 55, CYAN)
    # The ringing telephone stands on the floor; its cord runs off to the right.
    c.blit(telephone(1.5, waves=2, lamp=GREEN), 4, 8)
    jack = w - 12
    for x in range(44, jack):
        c.set_pixel(x, 57 + round(math.sin(x / 2.5)), BLACK)
    # ...and climbs up to its plug in the wall socket.
    c.line(jack, 44, jack, 57, BLACK)
    c.rect(jack - 6, 32, jack + 5, 48, BLACK)
    c.rect(jack - 5, 33, jack + 4, 47, SILVER)
    c.rect(jack - 3, 36, jack + 2, 41, BLACK)
    c.rect(jack - 2, 38, jack + 1, 44, GREY)
    draw_text(c, 66, 3, "Quellor", 4, WHITE, shadow=BLACK)
    draw_text(c, 68, 38, "Set-Up Wizard", 2, YELLOW, shadow=BLACK)
    return c


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    drawn = [(taskbar, picture, tray_icon_images(taskbar, **details))
             for taskbar in TASKBARS for picture, details in TRAY_PICTURES]
    if not check_outlines(drawn):
        sys.exit("draw_artwork: a tray picture's outline does not stand out from its taskbar; nothing written")
    # The program's own icon (Explorer, Alt+Tab, the About box), as first drawn.
    write_ico(os.path.join(here, "idle.ico"), icon_images())
    for taskbar, picture, images in drawn:
        write_ico(os.path.join(here, "tray-%s-%s.ico" % (taskbar.name, picture)), images, smallest_png=16)
    write_bmp(os.path.join(here, "wizard.bmp"), wizard_picture())


if __name__ == "__main__":
    main()
