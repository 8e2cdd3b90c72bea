#!/usr/bin/env python3
"""Writes the BMP and TGA variants ImageMagick's writers do not produce
(top-down rows, RLE4, 32-bit without alpha, a V4 header, an OS/2 2.x header,
TGA origins, 15/16-bit pixels, colour maps starting past index 0 and a
colour map with alpha) from a raw RGBA picture. Usage: handmade_images.py RGBA_FILE WIDTH HEIGHT OUT_DIR"""
import struct
import sys


def load(path, width, height):
    data = open(path, 'rb').read()
    return [[tuple(data[(y * width + x) * 4:(y * width + x) * 4 + 4]) for x in range(width)]
            for y in range(height)]


def palette_of(rows, most):
    colours = []
    index = {}
    out = []
    for row in rows:
        line = []
        for p in row:
            key = p[:3]
            if key not in index:
                if len(colours) == most:  # nearest existing colour
                    key = min(colours, key=lambda c: sum((a - b) ** 2 for a, b in zip(c, p)))
                else:
                    index[key] = len(colours)
                    colours.append(key)
            line.append(index[key])
        out.append(line)
    return colours, out


def bmp(path, width, height, bits, pixel_rows, palette=(), compression=0, header_size=40,
        masks=None, top_down=False):
    info = struct.pack('<IiiHHIIiiII', header_size, width, -height if top_down else height, 1,
                       bits, compression, len(pixel_rows), 2835, 2835, len(palette), 0)
    if header_size > 40:
        extra = struct.pack('<IIII', *(masks or (0, 0, 0, 0)))
        info += (extra + b'\0' * header_size)[:header_size - 40]
    if header_size == 64:  # OS/2 2.x: 24 bytes of its own after the common fields
        info = info[:40] + b'\0' * 24
    table = b''.join(struct.pack('<BBBB', c[2], c[1], c[0], 0) for c in palette)
    offset = 14 + len(info) + len(table)
    head = b'BM' + struct.pack('<IHHI', offset + len(pixel_rows), 0, 0, offset)
    open(path, 'wb').write(head + info + table + pixel_rows)


def padded(row):
    return row + b'\0' * (-len(row) % 4)


def rows_of(rows, order, encode):
    return b''.join(padded(encode(rows[y])) for y in order)


def pack4(indices):
    indices = indices + [0] * (len(indices) % 2)
    return bytes(indices[i] << 4 | indices[i + 1] for i in range(0, len(indices), 2))


def rle4(index_rows):
    out = b''
    for line in reversed(index_rows):
        x = 0
        while x < len(line):
            n = 1
            while x + n < len(line) and n < 255 and line[x + n] == line[x]:
                n += 1
            if n >= 2:
                out += bytes([n, line[x] << 4 | line[x]])
            else:
                run = line[x:x + 8]
                if len(run) < 3:
                    out += bytes([len(run), run[0] << 4 | run[-1]]) if len(run) == 2 else bytes([1, run[0] << 4])
                    x += len(run)
                    continue
                data = pack4(list(run))
                out += bytes([0, len(run)]) + data + b'\0' * (len(data) % 2)
                n = len(run)
            x += n
        out += b'\0\0'
    return out + b'\0\1'


def tga(path, width, height, kind, bits, pixels, descriptor, colour_map=b'', map_first=0,
        map_length=0, map_bits=0):
    head = struct.pack('<BBBHHBHHHHBB', 0, 1 if colour_map else 0, kind, map_first, map_length,
                       map_bits, 0, 0, width, height, bits, descriptor)
    open(path, 'wb').write(head + colour_map + pixels)


def tga_order(rows, descriptor):
    ys = range(len(rows)) if descriptor & 0x20 else reversed(range(len(rows)))
    for y in ys:
        row = rows[y]
        yield from (reversed(row) if descriptor & 0x10 else row)


def word555(p, alpha):
    return (p[0] >> 3) << 10 | (p[1] >> 3) << 5 | p[2] >> 3 | (0x8000 if alpha and p[3] >= 128 else 0)


def main():
    path, width, height, out = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
    rows = load(path, width, height)
    bgr = lambda row: b''.join(bytes([p[2], p[1], p[0]]) for p in row)
    bgrx = lambda row: b''.join(bytes([p[2], p[1], p[0], 7]) for p in row)
    bgra = lambda row: b''.join(bytes([p[2], p[1], p[0], p[3]]) for p in row)
    up, down = list(reversed(range(height))), list(range(height))
    bmp(f'{out}/bmp24-top-down.bmp', width, height, 24, rows_of(rows, down, bgr), top_down=True)
    bmp(f'{out}/bmp32-no-alpha.bmp', width, height, 32, rows_of(rows, up, bgrx))
    bmp(f'{out}/bmp32-v4-alpha.bmp', width, height, 32, rows_of(rows, up, bgra), compression=3,
        header_size=108, masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000))
    bmp(f'{out}/bmp24-os2v2.bmp', width, height, 24, rows_of(rows, up, bgr), header_size=64)
    colours, index_rows = palette_of(rows, 16)
    bmp(f'{out}/bmp4-rle4.bmp', width, height, 4, rle4(index_rows), colours, compression=2)
    bmp(f'{out}/bmp4-top-down.bmp', width, height, 4,
        b''.join(padded(pack4(list(index_rows[y]))) for y in down), colours, top_down=True)
    colours256, index256 = palette_of(rows, 256)
    bmp(f'{out}/bmp8-top-down.bmp', width, height, 8,
        b''.join(padded(bytes(index256[y])) for y in down), colours256, top_down=True)
    for descriptor, name in ((0x00, 'bottom-left'), (0x10, 'bottom-right'), (0x20, 'top-left'),
                             (0x30, 'top-right')):
        pixels = b''.join(bytes([p[2], p[1], p[0], p[3]]) for p in tga_order(rows, descriptor))
        tga(f'{out}/tga32-{name}.tga', width, height, 2, 32, pixels, descriptor | 8)
    pixels = b''.join(struct.pack('<H', word555(p, True)) for p in tga_order(rows, 0x20))
    tga(f'{out}/tga16-alpha-bit.tga', width, height, 2, 16, pixels, 0x21)
    pixels = b''.join(struct.pack('<H', word555(p, False)) for p in tga_order(rows, 0))
    tga(f'{out}/tga15.tga', width, height, 2, 15, pixels, 0)
    first = 5  # the map holds entries 5 to 5 + n - 1
    cmap = b''.join(bytes([c[2], c[1], c[0]]) for c in colours256)
    pixels = bytes(index256[y][x] + first for y in range(height) for x in range(width))
    pixels = b''.join(pixels[y * width:(y + 1) * width] for y in range(height))
    tga(f'{out}/tga8-map-past-zero.tga', width, height, 1, 8, pixels, 0x20, cmap, first,
        len(colours256), 24)
    rgba = sorted({p for row in rows for p in row})  # every texel's RGBA, one entry each
    cmap32 = b''.join(bytes([c[2], c[1], c[0], c[3]]) for c in rgba)
    pixels = bytes(rgba.index(p) for row in rows for p in row)
    tga(f'{out}/tga8-map32-alpha.tga', width, height, 1, 8, pixels, 0x28, cmap32, 0, len(rgba), 32)
    cmap16 = b''.join(struct.pack('<H', word555(c + (255,), False)) for c in colours)
    pixels = bytes(index_rows[y][x] for y in reversed(range(height)) for x in range(width))
    tga(f'{out}/tga8-map16.tga', width, height, 1, 8, pixels, 0, cmap16, 0, len(colours), 16)


main()
