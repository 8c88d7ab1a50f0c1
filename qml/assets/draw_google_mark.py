#!/usr/bin/python3
"""Draws the four-colour "G" mark of the Google sign-in button at 36 x 36 pixels."""
from PIL import Image, ImageDraw

S = 1440  # drawn large, then reduced for smooth edges
BLUE, GREEN, YELLOW, RED = (0x42, 0x85, 0xF4), (0x34, 0xA8, 0x53), (0xFB, 0xBC, 0x05), (0xEA, 0x43, 0x35)


def draw():
    image = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    margin, width = S * 0.06, S * 0.19
    box = [margin, margin, S - margin, S - margin]
    # PIL angles run clockwise from three o'clock.
    d.arc(box, 200, 320, fill=RED + (255,), width=round(width))
    d.arc(box, 150, 200, fill=YELLOW + (255,), width=round(width))
    d.arc(box, 40, 150, fill=GREEN + (255,), width=round(width))
    d.arc(box, 0, 40, fill=BLUE + (255,), width=round(width))
    # The bar of the G, from the centre to the right edge of the ring.
    d.rectangle([S * 0.5, S * 0.5 - width / 2, S - margin, S * 0.5 + width / 2], fill=BLUE + (255,))
    return image.resize((36, 36), Image.LANCZOS)


if __name__ == "__main__":
    draw().save(__file__.rsplit("/", 1)[0] + "/google-g.png")
