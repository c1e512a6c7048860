#!/usr/bin/env python3
# Draws the icons and logos of the lock program and the settings tool as plain ICO/BMP files,
# from fixed pixel art and a built-in font, so every run writes the same bytes. Standard library only.
import math
import pathlib
import struct

ROOT = pathlib.Path(__file__).resolve().parent.parent

# Bold glyphs, 13 rows, with 2-pixel strokes both ways: the bar logo is stretched to 20-28 rows,
# and a 1-pixel horizontal stroke could vanish when a row is dropped.
FONT = {
    "K": ["##....###", "##...###.", "##..###..", "##.###...", "#####....", "####.....", "###......",
          "####.....", "#####....", "##.###...", "##..###..", "##...###.", "##....###"],
    "i": ["##", "##", "..", "..", "##", "##", "##", "##", "##", "##", "##", "##", "##"],
    "v": ["........"] * 4 + ["##....##", "##....##", "##....##", ".##..##.", ".##..##.", ".##..##.",
                             "..####..", "..####..", "...##..."],
    "e": ["........"] * 4 + ["..####..", ".######.", "##....##", "########", "########", "##......",
                             "##....##", ".######.", "..####.."],
    "l": ["##"] * 13,
    "2": ["..####..", ".######.", "##....##", "......##", "......##", ".....###", "....###.", "...###..",
          "..###...", ".###....", "###.....", "########", "########"],
}
FONT_HEIGHT = 13
LETTER_GAP = 2
TICK = ["......##", ".....##.", "##..##..", ".####...", "..##...."]
KEYHOLE = ["###", "###", ".#.", ".#.", ".#."]

VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
       (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def ramp(top, bottom, steps):
    return [tuple(round(a + (b - a) * k / (steps - 1)) for a, b in zip(top, bottom)) for k in range(steps)]


# The 8-bit table: the VGA colours first (index 0 stays black, which transparent icon pixels need),
# then a navy ramp, a steel ramp and a light-blue accent; the rest is black.
NAVY = ramp((40, 78, 150), (10, 26, 68), 16)        # indices 16-31
STEEL = ramp((255, 255, 255), (96, 106, 124), 8)    # indices 32-39
ACCENT = ramp((130, 185, 245), (50, 110, 200), 4)   # indices 40-43
PALETTE256 = (VGA + NAVY + STEEL + ACCENT + [(0, 0, 0)] * 256)[:256]

# What each part of a picture is painted with, per colour depth.
SCHEME4 = {"plate": [4], "ink": 15, "dark_ink": 4, "metal": [15, 15, 15, 7, 7, 8], "light": 15,
           "rim": 7, "edge": 8, "mark": 4, "accent": 7}
SCHEME8 = {"plate": list(range(16, 32)), "ink": 32, "dark_ink": 29, "metal": list(range(32, 40)),
           "light": 33, "rim": 35, "edge": 39, "mark": 43, "accent": 40}


def new_canvas(width, height):
    """Rows of palette indices, top row first; None marks a transparent pixel."""
    return [[None] * width for _ in range(height)]


def pick(shades, fraction):
    """The shade at a fraction 0..1 along a ramp."""
    return shades[min(len(shades) - 1, max(0, int(fraction * len(shades))))]


def paint_shape(canvas, inside, colour_at):
    """Paints every pixel whose centre satisfies inside(x, y) with colour_at(x, y)."""
    for y, row in enumerate(canvas):
        for x in range(len(row)):
            if inside(x + 0.5, y + 0.5):
                row[x] = colour_at(x + 0.5, y + 0.5)


def rounded_rect(left, top, width, height, radius):
    def inside(x, y):
        if not (left <= x < left + width and top <= y < top + height):
            return False
        dx = max(left + radius - x, 0, x - (left + width - radius))
        dy = max(top + radius - y, 0, y - (top + height - radius))
        return dx * dx + dy * dy <= radius * radius
    return inside


def vertical_gradient(shades, top, height):
    return lambda x, y: pick(shades, (y - top) / height)


def text_width(text):
    return sum(len(FONT[ch][0]) for ch in text) + LETTER_GAP * (len(text) - 1)


def draw_glyph(canvas, left, top, rows, colour):
    for dy, line in enumerate(rows):
        for dx, cell in enumerate(line):
            if cell == "#":
                canvas[top + dy][left + dx] = colour


def draw_text(canvas, left, top, text, colour):
    for ch in text:
        draw_glyph(canvas, left, top, FONT[ch], colour)
        left += len(FONT[ch][0]) + LETTER_GAP


def draw_text_centred(canvas, cx, cy, text, colour):
    draw_text(canvas, round(cx - text_width(text) / 2), round(cy - FONT_HEIGHT / 2), text, colour)


def shackle(cx, top, bottom, outer, inner):
    """The padlock's U-shaped bar: a ring of the given radii stretched down to the body."""
    centre_y = top + outer

    def inside(x, y):
        return y < bottom and inner <= math.hypot(x - cx, max(0.0, centre_y - y)) <= outer
    return inside


def draw_padlock(canvas, cx, top, body, radii, look):
    """A padlock: a shackle of (outer, inner) radii over a body (left, top, width, height).
    The shackle is shaded like a cylinder lit from the left. With look["edge"] set (icons, which
    land on any desktop colour) the shackle gets a dark outline and the body a light one."""
    left, body_top, width, height = body
    bar = shackle(cx, top, body_top + 1, *radii)
    paint_shape(canvas, bar, lambda x, y: pick(look["metal"], (x - cx + radii[0]) / (2 * radii[0])))
    block = rounded_rect(left, body_top, width, height, 2.5)
    paint_shape(canvas, block, look["fill"])
    paint_shape(canvas, lambda x, y: left + 2 <= x < left + width - 2 and body_top <= y < body_top + 1,
                lambda x, y: look["highlight"])
    if look.get("edge") is not None:
        outline(canvas, look["edge"], lambda x, y: bar(x, y) and not block(x, y))
        outline(canvas, look["highlight"], block)


def page(left, top, width, height, fold):
    """A sheet of paper whose top right corner is folded down by fold pixels."""
    corner = left + width - fold

    def inside(x, y):
        return left <= x < left + width and top <= y < top + height and x - corner <= y - top + 0.5
    return inside


def dog_ear(left, top, width, fold):
    """The folded-down flap of page()."""
    corner = left + width - fold
    return lambda x, y: corner <= x < left + width and top <= y < top + fold and x - corner <= y - top + 0.5


def outline(canvas, colour, inside):
    """Recolours the pixels of a shape that touch a pixel outside it."""
    for y, row in enumerate(canvas):
        for x in range(len(row)):
            if inside(x + 0.5, y + 0.5) and not all(
                    inside(x + 0.5 + dx, y + 0.5 + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                row[x] = colour


def lock_icon(s):
    """Steel shackle over a navy body that carries "K2"."""
    c = new_canvas(32, 32)
    body = {"metal": s["metal"], "fill": vertical_gradient(s["plate"], 13, 19), "highlight": s["rim"],
            "edge": s["edge"]}
    draw_padlock(c, 16, 1, (3, 13, 26, 19), (9, 5.5), body)
    draw_text_centred(c, 16, 22.5, "K2", s["ink"])
    return c


def setting_icon(s):
    """A sheet with "K2" over two ticked lines."""
    c = new_canvas(32, 32)
    sheet, flap = page(3, 0, 26, 32, 7), dog_ear(3, 0, 26, 7)
    paint_shape(c, sheet, lambda x, y: s["light"])
    outline(c, s["edge"], sheet)
    paint_shape(c, flap, lambda x, y: s["rim"])
    outline(c, s["edge"], flap)
    draw_text(c, 6, 5, "K2", s["dark_ink"])
    for top in (21, 26):
        draw_glyph(c, 6, top, TICK, s["mark"])
        paint_shape(c, lambda x, y: 16 <= x < 26 and top + 2 <= y < top + 4, lambda x, y: s["rim"])
    return c


def logo32(s):
    """The dialog logo: a white padlock with a navy "K2" on a navy tile."""
    c = new_canvas(32, 32)
    paint_shape(c, lambda x, y: True, vertical_gradient(s["plate"], 0, 32))
    body = {"metal": s["metal"], "fill": lambda x, y: s["light"], "highlight": s["ink"]}
    draw_padlock(c, 16, 3, (4, 12, 24, 18), (7, 4), body)
    draw_text_centred(c, 16, 21, "K2", s["dark_ink"])
    return c


def logo_bar(s):
    """The bar logo: a small padlock and the name on a navy plate with a light edge on the right."""
    c = new_canvas(80, 25)
    paint_shape(c, lambda x, y: True, vertical_gradient(s["plate"], 0, 25))
    body = {"metal": s["metal"], "fill": lambda x, y: s["light"], "highlight": s["ink"]}
    draw_padlock(c, 13.5, 3, (7, 11, 13, 11), (5, 2.5), body)
    draw_glyph(c, 12, 14, KEYHOLE, s["dark_ink"])
    draw_text(c, 25, 6, "Kivel2", s["ink"])
    for row in c:
        row[79] = s["accent"]
    return c


def palette_bytes(colours):
    return b"".join(struct.pack("<4B", b, g, r, 0) for r, g, b in colours)


def pack_row(indices, bits):
    """One row of palette indices packed at 1, 4 or 8 bits a pixel, padded to 4 bytes."""
    per_byte = 8 // bits
    out = bytearray()
    for i in range(0, len(indices), per_byte):
        byte = 0
        for j, value in enumerate(indices[i:i + per_byte]):
            byte |= value << (8 - bits * (j + 1))
        out.append(byte)
    return bytes(out) + b"\0" * (-len(out) % 4)


def pixel_rows(canvas, bits):
    """XOR image, bottom row first; transparent pixels are black (index 0)."""
    return b"".join(pack_row([v or 0 for v in row], bits) for row in reversed(canvas))


def mask_rows(canvas):
    """AND mask, bottom row first: 1 where the screen shows through."""
    return b"".join(pack_row([1 if v is None else 0 for v in row], 1) for row in reversed(canvas))


def info_header(width, height, bits, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, 0, 0)


def bmp_file(canvas):
    """An uncompressed 8-bit BMP with the full 256-colour table."""
    pixels = pixel_rows(canvas, 8)
    offset = 14 + 40 + 256 * 4
    return (struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
            + info_header(len(canvas[0]), len(canvas), 8, len(pixels)) + palette_bytes(PALETTE256) + pixels)


def icon_image(canvas, bits):
    """One icon image: header with doubled height, colour table, XOR image, AND mask."""
    palette = VGA if bits == 4 else PALETTE256
    pixels = pixel_rows(canvas, bits) + mask_rows(canvas)
    return info_header(len(canvas[0]), 2 * len(canvas), bits, len(pixels)) + palette_bytes(palette) + pixels


def ico_file(images):
    """An icon group from (canvas, bits) pairs."""
    blobs = [(canvas, bits, icon_image(canvas, bits)) for canvas, bits in images]
    offset = 6 + 16 * len(blobs)
    out = struct.pack("<HHH", 0, 1, len(blobs))
    for canvas, bits, blob in blobs:
        out += struct.pack("<BBBBHHII", len(canvas[0]) % 256, len(canvas) % 256, 16 if bits == 4 else 0,
                           0, 1, bits, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blob for _, _, blob in blobs)


def main():
    outputs = {
        "lock/res/kivel2.ico": ico_file([(lock_icon(SCHEME4), 4), (lock_icon(SCHEME8), 8)]),
        "lock/res/logo32.bmp": bmp_file(logo32(SCHEME8)),
        "lock/res/logo80x25.bmp": bmp_file(logo_bar(SCHEME8)),
        "setting/res/setting.ico": ico_file([(setting_icon(SCHEME4), 4), (setting_icon(SCHEME8), 8)]),
    }
    for name, data in outputs.items():
        path = ROOT / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
