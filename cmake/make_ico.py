#!/usr/bin/env python3
"""Writes a Windows icon file (.ico) holding the given square PNG pictures.

    make_ico.py OUT.ico PICTURE.png...

Windows Vista and later read PNG pictures inside an icon file as they are,
so each picture is stored whole: no conversion, no loss.
"""
import struct
import sys


def png_size(data, name):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit(f"make_ico.py: {name} is not a PNG picture")
    return struct.unpack(">II", data[16:24])


def main(out, pictures):
    entries, images = [], []
    offset = 6 + 16 * len(pictures)
    for name in pictures:
        with open(name, "rb") as f:
            data = f.read()
        width, height = png_size(data, name)
        if width > 256 or height > 256:
            sys.exit(f"make_ico.py: {name} is larger than 256 pixels")
        # 0 stands for 256 in the directory's one-byte sizes.
        entries.append(struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset))
        images.append(data)
        offset += len(data)
    with open(out, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(pictures)) + b"".join(entries) + b"".join(images))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2:])
