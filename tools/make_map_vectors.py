#!/usr/bin/env python3
"""Writes resources/map/isles.map, the vector map of the British Isles and the near coast
of France that the tower map draws.

Needs GMT with the high-resolution GSHHG shorelines (Debian: gmt, gmt-gshhg-high); the
build itself never runs this. Everything is projected onto the British National Grid
(EPSG:27700, with the Ordnance Survey's Helmert shift from WGS84) and simplified to what a 1:250,000 view needs (Douglas-Peucker, 40 m).

The file is text, one feature a line:

  CHIMESET-MAP 1                      first line
  ; ...                               comments (the credit)
  B west south east north             the area covered, metres on the grid
  A level count x y dx dy dx dy ...   a closed area: level 1 land, 2 lake, 3 island in a lake
  R count x y dx dy ...               a river, an open line
  E                                   the end: a file cut short lacks it

Coordinates are in units of 10 m; after the first point of a feature each is the
difference from the one before, which keeps the file small.

Shoreline data: GSHHG (c) the GMT Team (Wessel and Smith), LGPL 3 or later.

Usage: tools/make_map_vectors.py [output]   (default: resources/map/isles.map)
"""
import os
import subprocess
import sys
import tempfile

# The data reach well beyond the map's own area, so that the edge where the shorelines are
# cut off (and land is closed along the meridian or parallel) never shows.
WEST, EAST, SOUTH, NORTH = -16.0, 8.0, 46.5, 63.0
# The map's own area: the British Isles, the Channel Islands and the near coast of France.
MAP_AREA = (-11.0, 2.6, 49.1, 61.0)
REGION = "-R%g/%g/%g/%g" % (WEST, EAST, SOUTH, NORTH)
# The National Grid with the Ordnance Survey's seven-parameter shift from WGS84 written out,
# so that it applies everywhere (the Channel Islands too) and matches the program's own
# placing of the towers.
PROJECTION = ("-J+proj=tmerc +lat_0=49 +lon_0=-2 +k=0.9996012717 +x_0=400000 +y_0=-100000 "
              "+ellps=airy +towgs84=446.448,-125.157,542.06,0.15,0.247,0.842,-20.489 +units=m")
TOLERANCE_M = 40.0     # 0.16 mm at 1:250,000
MIN_AREA_M2 = 20000.0  # smaller islets and ponds vanish at that scale
UNIT_M = 10.0
# A point inland in France, to tell which way round an area cut by the edge of the region
# closes: the way that holds it.
FRANCE_INLAND = (0.0, 48.6)


def run_gmt(args, text_in=None):
    result = subprocess.run(["gmt"] + args, input=text_in, capture_output=True, text=True,
                            cwd=tempfile.gettempdir())
    if result.returncode != 0:
        sys.exit("gmt %s failed:\n%s" % (args[0], result.stderr))
    return result.stdout


def segments(dump):
    out, current = [], []
    for line in dump.splitlines():
        if line.startswith(">"):
            if len(current) > 1:
                out.append(current)
            current = []
        elif line.strip():
            lon, lat = line.split()[:2]
            current.append((float(lon), float(lat)))
    if len(current) > 1:
        out.append(current)
    return out


def key(point):
    return (round(point[0], 6), round(point[1], 6))


def join(pieces):
    """Joins pieces that share end points (the shorelines come cut at bin edges)."""
    chains = [list(p) for p in pieces]
    starts = {}
    ends = set()
    for i, chain in enumerate(chains):
        starts.setdefault(key(chain[0]), []).append(i)
        ends.add(key(chain[-1]))
    used = [False] * len(chains)
    joined = []
    # Chains that nothing runs into go first, so that an open line is followed from its
    # beginning; what is left after them are closed rings.
    heads = [i for i, c in enumerate(chains) if key(c[0]) not in ends or key(c[0]) == key(c[-1])]
    rest = [i for i in range(len(chains)) if i not in set(heads)]
    for i in heads + rest:
        if used[i]:
            continue
        used[i] = True
        chain = chains[i]
        while key(chain[-1]) != key(chain[0]):
            nexts = [j for j in starts.get(key(chain[-1]), []) if not used[j]]
            if not nexts:
                break
            used[nexts[0]] = True
            chain = chain + chains[nexts[0]][1:]
        joined.append(chain)
    return joined


def on_edge(point):
    eps = 1e-6
    return (abs(point[0] - WEST) < eps or abs(point[0] - EAST) < eps or
            abs(point[1] - SOUTH) < eps or abs(point[1] - NORTH) < eps)


def perimeter_position(point):
    """Position along the region's edge, anticlockwise from the south-west corner."""
    x, y = point
    w, h = EAST - WEST, NORTH - SOUTH
    eps = 1e-6
    if abs(y - SOUTH) < eps:
        return x - WEST
    if abs(x - EAST) < eps:
        return w + (y - SOUTH)
    if abs(y - NORTH) < eps:
        return w + h + (EAST - x)
    return 2 * w + h + (NORTH - y)


def edge_walk(t_from, t_to, anticlockwise):
    """Points along the edge from one position to another, densified so that the
    projected edge keeps its curve."""
    w, h = EAST - WEST, NORTH - SOUTH
    total = 2 * (w + h)

    def at(t):
        t %= total
        if t < w:
            return (WEST + t, SOUTH)
        if t < w + h:
            return (EAST, SOUTH + t - w)
        if t < 2 * w + h:
            return (EAST - (t - w - h), NORTH)
        return (WEST, NORTH - (t - 2 * w - h))

    if anticlockwise:
        span = (t_to - t_from) % total
        direction = 1
    else:
        span = (t_from - t_to) % total
        direction = -1
    steps = max(1, int(span / 0.1))
    return [at(t_from + direction * span * i / steps) for i in range(1, steps)]


def close_on_edge(chains, anticlockwise):
    """Closes the chains that run out of the region along its edge."""
    open_chains = [c for c in chains if key(c[0]) != key(c[-1])]
    closed = [c for c in chains if key(c[0]) == key(c[-1])]
    usable = [c for c in open_chains if on_edge(c[0]) and on_edge(c[-1])]
    w, h = EAST - WEST, NORTH - SOUTH
    total = 2 * (w + h)
    remaining = list(usable)
    while remaining:
        ring = list(remaining.pop(0))
        start_t = perimeter_position(ring[0])
        while True:
            end_t = perimeter_position(ring[-1])

            def distance(t):
                return ((t - end_t) % total) if anticlockwise else ((end_t - t) % total)

            candidates = [(distance(perimeter_position(c[0])), i) for i, c in enumerate(remaining)]
            back_home = distance(start_t)
            if not candidates or back_home <= min(candidates)[0]:
                ring += edge_walk(end_t, start_t, anticlockwise) + [ring[0]]
                break
            _, index = min(candidates)
            following = remaining.pop(index)
            ring += edge_walk(end_t, perimeter_position(following[0]), anticlockwise) + following
        closed.append(ring)
    return closed


def contains(ring, point):
    x, y = point
    inside = False
    for (x1, y1), (x2, y2) in zip(ring, ring[1:] + ring[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def project(chains):
    flat = "".join("%.7f %.7f\n" % p for chain in chains for p in chain)
    values = run_gmt(["mapproject", PROJECTION, REGION, "-F", "-C"], flat).split("\n")
    out, at = [], 0
    for chain in chains:
        projected = []
        for _ in chain:
            x, y = values[at].split()[:2]
            projected.append((float(x), float(y)))
            at += 1
        out.append(projected)
    return out


def simplify(points, tolerance):
    if len(points) < 3:
        return points
    keep = [False] * len(points)
    keep[0] = keep[-1] = True
    stack = [(0, len(points) - 1)]
    while stack:
        first, last = stack.pop()
        (ax, ay), (bx, by) = points[first], points[last]
        dx, dy = bx - ax, by - ay
        length = (dx * dx + dy * dy) ** 0.5
        worst, worst_at = -1.0, -1
        for i in range(first + 1, last):
            px, py = points[i]
            if length == 0:
                d = ((px - ax) ** 2 + (py - ay) ** 2) ** 0.5
            else:
                d = abs(dy * (px - ax) - dx * (py - ay)) / length
            if d > worst:
                worst, worst_at = d, i
        if worst > tolerance:
            keep[worst_at] = True
            stack.append((first, worst_at))
            stack.append((worst_at, last))
    return [p for p, k in zip(points, keep) if k]


def simplify_ring(ring):
    # A closed ring simplifies as two halves, so that its first point is not fixed alone.
    ring = ring[:-1] if ring[0] == ring[-1] else ring
    half = len(ring) // 2
    if half < 2:
        return ring
    a = simplify(ring[:half + 1], TOLERANCE_M)
    b = simplify(ring[half:] + ring[:1], TOLERANCE_M)
    return a[:-1] + b[:-1]


def area(ring):
    return abs(sum(x1 * y2 - x2 * y1
                   for (x1, y1), (x2, y2) in zip(ring, ring[1:] + ring[:1]))) / 2


def encode(points):
    units = [(int(round(x / UNIT_M)), int(round(y / UNIT_M))) for x, y in points]
    deduped = [units[0]]
    for p in units[1:]:
        if p != deduped[-1]:
            deduped.append(p)
    values = ["%d %d" % deduped[0]]
    for (x0, y0), (x1, y1) in zip(deduped, deduped[1:]):
        values.append("%d %d" % (x1 - x0, y1 - y0))
    return len(deduped), " ".join(values)


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "resources", "map", "isles.map")
    lines = ["CHIMESET-MAP 1",
             "; The British Isles and the near coast of France on the British National Grid.",
             "; Shorelines, lakes and rivers: GSHHG (c) the GMT Team, LGPL 3 or later.",
             "; Made by tools/make_map_vectors.py with GMT."]
    west, east, south, north = MAP_AREA
    corners = project([[(west, south), (east, south), (east, north), (west, north)]])[0]
    xs = [p[0] for p in corners]
    ys = [p[1] for p in corners]
    lines.append("B %d %d %d %d" % (min(xs), min(ys), max(xs), max(ys)))
    counts = {}
    for level in (1, 2, 3):
        chains = join(segments(run_gmt(["coast", REGION, "-Dh", "-M", "-W",
                                        "-A0/%d/%d" % (level, level)])))
        if level == 1:
            # Whichever way round holds France is the way land closes along the edge.
            rings = close_on_edge(chains, True)
            if not any(contains(r, FRANCE_INLAND) for r in rings):
                rings = close_on_edge(chains, False)
        else:
            rings = [c for c in chains if key(c[0]) == key(c[-1])]
        for ring in project(rings):
            ring = simplify_ring(ring)
            if len(ring) < 3 or area(ring) < MIN_AREA_M2:
                continue
            count, text = encode(ring)
            if count >= 3:
                lines.append("A %d %d %s" % (level, count, text))
                counts[level] = counts.get(level, 0) + 1
    rivers = join(segments(run_gmt(["coast", REGION, "-Dh", "-M", "-I1", "-I2"])))
    for line in project(rivers):
        line = simplify(line, TOLERANCE_M)
        count, text = encode(line)
        if count >= 2:
            lines.append("R %d %s" % (count, text))
            counts["rivers"] = counts.get("rivers", 0) + 1
    lines.append("E")
    with open(output, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    print("%s: %d bytes, %s" % (output, os.path.getsize(output), counts))


if __name__ == "__main__":
    main()
