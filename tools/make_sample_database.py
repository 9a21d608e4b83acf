#!/usr/bin/env python3
"""Writes resources/data/DoveData.CB0, the invented sample tower database that the programs
use until the real Dove's Guide list is installed.

Every tower is made up: place names are built from English (and Welsh and Scottish)
place-name elements, counties are real and agree with the tower's position, dedications
are common ones, 3 to 12 bells with tenors of 200 to 6,000 lb. Each tower with a grid
reference stands on land of Great Britain as resources/map/britain.png draws it; a few
towers have no grid reference. The identity numbers are TowerBase numbers taken from
idtable/CrossRef.txt, so that converted Version 1 logs find their towers. After the nine
columns come the details a ringer checks before going (ringable, practice night, ground floor,
toilet, simulator, tenor note, postcode, web page, remarks), also invented; the web pages are
on the reserved example.org domain.

The seed is fixed: the output changes only when this script or its inputs change.

Usage: tools/make_sample_database.py [output]   (default: resources/data/DoveData.CB0)
"""
import math
import os
import random
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..")
sys.path.insert(0, HERE)
import palette_png  # noqa: E402

TOWER_COUNT = 1000
WITHOUT_GRID_REFERENCE = 6
SEED = 20261207
HEADER = ("Locn\\Dedn\\Cnty\\OS\\Lat\\Lon\\Bells\\Wt\\IndexNo\\Ringable\\Practice\\GroundFloor"
          "\\Toilet\\Simulator\\TenorNote\\Postcode\\WebPage\\Remarks")
NOTICE = ("; Invented sample data: these towers, places and numbers do not exist. "
          "Install the real Dove's Guide list with chimedove (see README).")

# Land colours of the map where a tower may stand: land, its coast pixels and towns.
LAND_COLOURS = {(240, 240, 240), (200, 200, 200), (250, 214, 100)}

# County, nation, centre (grid km), spread (km), share of the towers.
COUNTIES = [
    ("Cornwall", "E", 195, 60, 30, 14), ("Devon", "E", 270, 95, 40, 36),
    ("Somerset", "E", 330, 135, 30, 30), ("Dorset", "E", 370, 100, 25, 16),
    ("Wiltshire", "E", 405, 160, 25, 20), ("Gloucestershire", "E", 385, 215, 25, 20),
    ("Bristol", "E", 360, 173, 6, 3), ("Hampshire", "E", 450, 128, 25, 18),
    ("Isle of Wight", "E", 450, 85, 8, 2), ("West Sussex", "E", 505, 118, 20, 12),
    ("East Sussex", "E", 560, 115, 20, 12), ("Surrey", "E", 515, 150, 18, 14),
    ("Kent", "E", 600, 150, 30, 26), ("Greater London", "E", 530, 180, 15, 10),
    ("Berkshire", "E", 460, 172, 15, 7), ("Oxfordshire", "E", 445, 210, 22, 18),
    ("Buckinghamshire", "E", 480, 210, 18, 12), ("Hertfordshire", "E", 520, 215, 18, 12),
    ("Essex", "E", 580, 215, 25, 22), ("Suffolk", "E", 610, 260, 25, 26),
    ("Norfolk", "E", 610, 310, 30, 26), ("Cambridgeshire", "E", 530, 270, 22, 14),
    ("Bedfordshire", "E", 505, 245, 15, 8), ("Northamptonshire", "E", 475, 265, 20, 15),
    ("Warwickshire", "E", 430, 265, 20, 12), ("Worcestershire", "E", 385, 255, 18, 10),
    ("Herefordshire", "E", 350, 245, 20, 10), ("Shropshire", "E", 350, 305, 25, 14),
    ("Staffordshire", "E", 395, 325, 22, 12), ("West Midlands", "E", 405, 285, 12, 6),
    ("Leicestershire", "E", 465, 310, 20, 14), ("Rutland", "E", 490, 308, 8, 3),
    ("Lincolnshire", "E", 510, 370, 35, 24), ("Nottinghamshire", "E", 465, 360, 18, 10),
    ("Derbyshire", "E", 425, 360, 22, 11), ("Cheshire", "E", 365, 365, 20, 9),
    ("Merseyside", "E", 340, 395, 10, 4), ("Greater Manchester", "E", 380, 400, 12, 6),
    ("Lancashire", "E", 355, 440, 25, 10), ("South Yorkshire", "E", 440, 400, 15, 6),
    ("West Yorkshire", "E", 420, 432, 18, 9), ("East Yorkshire", "E", 490, 445, 20, 8),
    ("North Yorkshire", "E", 440, 470, 40, 18), ("Cumbria", "E", 340, 520, 35, 8),
    ("County Durham", "E", 410, 530, 20, 6), ("Northumberland", "E", 400, 590, 30, 5),
    ("Tyne and Wear", "E", 430, 562, 8, 3),
    ("Isle of Anglesey", "W", 245, 378, 12, 2), ("Gwynedd", "W", 270, 340, 25, 3),
    ("Conwy", "W", 285, 370, 12, 2), ("Denbighshire", "W", 305, 360, 12, 2),
    ("Flintshire", "W", 322, 370, 10, 3), ("Wrexham", "W", 330, 345, 10, 2),
    ("Powys", "W", 305, 270, 30, 4), ("Ceredigion", "W", 260, 265, 20, 2),
    ("Pembrokeshire", "W", 200, 220, 18, 3), ("Carmarthenshire", "W", 245, 220, 20, 3),
    ("Swansea", "W", 262, 195, 8, 2), ("Vale of Glamorgan", "W", 302, 172, 10, 3),
    ("Cardiff", "W", 318, 178, 6, 2), ("Monmouthshire", "W", 345, 205, 15, 4),
    ("Dumfries and Galloway", "S", 280, 575, 35, 2), ("Scottish Borders", "S", 350, 630, 30, 2),
    ("City of Edinburgh", "S", 325, 672, 8, 3), ("Fife", "S", 335, 705, 15, 2),
    ("Glasgow City", "S", 259, 665, 8, 2), ("Perth and Kinross", "S", 300, 735, 25, 2),
    ("Angus", "S", 345, 755, 18, 1), ("Aberdeen City", "S", 392, 806, 8, 2),
    ("Highland", "S", 265, 845, 15, 1), ("Argyll and Bute", "S", 200, 700, 20, 1),
]

ENGLISH_FIRST = [
    "Ash", "Alder", "Bark", "Beck", "Birch", "Black", "Brad", "Bram", "Brock", "Bur",
    "Chad", "Chal", "Chil", "Clay", "Cold", "Crow", "Dun", "Elm", "Fen", "Fox", "Ged",
    "Gold", "Hal", "Hart", "Haw", "Hazel", "Hol", "Ick", "Kel", "Ken", "Lang", "Lea",
    "Mar", "Mel", "Mill", "Nor", "Oak", "Ock", "Pid", "Ros", "Rush", "Sal", "Sand",
    "Shep", "Stan", "Stoke", "Sut", "Thorn", "Tud", "Wal", "War", "Wes", "Whit", "Wil",
    "Win", "Wood", "Yar", "Ux", "Ead", "Ang", "Cray", "Swin", "Wold", "Hen", "Lid",
]
ENGLISH_LAST = [
    "ton", "ham", "ford", "ley", "bury", "field", "worth", "stead", "well", "bridge",
    "den", "ing", "ingham", "wick", "stow", "mere", "cote", "don", "borough", "wood",
    "hope", "lington", "sted", "minster", "marsh",
]
REGIONAL_LAST = {
    "by": {"Lincolnshire", "Leicestershire", "North Yorkshire", "East Yorkshire", "Norfolk",
           "Nottinghamshire", "Cumbria", "Rutland", "Northamptonshire"},
    "thorpe": {"Lincolnshire", "Leicestershire", "North Yorkshire", "South Yorkshire",
               "East Yorkshire", "Norfolk", "Nottinghamshire", "Northamptonshire"},
    "combe": {"Devon", "Somerset", "Dorset", "Wiltshire", "Cornwall"},
    "hurst": {"Kent", "West Sussex", "East Sussex", "Surrey", "Hampshire"},
    "caster": {"Lincolnshire", "Norfolk", "Leicestershire", "Lancashire"},
    "wardine": {"Shropshire", "Herefordshire"},
}
ENGLISH_BEFORE = ["Great", "Little", "Long", "Kings", "Upper", "Lower", "Nether", "East",
                  "West", "North", "South", "Church", "Bishops", "Steeple", "Monks", "High"]
ENGLISH_AFTER = [" Magna", " Parva", " on the Hill", " St Michael", "-le-Moor",
                 " under Edge", " Green", "-on-Sea"]
WELSH_FIRST = ["Llan", "Aber", "Pen", "Cwm", "Bryn", "Tre", "Pont", "Caer", "Nant", "Rhos"]
WELSH_LAST = ["gwyn", "maen", "celyn", "derw", "eithin", "afon", "bedw", "fechan", "wern",
              "-y-groes", "-y-bryn", "-y-fron", "garth", "hafod", "dulas", "ffrwd",
              "-y-bôn", "fôr", "-y-llyn", "llwyd"]
SCOTS_FIRST = ["Kil", "Inver", "Auchter", "Bal", "Dun", "Kin", "Strath", "Glen", "Craig",
               "Drum", "Aber"]
SCOTS_LAST = ["more", "ross", "lochy", "airlie", "keith", "allan", "burn", "carden",
              "garvie", "lenny", "murdo", "tullie", "ochry", "blane"]
DISTRICTS = ["Church End", "St Johns", "Upper Town", "Lower Green", "Holy Cross",
             "Town End", "Priory"]

DEDICATIONS = [
    ("S Mary", 14), ("All Saints", 12), ("S Peter", 7), ("S Michael & All Angels", 7),
    ("S Andrew", 6), ("S John the Baptist", 6), ("Holy Trinity", 5), ("S Nicholas", 5),
    ("S Mary the Virgin", 5), ("S Peter & S Paul", 5), ("S Margaret", 4), ("S Lawrence", 4),
    ("S James", 4), ("S Helen", 2), ("S Giles", 3), ("S Bartholomew", 3), ("S Leonard", 3),
    ("S Martin", 3), ("S George", 2), ("S Mary Magdalene", 3), ("S Luke", 1),
    ("S Thomas a Becket", 1), ("Christ Church", 2), ("S Matthew", 1), ("S Edmund", 1),
    ("S Mary & S Nicholas", 1), ("S Swithun", 1), ("S Botolph", 1), ("S Oswald", 1),
    ("S Cuthbert", 1), ("S Wilfrid", 1), ("S Petroc", 1), ("S Piran", 1),
]
REGIONAL_DEDICATIONS = {"W": ["S David", "S Teilo", "S Cadoc", "S Tysilio", "S Mary"],
                        "S": ["S Columba", "S Ninian", "S Andrew", "S Mungo", "S Giles"]}

BELLS = [(3, 12), (4, 4), (5, 8), (6, 40), (8, 26), (10, 5), (12, 3), (7, 1), (9, 1)]
TYPICAL_TENOR_CWT = {3: 6, 4: 7, 5: 8, 6: 10, 7: 11, 8: 14, 9: 16, 10: 22, 12: 30}

GRID_LETTERS = "VWXYZQRSTULMNOPFGHJKABCDE"

# The details draw from a generator of their own, so that the nine columns stay as they were.
DETAIL_SEED = SEED + 1
PRACTICE_DAYS = [("Mon", 20), ("Tue", 24), ("Wed", 22), ("Thu", 22), ("Fri", 10), ("Sat", 1),
                 ("Sun", 1)]
PRACTICE_TIMES = ["", "", "", " 19:00", " 19:30", " 19:30", " 20:00", " 18:30"]
ODD_PRACTICES = ["PN: by arrangement", "%s (2nd & 4th)", "%s (1st, 3rd)", "%s (alt)",
                 "%s (not always: check)", "%s 10:30 & Thu 19:30"]
TENOR_NOTES = [("G", 16), ("F#", 12), ("F", 11), ("A", 10), ("Ab", 8), ("E", 8), ("Bb", 7),
               ("Eb", 5), ("D", 5), ("B", 5), ("C", 3), ("C#", 3), ("Db", 1), ("D#", 1)]
REMARKS = [("Anticlockwise.", 8), ("Ellacombe apparatus.", 6), ("Detached tower.", 3),
           ("Ropes fall in a straight line.", 3), ("Rung from the chancel.", 2),
           ("Ringing chamber up a spiral stair of about 60 steps.", 4),
           ("Tuned to old concert pitch.", 2), ("Ringing currently not permitted.", 2),
           ("Ground floor ring; the ropes are long.", 1), ("Access through the vestry.", 2)]
UNRINGABLE_REMARKS = ["Unringable.", "Unringable; bells hung dead.",
                      "One bell (or more) cracked; unringable.", "Frame unsafe; unringable."]
POSTCODE_AREAS = {
    "Cornwall": "TR PL", "Devon": "EX TQ PL", "Somerset": "TA BA", "Dorset": "DT BH",
    "Wiltshire": "SN SP", "Gloucestershire": "GL", "Bristol": "BS", "Hampshire": "SO PO GU",
    "Isle of Wight": "PO", "West Sussex": "RH BN", "East Sussex": "TN BN", "Surrey": "GU RH KT",
    "Kent": "ME CT TN", "Greater London": "SE SW N E", "Berkshire": "RG SL", "Oxfordshire": "OX",
    "Buckinghamshire": "HP MK", "Hertfordshire": "AL SG", "Essex": "CM CO SS",
    "Suffolk": "IP CO", "Norfolk": "NR PE", "Cambridgeshire": "CB PE", "Bedfordshire": "MK LU",
    "Northamptonshire": "NN", "Warwickshire": "CV", "Worcestershire": "WR", "Herefordshire": "HR",
    "Shropshire": "SY TF", "Staffordshire": "ST WS", "West Midlands": "B WV",
    "Leicestershire": "LE", "Rutland": "LE", "Lincolnshire": "LN PE DN", "Nottinghamshire": "NG",
    "Derbyshire": "DE S", "Cheshire": "CW CH", "Merseyside": "L", "Greater Manchester": "M OL",
    "Lancashire": "PR BB LA", "South Yorkshire": "S DN", "West Yorkshire": "LS WF HX",
    "East Yorkshire": "HU YO", "North Yorkshire": "YO HG DL", "Cumbria": "CA LA",
    "County Durham": "DH DL", "Northumberland": "NE", "Tyne and Wear": "NE SR",
    "Isle of Anglesey": "LL", "Gwynedd": "LL", "Conwy": "LL", "Denbighshire": "LL",
    "Flintshire": "CH", "Wrexham": "LL", "Powys": "LD SY", "Ceredigion": "SA", "Pembrokeshire": "SA",
    "Carmarthenshire": "SA", "Swansea": "SA", "Vale of Glamorgan": "CF", "Cardiff": "CF",
    "Monmouthshire": "NP", "Dumfries and Galloway": "DG", "Scottish Borders": "TD",
    "City of Edinburgh": "EH", "Fife": "KY", "Glasgow City": "G", "Perth and Kinross": "PH",
    "Angus": "DD", "Aberdeen City": "AB", "Highland": "IV", "Argyll and Bute": "PA",
}


def weighted(rng, pairs):
    total = sum(w for _, w in pairs)
    pick = rng.uniform(0, total)
    for value, w in pairs:
        pick -= w
        if pick <= 0:
            return value
    return pairs[-1][0]


def grid_reference(e, n):
    """Metres on the National Grid to two letters and six digits (100 m)."""
    major = {(0, 0): "S", (1, 0): "T", (0, 1): "N", (0, 2): "H"}[(e // 500000, n // 500000)]
    minor = GRID_LETTERS[((n % 500000) // 100000) * 5 + (e % 500000) // 100000]
    return "%s%s%03d%03d" % (major, minor, (e % 100000) // 100, (n % 100000) // 100)


def latitude_longitude(e, n):
    """National Grid metres to WGS84 degrees (inverse Transverse Mercator on Airy 1830,
    then the Helmert shift from OSGB36)."""
    a, b, f0 = 6377563.396, 6356256.909, 0.9996012717
    lat0, lon0, e0, n0 = math.radians(49), math.radians(-2), 400000, -100000
    e2 = 1 - (b * b) / (a * a)
    nn = (a - b) / (a + b)

    def meridional(phi):
        return b * f0 * (
            (1 + nn + 5 / 4 * nn ** 2 + 5 / 4 * nn ** 3) * (phi - lat0)
            - (3 * nn + 3 * nn ** 2 + 21 / 8 * nn ** 3) * math.sin(phi - lat0) * math.cos(phi + lat0)
            + (15 / 8 * nn ** 2 + 15 / 8 * nn ** 3) * math.sin(2 * (phi - lat0)) * math.cos(2 * (phi + lat0))
            - 35 / 24 * nn ** 3 * math.sin(3 * (phi - lat0)) * math.cos(3 * (phi + lat0)))

    phi = lat0 + (n - n0) / (a * f0)
    while abs(n - n0 - meridional(phi)) >= 0.00001:
        phi += (n - n0 - meridional(phi)) / (a * f0)
    s, c, t = math.sin(phi), math.cos(phi), math.tan(phi)
    nu = a * f0 / math.sqrt(1 - e2 * s * s)
    rho = a * f0 * (1 - e2) / (1 - e2 * s * s) ** 1.5
    eta2 = nu / rho - 1
    d = e - e0
    lat = (phi - t / (2 * rho * nu) * d ** 2
           + t / (24 * rho * nu ** 3) * (5 + 3 * t * t + eta2 - 9 * t * t * eta2) * d ** 4
           - t / (720 * rho * nu ** 5) * (61 + 90 * t * t + 45 * t ** 4) * d ** 6)
    lon = (lon0 + d / (c * nu)
           - d ** 3 / (6 * c * nu ** 3) * (nu / rho + 2 * t * t)
           + d ** 5 / (120 * c * nu ** 5) * (5 + 28 * t * t + 24 * t ** 4)
           - d ** 7 / (5040 * c * nu ** 7) * (61 + 662 * t * t + 1320 * t ** 4 + 720 * t ** 6))

    # OSGB36 to WGS84 through Earth-centred coordinates.
    sl, cl = math.sin(lat), math.cos(lat)
    nu1 = a / math.sqrt(1 - e2 * sl * sl)
    x1, y1, z1 = nu1 * cl * math.cos(lon), nu1 * cl * math.sin(lon), nu1 * (1 - e2) * sl
    tx, ty, tz, scale = 446.448, -125.157, 542.060, -20.4894e-6
    rx, ry, rz = (math.radians(v / 3600) for v in (0.1502, 0.2470, 0.8421))
    x2 = tx + (1 + scale) * x1 - rz * y1 + ry * z1
    y2 = ty + rz * x1 + (1 + scale) * y1 - rx * z1
    z2 = tz - ry * x1 + rx * y1 + (1 + scale) * z1
    a2, b2 = 6378137.0, 6356752.3141
    e22 = 1 - (b2 * b2) / (a2 * a2)
    p = math.hypot(x2, y2)
    phi = math.atan2(z2, p * (1 - e22))
    for _ in range(10):
        nu2 = a2 / math.sqrt(1 - e22 * math.sin(phi) ** 2)
        phi = math.atan2(z2 + e22 * nu2 * math.sin(phi), p)
    return math.degrees(phi), math.degrees(math.atan2(y2, x2))


def map_pixel(e, n):
    """The map panel's rule for a position in 100 m units."""
    e, n = e // 100, n // 100
    return (e * 100 // 30 + 50) // 100 - 25, 300 - ((n * 100 // 30 + 50) // 100 + 5)


def nearest_county(e_km, n_km):
    return min(COUNTIES, key=lambda c: math.hypot(c[2] - e_km, c[3] - n_km))


def invent_name(rng, county, nation):
    if nation == "W" and rng.random() < 0.8:
        return rng.choice(WELSH_FIRST) + rng.choice(WELSH_LAST)
    if nation == "S" and rng.random() < 0.6:
        return rng.choice(SCOTS_FIRST) + rng.choice(SCOTS_LAST)
    endings = ENGLISH_LAST + [end for end, where in REGIONAL_LAST.items() if county in where] * 4
    name = rng.choice(ENGLISH_FIRST) + rng.choice(endings)
    roll = rng.random()
    if roll < 0.15:
        name = rng.choice(ENGLISH_BEFORE) + " " + name
    elif roll < 0.2:
        name += rng.choice(ENGLISH_AFTER)
    return name


def identity_numbers():
    path = os.path.join(ROOT, "idtable", "CrossRef.txt")
    with open(path, encoding="ascii") as f:
        lines = f.read().splitlines()
    numbers = sorted({int(line.split("\\")[1]) for line in lines[1:] if line.strip()} - {0})
    if len(numbers) < TOWER_COUNT:
        sys.exit("%s holds only %d TowerBase numbers" % (path, len(numbers)))
    return numbers


def invent_details(rng, place, county):
    """Ringable, practice, ground floor, toilet, simulator, tenor note, postcode, web page and
    remarks of an invented tower, as chimedove writes them."""
    ringable = "N" if rng.random() < 0.12 else "Y"
    practice = ""
    if ringable == "Y" and rng.random() < 0.55:
        day = weighted(rng, PRACTICE_DAYS)
        if rng.random() < 0.08:
            odd = rng.choice(ODD_PRACTICES)
            practice = odd % day if "%s" in odd else odd
        else:
            practice = day + rng.choice(PRACTICE_TIMES)
    ground_floor = "Y" if rng.random() < 0.33 else "N"
    toilet = "Y" if rng.random() < 0.3 else "N"
    simulator = "Y" if ringable == "Y" and rng.random() < 0.04 else "N"
    note = weighted(rng, TENOR_NOTES) if rng.random() < 0.95 else ""
    postcode = ""
    if rng.random() < 0.98:
        area = rng.choice(POSTCODE_AREAS[county].split())
        postcode = "%s%d %d%s%s" % (area, rng.randrange(1, 30), rng.randrange(10),
                                    rng.choice("ABDEFGHJLNPQRSTUWXYZ"), rng.choice("ABDEFGHJLNPQRSTUWXYZ"))
    web = ""
    if rng.random() < 0.4:
        slug = "".join(c for c in place.lower().replace(" ", "-") if c.isalnum() or c == "-")
        web = rng.choice(["https://www.example.org/towers/%s/", "http://%s.example.org/",
                          "www.example.org/%s-bells"]) % slug
    remarks = ""
    if ringable == "N":
        remarks = rng.choice(UNRINGABLE_REMARKS)
    elif rng.random() < 0.3:
        remarks = weighted(rng, REMARKS)
    return [ringable, practice, ground_floor, toilet, simulator, note, postcode, web, remarks]


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "resources", "data", "DoveData.CB0")
    rng = random.Random(SEED)
    width, height, rows, palette = palette_png.read(os.path.join(ROOT, "resources", "map", "britain.png"))

    def on_land(e, n):
        x, y = map_pixel(e, n)
        return 0 <= x < width and 0 <= y < height and tuple(palette[rows[y][x]]) in LAND_COLOURS

    towers, used = [], set()
    shares = [(c, c[5]) for c in COUNTIES]
    while len(towers) < TOWER_COUNT:
        county = weighted(rng, shares)
        name, nation, ce, cn, spread = county[0], county[1], county[2], county[3], county[4]
        e = int((ce + rng.gauss(0, spread / 1.5)) * 1000) // 100 * 100 + rng.randrange(100)
        n = int((cn + rng.gauss(0, spread / 1.5)) * 1000) // 100 * 100 + rng.randrange(100)
        if e < 0 or n < 0 or nearest_county(e / 1000, n / 1000) is not county or not on_land(e, n):
            continue
        place = invent_name(rng, name, nation)
        if rng.random() < 0.03:
            place += ", " + rng.choice(DISTRICTS)
        pool = DEDICATIONS + [(d, 6) for d in REGIONAL_DEDICATIONS.get(nation, [])]
        dedication = weighted(rng, pool)
        if (place, dedication) in used:
            continue
        used.add((place, dedication))
        bells = weighted(rng, BELLS)
        pounds = TYPICAL_TENOR_CWT[bells] * 112 * math.exp(rng.gauss(0, 0.3))
        pounds = int(min(6000, max(200, round(pounds))))
        lat, lon = latitude_longitude(e, n)
        towers.append([place, dedication, name, grid_reference(e, n),
                       "%.5f" % lat, "%.5f" % lon, str(bells), str(pounds)])
        # A town with a second ring of bells, as many have.
        if rng.random() < 0.02 and len(towers) < TOWER_COUNT:
            second = weighted(rng, pool)
            if second != dedication and (place, second) not in used:
                used.add((place, second))
                e2, n2 = e + rng.randrange(-800, 800), n + rng.randrange(-800, 800)
                if on_land(e2, n2):
                    lat, lon = latitude_longitude(e2, n2)
                    towers.append([place, second, name, grid_reference(e2, n2), "%.5f" % lat,
                                   "%.5f" % lon, str(weighted(rng, BELLS[3:7])), str(rng.randrange(900, 2400))])

    for tower in rng.sample(towers, WITHOUT_GRID_REFERENCE):
        tower[3] = ""
    towers.sort(key=lambda t: (t[0].lower(), t[1]))
    numbers = sorted(rng.sample(identity_numbers(), TOWER_COUNT))
    detail_rng = random.Random(DETAIL_SEED)
    lines = [HEADER, NOTICE] + ["\\".join(t + [str(number)] + invent_details(detail_rng, t[0], t[2]))
                                for t, number in zip(towers, numbers)]
    with open(out, "w", encoding="cp1252", newline="") as f:
        f.write("".join(line + "\r\n" for line in lines))
    print("wrote %d towers to %s" % (len(towers), out))


if __name__ == "__main__":
    main()
