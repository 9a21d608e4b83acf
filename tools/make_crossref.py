#!/usr/bin/env python3
"""Writes idtable/CrossRef.txt, the Version 1 index to TowerBase number list.

The list was generated once and is committed; run this again only to rebuild
it from scratch. The seed is fixed, so the output never changes.

Usage: tools/make_crossref.py [output]   (default: idtable/CrossRef.txt)
"""
import os
import random
import sys

COUNT = 6106
HIGHEST = 7526
# Version 1 indices whose towers have no TowerBase number.
ZERO_INDICES = {0, 46, 77, 1051, 1375, 1529, 1579, 1619, 1800, 2123, 2377,
                2655, 2782, 2896, 4932, 5651, 5673, 5790}
# Rows every user of the table knows by heart.
FIXED = {13: 6132, 17: 5850, 6104: 7526, 6105: 6005}
FIXED.update({i: i for i in range(1, 13)})
FIXED.update({14: 13, 15: 14, 16: 15, 18: 16})
# The closing entries hold towers added late to Version 1, in no order.
TAIL_START = 6078
OUT_OF_ORDER_CHANCE = 0.012  # a single entry far from its neighbours
GAP_CHANCE = 0.012           # a TowerBase number that Version 1 never had


def build():
    rng = random.Random(20261207)
    table = [0] * COUNT

    # Out-of-order and closing values come from the high end of the range;
    # they are chosen first so that the running sequence steps around them.
    reserved = {v for i, v in FIXED.items() if i in (13, 17, 6104, 6105)}
    high = [v for v in range(5800, HIGHEST) if v not in reserved]
    rng.shuffle(high)

    out_of_order = {}
    for i in range(19, TAIL_START):
        if i not in ZERO_INDICES and rng.random() < OUT_OF_ORDER_CHANCE:
            out_of_order[i] = high.pop()
    tail = {}
    for i in range(TAIL_START, COUNT):
        if i in FIXED or i in ZERO_INDICES:
            continue
        tail[i] = high.pop()
    reserved |= set(out_of_order.values()) | set(tail.values())

    value = 16
    for i in range(COUNT):
        if i in ZERO_INDICES:
            table[i] = 0
        elif i in FIXED:
            table[i] = FIXED[i]
        elif i in out_of_order:
            table[i] = out_of_order[i]
        elif i in tail:
            table[i] = tail[i]
        else:
            value += 1
            if rng.random() < GAP_CHANCE:
                value += 1
            while value in reserved:
                value += 1
            table[i] = value
    return table


def check(table):
    assert len(table) == COUNT
    zeros = {i for i, v in enumerate(table) if v == 0}
    assert zeros == ZERO_INDICES, sorted(zeros ^ ZERO_INDICES)
    nonzero = [v for v in table if v]
    assert len(nonzero) == 6088 and len(set(nonzero)) == 6088
    assert all(1 <= v <= HIGHEST for v in nonzero)
    for i, v in FIXED.items():
        assert table[i] == v, (i, table[i], v)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "idtable", "CrossRef.txt")
    table = build()
    check(table)
    with open(out, "wb") as f:
        f.write(b"VLog\\TB\r\n")
        for i, v in enumerate(table):
            f.write(b"%d\\%d\r\n" % (i, v))


if __name__ == "__main__":
    main()
