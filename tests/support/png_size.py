"""Prints a PNG's width, height and resolution in dots per inch (0 when it
states none): what a chat program sees of a pasted picture."""
import struct
import sys

data = open(sys.argv[1], "rb").read()
if data[:8] != b"\x89PNG\r\n\x1a\n":
    sys.exit(f"{sys.argv[1]} is not a PNG")
width, height = struct.unpack(">II", data[16:24])
dpi = 0
at = data.find(b"pHYs")
if at > 0:
    x, _, unit = struct.unpack(">IIB", data[at + 4:at + 13])
    dpi = round(x * 0.0254) if unit == 1 else 0
print(width, height, dpi)
