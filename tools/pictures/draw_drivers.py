#!/usr/bin/env python3
"""Draws the pictures of the driver card, its search, lists, export and
check dialogs into drivers/*.png. Run from the source root with a python
that has PIL (python3-pil). The pictures are kept in the repository, so the
build does not need this script."""
import os
import sys
from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from drawlib import NAVY, STEEL, WHITE, car, centred, fitted, gradient, save  # noqa: E402

OUT = "drivers"
BLUE = (48, 48, 221)
GREEN = (34, 150, 60)
GREY = (236, 239, 239)


def put(im, name):
    save(im, OUT, name)


def caption_button(text, f):
    """A command of the card: its caption in white on blue, 148 x 32."""
    w, h = 148, 32
    im = gradient(w, h, (70, 90, 235), (30, 30, 170))
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, w - 1, h - 1], radius=8, fill=255)
    im.putalpha(mask)
    d = ImageDraw.Draw(im)
    centred(d, (8, 3, w - 8, h - 3), text, f, WHITE)
    return im


def caption_font(texts):
    """The one type size of the command column: the largest at which every
    caption fits its button, so the twelve commands look alike."""
    d = ImageDraw.Draw(Image.new("RGBA", (1, 1)))
    return min((fitted(d, t, 148 - 20, 15) for t in texts), key=lambda f: f.size)


def title(w, h, text, sub=None):
    """A title band: text in white on a steel-blue gradient."""
    im = gradient(w, h, (70, 130, 180), (25, 55, 95))
    d = ImageDraw.Draw(im)
    if sub:
        centred(d, (12, 2, w - 12, h * 0.58), text, fitted(d, text, w - 30, h * 0.42), WHITE)
        centred(d, (12, h * 0.56, w - 12, h - 3), sub, fitted(d, sub, w - 30, h * 0.28, bold=False), (225, 235, 245))
    else:
        centred(d, (12, 2, w - 12, h - 2), text, fitted(d, text, w - 30, h * 0.55), WHITE)
    return im


def person(d, cx, top, s, colour):
    """A bust: head and shoulders, s pixels tall."""
    r = s * 0.22
    d.ellipse([cx - r, top, cx + r, top + 2 * r], fill=colour)
    d.pieslice([cx - s * 0.42, top + s * 0.48, cx + s * 0.42, top + s * 1.3], 180, 360, fill=colour)


def section(draw):
    im = Image.new("RGBA", (60, 60), (255, 255, 255, 255))
    draw(ImageDraw.Draw(im))
    return im


def tick(size):
    im = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.ellipse([1, 1, size - 2, size - 2], fill=GREEN)
    s = size
    d.line([(s * 0.26, s * 0.52), (s * 0.44, s * 0.7), (s * 0.76, s * 0.32)], fill=WHITE, width=max(2, s // 8))
    return im


def main():
    commands = [("Nuovo", "Nuovo"), ("Duplica", "Duplica"), ("AllegaFile", "Allega file"), ("Salva", "Salva"),
                ("Trova", "Trova"), ("Stampa", "Stampa"), ("Esporta", "Esporta archivio"), ("Ferie", "In ferie"),
                ("Servizio", "In servizio"), ("Trasferte", "Sì trasferte"), ("Guida", "Guida"), ("Esci", "Esci")]
    f = caption_font([text for _, text in commands])
    for name, text in commands:
        put(caption_button(text, f), "Tasto" + name + ".png")
    put(tick(24), "Spunta.png")

    # Section pictures: identity, contacts, payments, vehicle, holidays.
    put(section(lambda d: person(d, 30, 8, 46, STEEL)), "Sezione01.png")

    def phone(d):
        d.rounded_rectangle([18, 6, 42, 54], radius=5, fill=NAVY)
        d.rectangle([21, 12, 39, 44], fill=(170, 210, 240))
        d.ellipse([27, 47, 33, 52], fill=WHITE)
    put(section(phone), "Sezione02.png")

    def card(d):
        d.rounded_rectangle([5, 14, 55, 46], radius=5, fill=(60, 120, 70))
        d.rectangle([5, 20, 55, 26], fill=(30, 30, 30))
        d.rectangle([10, 32, 24, 40], fill=(230, 200, 90))
    put(section(card), "Sezione03.png")
    put(section(lambda d: car(d, 4, 16, 52, STEEL)), "Sezione04.png")

    def sun(d):
        d.ellipse([16, 10, 44, 38], fill=(250, 190, 40))
        d.rectangle([4, 42, 56, 54], fill=(90, 160, 220))
        for k in range(3):
            d.arc([8 + 16 * k, 44, 22 + 16 * k, 52], 180, 360, fill=WHITE, width=2)
    put(section(sun), "Sezione05.png")

    # Decoration below the commands.
    im = Image.new("RGBA", (148, 120), (255, 255, 255, 255))
    d = ImageDraw.Draw(im)
    person(d, 52, 14, 70, (120, 150, 190))
    car(d, 44, 66, 96, STEEL)
    put(im, "Decoro.png")

    # Check dialogs.
    for name, w, text in [("CodFisc", 438, "Controllo codice fiscale"), ("PartitaIva", 440, "Controllo partita IVA"),
                          ("Carta", 479, "Controllo carta di credito"), ("Iban", 568, "Controllo IBAN")]:
        put(title(w, 48, text), "Titolo" + name + ".png")

    # Search and lists.
    put(title(793, 60, "Trova conduttori in archivio",
              "Compilare uno o più campi, anche con parti di parole, e premere Cerca"), "TrovaSpiegazione.png")
    put(title(793, 40, "Conduttori trovati in archivio"), "TrovaTitolo.png")
    for name, text in [("Trasferte", "Conduttori disponibili per trasferte"), ("Ferie", "Conduttori in ferie"),
                       ("Servizio", "Conduttori in servizio")]:
        put(title(793, 40, text), "Titolo" + name + ".png")
    im = gradient(90, 330, (235, 242, 250), (200, 220, 240))
    d = ImageDraw.Draw(im)
    for k in range(3):
        person(d, 45, 30 + k * 100, 64, (70 + 30 * k, 110 + 20 * k, 170))
    put(im, "TrovaConduttore.png")

    # Export banner.
    im = Image.new("RGBA", (300, 60), (255, 255, 255, 255))
    d = ImageDraw.Draw(im)
    person(d, 30, 8, 46, STEEL)
    centred(d, (64, 6, 296, 32), "Archivio conduttori", fitted(d, "Archivio conduttori", 228, 22), NAVY)
    centred(d, (64, 34, 296, 56), "Esportazione in Excel", fitted(d, "Esportazione in Excel", 228, 16, bold=False),
            (60, 110, 60))
    put(im, "ExpLogo.png")


if __name__ == "__main__":
    main()
