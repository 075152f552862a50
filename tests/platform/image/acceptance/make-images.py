#!/usr/bin/python3
"""Writes the acceptance table's images into this folder, each a 16 x 16 picture
of four 8 x 8 quadrants, with independent encoders: ImageMagick (convert), Python
PIL, netpbm (pnmtopng, ppmtotga), pngcrush and optipng. No TGA comes from
ImageMagick 6: it writes the top row first under a bottom-left origin. The few
kinds none of them writes (15- and 16-bit TGA pixels and palettes, a colour-map offset, the
right-to-left origins) are written byte by byte below.

Needs: imagemagick python3-pil netpbm pngcrush optipng. Run from anywhere:
    tests/platform/image/acceptance/make-images.py
"""
import os
import struct
import subprocess
import tempfile

from PIL import Image, PngImagePlugin

HERE = os.path.dirname(os.path.abspath(__file__))
TL, TR, BL, BR = (200, 40, 40), (40, 200, 40), (40, 40, 200), (230, 230, 60)
GREYS = (20, 90, 160, 240)


def quadrants(colours, mode="RGB"):
    image = Image.new(mode, (16, 16))
    for y in range(16):
        for x in range(16):
            image.putpixel((x, y), colours[(y >= 8) * 2 + (x >= 8)])
    return image


def out(name):
    return os.path.join(HERE, name)


def run(*command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def convert(source, *options_and_target):
    run("/usr/bin/convert", source, "-strip", *options_and_target)


def main():
    tmp = tempfile.mkdtemp()
    rgb = os.path.join(tmp, "rgb.ppm")
    quadrants((TL, TR, BL, BR)).save(rgb)
    grey = os.path.join(tmp, "grey.pgm")
    quadrants(GREYS, "L").save(grey)
    bilevel = os.path.join(tmp, "bilevel.pbm")
    quadrants((0, 255, 255, 0), "1").save(bilevel)

    # ---- PNG: every colour type and bit depth ----
    for depth, levels in ((2, (0, 85, 170, 255)), (4, (17, 85, 170, 238))):
        source = os.path.join(tmp, "grey%d.pgm" % depth)
        quadrants(levels, "L").save(source)
        convert(source, "-define", "png:bit-depth=%d" % depth, "-define", "png:color-type=0", out("grey%d.png" % depth))
    quadrants((0, 255, 255, 0), "1").save(out("grey1.png"))
    quadrants(GREYS, "L").save(out("grey8.png"))
    sixteen = Image.new("I;16", (16, 16))
    for y in range(16):
        for x in range(16):
            sixteen.putpixel((x, y), GREYS[(y >= 8) * 2 + (x >= 8)] * 256 + 77)
    sixteen.save(out("grey16.png"))
    quadrants((TL, TR, BL, BR)).save(out("rgb8.png"))
    convert(rgb, "-depth", "16", "PNG48:" + out("rgb16.png"))
    quadrants(((20, 255), (90, 255), (160, 128), (240, 255)), "LA").save(out("grey-alpha8.png"))
    convert(out("grey-alpha8.png"), "-define", "png:bit-depth=16", "-define", "png:color-type=4", out("grey-alpha16.png"))
    quadrants((TL + (255,), TR + (255,), BL + (128,), BR + (255,)), "RGBA").save(out("rgba8.png"))
    convert(out("rgba8.png"), "-depth", "16", "PNG64:" + out("rgba16.png"))
    for bits in (1, 2, 4, 8):
        colours = (TL, TL, BL, BL) if bits == 1 else (TL, TR, BL, BR)
        quadrants(colours).quantize(2 if bits == 1 else 4).save(out("palette%d.png" % bits), bits=bits)
    quadrants((TL, TR, BL, BR)).quantize(4).save(out("palette-trns.png"), transparency=2)
    quadrants((TL, TR, BL, BR)).save(out("rgb-trns.png"), transparency=BL)
    quadrants(GREYS, "L").save(out("grey-trns.png"), transparency=160)
    run("optipng", "-quiet", "-clobber", "-nx", "-i1", "-out", out("adam7.png"), out("rgb8.png"))
    run("optipng", "-quiet", "-clobber", "-nx", "-i1", "-out", out("palette-adam7.png"), out("palette4.png"))
    three = os.path.join(tmp, "three.ppm")
    quadrants((TL, TR, BL, TL)).save(three)
    for options in (("-sub",), ("-up",), ("-avg",), ("-paeth",), ("-interlace", "-paeth")):
        name = "palette3" + "".join(options).replace("-interlace", "-adam7").replace("-", "-") + ".png"
        with open(out(name), "wb") as f:  # three entries at 2 bits: every row filtered so
            subprocess.run(["pnmtopng", *options, three], check=True, stdout=f, stderr=subprocess.DEVNULL)

    # ---- PNG: ancillary chunks of every common kind, an unknown one, a bad CRC ----
    with open(os.path.join(tmp, "text"), "w") as f:
        f.write("Title acceptance image\n")
    with open(out("ancillary-netpbm.png"), "wb") as f:
        subprocess.run(["pnmtopng", "-gamma", "0.45455", "-background", "rgb:ff/ff/ff", "-size", "2835 2835 1", "-modtime", "2024-01-02 03:04:05",
                        "-text", os.path.join(tmp, "text"), "-ztxt", os.path.join(tmp, "text"), "-hist", rgb], check=True, stdout=f, stderr=subprocess.DEVNULL)
    info = PngImagePlugin.PngInfo()
    info.add_itxt("Comment", "acceptance", lang="en", tkey="Comment", zip=True)
    info.add(b"prVt", b"an unknown ancillary chunk")
    quadrants((TL, TR, BL, BR)).save(out("ancillary-pil.png"), pnginfo=info, icc_profile=b"\0" * 128, dpi=(72, 72))
    # ImageMagick unstripped: gAMA, cHRM, sRGB, bKGD, tIME and tEXt
    run("/usr/bin/convert", rgb, "-intent", "Perceptual", "-set", "comment", "acceptance", out("srgb-splt.png"))
    run("pngcrush", "-q", "-force", "-text", "b", "Author", "acceptance", out("rgb8.png"), out("text-crc.png"))
    with open(out("text-crc.png"), "r+b") as f:  # spoil the CRC of the text chunk pngcrush added
        data = f.read()
        at = data.index(b"tEXt") + 4 + len("Author\0acceptance")
        f.seek(at)
        f.write(bytes([data[at] ^ 0x55]))
    with open(out("srgb-splt.png"), "r+b") as f:  # add a suggested palette before IEND
        data = f.read()
        body = b"sPLT" + b"four\0\x08" + b"".join(bytes(c) + b"\0\x01" for c in (TL, TR, BL, BR))
        chunk = struct.pack(">I", len(body) - 4) + body + struct.pack(">I", __import__("zlib").crc32(body))
        before_palette = b""
        for body in (b"sBIT\x08\x08\x08", b"sRGB\x00"):  # significant bits and sRGB intent, before PLTE
            before_palette += struct.pack(">I", len(body) - 4) + body + struct.pack(">I", __import__("zlib").crc32(body))
        f.seek(0)
        f.write(data[:33] + before_palette + data[33:-12] + chunk + data[-12:])

    # ---- TGA from encoders ----
    quadrants((TL, TR, BL, BR)).save(out("rgb24.tga"))
    quadrants((TL, TR, BL, BR)).save(out("rgb24-rle-top-left.tga"), compression="tga_rle", orientation=-1)
    quadrants((TL + (255,), TR + (255,), BL + (128,), BR + (255,)), "RGBA").save(out("rgb32-rle.tga"), compression="tga_rle")
    quadrants((TL + (255,), TR + (255,), BL + (128,), BR + (255,)), "RGBA").save(out("rgb32.tga"))
    quadrants(GREYS, "L").save(out("grey8.tga"))
    quadrants(GREYS, "L").save(out("grey8-rle.tga"), compression="tga_rle")
    with open(out("palette4-netpbm.tga"), "wb") as f:
        subprocess.run(["ppmtotga", "-cmap", "-norle", "-name", "acceptance", rgb], check=True, stdout=f,
                       stderr=subprocess.DEVNULL)
    with open(out("palette4-netpbm-rle.tga"), "wb") as f:
        subprocess.run(["ppmtotga", "-cmap", "-name", "acceptance", rgb], check=True, stdout=f, stderr=subprocess.DEVNULL)
    quadrants((TL, TL, BL, BL)).quantize(2).save(out("palette256-pil.tga"))
    quadrants((TL, TR, BL, BR)).quantize(4).save(out("palette-pil-rle.tga"), compression="tga_rle")

    # ---- TGA written byte by byte ----
    def tga(name, image_type, bits, pixels, colour_map=b"", map_bits=0, map_first=0, descriptor=0):
        entry_bytes = (map_bits + 7) // 8
        header = struct.pack("<BBBHHBHHHHBB", 0, 1 if colour_map else 0, image_type, map_first,
                             len(colour_map) // entry_bytes if colour_map else 0, map_bits, 0, 0, 16, 16, bits,
                             descriptor)
        with open(out(name), "wb") as f:
            f.write(header + colour_map + pixels)

    def rows_bottom_up(value):  # value(colour index 0..3) -> bytes; quadrants TL TR / BL BR
        data = b""
        for y in reversed(range(16)):
            for x in range(16):
                data += value((y >= 8) * 2 + (x >= 8))
        return data

    def rgb555(c, alpha=0):
        return struct.pack("<H", alpha << 15 | (c[0] >> 3) << 10 | (c[1] >> 3) << 5 | c[2] >> 3)

    quad = (TL, TR, BL, BR)
    tga("rgb15.tga", 2, 15, rows_bottom_up(lambda q: rgb555(quad[q])))
    tga("rgb16.tga", 2, 16, rows_bottom_up(lambda q: rgb555(quad[q], 1)), descriptor=1)
    for bits, entry in ((15, rgb555), (16, lambda c: rgb555(c, 1)), (24, lambda c: bytes(reversed(c))),
                        (32, lambda c: bytes(reversed(c)) + b"\xff")):
        tga("palette4-map%d.tga" % bits, 1, 8, rows_bottom_up(lambda q: bytes([q])),
            b"".join(entry(c) for c in quad), bits)
    # A colour map whose first entry is number 2: the indices are 2 to 5.
    tga("palette4-offset.tga", 1, 8, rows_bottom_up(lambda q: bytes([q + 2])),
        b"".join(bytes(reversed(c)) for c in quad), 24, map_first=2)
    tga("rgb24-bottom-right.tga", 2, 24, rows_bottom_up(lambda q: bytes(reversed(quad[q ^ 1]))), descriptor=0x10)
    tga("rgb24-top-right.tga", 2, 24, rows_bottom_up(lambda q: bytes(reversed(quad[q ^ 3]))), descriptor=0x30)

    # ---- JPEG ----
    for name, options in (("baseline.jpg", ()), ("progressive.jpeg", ("-interlace", "Plane")),
                          ("upper-case.JPG", ()), ("grey.jpg", ("-colorspace", "Gray"))):
        convert(grey if name == "grey.jpg" else rgb, "-quality", "95", "-sampling-factor", "1x1", *options, out(name))
    quadrants((TL, TR, BL, BR)).save(out("pil.jpg"), quality=95, subsampling=0)


if __name__ == "__main__":
    main()
