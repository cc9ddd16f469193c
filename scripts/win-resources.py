#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Turns the program's PNG pictures and German catalogue into what a Windows resource file takes.

  win-resources.py bmp OUT.bmp IN.png          a 24-bit bitmap (alpha laid over the form's face)
  win-resources.py ico OUT.ico IN.png...       an icon holding each PNG as one size
  win-resources.py catalogue OUT.bin IN.ts CONTEXT...
                                               English/German pairs of the contexts, UTF-16LE,
                                               each text ended by NUL, the list by an empty text
Only the standard library: the build needs nothing beyond Python.
"""
import struct
import sys
import xml.etree.ElementTree as ET
import zlib

FACE = (212, 208, 200)


def read_png(path):
    with open(path, 'rb') as f:
        data = f.read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        sys.exit(f'{path}: not a PNG file')
    pos, idat = 8, b''
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            width, height, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    if depth != 8 or colour not in (2, 6) or interlace:
        sys.exit(f'{path}: only 8-bit RGB or RGBA PNG without interlacing')
    bpp = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 0xFF
        rows.append(bytes(line))
        prev = line
    return width, height, bpp, rows


def write_bmp(out, png):
    width, height, bpp, rows = read_png(png)
    pad = (4 - width * 3 % 4) % 4
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        for x in range(width):
            r, g, b = row[x * bpp:x * bpp + 3]
            if bpp == 4:
                alpha = row[x * bpp + 3]
                r, g, b = (round((v * alpha + f * (255 - alpha)) / 255) for v, f in zip((r, g, b), FACE))
            pixels += bytes((b, g, r))
        pixels += b'\0' * pad
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    with open(out, 'wb') as f:
        f.write(header + info + pixels)


def write_ico(out, pngs):
    images = []
    for png in pngs:
        with open(png, 'rb') as f:
            data = f.read()
        width, height = struct.unpack('>II', data[16:24])
        images.append((width, height, data))
    offset = 6 + 16 * len(images)
    header = struct.pack('<HHH', 0, 1, len(images))
    entries, bodies = b'', b''
    for width, height, data in images:
        entries += struct.pack('<BBBBHHII', width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        bodies += data
        offset += len(data)
    with open(out, 'wb') as f:
        f.write(header + entries + bodies)


def write_catalogue(out, ts, contexts):
    text = ''
    for context in ET.parse(ts).getroot().iter('context'):
        if context.findtext('name') not in contexts:
            continue
        for message in context.iter('message'):
            source = message.findtext('source') or ''
            translation = message.find('translation')
            if source and translation is not None and translation.text:
                text += source + '\0' + translation.text + '\0'
    with open(out, 'wb') as f:
        f.write((text + '\0').encode('utf-16-le'))


def main():
    kind, out, *inputs = sys.argv[1:]
    if kind == 'bmp':
        write_bmp(out, inputs[0])
    elif kind == 'ico':
        write_ico(out, inputs)
    elif kind == 'catalogue':
        write_catalogue(out, inputs[0], set(inputs[1:]))
    else:
        sys.exit(__doc__)


if __name__ == '__main__':
    main()
