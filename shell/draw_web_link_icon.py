#!/usr/bin/env python3
# Draws web_link.ico, the 16 by 16 icon of the Help page's link buttons: a blue disc with a white
# arrow pointing right ("open the page"). The drawn file is committed; run this only to redraw it.
import math
import os
import struct

SIZE = 16


def pixel(x, y):
    """BGRA of one pixel, antialiased at the disc's rim."""
    cx = cy = (SIZE - 1) / 2
    d = math.hypot(x - cx, y - cy)
    cover = max(0.0, min(1.0, 7.6 - d))
    if cover == 0:
        return (0, 0, 0, 0)
    arrow = (4 <= x <= 9 and 7 <= y <= 8) or (9 <= x <= 12 and abs(y - 7.5) <= 12 - x)
    blue, green, red = (255, 255, 255) if arrow else (0xc0, 0x78, 0x28)
    return (blue, green, red, int(255 * cover))


def icon_bytes():
    rows = []
    for y in reversed(range(SIZE)):  # bottom-up, as in every DIB
        rows.append(b"".join(struct.pack("4B", *pixel(x, y)) for x in range(SIZE)))
    xor = b"".join(rows)
    mask_row = 4  # 16 bits, padded to 32
    and_mask = b"\0" * (mask_row * SIZE)  # alpha decides; the mask shows everything
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + xor + and_mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    return directory + image


if __name__ == "__main__":
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "web_link.ico")
    with open(out, "wb") as f:
        f.write(icon_bytes())
