#!/usr/bin/env python3
"""Draws the pictures of the vehicle card and of its print, preview and
attachments dialogs into vehicles/*.png. Run from the source root with a
python that has PIL (python3-pil). The pictures are kept in the repository,
so the build does not need this script."""
import os
import sys
from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from drawlib import NAVY, WHITE, car, centred, fitted, font, gradient, paperclip, supersampled  # noqa: E402

OUT = "vehicles"
STEEL = (66, 122, 168)


def save(im, name):
    im.save(os.path.join(OUT, name), optimize=True)


def button(w, h, text, top, bottom):
    im = gradient(w, h, top, bottom)
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, w - 1, h - 1], radius=min(8, h // 3), fill=255)
    im.putalpha(mask)
    d = ImageDraw.Draw(im)
    centred(d, (6, 2, w - 6, h - 2), text, fitted(d, text, w - 16, h * 0.5), WHITE)
    return im


def icon(size, draw, bg=(236, 242, 248)):
    """A square command picture: a rounded tile with a symbol on it."""
    im = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.rounded_rectangle([1, 1, size - 2, size - 2], radius=size // 6, fill=bg + (255,), outline=(150, 175, 200))
    draw(d, size)
    return im


def sheet(d, s, colour=NAVY):
    d.rectangle([s * 0.28, s * 0.18, s * 0.72, s * 0.82], fill=WHITE, outline=colour, width=2)
    for k in range(3):
        y = s * (0.34 + 0.14 * k)
        d.line([(s * 0.36, y), (s * 0.64, y)], fill=colour, width=2)


def plus(d, cx, cy, r, colour):
    d.line([(cx - r, cy), (cx + r, cy)], fill=colour, width=3)
    d.line([(cx, cy - r), (cx, cy + r)], fill=colour, width=3)


def arrow(d, s, direction, bar):
    """A browse arrow: direction -1 left, +1 right; with a bar at its tip."""
    cx, cy, r = s / 2, s / 2, s * 0.22
    if direction > 0:
        d.polygon([(cx - r, cy - r), (cx + r, cy), (cx - r, cy + r)], fill=STEEL)
        if bar:
            d.rectangle([cx + r, cy - r, cx + r + 3, cy + r], fill=STEEL)
    else:
        d.polygon([(cx + r, cy - r), (cx - r, cy), (cx + r, cy + r)], fill=STEEL)
        if bar:
            d.rectangle([cx - r - 3, cy - r, cx - r, cy + r], fill=STEEL)


def main():
    S = 40
    save(icon(S, lambda d, s: (sheet(d, s), plus(d, s * 0.7, s * 0.72, 6, (40, 150, 60)))), "IcoNuovo.png")
    save(icon(S, lambda d, s: (d.rectangle([s * 0.18, s * 0.14, s * 0.58, s * 0.66], fill=WHITE, outline=NAVY,
                                           width=2),
                               d.rectangle([s * 0.40, s * 0.34, s * 0.80, s * 0.86], fill=WHITE, outline=NAVY,
                                           width=2))), "IcoDuplica.png")

    def floppy(d, s):
        d.rectangle([s * 0.2, s * 0.2, s * 0.8, s * 0.8], fill=STEEL)
        d.rectangle([s * 0.32, s * 0.2, s * 0.68, s * 0.42], fill=WHITE)
        d.rectangle([s * 0.3, s * 0.56, s * 0.7, s * 0.8], fill=(220, 230, 240))
    save(icon(S, floppy), "IcoSalva.png")

    def lens(d, s):
        d.ellipse([s * 0.2, s * 0.2, s * 0.6, s * 0.6], outline=NAVY, width=3)
        d.line([(s * 0.55, s * 0.55), (s * 0.8, s * 0.8)], fill=NAVY, width=4)
    save(icon(S, lens), "IcoTrova.png")

    attach = icon(S, lambda d, s: None)
    clip = paperclip(S - 8, NAVY)
    attach.paste(clip, (4, 4), clip)
    save(attach, "IcoFile.png")

    def grid(d, s):
        d.rectangle([s * 0.2, s * 0.2, s * 0.8, s * 0.8], fill=WHITE, outline=(30, 120, 60), width=2)
        for k in (0.4, 0.6):
            d.line([(s * 0.2, s * k), (s * 0.8, s * k)], fill=(30, 120, 60), width=1)
            d.line([(s * k, s * 0.2), (s * k, s * 0.8)], fill=(30, 120, 60), width=1)
        centred(d, (s * 0.2, s * 0.2, s * 0.8, s * 0.8), "X", font(14), (30, 120, 60))
    save(icon(S, grid), "IcoEsporta.png")

    def screen(d, s):
        d.rectangle([s * 0.16, s * 0.22, s * 0.84, s * 0.7], fill=(30, 30, 40), outline=NAVY, width=2)
        d.polygon([(s * 0.44, s * 0.34), (s * 0.6, s * 0.46), (s * 0.44, s * 0.58)], fill=WHITE)
        d.rectangle([s * 0.42, s * 0.72, s * 0.58, s * 0.8], fill=NAVY)
    save(icon(S, screen), "IcoSlideshow.png")
    save(icon(S, lambda d, s: centred(d, (0, 0, s, s), "?", font(24), STEEL)), "IcoGuida.png")

    def door(d, s):
        d.rectangle([s * 0.22, s * 0.16, s * 0.56, s * 0.84], outline=(170, 40, 35), width=3)
        d.line([(s * 0.5, s * 0.5), (s * 0.84, s * 0.5)], fill=(170, 40, 35), width=3)
        d.polygon([(s * 0.84, s * 0.5), (s * 0.72, s * 0.4), (s * 0.72, s * 0.6)], fill=(170, 40, 35))
    save(icon(S, door), "IcoEsci.png")

    B = 32
    save(icon(B, lambda d, s: arrow(d, s, -1, True)), "IcoPrimo.png")
    save(icon(B, lambda d, s: arrow(d, s, -1, False)), "IcoIndietro.png")
    save(icon(B, lambda d, s: arrow(d, s, +1, False)), "IcoAvanti.png")
    save(icon(B, lambda d, s: arrow(d, s, +1, True)), "IcoUltimo.png")
    save(icon(B, floppy), "IcoSalvaFoto.png")

    def cross(d, s):
        d.line([(s * 0.3, s * 0.3), (s * 0.7, s * 0.7)], fill=(190, 40, 35), width=4)
        d.line([(s * 0.7, s * 0.3), (s * 0.3, s * 0.7)], fill=(190, 40, 35), width=4)
    save(icon(B, cross), "IcoCancFoto.png")

    def zoom(d, s):
        lens(d, s)
        plus(d, s * 0.4, s * 0.4, 4, NAVY)
    save(icon(B, zoom), "IcoZoomFoto.png")

    save(button(148, 32, "Anteprima", (90, 150, 205), (40, 90, 150)), "TastoAnteprima.png")
    save(button(148, 32, "Stampa", (90, 150, 205), (40, 90, 150)), "TastoStampa.png")
    save(button(140, 32, "Carica foto", (90, 190, 90), (35, 130, 45)), "TastoCaricaFoto.png")
    save(button(197, 40, "Gestione costi", (250, 170, 70), (220, 110, 20)), "TastoCosti.png")

    head = gradient(600, 32, (66, 122, 168), (40, 85, 130))
    d = ImageDraw.Draw(head)
    car(d, 10, 6, 44, WHITE, (66, 122, 168))
    centred(d, (60, 0, 600, 32), "SCHEDA VEICOLO", font(18), WHITE)
    save(head, "Intestazione.png")

    # The placeholder photo: a generic car on a light background.
    blank = gradient(308, 173, (240, 244, 248), (200, 212, 226))
    d = ImageDraw.Draw(blank)
    car(d, 54, 30, 200, (150, 160, 172))
    d.line([(30, 142), (278, 142)], fill=(160, 170, 182), width=2)
    centred(d, (0, 146, 308, 170), "Nessuna foto", font(13, False), (110, 120, 135))
    blank.convert("RGB").save(os.path.join(OUT, "FotoVuota.png"), optimize=True)

    # The print and preview dialogs: a printer with a page.
    pr = Image.new("RGBA", (110, 110), (0, 0, 0, 0))
    d = ImageDraw.Draw(pr)
    d.rectangle([28, 8, 82, 50], fill=WHITE, outline=NAVY, width=2)
    for k in range(3):
        d.line([(36, 20 + 9 * k), (74, 20 + 9 * k)], fill=STEEL, width=2)
    d.rounded_rectangle([10, 44, 100, 88], radius=8, fill=STEEL)
    d.rectangle([26, 76, 84, 102], fill=WHITE, outline=NAVY, width=2)
    d.ellipse([84, 52, 92, 60], fill=(90, 200, 90))
    save(pr, "Stampante.png")

    # The attachments dialog: its title and the eraser.
    title = gradient(600, 50, (66, 122, 168), (40, 85, 130))
    clip = paperclip(36)
    title.paste(clip, (8, 7), clip)
    d = ImageDraw.Draw(title)
    centred(d, (50, 0, 600, 50), "DOCUMENTI ALLEGATI ALLA SCHEDA", font(20), WHITE)
    save(title, "AllegaTitolo.png")

    def eraser(d, s):
        d.polygon([(3 * s, 14 * s), (11 * s, 4 * s), (19 * s, 10 * s), (11 * s, 20 * s)], fill=(230, 110, 120),
                  outline=(150, 50, 60), width=s)
        d.polygon([(3 * s, 14 * s), (7 * s, 9 * s), (15 * s, 15 * s), (11 * s, 20 * s)], fill=(240, 240, 240),
                  outline=(150, 50, 60), width=s)
    save(supersampled(22, 22, eraser), "Gomma.png")


if __name__ == "__main__":
    main()
