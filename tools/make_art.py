#!/usr/bin/env python3
"""Draws the program's artwork: the seven built-in skin sheets and the icon.

    python3 tools/make_art.py [output-folder]      (default: resources/)

Writes skins/skin-N-NAME.bmp (640 by 448, 24 bits) and varno-4.ico (16, 32 and 64
pixels, 16 colours). The pieces are our own vector drawings below; the logo text uses
DejaVu Sans Bold from Debian's fonts-dejavu-core. The output is committed, so the
build never runs this script.

Sheet layout: 10 columns by 7 rows of 64-pixel cells. Row 0: empty squares in
columns 0 to 4 (dark, light, target, selection, last move), the logo in columns 5
and 6, black in 7 to 9. Rows 1 to 6: pawn, knight, bishop, rook, queen, king, white
in columns 0 to 4 and black in columns 5 to 9 on the same five backgrounds.

Every cell keeps its corners (6 by 6 pixels) and its middle (the 8 by 8 pixels
around the centre) in one flat colour, so a screenshot can be checked from a few
pixels; the script asserts it.
"""
import math
import os
import random
import struct
import sys

try:
    from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont
except ImportError:  # a Python of its own may lack Debian's python3-pil
    sys.path.append("/usr/lib/python3/dist-packages")
    from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

CELL = 64
SS = 4                      # supersampling of the piece drawings
BIG = CELL * SS
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
CORNER = 6                  # flat corner boxes
MIDDLE = (28, 36)           # flat middle box, pixels [28, 36) in x and y

# ---- geometry helpers (coordinates in cell units, 0..64) ------------------------


def bezier(p0, c, p1, steps=16):
    """Points of a quadratic curve from p0 to p1 pulled towards c (p0 excluded)."""
    pts = []
    for i in range(1, steps + 1):
        t = i / steps
        x = (1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * c[0] + t * t * p1[0]
        y = (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * c[1] + t * t * p1[1]
        pts.append((x, y))
    return pts


def path(start, *segments):
    """A closed outline: each segment is a point or ('q', control, end)."""
    pts = [start]
    for seg in segments:
        if isinstance(seg[0], str):
            pts += bezier(pts[-1], seg[1], seg[2])
        else:
            pts.append(seg)
    return pts


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


BASE = ("poly", rect(14, 49, 50, 55), True)

# Each piece: a list of shapes ("poly", points, outlined), ("circle", (x, y, r),
# outlined), and detail strokes ("line", points, width) or ("dot", (x, y, r)).
PIECES = {
    1: [  # pawn
        ("poly", path((24, 25.5), ("q", (23, 40), (17, 48)), (47, 48),
                      ("q", (41, 40), (40, 25.5))), True),
        ("poly", rect(22, 21, 42, 25.5), True),
        ("circle", (32, 14.5, 7.5), True),
        ("poly", rect(15, 47.5, 49, 55), True),
    ],
    2: [  # knight, facing left
        ("poly", [(19, 49), (20, 43), (23, 38), (25.5, 34.5), (22, 32.5), (16, 33.5), (11, 32.5),
                  (8, 29), (9, 24.5), (13.5, 19.5), (18.5, 14.5), (21.5, 10.5), (24, 4),
                  (27, 9), (31, 8), (38, 10.5), (44, 16.5), (48, 25.5), (49.5, 36), (48.5, 44),
                  (47.5, 49)], True),
        ("dot", (22, 18.5, 1.7)),
        ("dot", (12.8, 27, 1.1)),
        ("line", [(12.5, 30.3), (17, 30.6)], 1.0),
        ("line", [(32.5, 10.5), (39.5, 14), (44.5, 20.5), (46.8, 30), (46.8, 40), (45.8, 47)], 1.3),
        BASE,
    ],
    3: [  # bishop
        ("circle", (32, 7.5, 3.5), True),
        ("poly", path((32, 10.5), ("q", (44, 16), (43, 29)), ("q", (43, 36), (37.5, 40)),
                      (26.5, 40), ("q", (21, 36), (21, 29)), ("q", (20, 16), (32, 10.5))), True),
        ("line", [(34.5, 15), (39.5, 24.5)], 1.5),
        ("poly", rect(23, 40, 41, 44), True),
        ("poly", [(25, 44), (39, 44), (44, 49), (20, 49)], True),
        BASE,
    ],
    4: [  # rook
        ("poly", [(17, 8), (23.5, 8), (23.5, 13), (28.5, 13), (28.5, 8), (35.5, 8), (35.5, 13),
                  (40.5, 13), (40.5, 8), (47, 8), (47, 20), (17, 20)], True),
        ("poly", rect(21, 20, 43, 44), True),
        ("poly", [(18, 44), (46, 44), (48, 49), (16, 49)], True),
        BASE,
    ],
    5: [  # queen
        ("poly", [(17.5, 44), (11, 17), (21, 27), (21.5, 12), (28, 22.5), (32, 8.5), (36, 22.5),
                  (42.5, 12), (43, 27), (53, 17), (46.5, 44)], True),
        ("circle", (11, 16, 3), True),
        ("circle", (21.5, 11, 3), True),
        ("circle", (32, 7.5, 3), True),
        ("circle", (42.5, 11, 3), True),
        ("circle", (53, 16, 3), True),
        ("line", [(18.8, 39), (45.2, 39)], 1.3),
        ("poly", rect(16, 44, 48, 49), True),
        BASE,
    ],
    6: [  # king
        ("poly", [(30.5, 2), (33.5, 2), (33.5, 5), (37, 5), (37, 8), (33.5, 8), (33.5, 13),
                  (30.5, 13), (30.5, 8), (27, 8), (27, 5), (30.5, 5)], True),
        ("circle", (32, 15.5, 3.5), True),
        ("poly", path((18, 44), ("q", (14, 36), (12, 27)), ("q", (11, 17), (22, 17)),
                      ("q", (29, 17.5), (32, 24)), ("q", (35, 17.5), (42, 17)),
                      ("q", (53, 17), (52, 27)), ("q", (50, 36), (46, 44))), True),
        ("line", [(17.5, 39), (46.5, 39)], 1.3),
        ("poly", rect(16, 44, 48, 49), True),
        BASE,
    ],
}


def scaled(points):
    return [(x * SS, y * SS) for x, y in points]


def piece_masks(kind, line_width):
    """Masks of one piece at cell size: silhouette, outer edge, inner lines."""
    sil = Image.new("L", (BIG, BIG), 0)
    lines = Image.new("L", (BIG, BIG), 0)
    ds, dl = ImageDraw.Draw(sil), ImageDraw.Draw(lines)
    w = max(1, int(round(line_width * SS)))
    for shape in PIECES[kind]:
        what = shape[0]
        if what == "poly":
            ds.polygon(scaled(shape[1]), fill=255)
        elif what == "circle":
            x, y, r = shape[1]
            ds.ellipse([(x - r) * SS, (y - r) * SS, (x + r) * SS, (y + r) * SS], fill=255)
    for shape in PIECES[kind]:
        what = shape[0]
        if what == "poly" and shape[2]:
            dl.polygon(scaled(shape[1]), outline=255, width=w)
        elif what == "circle" and shape[2]:
            x, y, r = shape[1]
            dl.ellipse([(x - r) * SS, (y - r) * SS, (x + r) * SS, (y + r) * SS], outline=255, width=w)
        elif what == "line":
            dl.line(scaled(shape[1]), fill=255, width=max(1, int(round(shape[2] * SS))), joint="curve")
        elif what == "dot":
            x, y, r = shape[1]
            dl.ellipse([(x - r) * SS, (y - r) * SS, (x + r) * SS, (y + r) * SS], fill=255)
    inner_area = sil.filter(ImageFilter.MinFilter(2 * w + 1))
    edge = ImageChops.subtract(sil, inner_area)
    inner = ImageChops.multiply(lines, inner_area)
    down = lambda im: im.resize((CELL, CELL), Image.BOX)
    return down(sil), down(edge), down(inner)

# ---- colours and textures ---------------------------------------------------------


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def flat_weight():
    """0 in the corner boxes and the middle box, rising smoothly to 1 around them."""
    w = Image.new("L", (CELL, CELL), 0)
    px = w.load()
    for y in range(CELL):
        for x in range(CELL):
            dx = max(MIDDLE[0] - x, x - (MIDDLE[1] - 1), 0)
            dy = max(MIDDLE[0] - y, y - (MIDDLE[1] - 1), 0)
            d_mid = math.hypot(dx, dy)
            cx = min(x, CELL - 1 - x)
            cy = min(y, CELL - 1 - y)
            d_corner = max(cx - (CORNER - 1), cy - (CORNER - 1), 0)
            d = min(d_mid / 6.0, d_corner / 4.0, 1.0)
            px[x, y] = int(255 * d * d * (3 - 2 * d))
    return w


FLAT = None


def textured(colour, texture, seed):
    """A 64-pixel square of `colour` with `texture` faded out over the flat boxes."""
    base = Image.new("RGB", (CELL, CELL), colour)
    if texture is None:
        return base
    rnd = random.Random(seed)
    tex = Image.new("RGB", (CELL, CELL))
    px = tex.load()
    if texture == "grain":          # fine paper or felt fibre
        for y in range(CELL):
            for x in range(CELL):
                v = rnd.uniform(-1, 1) * 9
                px[x, y] = tuple(max(0, min(255, int(c + v))) for c in colour)
        tex = tex.filter(ImageFilter.GaussianBlur(0.6))
    elif texture == "wood":
        phase = rnd.uniform(0, 6.3)
        slope = rnd.uniform(-0.12, 0.12)
        bend = rnd.uniform(2.0, 4.0)
        for y in range(CELL):
            for x in range(CELL):
                u = y + slope * x + bend * math.sin(x / 11.0 + phase)
                ring = 0.5 + 0.5 * math.sin(u * 0.9 + 1.7 * math.sin(u * 0.23 + phase))
                fleck = rnd.uniform(-1, 1) * 3
                k = 1.0 - 0.17 * ring ** 3 + fleck / 100.0
                px[x, y] = tuple(max(0, min(255, int(c * k))) for c in colour)
    return Image.composite(tex, base, FLAT)


BLUE, RED, GREEN = (60, 110, 235), (225, 55, 45), (60, 175, 70)

# name, dark square, light square, square texture, piece style, colours of the
# white piece (fill, line, inner line) and of the black piece, logo ink.
SKINS = [
    dict(name="book", dark=(150, 150, 150), light=(205, 205, 205), texture=None,
         style="flat", tint=0.55, lw=1.5,
         white=((255, 255, 255), (0, 0, 0), (0, 0, 0)),
         black=((0, 0, 0), (0, 0, 0), (255, 255, 255)), logo=(0, 0, 0)),
    dict(name="classic", dark=(110, 145, 85), light=(236, 236, 208), texture=None,
         style="shadow", tint=0.55, lw=1.4,
         white=((250, 248, 240), (40, 40, 40), (60, 60, 60)),
         black=((45, 45, 45), (20, 20, 20), (215, 215, 215)), logo=(40, 70, 30)),
    dict(name="old", dark=(168, 132, 92), light=(226, 206, 166), texture="grain",
         style="ink", tint=0.5, lw=1.7,
         white=((243, 232, 206), (72, 46, 24), (72, 46, 24)),
         black=((72, 46, 24), (60, 36, 18), (236, 220, 186)), logo=(72, 46, 24)),
    dict(name="bright", dark=(80, 200, 230), light=(255, 240, 140), texture=None,
         style="bold", tint=0.75, lw=2.3,
         white=((255, 255, 255), (10, 10, 10), (10, 10, 10)),
         black=((25, 25, 70), (10, 10, 30), (255, 255, 255)), logo=(160, 40, 10)),
    dict(name="modern", dark=(88, 104, 126), light=(176, 186, 202), texture=None,
         style="smooth", tint=0.55, lw=1.2,
         white=((246, 248, 252), (52, 58, 70), (120, 130, 150)),
         black=((34, 38, 46), (20, 22, 28), (150, 160, 178)), logo=(30, 40, 60)),
    dict(name="desk", dark=(54, 98, 64), light=(208, 192, 150), texture="grain",
         style="relief", tint=0.5, lw=1.3,
         white=((236, 228, 208), (60, 50, 40), (110, 96, 80)),
         black=((52, 40, 34), (30, 22, 18), (150, 126, 104)), logo=(50, 40, 30)),
    dict(name="clear", dark=(128, 80, 44), light=(222, 182, 132), texture="wood",
         style="modelled", tint=0.5, lw=1.0,
         white=((242, 232, 212), (110, 92, 70), (150, 130, 104)),
         black=((52, 40, 34), (24, 18, 14), (120, 98, 84)), logo=(70, 40, 20)),
]
TITLES = ["1. Book", "2. Classic", "3. Old", "4. Bright", "5. Modern", "6. Desk", "7. Clear"]

# ---- drawing the sheet ------------------------------------------------------------


def backgrounds(skin, number):
    mid = mix(skin["dark"], skin["light"], 0.5)
    colours = [skin["dark"], skin["light"], mix(mid, BLUE, skin["tint"]),
               mix(mid, RED, skin["tint"]), mix(mid, GREEN, skin["tint"])]
    return [textured(c, skin["texture"], number * 10 + i) for i, c in enumerate(colours)]


def shading(sil, fill, strength):
    """Fill modelled by light from the upper left: brighter on the lit edges, darker
    on the far ones, flat inside."""
    soft = sil.filter(ImageFilter.GaussianBlur(1.6))
    lit = ImageChops.subtract(soft, ImageChops.offset(soft, -1, -1))       # far edges
    dark = ImageChops.subtract(soft, ImageChops.offset(soft, 1, 1))        # lit edges
    out = Image.new("RGB", (CELL, CELL), fill)
    px, lp, dp = out.load(), lit.load(), dark.load()
    for y in range(CELL):
        for x in range(CELL):
            k = (dp[x, y] - lp[x, y]) / 255.0 * strength
            if abs(k) < 0.02:
                continue
            px[x, y] = tuple(max(0, min(255, int(c + (255 - c if k > 0 else c) * k))) for c in fill)
    for y in range(MIDDLE[0] - 2, MIDDLE[1] + 2):   # keep the middle exactly flat
        for x in range(MIDDLE[0] - 2, MIDDLE[1] + 2):
            px[x, y] = fill
    return out


def draw_piece(cell, masks, colours, style):
    sil, edge, inner = masks
    fill, line, inner_line = colours
    if style in ("shadow", "smooth", "relief", "modelled"):
        shadow = ImageChops.offset(sil, 2, 2).filter(ImageFilter.GaussianBlur(1.5))
        shadow = shadow.point(lambda v: v * 45 // 100)
        cell = Image.composite(Image.new("RGB", cell.size, (0, 0, 0)), cell, shadow)
    strength = {"smooth": 0.35, "relief": 0.45, "modelled": 0.8}.get(style, 0)
    body = shading(sil, fill, strength) if strength else Image.new("RGB", cell.size, fill)
    cell = Image.composite(body, cell, sil)
    cell = Image.composite(Image.new("RGB", cell.size, line), cell, edge)
    cell = Image.composite(Image.new("RGB", cell.size, inner_line), cell, inner)
    return cell


def draw_logo(skin):
    logo = Image.new("RGB", (2 * CELL, CELL), skin["light"])
    d = ImageDraw.Draw(logo)
    font = ImageFont.truetype(FONT_BOLD, 25)
    text = "Varno-4"
    box = d.textbbox((0, 0), text, font=font)
    x = (2 * CELL - (box[2] - box[0])) // 2 - box[0]
    d.text((x, 10 - box[1]), text, font=font, fill=skin["logo"])
    small = ImageFont.truetype(FONT_BOLD, 11)
    sub = "CHESS"
    sbox = d.textbbox((0, 0), sub, font=small)
    d.text(((2 * CELL - (sbox[2] - sbox[0])) // 2 - sbox[0], 44 - sbox[1]), sub, font=small,
           fill=skin["logo"])
    d.line([(14, 39), (114, 39)], fill=skin["logo"], width=1)
    return logo


def make_sheet(number, skin):
    sheet = Image.new("RGB", (10 * CELL, 7 * CELL), (0, 0, 0))
    backs = backgrounds(skin, number)
    for column in range(5):
        sheet.paste(backs[column], (column * CELL, 0))
    sheet.paste(draw_logo(skin), (5 * CELL, 0))
    for kind in range(1, 7):
        masks = piece_masks(kind, skin["lw"])
        for colour_index, colours in enumerate((skin["white"], skin["black"])):
            for column in range(5):
                cell = draw_piece(backs[column].copy(), masks, colours, skin["style"])
                sheet.paste(cell, ((column + 5 * colour_index) * CELL, kind * CELL))
    check_flat(sheet, skin["name"])
    return sheet


def check_flat(sheet, name):
    px = sheet.load()
    boxes = [(0, 0), (CELL - CORNER, 0), (0, CELL - CORNER), (CELL - CORNER, CELL - CORNER)]
    for row in range(7):
        for column in range(10):
            if row == 0 and column >= 5:
                continue
            ox, oy = column * CELL, row * CELL
            areas = [(bx, by, CORNER) for bx, by in boxes] + [(MIDDLE[0], MIDDLE[0], MIDDLE[1] - MIDDLE[0])]
            for bx, by, size in areas:
                values = {px[ox + bx + i, oy + by + j] for i in range(size) for j in range(size)}
                assert len(values) == 1, f"{name}: cell {column},{row} not flat at {bx},{by}: {values}"

# ---- icon ---------------------------------------------------------------------------

VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


ICON_COLOURS = [0, 1, 7, 8, 15]   # black, maroon, silver, grey, white of the palette


def icon_image(size):
    """A white king with a black edge on a maroon square, in 16 colours."""
    sil, edge, inner = piece_masks(6, {16: 2.6, 32: 2.2}.get(size, 1.6))
    art = Image.new("RGB", (CELL, CELL), VGA[1])
    art = draw_piece(art, (sil, edge, inner), ((255, 255, 255), (0, 0, 0), (0, 0, 0)), "flat")
    art = art.crop((4, 1, 60, 57)).resize((size, size), Image.BOX)
    out = Image.new("P", (size, size))
    src, dst = art.load(), out.load()
    for y in range(size):
        for x in range(size):
            p = src[x, y]
            dst[x, y] = min(ICON_COLOURS, key=lambda i: sum((p[k] - VGA[i][k]) ** 2 for k in range(3)))
    return out


def icon_entry(img):
    size = img.size[0]
    row_xor = ((size * 4 + 31) // 32) * 4
    row_and = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0,
                         (row_xor + row_and) * size, 0, 0, 16, 0)
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in VGA)
    px = img.load()
    xor = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(row_xor)
        for x in range(size):
            row[x // 2] |= px[x, y] << (4 if x % 2 == 0 else 0)
        xor += row
    mask = bytes(row_and * size)  # fully opaque
    return header + pal + bytes(xor) + mask


def write_icon(path):
    images = [icon_entry(icon_image(s)) for s in (16, 32, 64)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip((16, 32, 64), images):
        out += struct.pack("<BBBBHHII", s, s, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def main():
    global FLAT
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources")
    os.makedirs(os.path.join(out, "skins"), exist_ok=True)
    FLAT = flat_weight()
    for number, skin in enumerate(SKINS):
        sheet = make_sheet(number, skin)
        path = os.path.join(out, "skins", f"skin-{number + 1}-{skin['name']}.bmp")
        sheet.save(path, "BMP")
        print(f"{path}: {TITLES[number]}")
    write_icon(os.path.join(out, "varno-4.ico"))
    print(os.path.join(out, "varno-4.ico"))


if __name__ == "__main__":
    main()
