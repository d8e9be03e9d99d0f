#!/usr/bin/env python3
"""Draws the pictures of the five link layouts, resources/type2.svg .. type6.svg.

Each picture is 320 x 200 and shows one linkage of its type in the program's
frame of reference: the swing-arm pivot O, X to the right, Y downward, the
swing arm O-G, the axle's foot H on the X axis, and the members and letters of
the type. The joints are not placed by hand: each type's linkage below is
written as a link file, solved at zero stroke by potelan-cli in every link
position, and the position that matches the intended layout is scaled into the
picture. The pictures therefore follow the program's own geometry: which side
of the arm an offset lies on, which way the plate folds.

Usage: tools/make-type-pictures.py [--cli build/src/cli/potelan-cli] [--out resources]
"""

import argparse
import json
import math
import os
import subprocess
import sys
import tempfile

WIDTH, HEIGHT = 320, 200
MARGIN = 24          # room for letters and frame symbols around the linkage
TITLE_BOX = (62, 20)  # width and height kept free for the title in its corner

# The linkage drawn for each type, in millimetres with Y down. The swing arm
# and its brackets are given as the base forms ask for them; the frame mounts
# and the plate's free corners A and C as the points wanted in the picture.
# The plate sides and the tension rod are measured from those points, and the
# program then solves the linkage in each position: the position that puts
# the joints back where they were wanted is the one drawn.
LINKAGES = {
    2: {"fork": 548, "axle": 70, "OF": 226, "offset": 55, "E": (204, -210)},
    3: {"fork": 560, "axle": 60, "OF": 260, "offset": 70, "E": (150, -170),
        "A": (205, 60), "C": (215, 140), "D": (100, 150)},
    4: {"fork": 560, "axle": 60, "OF": 220, "offset": 50, "E": (190, -170),
        "A": (170, 95), "C": (230, 150), "D": (120, 130)},
    5: {"fork": 560, "axle": 60, "OF": 260, "offset": 70, "OJ": 110, "EJ": -130,
        "A": (205, 60), "C": (215, 140), "D": (100, 150)},
    6: {"fork": 560, "axle": 60, "OF": 230, "offset": 50, "OJ": 400, "EJ": -70,
        "A": (150, 100), "C": (210, 160), "D": (100, 140)},
}

COLOURS = {
    "background": "#ffffff",
    "border": "#a0a0a0",
    "axis": "#808080",
    "arm": "#1f4e9c",
    "shock": "#c81e1e",
    "spring": "#c81e1e",
    "shockBody": "#f4c0c0",
    "plate": "#2e8b2e",
    "plateFill": "#bfe6b4",
    "rod": "#e07800",
    "frame": "#505050",
    "frameFill": "#d8d8d8",
    "joint": "#202020",
    "letter": "#000000",
    "title": "#303030",
    "axle": "#606060",
}

FONT = "DejaVu Sans, Arial, Helvetica, sans-serif"


def arm_point(fork, axle, length, offset):
    """A point `length` along the arm and `offset` to the side of increasing angle."""
    theta = math.asin(axle / fork)
    psi = math.atan(offset / length)
    rho = math.hypot(length, offset)
    return (rho * math.cos(theta + psi), rho * math.sin(theta + psi))


def link_file_lines(sus_type, position, spec):
    """The link file of a picture's linkage: (key, value) pairs."""
    lines = [("SUSTYPE", sus_type), ("SUSPOS", position)]
    if sus_type <= 4:
        lines += [("サス上部取付Ｘ座標", spec["E"][0]), ("サス上部取付Ｙ座標", spec["E"][1])]
    else:
        lines += [("サス上部取付長", spec["OJ"]), ("サス上部取付オフセット", spec["EJ"])]
    lines += [("フォークリンク取付長", spec["OF"]), ("フォークリンクオフセット", spec["offset"]),
              ("フォーク長", spec["fork"]), ("リアアクスル初期位置", spec["axle"]),
              ("スプリングレート", 10), ("プリロード", 10)]
    if sus_type >= 3:
        b = arm_point(spec["fork"], spec["axle"], spec["OF"], spec["offset"])
        a, c, d = spec["A"], spec["C"], spec["D"]
        if sus_type in (3, 5):  # plate pivoted at B, rod C-D
            up, fr, rr, rod = math.dist(a, b), math.dist(a, c), math.dist(b, c), math.dist(c, d)
        else:  # plate pivoted at D, rod B-C
            up, fr, rr, rod = math.dist(a, d), math.dist(c, d), math.dist(a, c), math.dist(b, c)
        lines += [("フレーム側リンク取付Ｘ座標", d[0]), ("フレーム側リンク取付Ｙ座標", d[1]),
                  ("リンクプレート上辺", up), ("リンクプレート前辺", fr),
                  ("リンクプレート後辺", rr), ("テンションロッド長", rod)]
    lines += [("ピボット移動Ｘ", 0), ("ピボット移動Ｙ", 0)]
    return [(k, f"{v:.3f}" if isinstance(v, float) else str(v)) for k, v in lines]


def solve(cli, lines):
    """Solves a link file at zero stroke; the joints of the answer, or None."""
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "picture.lin")
        with open(path, "wb") as f:
            f.write("".join(f"{k}={v}\r\n" for k, v in lines).encode("cp932"))
        run = subprocess.run([cli, "sweep", path, "--max-stroke", "0"],
                             capture_output=True, cwd=folder)
    if run.returncode != 0:
        return None
    return json.loads(run.stdout)["steps"][0]


def joints_of(sus_type, spec, step):
    """The lettered points of the type, in millimetres (Y down)."""
    p = {
        "O": (0.0, 0.0),
        "G": (step["AxleX"], step["AxleY"]),
        "H": (step["AxleX"], 0.0),
        "E": (step["SusUpX"], step["SusUpY"]),
        "A": (step["SusLwrX"], step["SusLwrY"]),
        "F": (step["ForkLinkBaseX"], step["ForkLinkBaseY"]),
    }
    if sus_type >= 3:
        p["B"] = (step["ForkLinkX"], step["ForkLinkY"])
        p["C"] = (step["LinkLwrX"], step["LinkLwrY"])
        p["D"] = tuple(float(v) for v in spec["D"])
    if sus_type >= 5:
        # J: the foot of E on the arm (OJ along the arm, EJ at right angles).
        gx, gy = p["G"]
        ex, ey = p["E"]
        t = (ex * gx + ey * gy) / (gx * gx + gy * gy)
        p["J"] = (gx * t, gy * t)
    return p


def solved_joints(cli, sus_type, spec):
    """The joints of the picture's linkage in the position that matches it."""
    if sus_type == 2:
        step = solve(cli, link_file_lines(2, 0, spec))
        if step is None:
            sys.exit("make-type-pictures: the Type 2 linkage does not assemble")
        return joints_of(2, spec, step)
    for position in range(1, 5):
        step = solve(cli, link_file_lines(sus_type, position, spec))
        if step is None:
            continue
        joints = joints_of(sus_type, spec, step)
        if all(math.dist(joints[k], spec[k]) < 0.5 for k in ("A", "C")):
            return joints
    sys.exit(f"make-type-pictures: no position of Type {sus_type} puts A and C where wanted")


def members_of(sus_type):
    """(kind, points) of every member, drawn in this order (the arm lowest)."""
    m = []
    if sus_type in (3, 5):
        m.append(("rod", ("C", "D")))
    if sus_type in (4, 6):
        m.append(("rod", ("C", "B")))
    m.append(("arm", ("O", "G")))
    if sus_type == 2:
        m.append(("bracket", ("F", "A")))
    else:
        m.append(("bracket", ("F", "B")))
    if sus_type >= 5:
        m.append(("bracket", ("J", "E")))
    if sus_type in (3, 5):
        m.append(("plate", ("A", "B", "C")))
    if sus_type in (4, 6):
        m.append(("plate", ("A", "C", "D")))
    m.append(("shock", ("E", "A")))
    return m


def frame_points(sus_type):
    points = ["O"]
    if sus_type <= 4:
        points.append("E")
    if sus_type >= 3:
        points.append("D")
    return points


class Picture:
    def __init__(self, sus_type, mm):
        self.type = sus_type
        self.members = members_of(sus_type)
        self.frames = frame_points(sus_type)
        xs = [x for x, _ in mm.values()]
        ys = [y for _, y in mm.values()]
        left, right, top, bottom = min(xs), max(xs), min(ys), max(ys)
        self.scale = min((WIDTH - 2 * MARGIN) / (right - left),
                         (HEIGHT - 2 * MARGIN) / (bottom - top))
        # Centre the linkage; the pivot then lands where the layout puts it.
        ox = (WIDTH - (right - left) * self.scale) / 2 - left * self.scale
        oy = (HEIGHT - (bottom - top) * self.scale) / 2 - top * self.scale
        self.px = {k: (ox + x * self.scale, oy + y * self.scale) for k, (x, y) in mm.items()}
        self.out = []
        self.segments = []  # every drawn stroke, for placing the letters
        for kind, names in self.members:
            pts = [self.px[n] for n in names]
            for i in range(len(pts) if kind == "plate" else 1):
                self.segments.append((pts[i], pts[(i + 1) % len(pts)]))
        self.segments.append((self.px["G"], self.px["H"]))

    # -- output helpers ----------------------------------------------------
    def add(self, s):
        self.out.append(s)

    @staticmethod
    def f(v):
        return f"{v:.1f}"

    def line(self, a, b, colour, width, extra=""):
        self.add(f'<line x1="{self.f(a[0])}" y1="{self.f(a[1])}" x2="{self.f(b[0])}" '
                 f'y2="{self.f(b[1])}" stroke="{colour}" stroke-width="{width}" '
                 f'stroke-linecap="round"{extra}/>')

    def polygon(self, pts, fill, stroke, width):
        p = " ".join(f"{self.f(x)},{self.f(y)}" for x, y in pts)
        self.add(f'<polygon points="{p}" fill="{fill}" stroke="{stroke}" '
                 f'stroke-width="{width}" stroke-linejoin="round"/>')

    def circle(self, c, r, fill, stroke, width):
        self.add(f'<circle cx="{self.f(c[0])}" cy="{self.f(c[1])}" r="{r}" fill="{fill}" '
                 f'stroke="{stroke}" stroke-width="{width}"/>')

    def text(self, x, y, s, size, colour, anchor="middle", weight="bold"):
        self.add(f'<text x="{self.f(x)}" y="{self.f(y)}" font-family="{FONT}" '
                 f'font-size="{size}" font-weight="{weight}" fill="{colour}" '
                 f'text-anchor="{anchor}">{s}</text>')

    # -- pieces ------------------------------------------------------------
    def axes(self):
        ox, oy = self.px["O"]
        c = COLOURS["axis"]
        # X axis through O across the picture, arrow to the right.
        self.line((6, oy), (WIDTH - 10, oy), c, 1, ' stroke-dasharray="5,3"')
        self.polygon([(WIDTH - 4, oy), (WIDTH - 12, oy - 4), (WIDTH - 12, oy + 4)], c, c, 1)
        self.text(WIDTH - 9, oy - 7, "X", 11, c)
        # Y downward from O.
        self.line((ox, oy), (ox, oy + 30), c, 1)
        self.polygon([(ox, oy + 36), (ox - 4, oy + 28), (ox + 4, oy + 28)], c, c, 1)
        self.text(ox - 9, oy + 37, "Y", 11, c)
        self.segments.append(((ox, oy), (ox, oy + 36)))
        self.segments.append(((6, oy), (WIDTH - 4, oy)))

    def frame_symbol(self, name):
        """A fixed mount: a grey triangle under the joint and a hatched ground."""
        x, y = self.px[name]
        # The symbol stands on the side away from the members at the joint.
        dy = 0.0
        for kind, names in self.members:
            if name in names:
                for other in names:
                    if other != name:
                        dy += self.px[other][1] - y
        s = -1 if dy > 0 else 1  # -1: the ground is above the joint
        h, w = 10, 8
        self.polygon([(x, y), (x - w, y + s * h), (x + w, y + s * h)],
                     COLOURS["frameFill"], COLOURS["frame"], 1.2)
        gy = y + s * h
        self.line((x - 12, gy), (x + 12, gy), COLOURS["frame"], 1.5)
        for i in range(6):
            hx = x - 11 + i * 4.4
            self.line((hx, gy), (hx - 4, gy + s * 5), COLOURS["frame"], 1)
        self.segments.append(((x - 12, gy + s * 2), (x + 12, gy + s * 2)))
        self.segments.append(((x, y), (x, gy)))

    def shock(self):
        e, a = self.px["E"], self.px["A"]
        dx, dy = a[0] - e[0], a[1] - e[1]
        length = math.hypot(dx, dy)
        ux, uy = dx / length, dy / length
        nx, ny = -uy, ux

        def at(t, off=0.0):
            return (e[0] + ux * t + nx * off, e[1] + uy * t + ny * off)

        # The piston rod end to end, the damper body at the lower end, and the
        # spring between its two seats over the upper part.
        self.line(e, a, COLOURS["shock"], 3)
        b0, b1 = length * 0.50, length * 0.86
        self.polygon([at(b0, -4.5), at(b1, -4.5), at(b1, 4.5), at(b0, 4.5)],
                     COLOURS["shockBody"], COLOURS["shock"], 1.2)
        s0, s1, turns = length * 0.14, length * 0.50, 5
        for t in (s0, s1):
            self.line(at(t, -7), at(t, 7), COLOURS["shock"], 2)
        pts = [at(s0)]
        for i in range(turns * 2):
            pts.append(at(s0 + (s1 - s0) * (i + 0.5) / (turns * 2), 6 if i % 2 == 0 else -6))
        pts.append(at(s1))
        p = " ".join(f"{self.f(x)},{self.f(y)}" for x, y in pts)
        self.add(f'<polyline points="{p}" fill="none" stroke="{COLOURS["spring"]}" '
                 f'stroke-width="1.6" stroke-linejoin="round"/>')

    def members_drawn(self):
        for kind, names in self.members:
            pts = [self.px[n] for n in names]
            if kind == "arm":
                self.line(pts[0], pts[1], COLOURS["arm"], 7)
            elif kind == "bracket":
                self.line(pts[0], pts[1], COLOURS["arm"], 4.5)
            elif kind == "rod":
                self.line(pts[0], pts[1], COLOURS["rod"], 4.5)
            elif kind == "plate":
                self.polygon(pts, COLOURS["plateFill"], COLOURS["plate"], 3)
            elif kind == "shock":
                self.shock()

    def joints(self):
        g, h = self.px["G"], self.px["H"]
        self.line(g, h, COLOURS["axle"], 1.5, ' stroke-dasharray="3,2"')
        self.circle(h, 2.5, COLOURS["axle"], COLOURS["axle"], 1)
        for name in ("F", "J"):
            if name in self.px:
                self.circle(self.px[name], 3, "#ffffff", COLOURS["joint"], 1.4)
        for name in ("E", "A", "B", "C", "D"):
            if name in self.px:
                self.circle(self.px[name], 3.5, "#ffffff", COLOURS["joint"], 1.6)
        self.circle(self.px["O"], 4, "#ffffff", COLOURS["joint"], 2)
        self.circle(g, 6, "#ffffff", COLOURS["joint"], 2)
        self.circle(g, 2, COLOURS["joint"], COLOURS["joint"], 1)

    def letters(self):
        """Each letter where it keeps farthest from the strokes and other letters."""
        placed = []
        order = ["O", "G", "H", "E", "A", "F", "B", "C", "D", "J"]
        points = list(self.px.values())
        for name in order:
            if name not in self.px:
                continue
            x, y = self.px[name]
            best, best_score = None, -1e9
            for step in range(16):
                angle = step * math.pi / 8
                for radius in (11, 14):
                    cx, cy = x + radius * math.cos(angle), y + radius * math.sin(angle)
                    if not (8 <= cx <= WIDTH - 8 and 9 <= cy <= HEIGHT - 8):
                        continue
                    if self.in_title(cx, cy):
                        continue
                    score = min([dist_to_segment((cx, cy), a, b) for a, b in self.segments] +
                                [math.dist((cx, cy), q) - 2 for q in points] +
                                [math.dist((cx, cy), q) - 6 for q in placed])
                    score = min(score, 9) - 0.05 * radius
                    if score > best_score:
                        best, best_score = (cx, cy), score
            placed.append(best)
            self.text(best[0], best[1] + 4.5, name, 13, COLOURS["letter"])

    def title_corner(self):
        """The corner of the picture that the linkage leaves free."""
        w, h = TITLE_BOX
        corners = [(4, 4), (WIDTH - 4 - w, 4), (4, HEIGHT - 4 - h), (WIDTH - 4 - w, HEIGHT - 4 - h)]
        best, best_score = corners[0], -1e9
        for cx, cy in corners:
            centre = (cx + w / 2, cy + h / 2)
            score = min(dist_to_segment(centre, a, b) for a, b in self.segments)
            score = min(score, min(math.dist(centre, q) for q in self.px.values()))
            if score > best_score:
                best, best_score = (cx, cy), score
        return best

    def in_title(self, x, y):
        tx, ty = self.title
        w, h = TITLE_BOX
        return tx - 4 <= x <= tx + w + 4 and ty - 4 <= y <= ty + h + 4

    def svg(self):
        self.add(f'<rect x="0.5" y="0.5" width="{WIDTH - 1}" height="{HEIGHT - 1}" '
                 f'fill="{COLOURS["background"]}" stroke="{COLOURS["border"]}" stroke-width="1"/>')
        self.axes()
        for name in self.frames:
            self.frame_symbol(name)
        self.members_drawn()
        self.joints()
        self.title = self.title_corner()
        tx, ty = self.title
        self.text(tx + 4, ty + 15, f"Type {self.type}", 14, COLOURS["title"], anchor="start")
        self.letters()
        head = (f'<?xml version="1.0" encoding="UTF-8"?>\n'
                f'<!-- Link type {self.type}, drawn by tools/make-type-pictures.py -->\n'
                f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
                f'width="{WIDTH}" height="{HEIGHT}" viewBox="0 0 {WIDTH} {HEIGHT}">\n')
        return head + "\n".join("  " + s for s in self.out) + "\n</svg>\n"


def dist_to_segment(p, a, b):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((p[0] - ax) * dx + (p[1] - ay) * dy) / length2))
    return math.dist(p, (ax + t * dx, ay + t * dy))


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", default=os.path.join(root, "build", "src", "cli", "potelan-cli"))
    parser.add_argument("--out", default=os.path.join(root, "resources"))
    args = parser.parse_args()
    if not os.access(args.cli, os.X_OK):
        sys.exit(f"make-type-pictures: build potelan-cli first (looked for {args.cli})")
    for sus_type in range(2, 7):
        joints = solved_joints(args.cli, sus_type, LINKAGES[sus_type])
        path = os.path.join(args.out, f"type{sus_type}.svg")
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write(Picture(sus_type, joints).svg())
        print(f"wrote {path}")


if __name__ == "__main__":
    main()
