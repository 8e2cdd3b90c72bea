#!/usr/bin/env python3
"""Prints the scripted-user actions with which Kelvane itself builds and saves
the demo track (see scripts/make-demo). The track is 24 x 16 cells: grass, a
road loop with a raised stretch reached by slopes, a kerbed mound with corner
pieces in the infield, a stone wall ring, a sky, trees, a start/finish arch and
start, checkpoint and stop borders.

    make_demo_script.py FOLDER    FOLDER holds the maps and the arch, and gets demo.trk
"""

import os
import sys

SIZE_X, SIZE_Y = 24, 16

# Control ids of resources/kelvane_ids.h
NEW, SAVE = 1007, 1009
NEW_X, NEW_Y, NEW_OK, NEW_MAPS, NEW_BILLBOARDS, NEW_BORDERS, NEW_MESHES = (
    1010, 1011, 1013, 1014, 1015, 1016, 1017)
FIELD_I, FIELD_J, FIELD_BROWSE, FIELD_MAPS, FIELD_SET, FIELD_SET_ALL = (
    1010, 1011, 1015, 1021, 1022, 1024)
SHAPES = {"ground": 1055, "top": 1054, "slope": 1052, "corner1": 1043, "corner2": 1044}
ORIENTATION = 1046
SPRITE_X, SPRITE_Y, SPRITE_Z, SPRITE_SCALE_X, SPRITE_SCALE_Y = 1012, 1013, 1014, 1016, 1017
SPRITE_NUMBER, SPRITE_MAP, SPRITE_FACE = 1034, 1035, 1037
MESH_X, MESH_Y, MESH_Z, MESH_SCALE, MESH_ANGLE, MESH_BROWSE, MESH_LIST = (
    1059, 1060, 1061, 1062, 1063, 1064, 1065)
BORDER_X1, BORDER_Z1, BORDER_X2, BORDER_Z2, BORDER_BOTTOM, BORDER_TOP = (
    1023, 1036, 1019, 1020, 1045, 1047)
BORDER_LIST, BORDER_TYPE, WALL_MAP, BACKGROUND_MAP = 1041, 1049, 1031, 1033

MAPS = ["grass.bmp", "road.bmp", "asphalt.bmp", "kerb.bmp", "stone.bmp", "sky.bmp", "tree.tga"]
GRASS, ROAD, ASPHALT, KERB, STONE, SKY, TREE = range(len(MAPS))

# The loop's rectangle of cells
LOOP_I0, LOOP_I1, LOOP_J0, LOOP_J1 = 3, 20, 3, 12


def loop_cells():
    """(i, j, map, shape, orientation) of every road cell. Orientation 0 runs
    the road's centre line along Z, 1 along X; slopes rise towards +Z with 0
    and towards -Z with 2."""
    cells = []
    for i in range(LOOP_I0 + 1, LOOP_I1):
        cells += [(i, LOOP_J0, ROAD, "ground", 1), (i, LOOP_J1, ROAD, "ground", 1)]
    for j in range(LOOP_J0 + 1, LOOP_J1):
        cells.append((LOOP_I0, j, ROAD, "ground", 0))
        shape, orientation = "ground", 0
        if j == 6:
            shape = "slope"
        elif j in (7, 8):
            shape = "top"
        elif j == 9:
            shape, orientation = "slope", 2
        cells.append((LOOP_I1, j, ROAD, shape, orientation))
    for i in (LOOP_I0, LOOP_I1):
        for j in (LOOP_J0, LOOP_J1):
            cells.append((i, j, ASPHALT, "ground", 0))
    return cells


def mound_cells():
    """A kerbed mound in the infield: a raised middle, slopes on its four sides
    and corner pieces at its four corners."""
    ci, cj = 11, 8
    cells = [(ci, cj, KERB, "top", 0)]
    cells += [(ci, cj - 1, KERB, "slope", 0), (ci, cj + 1, KERB, "slope", 2),
              (ci - 1, cj, KERB, "slope", 1), (ci + 1, cj, KERB, "slope", 3)]
    cells += [(ci - 1, cj - 1, KERB, "corner1", 0), (ci + 1, cj - 1, KERB, "corner1", 3),
              (ci + 1, cj + 1, KERB, "corner1", 2), (ci - 1, cj + 1, KERB, "corner1", 1)]
    return cells


TREES = [(150, 150), (650, 150), (1250, 150), (2250, 150), (150, 1450), (900, 1450),
         (1700, 1450), (2250, 1450), (800, 800), (1500, 650)]
# (x1, z1, x2, z2, type): start at the arch, a checkpoint across the far straight,
# the stop line just before the start.
BORDERS = [(850, 300, 850, 400, 1), (1150, 1200, 1150, 1300, 0), (800, 300, 800, 400, 2)]


def new_track(out):
    out.append(f"click {NEW}")
    for box, value in ((NEW_X, SIZE_X), (NEW_Y, SIZE_Y), (NEW_MAPS, len(MAPS)),
                       (NEW_BILLBOARDS, len(TREES)), (NEW_BORDERS, len(BORDERS)),
                       (NEW_MESHES, 1)):
        out.append(f"type {box} {value}")
    out.append(f"click {NEW_OK}")


def maps(out, folder):
    for index, name in enumerate(MAPS):
        out += [f"choose {FIELD_MAPS} {index}", f"answer-file {folder}/{name}", f"click {FIELD_BROWSE}"]
    out += [f"choose {WALL_MAP} {STONE}", f"choose {BACKGROUND_MAP} {SKY}"]


def cells(out):
    out += [f"choose {FIELD_MAPS} {GRASS}", f"click {SHAPES['ground']}",
            f"choose {ORIENTATION} 0", f"click {FIELD_SET_ALL}"]
    for i, j, map_index, shape, orientation in loop_cells() + mound_cells():
        out += [f"type {FIELD_I} {i}", f"type {FIELD_J} {j}", f"choose {FIELD_MAPS} {map_index}",
                f"click {SHAPES[shape]}", f"choose {ORIENTATION} {orientation}",
                f"click {FIELD_SET}"]


def trees(out):
    for number, (x, z) in enumerate(TREES):
        out += [f"choose {SPRITE_NUMBER} {number}", f"type {SPRITE_X} {x}", f"type {SPRITE_Y} 0",
                f"type {SPRITE_Z} {z}", f"type {SPRITE_SCALE_X} 70",
                f"type {SPRITE_SCALE_Y} 140", f"click {SPRITE_FACE}",
                f"choose {SPRITE_MAP} {TREE}"]


def arch(out, folder):
    out += [f"choose {MESH_LIST} 0", f"type {MESH_X} 850", f"type {MESH_Y} 0",
            f"type {MESH_Z} 350", f"type {MESH_SCALE} 100", f"type {MESH_ANGLE} 90",
            f"answer-file {folder}/arch.x", f"click {MESH_BROWSE}"]


def borders(out):
    for number, (x1, z1, x2, z2, kind) in enumerate(BORDERS):
        out += [f"choose {BORDER_LIST} {number}", f"choose {BORDER_TYPE} {kind}",
                f"type {BORDER_X1} {x1}", f"type {BORDER_Z1} {z1}", f"type {BORDER_X2} {x2}",
                f"type {BORDER_Z2} {z2}", f"type {BORDER_BOTTOM} 0", f"type {BORDER_TOP} 120"]


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_demo_script.py FOLDER")
    # Absolute paths: the track's folder is taken from the path a file dialog answers.
    folder = os.path.abspath(sys.argv[1])
    out = ["# Made by tools/demo_track/make_demo_script.py: builds and saves the demo."]
    new_track(out)
    maps(out, folder)
    cells(out)
    trees(out)
    arch(out, folder)
    borders(out)
    out += [f"answer-file {folder}/demo.trk", f"click {SAVE}"]
    print("\n".join(out))


if __name__ == "__main__":
    main()
