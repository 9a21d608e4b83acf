#!/usr/bin/env python3
"""Draws resources/map/britain.png, the map of Great Britain behind the tower markers.

Needs GMT with the high-resolution GSHHG shorelines (Debian: gmt, gmt-gshhg-high); the
build itself never runs this. The image is 200 x 300 pixels, 8-bit with a palette, and
pixel (x, y) shows the point at easting (x + 25) x 3 km and northing (295 - y) x 3 km of
the British National Grid (EPSG:27700), north at the top.

  light grey   land of Great Britain and its islands
  blue         inland water: lakes and the larger rivers
  yellow       the built-up areas of the larger towns, for finding one's way
  green        land beyond Great Britain (Ireland, France): its towers use other grids
               and are never marked
  white        sea

Shoreline data: GSHHG (c) the GMT Team, LGPL 3 or later.

Usage: tools/make_map.py [output.png]   (default: resources/map/britain.png)
"""
import math
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import palette_png  # noqa: E402

WIDTH, HEIGHT = 200, 300
KM_PER_PIXEL = 3
PROJECTION = "-JEPSG:27700"
REGION = "-R-10/3.5/48.5/58.8"
SUBSAMPLES = 5  # per pixel side: land coverage decides, not one lucky point

WORKDIR = tempfile.gettempdir()

SEA, LAND, COAST, WATER, TOWN, ABROAD, INK = range(7)
PALETTE = [
    (255, 255, 255),  # sea
    (240, 240, 240),  # land
    (200, 200, 200),  # the outermost land pixels, so that the coast reads on any screen
    (140, 190, 235),  # inland water
    (250, 214, 100),  # towns
    (196, 228, 184),  # land beyond Great Britain
    (80, 80, 80),     # key and scale bar
]

# Pixels that lie on the island of Ireland and on France; the land connected to each
# is shaded as land beyond Great Britain.
ABROAD_SEEDS = [(14, 164), (24, 118), (22, 96), (6, 190), (195, 262)]

# Larger towns: grid position of the centre in km and a rough radius of the built-up area.
TOWNS = [
    ("London", 530, 180, 17), ("Birmingham", 407, 287, 10), ("Manchester", 384, 398, 10),
    ("Liverpool", 338, 391, 6), ("Leeds", 430, 434, 6), ("Bradford", 416, 433, 4),
    ("Sheffield", 435, 387, 6), ("Newcastle", 425, 564, 7), ("Bristol", 359, 173, 6),
    ("Nottingham", 457, 340, 5), ("Leicester", 459, 304, 5), ("Glasgow", 259, 665, 9),
    ("Edinburgh", 325, 673, 6), ("Cardiff", 318, 177, 5), ("Swansea", 265, 193, 4),
    ("Plymouth", 248, 56, 4), ("Southampton", 442, 112, 5), ("Portsmouth", 465, 101, 4),
    ("Brighton", 531, 105, 4), ("Norwich", 623, 308, 4), ("Hull", 509, 429, 4),
    ("Stoke-on-Trent", 388, 347, 5), ("Coventry", 433, 279, 4), ("Aberdeen", 394, 806, 4),
    ("Dundee", 340, 731, 4), ("Derby", 435, 336, 4), ("Middlesbrough", 450, 519, 5),
    ("Sunderland", 439, 557, 4), ("Reading", 471, 173, 4), ("Bournemouth", 408, 92, 5),
    ("Preston", 354, 429, 4), ("Blackpool", 331, 436, 3), ("Ipswich", 616, 245, 3),
    ("Peterborough", 519, 299, 3), ("Northampton", 475, 261, 3), ("Milton Keynes", 486, 238, 4),
    ("Luton", 509, 221, 3), ("Oxford", 451, 206, 3), ("Cambridge", 545, 258, 3),
    ("York", 460, 452, 3), ("Exeter", 292, 92, 3), ("Gloucester", 383, 218, 3),
    ("Swindon", 415, 185, 3), ("Southend", 588, 186, 4), ("Wolverhampton", 391, 299, 4),
    ("Inverness", 266, 845, 3), ("Perth", 311, 723, 3), ("Stirling", 279, 693, 3),
    ("Newport", 331, 188, 3), ("Wrexham", 333, 350, 3), ("Carlisle", 340, 556, 3),
    ("Lincoln", 497, 371, 3), ("Chester", 341, 366, 3), ("Canterbury", 615, 157, 3),
]

# A 3 x 5 pixel font (M and W wider), enough for the key and the scale bar.
FONT = {
    "A": ["010", "101", "111", "101", "101"], "D": ["110", "101", "101", "101", "110"],
    "E": ["111", "100", "110", "100", "111"], "K": ["101", "101", "110", "101", "101"],
    "L": ["100", "100", "100", "100", "111"], "M": ["10001", "11011", "10101", "10001", "10001"],
    "N": ["1001", "1101", "1011", "1001", "1001"], "O": ["010", "101", "101", "101", "010"],
    "P": ["110", "101", "110", "100", "100"], "R": ["110", "101", "110", "101", "101"],
    "T": ["111", "010", "010", "010", "010"], "W": ["10001", "10001", "10101", "11011", "10001"],
    "0": ["010", "101", "101", "101", "010"], "1": ["010", "110", "010", "010", "111"],
    " ": ["00", "00", "00", "00", "00"],
}


def run_gmt(args, text_in=None, workdir=None):
    # GMT leaves gmt.history and gmt.conf in its working folder: keep them out of the tree.
    result = subprocess.run(["gmt"] + args, input=text_in, capture_output=True, text=True,
                            cwd=workdir or WORKDIR)
    if result.returncode != 0:
        sys.exit("gmt %s failed:\n%s" % (args[0], result.stderr))
    return result.stdout


def pixel_of(easting_m, northing_m):
    """The map panel's rule: position in 100 m units, rounded half up to 3 km pixels."""
    e, n = int(easting_m // 100), int(northing_m // 100)
    return (e * 100 // 30 + 50) // 100 - 25, 300 - ((n * 100 // 30 + 50) // 100 + 5)


def sample_levels(workdir):
    """GSHHG level (0 sea, 1 land, 2 lake) at SUBSAMPLES^2 points inside every pixel."""
    mask = os.path.join(workdir, "mask.nc")
    run_gmt(["grdlandmask", REGION, "-I0.004", "-Dh", "-N0/1/2/1/2", "-G" + mask])
    step = KM_PER_PIXEL * 1000 / SUBSAMPLES
    offsets = [(i - (SUBSAMPLES - 1) / 2) * step for i in range(SUBSAMPLES)]
    points = []
    for y in range(HEIGHT):
        for x in range(WIDTH):
            e0, n0 = (x + 25) * KM_PER_PIXEL * 1000, (295 - y) * KM_PER_PIXEL * 1000
            for dn in offsets:
                for de in offsets:
                    points.append("%.1f %.1f" % (e0 + de, n0 + dn))
    lonlat = run_gmt(["mapproject", PROJECTION, REGION, "-I", "-F", "-C"], "\n".join(points) + "\n")
    levels = run_gmt(["grdtrack", "-G" + mask, "-nn"], lonlat)
    values = [int(round(float(line.split()[2]))) for line in levels.splitlines() if line.strip()]
    per_pixel = SUBSAMPLES * SUBSAMPLES
    if len(values) != WIDTH * HEIGHT * per_pixel:
        sys.exit("grdtrack returned %d samples, expected %d" % (len(values), WIDTH * HEIGHT * per_pixel))
    return [values[i:i + per_pixel] for i in range(0, len(values), per_pixel)]


def river_pixels():
    """Pixels crossed by the double-lined and the major rivers (GSHHG river levels 1 to 3)."""
    dump = run_gmt(["coast", REGION, "-Dh", "-I1", "-I2", "-I3", "-M"])
    lines, current = [], []
    for line in dump.splitlines():
        if line.startswith(">"):
            if current:
                lines.append(current)
            current = []
        elif line.strip():
            current.append(line)
    if current:
        lines.append(current)
    flat = "\n".join("\n".join(line) for line in lines) + "\n"
    projected = run_gmt(["mapproject", PROJECTION, REGION, "-F", "-C"], flat).split("\n")
    pixels, k = set(), 0
    for line in lines:
        coords = [tuple(map(float, projected[k + i].split()[:2])) for i in range(len(line))]
        k += len(line)
        for (e1, n1), (e2, n2) in zip(coords, coords[1:]):
            steps = max(1, int(math.hypot(e2 - e1, n2 - n1) / 500))
            for s in range(steps + 1):
                pixels.add(pixel_of(e1 + (e2 - e1) * s / steps, n1 + (n2 - n1) * s / steps))
    return pixels


def classify(levels, rivers):
    grid = [[SEA] * WIDTH for _ in range(HEIGHT)]
    for y in range(HEIGHT):
        for x in range(WIDTH):
            samples = levels[y * WIDTH + x]
            inside = sum(1 for v in samples if v >= 1) / len(samples)
            lake = sum(1 for v in samples if v == 2) / len(samples)
            if inside >= 0.5:
                grid[y][x] = WATER if lake >= 0.35 else LAND
    for x, y in rivers:
        if 0 <= x < WIDTH and 0 <= y < HEIGHT and grid[y][x] == LAND:
            grid[y][x] = WATER
    return grid


def neighbours(x, y):
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        if 0 <= x + dx < WIDTH and 0 <= y + dy < HEIGHT:
            yield x + dx, y + dy


def shade_abroad(grid):
    for seed in ABROAD_SEEDS:
        if grid[seed[1]][seed[0]] == SEA:
            continue
        stack = [seed]
        while stack:
            x, y = stack.pop()
            if grid[y][x] not in (LAND, WATER):
                continue
            grid[y][x] = ABROAD
            stack.extend(neighbours(x, y))


def shade_towns(grid):
    for _, e_km, n_km, radius_km in TOWNS:
        cx, cy = pixel_of(e_km * 1000, n_km * 1000)
        r = max(radius_km / KM_PER_PIXEL, 1.0)
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                if 0 <= x < WIDTH and 0 <= y < HEIGHT and math.hypot(x - cx, y - cy) <= r \
                        and grid[y][x] == LAND:
                    grid[y][x] = TOWN


def mark_coast(grid):
    edge = [(x, y) for y in range(HEIGHT) for x in range(WIDTH)
            if grid[y][x] == LAND and any(grid[ny][nx] == SEA for nx, ny in neighbours(x, y))]
    for x, y in edge:
        grid[y][x] = COAST


def text_width(text):
    return sum(len(FONT[c][0]) + 1 for c in text) - 1


def draw_text(grid, x, y, text, used):
    for c in text:
        glyph = FONT[c]
        for dy, row in enumerate(glyph):
            for dx, bit in enumerate(row):
                used.add((x + dx, y + dy))
                if bit == "1":
                    grid[y + dy][x + dx] = INK
        x += len(glyph[0]) + 1


def draw_key(grid, used):
    entries = [(WATER, "WATER"), (TOWN, "TOWN"), (ABROAD, "NOT PLOTTED")]
    left = WIDTH - 3 - 8 - max(text_width(label) for _, label in entries)
    y = 3
    for colour, label in entries:
        for dy in range(5):
            for dx in range(6):
                border = dx in (0, 5) or dy in (0, 4)
                grid[y + dy][left + dx] = INK if border else colour
                used.add((left + dx, y + dy))
        draw_text(grid, left + 8, y, label, used)
        y += 8


def draw_scale_bar(grid, used):
    length = round(100 / KM_PER_PIXEL)  # pixels for 100 km
    # Far enough left to stay in the Channel, clear of the French coast.
    right, base = WIDTH - 32, HEIGHT - 6
    left = right - length
    for x in range(left, right + 1):
        grid[base][x] = INK
        used.add((x, base))
    for x in (left, right):
        for y in (base - 2, base - 1):
            grid[y][x] = INK
            used.add((x, y))
    label = "100 KM"
    draw_text(grid, left + (length - text_width(label)) // 2, base - 8, label, used)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "resources", "map", "britain.png")
    global WORKDIR
    with tempfile.TemporaryDirectory() as workdir:
        WORKDIR = workdir
        levels = sample_levels(workdir)
        rivers = river_pixels()
    grid = classify(levels, rivers)
    shade_abroad(grid)
    shade_towns(grid)
    mark_coast(grid)
    before = [row[:] for row in grid]
    used = set()
    draw_key(grid, used)
    draw_scale_bar(grid, used)
    covered = sorted((x, y) for x, y in used if before[y][x] != SEA)
    if covered:
        sys.exit("the key or the scale bar would hide land at %s" % covered[:5])
    palette_png.write(out, WIDTH, HEIGHT, grid, PALETTE)
    print("wrote", out)


if __name__ == "__main__":
    main()
