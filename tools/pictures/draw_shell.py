#!/usr/bin/env python3
"""Draws the pictures of the shell's windows (logos, tiles, picture commands)
into shell/*.png, and those that the help window and the work areas share
into common/*.png. Run from the source root; needs python3-pil. The pictures
are kept in the repository, so the build does not need this script."""
import os
from PIL import Image, ImageDraw

from drawlib import NAVY, STEEL, WHITE, car, centred, fitted, font, gradient, save as save_in  # noqa: F401

OUT = "shell"
# The pictures of the help window and the picture commands that the work
# areas use too.
COMMON = {"LogoGuida.png", "Pdf.png", "TastoGuida.png", "TastoEsci.png", "Email.png", "Importa.png"}


def save(im, name):
    save_in(im, "common" if name in COMMON else OUT, name)


def logo(w, h, subtitle=True):
    im = gradient(w, h, (255, 255, 255), (225, 236, 247))
    d = ImageDraw.Draw(im)
    s = min(w * 0.3, h * 1.5)
    car(d, w * 0.04, (h - s * 0.5) / 2, s, STEEL)
    x = w * 0.06 + s
    title_h = h * (0.42 if subtitle else 0.7)
    f = fitted(d, "Dorneval", w - x - w * 0.04, title_h)
    d.text((x, h * (0.12 if subtitle else 0.1)), "Dorneval", font=f, fill=NAVY)
    if subtitle:
        d.text((x, h * 0.64), "Gestione parco automezzi", font=fitted(d, "Gestione parco automezzi", w - x - w * 0.04, h * 0.14, False), fill=STEEL)
    return im


def tile(kind):
    w, h = 258, 164
    im = gradient(w, h, (234, 242, 250), (196, 216, 236))
    d = ImageDraw.Draw(im)
    if kind == "Autoparco":
        car(d, 20, 40, 130, STEEL)
        car(d, 120, 75, 120, (200, 60, 50))
    elif kind == "Scadenze":
        d.ellipse([64, 17, 194, 147], fill=WHITE, outline=NAVY, width=6)
        d.line([(129, 82), (129, 37)], fill=NAVY, width=6)
        d.line([(129, 82), (162, 100)], fill=(200, 60, 50), width=6)
        d.ellipse([122, 75, 136, 89], fill=NAVY)
    elif kind == "Planner":
        d.rounded_rectangle([54, 22, 204, 148], radius=8, fill=WHITE, outline=NAVY, width=4)
        d.rectangle([56, 24, 202, 52], fill=(200, 60, 50))
        for r in range(3):
            for c in range(5):
                x, y = 66 + c * 27, 62 + r * 27
                d.rectangle([x, y, x + 20, y + 20], fill=(200, 60, 50) if (r + c) % 4 == 1 else (150, 110, 200))
    elif kind == "Conduttori":
        d.ellipse([99, 18, 159, 78], fill=NAVY)
        d.pieslice([69, 78, 189, 198], 180, 360, fill=STEEL)
    elif kind == "Fogli":
        for i, off in enumerate((0, 12)):
            d.rectangle([80 + off, 16 + off, 170 + off, 136 + off], fill=WHITE, outline=NAVY, width=3)
        for k in range(6):
            d.line([(104, 50 + k * 15), (170, 50 + k * 15)], fill=STEEL, width=3)
    elif kind == "Registro":
        d.rectangle([40, 60, 52, 150], fill=NAVY)
        for k in range(6):
            d.rectangle([52 + k * 28, 66, 52 + k * 28 + 14, 80], fill=(200, 60, 50))
            d.rectangle([66 + k * 28, 66, 66 + k * 28 + 14, 80], fill=WHITE)
        d.rectangle([52, 66, 220, 80], outline=NAVY, width=2)
        car(d, 110, 95, 110, STEEL)
    return im


def button(w, h, text, top=(90, 150, 205), bottom=(40, 90, 150), size=None):
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    g = gradient(w, h, top, bottom)
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, w - 1, h - 1], radius=min(10, h // 3), fill=255)
    im.paste(g, (0, 0), mask)
    d = ImageDraw.Draw(im)
    centred(d, (0, 0, w, h), text, font(size or int(h * 0.42)), WHITE)
    return im


def icon(text, bg):
    im = Image.new("RGBA", (30, 30), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.ellipse([0, 0, 29, 29], fill=bg)
    centred(d, (0, 0, 30, 30), text, font(18), WHITE)
    return im


def main():
    save(logo(328, 160), "Logo.png")
    save(logo(587, 69, subtitle=False), "LogoGuida.png")
    save(logo(392, 54, subtitle=False), "Titolo.png")
    sub = Image.new("RGBA", (578, 30), (0, 0, 0, 0))
    centred(ImageDraw.Draw(sub), (0, 0, 578, 30), "Il software per la gestione del parco automezzi aziendale",
            font(17, False), STEEL)
    save(sub, "Sottotitolo.png")
    labels = {"Autoparco": "PARCO AUTOMEZZI", "Scadenze": "SCADENZE IMMINENTI", "Planner": "PLANNER PRENOTAZIONI",
              "Conduttori": "ARCHIVIO CONDUTTORI", "Fogli": "FOGLI DI MARCIA", "Registro": "REGISTRO VISITATORI"}
    for k, label in labels.items():
        save(tile(k), "Tile%s.png" % k)
        save(button(258, 45, label, size=17), "Tasto%s.png" % k)
    save(button(130, 40, "Esci", (220, 100, 90), (160, 40, 35)), "TastoEsci.png")
    save(button(130, 40, "Guida"), "TastoGuida.png")
    save(button(130, 40, "Dorneval", (120, 120, 120), (60, 60, 60), size=16), "TastoSplash.png")
    save(icon("i", STEEL), "InfoIcona.png")
    save(icon("?", (200, 60, 50)), "GuidaIcona.png")
    sito = gradient(961, 22, (230, 238, 247), (200, 218, 236))
    centred(ImageDraw.Draw(sito), (0, 0, 961, 22), "Visita il sito web del prodotto: https://www.dorneval.example",
            font(13, False), NAVY)
    save(sito, "Sito.png")
    splash = gradient(625, 380, (255, 255, 255), (190, 210, 232))
    d = ImageDraw.Draw(splash)
    car(d, 40, 170, 300, STEEL)
    car(d, 330, 215, 250, (200, 60, 50))
    d.text((40, 30), "Dorneval", font=font(72), fill=NAVY)
    d.text((44, 120), "Parco automezzi, fogli di marcia, conduttori e registro visitatori", font=font(15, False),
           fill=STEEL)
    save(splash, "Splash.png")
    info = gradient(300, 300, (255, 255, 255), (214, 228, 242))
    d = ImageDraw.Draw(info)
    car(d, 30, 90, 240, STEEL)
    centred(d, (0, 220, 300, 260), "Dorneval", font(30), NAVY)
    save(info, "Info.png")
    mail = Image.new("RGBA", (23, 16), (0, 0, 0, 0))
    d = ImageDraw.Draw(mail)
    d.rectangle([0, 0, 22, 15], fill=WHITE, outline=NAVY)
    d.line([(0, 0), (11, 9), (22, 0)], fill=NAVY, width=2)
    save(mail, "Email.png")
    web = Image.new("RGBA", (39, 36), (0, 0, 0, 0))
    d = ImageDraw.Draw(web)
    d.ellipse([2, 1, 36, 35], fill=(90, 150, 205), outline=NAVY, width=2)
    d.line([(19, 1), (19, 35)], fill=WHITE, width=2)
    d.line([(2, 18), (36, 18)], fill=WHITE, width=2)
    d.arc([10, 1, 28, 35], 0, 360, fill=WHITE, width=2)
    save(web, "Web.png")
    pdf = Image.new("RGBA", (27, 27), (0, 0, 0, 0))
    d = ImageDraw.Draw(pdf)
    d.rectangle([3, 0, 23, 26], fill=WHITE, outline=(180, 30, 30), width=2)
    d.rectangle([0, 12, 26, 22], fill=(200, 30, 30))
    centred(d, (0, 12, 27, 22), "PDF", font(8), WHITE)
    save(pdf, "Pdf.png")
    imp = Image.new("RGBA", (36, 36), (0, 0, 0, 0))
    d = ImageDraw.Draw(imp)
    d.polygon([(4, 12), (20, 12), (20, 4), (33, 18), (20, 32), (20, 24), (4, 24)], fill=(200, 40, 40))
    save(imp, "Importa.png")


if __name__ == "__main__":
    main()
