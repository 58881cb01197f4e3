#!/usr/bin/env python3
"""Draws the pictures of the booking planner into planner/*.png: the free and
booked day pictures, month titles, toolbar commands, titles and icons. Run
from the source root with a python that has PIL (python3-pil). The pictures
are kept in the repository, so the build does not need this script."""
import os
import sys
from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from drawlib import STEEL, WHITE, car, centred, fitted, gradient, save  # noqa: E402

OUT = "planner"
VIOLET = (217, 210, 240)
DARK_BLUE = (20, 30, 120)
RED = (254, 5, 16)
LIGHT_RED = (255, 160, 165)


def day(number, fill, frame, ink):
    """A day cell, 24 x 33: the day's number on its colour inside a frame."""
    w, h = 24, 33
    im = Image.new("RGBA", (w, h), frame + (255,))
    d = ImageDraw.Draw(im)
    d.rectangle([2, 2, w - 3, h - 3], fill=fill + (255,))
    text = str(number)
    centred(d, (2, 2, w - 2, h - 2), text, fitted(d, text, w - 7, 12), ink)
    return im


def days():
    for n in range(1, 32):
        save(day(n, VIOLET, WHITE, DARK_BLUE), OUT, "Libero%02d.png" % n)
        save(day(n, RED, LIGHT_RED, WHITE), OUT, "Occupato%02d.png" % n)


MONTHS = ["GENNAIO", "FEBBRAIO", "MARZO", "APRILE", "MAGGIO", "GIUGNO", "LUGLIO", "AGOSTO",
          "SETTEMBRE", "OTTOBRE", "NOVEMBRE", "DICEMBRE"]
TAGS = ["Gen", "Feb", "Mar", "Apr", "Mag", "Giu", "Lug", "Ago", "Set", "Ott", "Nov", "Dic"]
ORANGE = (255, 140, 0)
YELLOW = (255, 220, 0)
BLUE = (40, 83, 162)


def framed(w, h, text, fill, frame, ink, width=2):
    """Text on a colour inside a frame."""
    im = Image.new("RGBA", (w, h), frame + (255,))
    d = ImageDraw.Draw(im)
    d.rectangle([width, width, w - 1 - width, h - 1 - width], fill=fill + (255,))
    centred(d, (width, width, w - width, h - width), text, fitted(d, text, w - 4 * width - 8, h * 0.5), ink)
    return im


def rounded(w, h, text, top, bottom, ink=WHITE):
    """A command bar shading from top to bottom, with its word."""
    im = gradient(w, h, top, bottom)
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, w - 1, h - 1], radius=min(10, h // 3), fill=255)
    im.putalpha(mask)
    d = ImageDraw.Draw(im)
    centred(d, (6, 2, w - 6, h - 2), text, fitted(d, text, w - 20, h * 0.45), ink)
    return im


def knob_bar(w, h, text):
    """The menu commands: a black rounded bar with a blue round knob and the white word."""
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.rounded_rectangle([2, h * 0.2, w - 3, h * 0.8], radius=h * 0.3, fill=(20, 20, 20, 255))
    r = h * 0.42
    d.ellipse([4, h / 2 - r, 4 + 2 * r, h / 2 + r], fill=(30, 100, 220, 255), outline=WHITE, width=2)
    centred(d, (8 + 2 * r, h * 0.2, w - 8, h * 0.8), text, fitted(d, text, w - 2 * r - 24, h * 0.32), WHITE)
    return im


def icon(w, h, draw):
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.rounded_rectangle([0, 0, w - 1, h - 1], radius=6, fill=(236, 242, 248, 255), outline=(150, 175, 200))
    draw(d, w, h)
    return im


def question(d, w, h):
    d.ellipse([5, 5, w - 6, h - 6], fill=BLUE)
    centred(d, (5, 5, w - 5, h - 5), "?", fitted(d, "?", w - 16, h - 16), WHITE)


def door(d, w, h):
    d.rectangle([9, 5, w - 10, h - 5], fill=(140, 80, 30), outline=(80, 40, 10), width=2)
    d.ellipse([w - 17, h / 2 - 2, w - 13, h / 2 + 2], fill=YELLOW)
    d.polygon([(4, h / 2), (10, h / 2 - 5), (10, h / 2 + 5)], fill=(200, 30, 30))


def planner_window():
    for tag, name in zip(TAGS, MONTHS):
        save(framed(136, 33, name + " :", STEEL, ORANGE, WHITE), OUT, "Mese%s.png" % tag)
    year = framed(190, 56, "", STEEL, WHITE, WHITE)
    d = ImageDraw.Draw(year)
    centred(d, (4, 4, 98, 52), "ANNO :", fitted(d, "ANNO :", 84, 24), WHITE)
    save(year, OUT, "Anno.png")
    title = Image.new("RGBA", (199, 38), (255, 255, 255, 255))
    d = ImageDraw.Draw(title)
    centred(d, (0, 0, 199, 38), "PLANNER", fitted(d, "PLANNER", 195, 34), (220, 20, 30))
    save(title, OUT, "TitoloPlanner.png")
    for word in ("Intervallo", "Riepilogo", "Anteprima", "Stampa"):
        save(rounded(135, 43, word, (255, 215, 0), (220, 30, 20)), OUT, "Cmd%s.png" % word)
    save(icon(37, 39, question), OUT, "CmdGuida.png")
    save(icon(37, 39, door), OUT, "CmdEsci.png")


def hand(w, h):
    """A hand pointing left."""
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    skin, line = (250, 215, 170), (120, 70, 30)
    d.rounded_rectangle([2, h * 0.3, w * 0.55, h * 0.6], radius=3, fill=skin, outline=line)
    d.rounded_rectangle([w * 0.4, h * 0.15, w - 3, h - 2], radius=5, fill=skin, outline=line)
    return im


def keys(w, h):
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    grey, dark = (190, 190, 200), (90, 90, 100)
    d.ellipse([4, 8, 40, 44], outline=grey, width=6)
    d.rectangle([38, 22, w - 8, 30], fill=grey)
    for x in (w - 30, w - 18):
        d.rectangle([x, 30, x + 6, 40], fill=grey)
    d.rounded_rectangle([60, 4, 96, 48], radius=10, fill=(30, 30, 30), outline=dark)
    d.ellipse([72, 12, 84, 24], fill=(200, 30, 30))
    return im


def menu_window():
    car_im = Image.new("RGBA", (139, 64), (0, 0, 0, 0))
    car(ImageDraw.Draw(car_im), 4, 4, 131, (200, 30, 40))
    save(car_im, OUT, "MenuAuto.png")
    title = Image.new("RGBA", (588, 43), (255, 255, 255, 255))
    d = ImageDraw.Draw(title)
    text = "PLANNER PRENOTAZIONI"
    centred(d, (0, 0, 588, 43), text, fitted(d, text, 580, 36), BLUE)
    save(title, OUT, "MenuTitolo.png")
    save(keys(144, 52), OUT, "MenuChiavi.png")
    save(hand(36, 19), OUT, "MenuMano.png")
    save(knob_bar(141, 67, "Guida"), OUT, "MenuGuida.png")
    save(knob_bar(140, 67, "Esci"), OUT, "MenuEsci.png")


if __name__ == "__main__":
    days()
    planner_window()
    menu_window()
