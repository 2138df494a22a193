#!/usr/bin/env python3
"""Writes pictures-word.rtf: one paragraph per picture kind a Windows writer puts in RTF.

Each picture is a solid colour with a known size so the tests can check both the pixels
and the displayed size. Needs netpbm (ppmmake, pnmtojpeg) for the JPEG.
Run from this folder: ./make-pictures.py
"""
import struct
import subprocess
import zlib


def png(w, h, rgb):
    raw = b''.join(b'\x00' + bytes(rgb) * w for _ in range(h))

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))


def jpeg(w, h, rgb):
    ppm = subprocess.run(['ppmmake', 'rgb:%02x/%02x/%02x' % tuple(rgb), str(w), str(h)],
                         check=True, capture_output=True).stdout
    return subprocess.run(['pnmtojpeg', '-quality=90'], input=ppm, check=True, capture_output=True).stdout


def dib(w, h, rgb):
    stride = (w * 3 + 3) & ~3
    row = bytes([rgb[2], rgb[1], rgb[0]]) * w + b'\x00' * (stride - w * 3)
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, stride * h, 3780, 3780, 0, 0)
    return header + row * h


def wmf_record(fn, params):
    return struct.pack('<IH', (6 + len(params)) // 2, fn) + params


def wmf(records):
    body = b''.join(records) + wmf_record(0, b'')
    size_words = (18 + len(body)) // 2
    header = struct.pack('<HHHIHIH', 1, 9, 0x300, size_words, 0, 0, 0)
    return header + body


def wmf_with_bitmap(w, h, rgb):
    bits = dib(w, h, rgb)
    stretch = struct.pack('<IHhhhhhhhh', 0x00CC0020, 0, h, w, 0, 0, h, w, 0, 0) + bits
    return wmf([wmf_record(0x0103, struct.pack('<h', 8)),  # SetMapMode anisotropic
                wmf_record(0x020B, struct.pack('<hh', 0, 0)),  # SetWindowOrg
                wmf_record(0x020C, struct.pack('<hh', h, w)),  # SetWindowExt
                wmf_record(0x0F43, stretch)])


def wmf_vector(w, h):
    return wmf([wmf_record(0x020C, struct.pack('<hh', h, w)),
                wmf_record(0x0214, struct.pack('<hh', 0, 0)),  # MoveTo
                wmf_record(0x0213, struct.pack('<hh', h, w))])  # LineTo


def emf_with_bitmap(w, h, rgb):
    bits = dib(w, h, rgb)
    bmi, pixels = bits[:40], bits[40:]
    off_bmi = 80
    off_bits = off_bmi + len(bmi)
    size = off_bits + len(pixels)
    stretch = (struct.pack('<II', 81, size) + struct.pack('<iiii', 0, 0, w - 1, h - 1)
               + struct.pack('<iiiiii', 0, 0, 0, 0, w, h)
               + struct.pack('<IIII', off_bmi, len(bmi), off_bits, len(pixels))
               + struct.pack('<IIii', 0, 0x00CC0020, w, h) + bmi + pixels)
    eof = struct.pack('<IIIII', 14, 20, 0, 16, 20)
    header_size = 88
    total = header_size + len(stretch) + len(eof)
    header = (struct.pack('<II', 1, header_size) + struct.pack('<iiii', 0, 0, w - 1, h - 1)
              + struct.pack('<iiii', 0, 0, w * 2540 // 96, h * 2540 // 96)
              + struct.pack('<IIIIHH', 0x464D4520, 0x10000, total, 3, 1, 0)
              + struct.pack('<III', 0, 0, 0) + struct.pack('<ii', 1024, 768) + struct.pack('<ii', 271, 203))
    assert len(header) == header_size
    return header + stretch + eof


def hexlines(data):
    h = data.hex()
    return '\n'.join(h[i:i + 128] for i in range(0, len(h), 128))


def para(pict):
    return '\\pard\\plain\\f0\\fs24 ' + pict + '\\par\n'


red, green, blue, grey = (200, 0, 0), (0, 160, 0), (0, 0, 200), (90, 90, 90)
parts = []
# Word 2003: PNG in \shppict, a metafile twin in \nonshppict. Shown 120 x 80 px.
parts.append(para('{\\*\\shppict{\\pict{\\*\\picprop\\shplid1025{\\sp{\\sn shapeType}{\\sv 75}}}'
                  '\\picscalex100\\picscaley100\\picw3175\\pich2117\\picwgoal1800\\pichgoal1200\\pngblip\n'
                  + hexlines(png(120, 80, red)) + '}}{\\nonshppict{\\pict\\picscalex100\\picscaley100'
                  '\\picw3175\\pich2117\\picwgoal1800\\pichgoal1200\\wmetafile8\n'
                  + hexlines(wmf_with_bitmap(120, 80, grey)) + '}}'))
# JPEG at 72 dpi corrected by the scale: 64 x 48 px shown as 64 x 48.
parts.append(para('{\\pict\\picw64\\pich48\\picwgoal1280\\pichgoal960\\picscalex75\\picscaley75\\jpegblip\n'
                  + hexlines(jpeg(64, 48, green)) + '}'))
# A device-independent bitmap, no goal size: its own pixels, 30 x 20.
parts.append(para('{\\pict\\dibitmap0\\picw30\\pich20\n' + hexlines(dib(30, 20, blue)) + '}'))
# A device-dependent bitmap in \bin: 16 x 8, 24 bits, rows top first.
ddb = (bytes([0, 0, 200]) * 16) * 8
parts.append(para('{\\pict\\wbitmap0\\picw16\\pich8\\wbmbitspixel24\\wbmplanes1\\wbmwidthbytes48\\bin%d ' % len(ddb)
                  + ddb.decode('latin-1') + '}'))
# A metafile wrapping one bitmap, size in hundredths of a millimetre: 50 x 40 px, doubled by the scale.
parts.append(para('{\\pict\\wmetafile8\\picw1323\\pich1058\\picscalex200\\picscaley200\n'
                  + hexlines(wmf_with_bitmap(50, 40, green)) + '}'))
# An enhanced metafile wrapping one bitmap with a goal size: 60 x 45 px.
parts.append(para('{\\pict\\emfblip\\picw1587\\pich1190\\picwgoal900\\pichgoal675\n'
                  + hexlines(emf_with_bitmap(60, 45, blue)) + '}'))
# A metafile that draws a line: an empty frame of 100 x 50 px.
parts.append(para('{\\pict\\wmetafile8\\picw2646\\pich1323\\picwgoal1500\\pichgoal750\n'
                  + hexlines(wmf_vector(100, 50)) + '}'))

doc = ('{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\froman\\fcharset204 Times New Roman;}}\n'
       + ''.join(parts) + '}\n')
with open('pictures-word.rtf', 'wb') as f:
    f.write(doc.encode('latin-1'))

# Truncated picture data: the document ends in the middle of the PNG.
whole = para('\\u1060\\\'3f\\u1086\\\'3f\\u1090\\\'3f\\u1086:{\\pict\\pngblip\\picwgoal1500\\pichgoal1500\n'
             + hexlines(png(100, 100, red)) + '}')
doc = '{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\n' + whole
with open('broken-truncated-picture.rtf', 'wb') as f:
    f.write(doc[:len(doc) * 2 // 3].encode('latin-1'))
