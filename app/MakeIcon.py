#!/usr/bin/env python3
# Draws the program's icon (a page with a clock, 16x16 and 32x32, 32-bit colour) and writes it
# as Kavet24.ico beside this script. Run again after changing the drawing.
import os
import struct


def draw(size):
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]
    s = size / 32.0
    # a white page with a dark border
    for y in range(int(3 * s), int(29 * s)):
        for x in range(int(5 * s), int(23 * s)):
            edge = x in (int(5 * s), int(23 * s) - 1) or y in (int(3 * s), int(29 * s) - 1)
            px[y][x] = (60, 60, 60, 255) if edge else (255, 255, 255, 255)
    # text lines on the page
    for line in range(4):
        y = int((8 + line * 4) * s)
        for x in range(int(8 * s), int(19 * s)):
            px[y][x] = (150, 150, 150, 255)
    # a blue clock at the lower right
    cx, cy, r = 21 * s, 21 * s, 9.5 * s
    for y in range(size):
        for x in range(size):
            d = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
            if d <= r:
                px[y][x] = (20, 70, 200, 255) if d > r - 2 * s else (235, 245, 255, 255)
    for t in range(int(7 * s)):
        px[int(cy - t)][int(cx)] = (0, 0, 0, 255)  # minute hand to 12
    for t in range(int(5 * s)):
        px[int(cy)][int(cx + t)] = (0, 0, 0, 255)  # hour hand to 3
    return px


def bitmap(size):
    px = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = b"".join(
        b"".join(struct.pack("BBBB", b, g, r, a) for (r, g, b, a) in px[y]) for y in reversed(range(size))
    )
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)
    return header + rows + mask


images = [(16, bitmap(16)), (32, bitmap(32))]
out = struct.pack("<HHH", 0, 1, len(images))
offset = 6 + 16 * len(images)
for size, data in images:
    out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
for _, data in images:
    out += data
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "Kavet24.ico"), "wb") as f:
    f.write(out)
