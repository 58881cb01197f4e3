#!/usr/bin/python3
"""Writes the hostile picture corpus of this folder: small damaged JPEG, PNG
and bitmap files, each made by hand from a sound picture with one defect.
Every picture loader must refuse each of them or decode it cleanly."""
import io
import os
import struct
import zlib

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))


def save(name, data):
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(data)


# --- JPEG -------------------------------------------------------------------

def sound_jpeg(progressive=False):
    im = Image.new('RGB', (16, 16))
    for y in range(16):
        for x in range(16):
            im.putpixel((x, y), (x * 16, y * 16, 128))
    out = io.BytesIO()
    im.save(out, 'JPEG', quality=90, progressive=progressive, optimize=False)
    return bytearray(out.getvalue())


def segments(data):
    """(marker, start of the marker, length) of each segment before the first scan."""
    pos, found = 2, []
    while pos + 4 <= len(data):
        marker = data[pos + 1]
        length = struct.unpack('>H', data[pos + 2:pos + 4])[0]
        found.append((marker, pos, length))
        if marker == 0xDA:
            break
        pos += 2 + length
    return found


def first(data, marker):
    return next((s for s in segments(data) if s[0] == marker))


jpeg = sound_jpeg()
save('jpeg-sound.jpg', jpeg)

# A Huffman table announcing more than 256 codes.
bad = bytearray(jpeg)
_, pos, _ = first(bad, 0xC4)
counts = pos + 5  # marker(2) length(2) class/id(1)
for i in range(16):
    bad[counts + i] = 0xFF
save('jpeg-huffman-too-many-codes.jpg', bad)

# A Huffman table of valid code lengths announcing 510 codes, past the 256
# values a table can hold.
_, pos, _ = first(jpeg, 0xC4)
table = b'\x00' + bytes([0] * 14 + [255, 255]) + bytes(510)
bad = jpeg[:pos] + b'\xff\xc4' + struct.pack('>H', 2 + len(table)) + table + jpeg[pos:]
save('jpeg-huffman-over-256-codes.jpg', bad)

# A Huffman table whose code lengths overflow the code space.
bad = bytearray(jpeg)
bad[counts + 0] = 2  # two codes of one bit, then more of two bits
bad[counts + 1] = 4
save('jpeg-huffman-overfull.jpg', bad)

# Cut inside the scan data, with and without an end marker after the cut.
save('jpeg-truncated.jpg', jpeg[:len(jpeg) * 2 // 3])
save('jpeg-truncated-with-end.jpg', jpeg[:len(jpeg) * 2 // 3] + b'\xff\xd9')

# Frame header sizes: zero width, zero height, huge, and a tall strip like
# the one that decoded to 160 MB.
_, sof, _ = first(jpeg, 0xC0)
for name, (w, h) in {'zero-width': (0, 16), 'zero-height': (16, 0), 'huge': (65000, 65000),
                     'tall-strip': (308, 65445), 'over-limit': (8000, 7000)}.items():
    bad = bytearray(jpeg)
    bad[sof + 5:sof + 9] = struct.pack('>HH', h, w)
    save('jpeg-size-%s.jpg' % name, bad)

# A frame header that claims more components than it holds.
bad = bytearray(jpeg)
bad[sof + 9] = 200
save('jpeg-too-many-components.jpg', bad)

# A progressive scan whose successive approximation asks for a 32-bit shift.
prog = sound_jpeg(progressive=True)
save('jpeg-progressive-sound.jpg', prog)
bad = bytearray(prog)
_, sos, length = first(bad, 0xDA)
bad[sos + 2 + length - 1] = 0xFF  # Ah = 15, Al = 15
save('jpeg-progressive-shift.jpg', bad)

# A quantisation table of the wrong length.
bad = bytearray(jpeg)
_, dqt, _ = first(bad, 0xDB)
bad[dqt + 2:dqt + 4] = struct.pack('>H', 0xFFFF)
save('jpeg-dqt-length.jpg', bad)

# Only the signature, then garbage and an end marker.
save('jpeg-signature-garbage.jpg', b'\xff\xd8\xff\xe0' + bytes(range(256)) * 4 + b'\xff\xd9')

# --- PNG --------------------------------------------------------------------

def chunk(kind, payload, crc=None):
    body = kind + payload
    return struct.pack('>I', len(payload)) + body + struct.pack('>I', zlib.crc32(body) if crc is None else crc)


def png(w, h, rows=None, depth=8, colour=6, idat=None, extra=b''):
    sig = b'\x89PNG\r\n\x1a\n'
    ihdr = chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, depth, colour, 0, 0, 0))
    if idat is None:
        raw = b''.join(b'\x00' + r for r in rows)
        idat = chunk(b'IDAT', zlib.compress(raw))
    return sig + ihdr + extra + idat + chunk(b'IEND', b'')


four = [b''.join(bytes([x * 60, y * 60, 100, 255]) for x in range(4)) for y in range(4)]
save('png-sound.png', png(4, 4, four))
save('png-no-image-data.png', png(4, 4, idat=b''))
save('png-empty-image-data.png', png(4, 4, idat=chunk(b'IDAT', b'')))
save('png-size-zero.png', png(0, 4, idat=chunk(b'IDAT', zlib.compress(b''))))
save('png-size-huge.png', png(100000, 100000, idat=chunk(b'IDAT', zlib.compress(b'\x00' * 64))))
save('png-size-over-limit.png', png(8000, 7000, idat=chunk(b'IDAT', zlib.compress(b'\x00' * 64))))
save('png-rows-missing.png', png(4, 4, four[:2]))
whole = png(4, 4, four)
save('png-bad-crc.png', whole[:29] + b'\x00\x00\x00\x00' + whole[33:])
stream = zlib.compress(b''.join(b'\x00' + r for r in four))
save('png-zlib-cut.png', png(4, 4, idat=chunk(b'IDAT', stream[:len(stream) // 2])))
save('png-bad-filter.png', png(4, 4, idat=chunk(b'IDAT', zlib.compress(b''.join(b'\x09' + r for r in four)))))
save('png-bad-depth.png', png(4, 4, four, depth=7))
save('png-palette-missing.png', png(4, 4, [b'\x00\x01\x02\x03'] * 4, colour=3))
save('png-palette-too-long.png', png(4, 4, [b'\x00\x01\x02\x03'] * 4, colour=3,
                                     extra=chunk(b'PLTE', b'\x10' * 3 * 300)))

# --- Bitmap -----------------------------------------------------------------

def bmp(w, h, bpp, pixels, compression=0, colours=0, palette=b'', offset=None, header=40, masks=b''):
    info = struct.pack('<IiiHHIIiiII', header, w, h, 1, bpp, compression, len(pixels), 2835, 2835, colours, 0)
    info += b'\x00' * (header - 40)
    start = 14 + len(info) + len(masks) + len(palette)
    off = start if offset is None else offset
    head = b'BM' + struct.pack('<IHHI', start + len(pixels), 0, 0, off)
    return head + info + masks + palette + pixels


px24 = (b'\x00\x00\xff\x00\xff\x00' + b'\x00\x00') * 2
save('bmp-sound.bmp', bmp(2, 2, 24, px24))
save('bmp-size-huge.bmp', bmp(60000, 60000, 24, px24))
save('bmp-size-over-limit.bmp', bmp(8000, 7000, 24, px24))
save('bmp-width-negative.bmp', bmp(-2, 2, 24, px24))
save('bmp-height-most-negative.bmp', bmp(2, -2**31, 24, px24))
save('bmp-pixels-cut.bmp', bmp(2, 2, 24, px24[:10]))
save('bmp-offset-beyond.bmp', bmp(2, 2, 24, px24, offset=0xFFFFFFF0))
save('bmp-header-size-huge.bmp', b'BM' + struct.pack('<IHHII', 60, 0, 0, 54, 0xFFFFFFFF) + b'\x00' * 40)
save('bmp-header-cut.bmp', bmp(2, 2, 24, px24)[:20])
save('bmp-palette-count-huge.bmp', bmp(4, 1, 8, b'\x00\x01\x02\x03', colours=0xFFFFFFFF, palette=b'\x00\x00\xff\x00' * 4))
save('bmp-palette-index-beyond.bmp', bmp(4, 1, 8, b'\x00\x01\xfe\xff', colours=2, palette=b'\x00\x00\xff\x00' * 2))
save('bmp-bits-per-pixel-odd.bmp', bmp(2, 2, 7, px24))
save('bmp-bits-per-pixel-zero.bmp', bmp(2, 2, 0, px24))
save('bmp-rle8.bmp', bmp(2, 2, 8, b'\x02\x00\x00\x01', compression=1, palette=b'\x00\x00\xff\x00' * 256))
save('bmp-bitfields-cut.bmp', bmp(1, 1, 32, b'', compression=3)[:60])
save('bmp-bitfields-odd-masks.bmp', bmp(2, 1, 32, b'\xff\xff\xff\xff' * 2, compression=3,
                                        masks=struct.pack('<III', 0xFFFFFFFF, 0, 0x80000001)))
save('bmp-bitfields-16.bmp', bmp(2, 1, 16, b'\x1f\x00\xe0\x03', compression=3,
                                  masks=struct.pack('<III', 0xF800, 0x07E0, 0x001F)))

# --- Neither ----------------------------------------------------------------

save('empty.jpg', b'')
save('garbage.png', bytes((i * 37 + 11) % 256 for i in range(3000)))
save('text.bmp', b'BM is not always a bitmap, this is plain text.')
