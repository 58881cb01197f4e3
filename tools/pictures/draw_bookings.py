#!/usr/bin/env python3
"""Draws the pictures of the booking dialogs into bookings/*.png: the
instructions of the one-day dialog, the booked and free banners and calendar
icons, and the eraser and clipboard commands beside the booking text. Run
from the source root with a python that has PIL (python3-pil). The pictures
are kept in the repository, so the build does not need this script."""
import os
import sys
from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from drawlib import NAVY, WHITE, centred, fitted, font, gradient, save  # noqa: E402

OUT = "bookings"
RED = (215, 25, 30)
GREEN = (40, 200, 70)
BLUE_TOP = (40, 90, 170)
BLUE_BOTTOM = (20, 50, 120)


def text_fits(d, text, f, width, height):
    l, t, r, b = d.textbbox((0, 0), text, font=f)
    assert r - l <= width and b - t <= height, text


def instructions():
    w, h = 444, 32
    im = Image.new("RGBA", (w, h), (255, 255, 255, 0))
    d = ImageDraw.Draw(im)
    lines = ["Per registrare una prenotazione, indicare il nome del cliente nel campo sottostante.",
             "Per annullare la prenotazione, cancellare il contenuto dello stesso campo."]
    f = fitted(d, lines[0], w - 2, h / 2 - 1, bold=False)
    for k, line in enumerate(lines):
        text_fits(d, line, f, w - 2, h / 2)
        l, t, r, b = d.textbbox((0, 0), line, font=f)
        d.text((1 - l, k * h / 2 + (h / 2 - (b - t)) / 2 - t), line, font=f, fill=NAVY)
    return im


def banner(text, colour):
    w, h = 223, 59
    im = gradient(w, h, BLUE_TOP, BLUE_BOTTOM)
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, w - 1, h - 1], radius=10, fill=255)
    im.putalpha(mask)
    d = ImageDraw.Draw(im)
    d.rounded_rectangle([3, 3, w - 4, h - 4], radius=8, outline=WHITE, width=2)
    f = fitted(d, text, w - 30, h * 0.5)
    text_fits(d, text, f, w - 12, h - 12)
    # A light shadow lifts the coloured word off the blue.
    centred(d, (2, 2, w + 2, h + 2), text, f, (10, 25, 60))
    centred(d, (0, 0, w, h), text, f, colour)
    return im


def calendar(booked):
    w, h = 71, 72
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.rounded_rectangle([3, 8, w - 4, h - 3], radius=6, fill=WHITE, outline=(90, 110, 140), width=2)
    d.rounded_rectangle([3, 8, w - 4, 24], radius=6, fill=RED if booked else (70, 130, 180))
    d.rectangle([4, 18, w - 5, 24], fill=RED if booked else (70, 130, 180))
    for x in (18, w - 19):
        d.rounded_rectangle([x - 3, 2, x + 3, 14], radius=3, fill=(120, 130, 150))
    # The grid of days: four rows of five.
    for row in range(4):
        for col in range(5):
            x, y = 10 + col * 11, 30 + row * 9
            d.rectangle([x, y, x + 6, y + 5], fill=(200, 210, 225))
    if booked:
        x, y = 10 + 2 * 11, 30 + 1 * 9
        d.rectangle([x, y, x + 6, y + 5], fill=(60, 60, 60))
        d.ellipse([x - 8, y - 7, x + 14, y + 12], outline=RED, width=3)
    return im


def eraser():
    s = 22
    im = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    # A tilted eraser: pink body and a blue sleeve, with the trace it rubs.
    d.polygon([(2, 13), (9, 6), (15, 12), (8, 19)], fill=(240, 130, 150), outline=(150, 60, 80))
    d.polygon([(9, 6), (13, 2), (20, 9), (15, 12)], fill=(60, 110, 200), outline=(30, 60, 120))
    d.line([(8, 20), (20, 20)], fill=(150, 150, 150), width=1)
    return im


def clipboard():
    s = 22
    im = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    for x, y in ((2, 2), (8, 7)):
        d.rectangle([x, y, x + 11, y + 13], fill=WHITE, outline=NAVY)
        for k in range(3):
            d.line([(x + 3, y + 4 + 3 * k), (x + 8, y + 4 + 3 * k)], fill=(120, 140, 170))
    return im


def main():
    save(instructions(), OUT, "GiornoIstruzioni.png")
    save(banner("PRENOTATO", RED), OUT, "BannerPrenotato.png")
    save(banner("DISPONIBILE", GREEN), OUT, "BannerDisponibile.png")
    save(calendar(True), OUT, "IconaPrenotato.png")
    save(calendar(False), OUT, "IconaDisponibile.png")
    save(eraser(), OUT, "Cancella.png")
    save(clipboard(), OUT, "Clipboard.png")


if __name__ == "__main__":
    main()
