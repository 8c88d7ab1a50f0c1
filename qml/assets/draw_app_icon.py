#!/usr/bin/python3
"""Draws the application icon (a green tile with a mended page) at 256, 512 and 1024 pixels."""
from PIL import Image, ImageDraw

S = 4096  # drawn large, then reduced for smooth edges


def lerp(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def draw():
    tile = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    gradient = Image.new("RGBA", (S, S))
    top, bottom = (0x0A, 0xA7, 0x58), (0x06, 0x7A, 0x3E)
    gd = ImageDraw.Draw(gradient)
    for y in range(S):
        gd.line([(0, y), (S, y)], fill=lerp(top, bottom, y / S) + (255,))
    mask = Image.new("L", (S, S), 0)
    ImageDraw.Draw(mask).rounded_rectangle([S * 0.04, S * 0.04, S * 0.96, S * 0.96], radius=S * 0.21, fill=255)
    tile.paste(gradient, (0, 0), mask)

    d = ImageDraw.Draw(tile)
    # The page, with its top-right corner folded.
    left, right, topy, bottomy, fold = S * 0.27, S * 0.73, S * 0.19, S * 0.81, S * 0.13
    page = [(left, topy), (right - fold, topy), (right, topy + fold), (right, bottomy), (left, bottomy)]
    d.polygon(page, fill=(255, 255, 255, 255))
    d.polygon([(right - fold, topy), (right - fold, topy + fold), (right, topy + fold)], fill=(0xBD, 0xEB, 0xD0, 255))
    # Text lines.
    for i, width in enumerate((0.30, 0.22)):
        y = S * (0.33 + i * 0.075)
        d.rounded_rectangle([left + S * 0.06, y, left + S * (0.06 + width), y + S * 0.035], radius=S * 0.0175,
                            fill=(0xCB, 0xD5, 0xD0, 255))
    # The mend: a bold check mark.
    w = int(S * 0.065)
    points = [(S * 0.37, S * 0.60), (S * 0.47, S * 0.70), (S * 0.64, S * 0.49)]
    d.line(points, fill=(0x07, 0x96, 0x4D, 255), width=w, joint="curve")
    for x, y in (points[0], points[-1]):
        d.ellipse([x - w / 2, y - w / 2, x + w / 2, y + w / 2], fill=(0x07, 0x96, 0x4D, 255))
    return tile


if __name__ == "__main__":
    icon = draw()
    for size in (256, 512, 1024):
        icon.resize((size, size), Image.LANCZOS).save(f"korvex_file_repair-app-icon-{size}.png", optimize=True)
