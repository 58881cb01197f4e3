#!/usr/bin/env python3
"""Draws the pictures of the gate register (year menu, visit card, daily
lists, visit search, print, export and statistics) into gate/*.png. Run from
the source root with /usr/bin/python3 (PIL and the DejaVu fonts). The
pictures are kept in the repository, so the build does not need this script."""
import math
import os
import sys
from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from drawlib import NAVY, WHITE, car, centred, fitted, font, gradient, supersampled  # noqa: E402

OUT = "gate"
BLUE = (66, 122, 168)
RED = (200, 30, 30)
LIME = (120, 190, 40)


def save(im, name):
    im.save(os.path.join(OUT, name), optimize=True)


def button(w, h, text, top, bottom, symbol=None, size=None):
    """A rounded command picture with its caption; `symbol` draws on the left;
    `size` gives the caption's type size (otherwise as large as fits)."""
    im = gradient(w, h, top, bottom)
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, w - 1, h - 1], radius=min(8, h // 3), fill=255)
    im.putalpha(mask)
    d = ImageDraw.Draw(im)
    left = 6
    if symbol:
        symbol(d, 8, (h - 24) // 2, 24)
        left = 38
    f = font(size) if size else fitted(d, text, w - left - 8, h * 0.45)
    centred(d, (left, 2, w - 6, h - 2), text, f, WHITE)
    return im


def common_size(texts, w, h, symbol=True):
    """The one type size at which every caption of a group of buttons fits."""
    d = ImageDraw.Draw(Image.new("RGBA", (w, h)))
    left = 38 if symbol else 6
    return min(fitted(d, t, w - left - 8, h * 0.45).size for t in texts)


def barrier(d, x, y, s, raised, metal=(55, 60, 70)):
    """A gate barrier: a post s pixels tall, its foot at (x, y), and a thick
    arm striped red and white, raised at 45 degrees or lowered level; post,
    pivot and the arm's edge in the colour `metal`."""
    post = max(2, s * 0.16)
    d.rectangle([x, y - s, x + post, y], fill=metal)
    px, py = x + post / 2, y - s * 0.75  # the pivot
    length = s * (1.0 if raised else 2.3)
    a = math.radians(45 if raised else 0)
    ux, uy = math.cos(a), -math.sin(a)  # along the arm
    half = max(1.5, s * 0.09)
    nx, ny = -uy * half, ux * half  # across it
    stripes = 5 if raised else 7
    for i in range(stripes):
        t0, t1 = length * i / stripes, length * (i + 1) / stripes
        d.polygon([(px + ux * t0 + nx, py + uy * t0 + ny), (px + ux * t1 + nx, py + uy * t1 + ny),
                   (px + ux * t1 - nx, py + uy * t1 - ny), (px + ux * t0 - nx, py + uy * t0 - ny)],
                  fill=RED if i % 2 == 0 else WHITE)
    d.polygon([(px + nx, py + ny), (px + ux * length + nx, py + uy * length + ny),
               (px + ux * length - nx, py + uy * length - ny), (px - nx, py - ny)],
              outline=metal, width=max(1, round(s * 0.03)))
    r = max(1.5, s * 0.09)
    d.ellipse([px - r, py - r, px + r, py + r], fill=metal)


def passage(w, h, entering):
    """The symbol of an entry or an exit, w x h: a raised barrier and a thick
    arrow passing under its arm, in (pointing right, green) or out (pointing
    left, orange), outlined in white to stand out on a dark band."""
    def shape(d, k):
        barrier(d, 1 * k, (h - 1) * k, h * 0.6 * k, True, metal=(225, 230, 236))
        y, t = h * 0.74 * k, h * 0.13 * k  # the shaft's middle and half thickness
        x0, x1 = w * 0.36 * k, (w - 1) * k
        head = h * 0.3 * k
        if entering:
            pts = [(x0, y - t), (x1 - head, y - t), (x1 - head, y - 2.2 * t), (x1, y),
                   (x1 - head, y + 2.2 * t), (x1 - head, y + t), (x0, y + t)]
        else:
            pts = [(x1, y - t), (x0 + head, y - t), (x0 + head, y - 2.2 * t), (x0, y),
                   (x0 + head, y + 2.2 * t), (x0 + head, y + t), (x1, y + t)]
        d.polygon(pts, fill=(70, 200, 90) if entering else (255, 150, 30), outline=WHITE, width=max(1, k))
    return supersampled(w, h, shape)


def keeper(d, x, y, s, colour=NAVY):
    """A gate keeper figure, s pixels tall, feet at (x, y)."""
    r = s * 0.13
    d.ellipse([x - r, y - s, x + r, y - s + 2 * r], fill=(240, 200, 160))
    d.rectangle([x - r * 1.2, y - s - r * 0.2, x + r * 1.2, y - s + r * 0.5], fill=colour)
    d.rounded_rectangle([x - s * 0.2, y - s + 2.2 * r, x + s * 0.2, y - s * 0.35], radius=4, fill=colour)
    d.rectangle([x - s * 0.16, y - s * 0.36, x - s * 0.03, y], fill=(40, 40, 60))
    d.rectangle([x + s * 0.03, y - s * 0.36, x + s * 0.16, y], fill=(40, 40, 60))


def lens(d, x, y, s, colour=NAVY, width=3):
    d.ellipse([x, y, x + s * 0.62, y + s * 0.62], outline=colour, width=width)
    d.line([(x + s * 0.55, y + s * 0.55), (x + s, y + s)], fill=colour, width=width + 1)


def calendar(d, x, y, s):
    d.rectangle([x, y + s * 0.15, x + s, y + s], fill=WHITE, outline=NAVY)
    d.rectangle([x, y + s * 0.15, x + s, y + s * 0.38], fill=RED)
    for i in range(3):
        for j in range(2):
            d.rectangle([x + s * (0.15 + 0.27 * i), y + s * (0.5 + 0.22 * j),
                         x + s * (0.3 + 0.27 * i), y + s * (0.62 + 0.22 * j)], fill=NAVY)


def clock(d, x, y, s):
    d.ellipse([x, y, x + s, y + s], fill=WHITE, outline=NAVY, width=2)
    c = (x + s / 2, y + s / 2)
    d.line([c, (c[0], y + s * 0.18)], fill=NAVY, width=2)
    d.line([c, (x + s * 0.75, c[1])], fill=NAVY, width=2)


def red_arrow(d, x, y, s):
    d.rectangle([x + s * 0.05, y + s * 0.38, x + s * 0.55, y + s * 0.62], fill=RED)
    d.polygon([(x + s * 0.5, y + s * 0.15), (x + s * 0.95, y + s * 0.5), (x + s * 0.5, y + s * 0.85)], fill=RED)


def sheet(d, x, y, s, colour=NAVY):
    d.rectangle([x + s * 0.15, y, x + s * 0.85, y + s], fill=WHITE, outline=colour, width=2)
    for k in range(3):
        yy = y + s * (0.25 + 0.2 * k)
        d.line([(x + s * 0.28, yy), (x + s * 0.72, yy)], fill=colour, width=2)


def printer(d, x, y, s, colour=WHITE):
    """A printer with a sheet coming out of it."""
    d.rectangle([x + s * 0.25, y + s * 0.05, x + s * 0.75, y + s * 0.35], outline=colour, width=2)
    d.rounded_rectangle([x, y + s * 0.32, x + s, y + s * 0.72], radius=3, fill=colour)
    d.rectangle([x + s * 0.22, y + s * 0.6, x + s * 0.78, y + s * 0.98], fill=(240, 244, 250), outline=colour, width=2)
    for k in range(2):
        yy = y + s * (0.74 + 0.12 * k)
        d.line([(x + s * 0.32, yy), (x + s * 0.68, yy)], fill=(90, 150, 205), width=1)


def grid_sheet(d, x, y, s, colour=WHITE):
    """A spreadsheet: a sheet ruled in cells."""
    d.rectangle([x + s * 0.1, y + s * 0.05, x + s * 0.9, y + s * 0.95], fill=colour)
    ink = (35, 130, 45)
    for k in range(1, 4):
        yy = y + s * (0.05 + 0.225 * k)
        d.line([(x + s * 0.1, yy), (x + s * 0.9, yy)], fill=ink, width=1)
    d.line([(x + s * 0.37, y + s * 0.05), (x + s * 0.37, y + s * 0.95)], fill=ink, width=1)
    d.line([(x + s * 0.63, y + s * 0.05), (x + s * 0.63, y + s * 0.95)], fill=ink, width=1)


def floppy(d, x, y, s):
    d.rectangle([x, y, x + s, y + s], fill=WHITE)
    d.rectangle([x + s * 0.2, y, x + s * 0.75, y + s * 0.35], fill=BLUE)
    d.rectangle([x + s * 0.18, y + s * 0.55, x + s * 0.82, y + s], fill=(220, 230, 240), outline=BLUE)


def small(size, draw):
    im = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    draw(ImageDraw.Draw(im), 0, 0, size)
    return im


def arrow_icon(w, h, direction, bar):
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.rounded_rectangle([1, 1, w - 2, h - 2], radius=6, fill=(236, 242, 248), outline=(150, 175, 200))
    cx, cy, r = w / 2, h / 2, min(w, h) * 0.22
    if direction > 0:
        d.polygon([(cx - r, cy - r), (cx + r, cy), (cx - r, cy + r)], fill=BLUE)
        if bar:
            d.rectangle([cx + r, cy - r, cx + r + 3, cy + r], fill=BLUE)
    else:
        d.polygon([(cx + r, cy - r), (cx - r, cy), (cx + r, cy + r)], fill=BLUE)
        if bar:
            d.rectangle([cx - r - 3, cy - r, cx - r, cy + r], fill=BLUE)
    return im


def binoculars(d, x, y, s, colour=NAVY):
    """A pair of binoculars seen from the front, s pixels wide, top-left at (x, y)."""
    r = s * 0.22
    for cx in (x + r + 1, x + s - r - 1):
        d.rounded_rectangle([cx - r * 0.8, y, cx + r * 0.8, y + s * 0.42], radius=3, fill=colour)
        d.ellipse([cx - r, y + s * 0.3, cx + r, y + s * 0.3 + 2 * r], fill=colour)
        d.ellipse([cx - r * 0.6, y + s * 0.3 + r * 0.4, cx + r * 0.6, y + s * 0.3 + r * 1.6], fill=(150, 190, 230))
    d.rectangle([x + s * 0.4, y + s * 0.12, x + s * 0.6, y + s * 0.3], fill=colour)


def banner(text, colour, figure, right=None):
    """The 817 x 53 title of a list window: a figure, the title and, at the
    right, a raised barrier or what `right` draws."""
    im = gradient(817, 53, (255, 255, 255), (226, 234, 242))
    d = ImageDraw.Draw(im)
    figure(d)
    centred(d, (90, 0, 727, 53), text, fitted(d, text, 610, 34), colour)
    if right:
        right(d)
    else:
        barrier(d, 740, 48, 30, True)
    return im


def strip():
    im = Image.new("RGBA", (645, 31), (255, 255, 255, 255))
    d = ImageDraw.Draw(im)
    f = font(11, False)
    d.text((4, 1), "Digitare una o più parole consecutive della voce cercata e premere Trova.", font=f, fill=NAVY)
    d.text((4, 16), "Premere di nuovo Trova per passare alla voce successiva con lo stesso testo.", font=f,
           fill=NAVY)
    return im


def band_title(text, symbol):
    """A band of the visit card: its symbol at the left, drawn by symbol(d,
    x, y, size) or pasted when it is a picture, and its title."""
    im = gradient(680, 28, (66, 122, 168), (40, 85, 130))
    d = ImageDraw.Draw(im)
    if isinstance(symbol, Image.Image):
        im.alpha_composite(symbol, (6, (28 - symbol.height) // 2))
    else:
        symbol(d, 8, 3, 22)
    centred(d, (40, 0, 680, 28), text, font(16), WHITE)
    return im


def main():
    blue = ((90, 150, 205), (40, 90, 150))
    green = ((90, 190, 90), (35, 130, 45))
    orange = ((250, 170, 70), (220, 110, 20))
    grey = ((150, 160, 175), (95, 105, 120))
    commands = [
        ("RegNuovo.png", "Nuovo", blue, sheet),
        ("RegSalva.png", "Salva", blue, floppy),
        ("RegTrova.png", "Trova", blue, lambda d, x, y, s: lens(d, x, y, s, WHITE)),
        ("RegStampa.png", "Stampa", blue, printer),
        ("RegNonUsciti.png", "Veicoli non usciti", orange, lambda d, x, y, s: car(d, x, y + 6, s, WHITE)),
        ("RegEntratiOggi.png", "Veicoli entrati oggi", orange, lambda d, x, y, s: car(d, x, y + 6, s, WHITE)),
        ("RegUscitiOggi.png", "Veicoli usciti oggi", orange, lambda d, x, y, s: car(d, x, y + 6, s, WHITE)),
        ("RegExcel.png", "Esporta in Excel", green, grid_sheet),
        ("RegGuida.png", "Guida", grey, lambda d, x, y, s: centred(d, (x, y, x + s, y + s), "?", font(20), WHITE)),
        ("RegEsci.png", "Esci", grey, red_arrow),
    ]
    # The three list commands share one type size, so that none looks smaller.
    lists = common_size([t for _, t, c, _ in commands if c is orange], 216, 39)
    for name, text, colours, symbol in commands:
        save(button(216, 39, text, colours[0], colours[1], symbol, lists if colours is orange else None), name)
    save(arrow_icon(37, 39, -1, True), "RegPrimo.png")
    save(arrow_icon(37, 39, -1, False), "RegIndietro.png")
    save(arrow_icon(37, 39, +1, False), "RegAvanti.png")
    save(arrow_icon(37, 39, +1, True), "RegUltimo.png")
    save(band_title("INGRESSO", passage(32, 26, True)), "TitIngresso.png")
    save(band_title("VEICOLO, PERSONE E MERCE A BORDO", lambda d, x, y, s: car(d, x - 4, y + 4, s + 6, WHITE)),
         "TitVeicolo.png")
    save(band_title("USCITA", passage(32, 26, False)), "TitUscita.png")
    save(small(22, calendar), "ImpData.png")
    save(small(22, clock), "ImpOra.png")
    save(small(22, red_arrow), "ImpVeicolo.png")
    save(small(22, lambda d, x, y, s: d.ellipse([x + 6, y + 6, x + s - 6, y + s - 6], fill=LIME)), "Decoro.png")

    # The daily lists and the search's result panel.
    save(banner("VEICOLI USCITI OGGI", RED, lambda d: (keeper(d, 40, 50, 46), barrier(d, 58, 48, 18, True))),
         "BannerUsciti.png")
    save(banner("VEICOLI ENTRATI OGGI", RED, lambda d: (keeper(d, 40, 50, 46), barrier(d, 58, 48, 18, True))),
         "BannerEntrati.png")
    save(banner("VEICOLI NON ANCORA USCITI", RED, lambda d: (keeper(d, 40, 50, 46), barrier(d, 58, 48, 18, False))),
         "BannerNonUsciti.png")
    save(banner("RISULTATI DI RICERCA", (30, 70, 170), lambda d: (keeper(d, 30, 50, 46), lens(d, 46, 10, 22)),
                lambda d: binoculars(d, 748, 6, 44)), "BannerRisultati.png")
    save(strip(), "Istruzioni.png")
    save(small(30, lambda d, x, y, s: lens(d, x + 3, y + 3, s - 6)), "Lente.png")

    spiega = Image.new("RGBA", (771, 61), (255, 255, 255, 255))
    d = ImageDraw.Draw(spiega)
    lens(d, 8, 6, 48)
    f = font(12, False)
    for k, line in enumerate([
            "Digitare una o più parole consecutive delle schede cercate nei campi di interesse e premere Cerca.",
            "Lasciare in bianco tutti gli altri campi.",
            "In ciascuna ricerca è possibile utilizzare uno o più campi contemporaneamente."]):
        d.text((70, 4 + 18 * k), line, font=f, fill=NAVY)
    save(spiega, "Spiega.png")
    side = gradient(98, 350, (200, 220, 240), (120, 160, 200))
    d = ImageDraw.Draw(side)
    d.ellipse([24, 20, 74, 70], fill=WHITE, outline=RED, width=6)
    centred(d, (24, 20, 74, 70), "30", font(18), (20, 20, 20))
    d.rectangle([46, 70, 52, 330], fill=(110, 110, 110))
    barrier(d, 20, 330, 60, False)
    d.rectangle([0, 330, 98, 350], fill=(90, 100, 110))
    save(side, "Trova01.png")

    # The print window.
    pr = Image.new("RGBA", (110, 110), (0, 0, 0, 0))
    d = ImageDraw.Draw(pr)
    d.rectangle([28, 4, 82, 50], fill=WHITE, outline=NAVY, width=2)
    d.line([(28, 27), (82, 27)], fill=RED, width=1)
    d.rounded_rectangle([10, 44, 100, 88], radius=8, fill=BLUE)
    d.rectangle([26, 76, 84, 102], fill=WHITE, outline=NAVY, width=2)
    d.ellipse([84, 52, 92, 60], fill=(90, 200, 90))
    save(pr, "Stampante.png")

    # The export window.
    logo = Image.new("RGBA", (360, 60), (0, 0, 0, 0))
    d = ImageDraw.Draw(logo)
    barrier(d, 4, 54, 30, True)
    d.text((70, 6), "Ingressi e uscite veicoli", font=font(18), fill=NAVY)
    d.text((70, 32), "Esportazione in Microsoft Excel", font=font(13, False), fill=BLUE)
    save(logo, "ExpLogo.png")

    def tile(draw):
        im = Image.new("RGBA", (60, 60), (0, 0, 0, 0))
        d = ImageDraw.Draw(im)
        d.rounded_rectangle([1, 1, 58, 58], radius=10, fill=(236, 242, 248), outline=(150, 175, 200))
        draw(d)
        return im
    save(tile(lambda d: (d.rectangle([14, 12, 46, 48], fill=WHITE, outline=(30, 120, 60), width=2),
                         centred(d, (14, 12, 46, 48), "X", font(20), (30, 120, 60)))), "ExpExcel.png")
    save(tile(lambda d: centred(d, (0, 0, 60, 60), "?", font(32), BLUE)), "ExpGuida.png")
    save(tile(lambda d: red_arrow(d, 12, 12, 36)), "ExpEsci.png")

    # The statistics and the year menu.
    title = gradient(960, 60, (66, 122, 168), (40, 85, 130))
    d = ImageDraw.Draw(title)
    for k, h in enumerate([18, 30, 24, 40, 34, 46]):
        d.rectangle([14 + 9 * k, 54 - h, 20 + 9 * k, 54], fill=(250, 200, 60))
    centred(d, (80, 0, 960, 60), "STATISTICHE TRANSITI VEICOLI", font(28), WHITE)
    save(title, "StatTitolo.png")
    menu = gradient(960, 60, (66, 122, 168), (40, 85, 130))
    d = ImageDraw.Draw(menu)
    barrier(d, 14, 54, 30, True, metal=(225, 230, 236))
    centred(d, (80, 0, 960, 60), "REGISTRO VISITATORI", font(28), WHITE)
    save(menu, "MenuTitolo.png")
    scene = gradient(420, 440, (210, 228, 245), (245, 248, 252))
    d = ImageDraw.Draw(scene)
    d.rectangle([0, 330, 420, 440], fill=(150, 155, 160))
    d.rectangle([250, 150, 410, 330], fill=(225, 215, 190), outline=(120, 110, 90), width=3)
    d.rectangle([290, 240, 350, 330], fill=(110, 90, 70))
    keeper(d, 220, 330, 120)
    barrier(d, 150, 330, 70, False)
    car(d, 10, 250, 130, (200, 40, 40))
    save(scene, "MenuIllustrazione.png")
    bars = Image.new("RGBA", (200, 100), (255, 255, 255, 255))
    d = ImageDraw.Draw(bars)
    colours = [(255, 0, 0), (0, 0, 255), (255, 228, 196), (255, 0, 255), (192, 220, 192), (255, 255, 0)]
    for k, h in enumerate([40, 70, 55, 85, 30, 62]):
        d.rectangle([14 + 30 * k, 94 - h, 34 + 30 * k, 94], fill=colours[k], outline=(60, 60, 60))
    save(bars, "MenuGrafico.png")


if __name__ == "__main__":
    main()
