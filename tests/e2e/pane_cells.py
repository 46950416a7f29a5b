#!/usr/bin/env python3
"""Checks a terminal pane against the universe.

Reads a pane captured with `tmux capture-pane -e -p` and the explorer's
position from its text display, asks glyphverse-query what every map cell
holds, and checks that each cell of the pane shows that cell's glyph in its
colour (24-bit, the nearest of the 256 xterm colours, or no colour at all).

usage: pane_cells.py QUERY_TOOL PANE_FILE LEVEL COLOURS [GX GY] [--cover R0 R1 C0 C1]
  LEVEL    galaxy, system or planet (GX GY: the galaxy cell of the system)
  COLOURS  truecolor, 256 or none
  --cover  pane rows R0..R1 and columns C0..C1 (from 0) hold a panel over the
           map: the cells there are not checked, the rest must be right
"""
import re
import subprocess
import sys

SHADE, CENTRE = "\u2592", "@"
STAR_GLYPHS = {249: "\u2219", 42: "*", 15: "\u263c"}
TILES = {1: ("\u2248", 0x3232FF), 2: ("\u00b7", 0x326432), 3: ("&", 0x006400),
         4: ("^", 0x808080), 5: ("^", 0xC8C8C8), 6: ("\u2591", 0x007800)}
MAP_TOP_ROW, MAP_LEFT_COLUMN, RADIUS = 6, 6, 30  # where a full map starts, 0-based


def parse_pane(text):
    """Rows of (character, foreground) from capture-pane's escapes."""
    rows = []
    for line in text.split("\n"):
        cells, fore, i = [], None, 0
        while i < len(line):
            if line[i] == "\x1b":
                m = re.match(r"\x1b\[([0-9;]*)m", line[i:])
                if m:
                    fore = apply_sgr(m.group(1), fore)
                    i += len(m.group(0))
                    continue
            cells.append((line[i], fore))
            i += 1
        rows.append(cells)
    return rows


def apply_sgr(parameters, fore):
    numbers = [int(p) if p else 0 for p in parameters.split(";")]
    i = 0
    while i < len(numbers):
        n = numbers[i]
        if n == 0 or n == 39:
            fore = None
        elif n == 38 and numbers[i + 1] == 2:
            fore = ("rgb", numbers[i + 2] << 16 | numbers[i + 3] << 8 | numbers[i + 4])
            i += 4
        elif n == 38 and numbers[i + 1] == 5:
            fore = ("palette", numbers[i + 2])
            i += 2
        elif n in (48,):
            i += 4 if numbers[i + 1] == 2 else 2
        i += 1
    return fore


CUBE = [0, 95, 135, 175, 215, 255]


def palette_rgb(index):
    if index >= 232:
        g = 8 + 10 * (index - 232)
        return g << 16 | g << 8 | g
    c = index - 16
    return CUBE[c // 36] << 16 | CUBE[c // 6 % 6] << 8 | CUBE[c % 6]


def distance(a, b):
    return sum(((a >> s & 255) - (b >> s & 255)) ** 2 for s in (16, 8, 0))


def nearest_palette(rgb):
    # Any of the equally near colours is right.
    best = min(distance(rgb, palette_rgb(i)) for i in range(16, 256))
    return {i for i in range(16, 256) if distance(rgb, palette_rgb(i)) == best}


def expected_cells(query, level, x, y, gx, gy):
    """(dx, dy) -> (glyph, colour) for every map cell, blank cells as None."""
    lines = []
    for dy in range(-RADIUS, RADIUS + 1):
        for dx in range(-RADIUS, RADIUS + 1):
            if level == "galaxy":
                lines.append(f"galaxy {x + dx} {y + dy}")
            elif level == "system":
                lines.append(f"sysbg {gx} {gy} {x + dx} {y + dy}")
            else:
                lines.append(f"planet {gx} {gy} {x + dx} {y + dy}")
    answers = subprocess.run([query], input="\n".join(lines) + "\n", capture_output=True,
                             text=True, check=True).stdout.split("\n")
    cells, n = {}, 0
    for dy in range(-RADIUS, RADIUS + 1):
        for dx in range(-RADIUS, RADIUS + 1):
            f = [int(v) for v in answers[n].split("\t")]
            n += 1
            if level == "galaxy":
                nebula = f[0] << 16 | f[1] << 8 | f[2]
                if f[3]:
                    cells[dx, dy] = (STAR_GLYPHS[f[3]], f[4] << 16 | f[4] << 8 | f[4])
                else:
                    cells[dx, dy] = (SHADE, nebula) if nebula else None
            elif level == "system":
                colour = f[0] << 16 | f[1] << 8 | f[2]
                cells[dx, dy] = (SHADE, colour) if colour else None
            else:
                cells[dx, dy] = TILES[f[0]]
    cells[0, 0] = (CENTRE, 0x0000FA)
    return cells


def colour_ok(shown, wanted, mode):
    if mode == "none":
        return shown is None
    if shown is None:
        return False
    kind, value = shown
    if mode == "truecolor":
        return kind == "rgb" and value == wanted
    return kind == "palette" and value in nearest_palette(wanted)


def main():
    args = sys.argv[1:]
    cover = None
    if "--cover" in args:
        at = args.index("--cover")
        cover = [int(v) for v in args[at + 1:at + 5]]
        del args[at:at + 5]
    query, pane_file, level, mode = args[:4]
    gx, gy = (int(args[4]), int(args[5])) if len(args) > 5 else (0, 0)
    rows = parse_pane(open(pane_file, encoding="utf-8").read())
    coords = re.match(r"Coords: (-?\d+) (-?\d+)", "".join(c for c, _ in rows[1]))
    if not coords:
        sys.exit("no Coords line in the pane")
    x, y = int(coords.group(1)), int(coords.group(2))
    wanted = expected_cells(query, level, x, y, gx, gy)
    wrong = []
    for (dx, dy), cell in sorted(wanted.items()):
        row, column = MAP_TOP_ROW + RADIUS + dy, MAP_LEFT_COLUMN + RADIUS + dx
        if cover and cover[0] <= row <= cover[1] and cover[2] <= column <= cover[3]:
            continue
        shown = rows[row][column] if column < len(rows[row]) else (" ", None)
        if cell is None:
            ok = shown[0] == " "
        else:
            ok = shown[0] == cell[0] and colour_ok(shown[1], cell[1], mode)
        if not ok:
            wrong.append(f"cell ({dx},{dy}) shows {shown!r}, wanted {cell!r}")
    if wrong:
        sys.exit(f"{len(wrong)} of {len(wanted)} cells wrong at {level} ({x}, {y}):\n" +
                 "\n".join(wrong[:10]))
    print(f"{level} at ({x}, {y}): all {len(wanted)} map cells right ({mode})")


main()
