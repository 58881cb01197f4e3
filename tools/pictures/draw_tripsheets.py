#!/usr/bin/env python3
"""Draws the pictures of the trip sheets (year menu, trip-sheet window, its
dialogs, lists, export and the printed sheet) into tripsheets/*.png. Run from
the source root with a python that has PIL (python3-pil). The pictures are
kept in the repository, so the build does not need this script."""
import os
import sys
from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from drawlib import NAVY, STEEL, WHITE, car, centred, fitted, font, gradient, save  # noqa: E402

OUT = "tripsheets"
RED = (200, 30, 30)
CRIMSON = (220, 20, 60)


def put(im, name):
    save(im, OUT, name)


def tile(size, draw, bg=(236, 242, 248)):
    """A square command picture: a rounded tile with a symbol on it."""
    im = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.rounded_rectangle([1, 1, size - 2, size - 2], radius=size // 6, fill=bg + (255,), outline=(150, 175, 200))
    draw(d, size)
    return im


def banner(w, h, text, top=(40, 80, 140), bottom=(70, 130, 180)):
    im = gradient(w, h, top, bottom)
    d = ImageDraw.Draw(im)
    centred(d, (8, 2, w - 8, h - 2), text, fitted(d, text, w - 20, h * 0.6), WHITE)
    return im


def words(w, h, lines, fill=NAVY, bg=(255, 255, 255, 255)):
    """A picture of a few lines of text, each fitted to the width."""
    im = Image.new("RGBA", (w, h), bg)
    d = ImageDraw.Draw(im)
    step = h / len(lines)
    size = min(int(step * 0.62), 15)
    f = font(size, False)
    for line in lines:
        l, t, r, b = d.textbbox((0, 0), line, font=f)
        while r - l > w - 12 and size > 7:
            size -= 1
            f = font(size, False)
            l, t, r, b = d.textbbox((0, 0), line, font=f)
    for i, line in enumerate(lines):
        centred(d, (6, i * step, w - 6, (i + 1) * step), line, f, fill)
    return im


def sheet_symbol(d, s, colour=NAVY):
    d.rectangle([s * 0.25, s * 0.15, s * 0.75, s * 0.85], fill=WHITE, outline=colour, width=2)
    for k in range(4):
        y = s * (0.3 + 0.13 * k)
        d.line([(s * 0.33, y), (s * 0.67, y)], fill=colour, width=2)


def open_sheets(d, s):
    car(d, s * 0.1, s * 0.3, s * 0.8, RED)


def numbering(d, s):
    centred(d, (0, 0, s, s), "N", font(int(s * 0.6)), NAVY)


def arrow(size):
    im = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    s = size
    d.polygon([(s * 0.1, s * 0.35), (s * 0.5, s * 0.35), (s * 0.5, s * 0.12), (s * 0.92, s * 0.5),
               (s * 0.5, s * 0.88), (s * 0.5, s * 0.65), (s * 0.1, s * 0.65)], fill=RED, outline=(120, 0, 0))
    return im


def hand(w, h):
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.rounded_rectangle([w * 0.1, h * 0.35, w * 0.7, h * 0.9], radius=w * 0.12, fill=(240, 200, 160),
                        outline=(150, 100, 60), width=2)
    d.rounded_rectangle([w * 0.55, h * 0.4, w * 0.95, h * 0.55], radius=h * 0.06, fill=(240, 200, 160),
                        outline=(150, 100, 60), width=2)
    return im


def pump(w, h):
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.rounded_rectangle([w * 0.15, h * 0.1, w * 0.65, h * 0.95], radius=w * 0.06, fill=(200, 40, 40))
    d.rectangle([w * 0.23, h * 0.2, w * 0.57, h * 0.42], fill=(230, 240, 250))
    d.line([(w * 0.65, h * 0.3), (w * 0.85, h * 0.35), (w * 0.85, h * 0.75)], fill=(40, 40, 40), width=max(2, w // 20))
    return im


def odometer(w, h):
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.ellipse([w * 0.05, h * 0.05, w * 0.95, h * 0.95], fill=(30, 30, 40), outline=(160, 160, 170), width=3)
    d.rectangle([w * 0.25, h * 0.58, w * 0.75, h * 0.75], fill=WHITE)
    centred(d, (w * 0.25, h * 0.58, w * 0.75, h * 0.75), "012345", fitted(d, "012345", w * 0.46, h * 0.14), NAVY)
    d.line([(w * 0.5, h * 0.5), (w * 0.78, h * 0.25)], fill=(230, 60, 40), width=max(2, w // 25))
    return im


def vehicle(w, h):
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    car(ImageDraw.Draw(im), w * 0.05, h * 0.2, w * 0.9, (40, 90, 160))
    return im


def illustration(w, h):
    im = gradient(w, h, (235, 242, 250), (190, 210, 230))
    d = ImageDraw.Draw(im)
    d.rectangle([w * 0.12, h * 0.08, w * 0.62, h * 0.9], fill=WHITE, outline=NAVY, width=3)
    centred(d, (w * 0.12, h * 0.1, w * 0.62, h * 0.22), "FOGLIO DI MARCIA", fitted(d, "FOGLIO DI MARCIA", w * 0.44, h * 0.08), NAVY)
    for k in range(9):
        y = h * (0.28 + 0.065 * k)
        d.line([(w * 0.16, y), (w * 0.58, y)], fill=(150, 170, 200), width=2)
    car(d, w * 0.5, h * 0.62, w * 0.45, RED)
    return im


def main():
    put(tile(40, open_sheets), "IcoAperti.png")
    put(tile(40, numbering), "IcoNumerazione.png")
    put(arrow(26), "FrecciaConduttore.png")
    put(banner(150, 18, "FOGLIO DI MARCIA N."), "TitoloNumero.png")
    put(banner(600, 60, "Fogli di Marcia"), "MenuTitolo.png")
    put(illustration(360, 300), "MenuIllustrazione.png")
    put(banner(380, 50, "Numerazione Fogli di Marcia"), "NumLogo.png")
    put(hand(90, 90), "NumMano.png")
    put(words(340, 150, ["Premere Stampa per stampare il", "Foglio di Marcia corrente su un",
                         "foglio A4, oppure Annulla per", "tornare alla schermata di lavoro."]),
        "StampaSpiegazione.png")
    put(words(340, 150, ["Premere Mostra anteprima per vedere", "il Foglio di Marcia corrente come",
                         "apparirà sul foglio A4, oppure Annulla", "per tornare alla schermata di lavoro."]),
        "AnteprimaSpiegazione.png")
    put(banner(793, 40, "Riepilogo Fogli di Marcia non ancora chiusi"), "ApertiTitolo.png")
    put(banner(793, 40, "Fogli di Marcia trovati in archivio"), "TrovaTitolo.png")
    put(words(560, 34, ["Digitare una o più parole consecutive della voce cercata e premere Trova;",
                        "premere ancora Trova per passare alla voce successiva con lo stesso testo."]),
        "TrovaIstruzioni.png")
    put(words(793, 60, ["Digitare nei campi scelti una o più parole consecutive contenute nei Fogli di Marcia cercati",
                        "e lasciare vuoti gli altri campi: è possibile utilizzare uno o più campi contemporaneamente."]),
        "TrovaSpiegazione.png")
    put(banner(300, 60, "Esporta in Excel"), "ExpLogo.png")
    put(vehicle(160, 90), "StampaVeicolo.png")
    put(pump(80, 100), "StampaPompa.png")
    put(odometer(100, 100), "StampaContachilometri.png")


if __name__ == "__main__":
    main()
