#!/usr/bin/env python3
"""Draws the pictures of the booking planner into planner/*.png: the free and
booked day pictures, month titles, toolbar commands, titles and icons. Run
from the source root with a python that has PIL (python3-pil). The pictures
are kept in the repository, so the build does not need this script."""
import os
import sys
from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from drawlib import STEEL, WHITE, car, centred, fitted, font, gradient, save  # noqa: E402

OUT = "planner"
VIOLET = (217, 210, 240)
DARK_BLUE = (20, 30, 120)
RED = (254, 5, 16)
LIGHT_RED = (255, 160, 165)


DAY_W, DAY_H = 24, 33


def day(number, fill, frame, ink, f):
    """A day cell, 24 x 33: the day's number on its colour inside a frame."""
    w, h = DAY_W, DAY_H
    im = Image.new("RGBA", (w, h), frame + (255,))
    d = ImageDraw.Draw(im)
    d.rectangle([2, 2, w - 3, h - 3], fill=fill + (255,))
    centred(d, (2, 2, w - 2, h - 2), str(number), f, ink)
    return im


def days():
    # One type size for every day, the largest at which each number fits.
    probe = ImageDraw.Draw(Image.new("RGBA", (DAY_W, DAY_H)))
    f = font(min(fitted(probe, str(n), DAY_W - 6, 12).size for n in range(1, 32)))
    for n in range(1, 32):
        save(day(n, VIOLET, WHITE, DARK_BLUE, f), OUT, "Libero%02d.png" % n)
        save(day(n, RED, LIGHT_RED, WHITE, f), OUT, "Occupato%02d.png" % n)


MONTHS = ["GENNAIO", "FEBBRAIO", "MARZO", "APRILE", "MAGGIO", "GIUGNO", "LUGLIO", "AGOSTO",
          "SETTEMBRE", "OTTOBRE", "NOVEMBRE", "DICEMBRE"]
TAGS = ["Gen", "Feb", "Mar", "Apr", "Mag", "Giu", "Lug", "Ago", "Set", "Ott", "Nov", "Dic"]
ORANGE = (255, 140, 0)
YELLOW = (255, 220, 0)
BLUE = (40, 83, 162)


def framed(w, h, text, fill, frame, ink, width=2, f=None):
    """Text on a colour inside a frame, in the font f or as large as fits."""
    im = Image.new("RGBA", (w, h), frame + (255,))
    d = ImageDraw.Draw(im)
    d.rectangle([width, width, w - 1 - width, h - 1 - width], fill=fill + (255,))
    f = f or fitted(d, text, w - 4 * width - 8, h * 0.5)
    centred(d, (width, width, w - width, h - width), text, f, ink)
    return im


def rounded(w, h, text, top, bottom, ink=WHITE, f=None):
    """A command bar shading from top to bottom, with its word. The word sits
    on the line's middle (between ascenders and descenders), so that words of
    one row of bars stand on one baseline whatever their letters."""
    im = gradient(w, h, top, bottom)
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, w - 1, h - 1], radius=min(10, h // 3), fill=255)
    im.putalpha(mask)
    d = ImageDraw.Draw(im)
    f = f or fitted(d, text, w - 20, h * 0.45)
    centred(d, (6, 2, w - 6, h - 2), text, f, ink)  # refuses a word that does not fit
    im = gradient(w, h, top, bottom)
    im.putalpha(mask)
    ImageDraw.Draw(im).text((w / 2, h / 2), text, font=f, fill=ink, anchor="mm")
    return im


def knob_bar(w, h, text):
    """The menu commands: a black rounded bar with a blue round knob and the white word."""
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.rounded_rectangle([2, h * 0.22, w - 3, h * 0.78], radius=h * 0.28, fill=(20, 20, 20, 255))
    r = h * 0.2
    d.ellipse([10, h / 2 - r, 10 + 2 * r, h / 2 + r], fill=(30, 100, 220, 255), outline=WHITE, width=2)
    centred(d, (14 + 2 * r, h * 0.22, w - 10, h * 0.78), text, fitted(d, text, w - 2 * r - 30, h * 0.3), WHITE)
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
    # The month captions share one type size, so that no month looks larger.
    probe = ImageDraw.Draw(Image.new("RGBA", (136, 33)))
    month = font(min(fitted(probe, name + " :", 136 - 4 * 2 - 8, 33 * 0.5).size for name in MONTHS))
    for tag, name in zip(TAGS, MONTHS):
        save(framed(136, 33, name + " :", STEEL, ORANGE, WHITE, f=month), OUT, "Mese%s.png" % tag)
    year = framed(190, 56, "", STEEL, WHITE, WHITE)
    d = ImageDraw.Draw(year)
    centred(d, (4, 4, 98, 52), "ANNO :", fitted(d, "ANNO :", 84, 24), WHITE)
    save(year, OUT, "Anno.png")
    title = Image.new("RGBA", (199, 38), (255, 255, 255, 255))
    d = ImageDraw.Draw(title)
    centred(d, (0, 0, 199, 38), "PLANNER", fitted(d, "PLANNER", 195, 34), (220, 20, 30))
    save(title, OUT, "TitoloPlanner.png")
    words = ("Intervallo", "Riepilogo", "Anteprima", "Stampa")
    probe = ImageDraw.Draw(Image.new("RGBA", (135, 43)))
    size = min(fitted(probe, word, 135 - 20, 43 * 0.45).size for word in words)
    for word in words:
        save(rounded(135, 43, word, (255, 215, 0), (220, 30, 20), f=font(size)), OUT, "Cmd%s.png" % word)
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


def lines_box(w, h, lines, ink=(30, 30, 30), bold_first=False, bg=(255, 255, 255, 0), align="left"):
    """Lines of text filling a box, each the largest size that fits its share."""
    im = Image.new("RGBA", (w, h), bg)
    d = ImageDraw.Draw(im)
    share = h / len(lines)
    size = min(fitted(d, t, w - 4, share * 0.72, bold=bold_first and k == 0).size for k, t in enumerate(lines))
    for k, t in enumerate(lines):
        f = font(size + (2 if bold_first and k == 0 else 0), bold_first and k == 0)
        f = f if d.textbbox((0, 0), t, font=f)[2] <= w - 4 else font(size, bold_first and k == 0)
        colour = BLUE if bold_first and k == 0 else ink
        l, t0, r, b = d.textbbox((0, 0), t, font=f)
        x = 2 if align == "left" else (w - (r - l)) / 2 - l
        d.text((x, share * k + (share - (b - t0)) / 2 - t0), t, font=f, fill=colour)
    return im


def printer(w, h, lens=False):
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    body, dark = (90, 100, 120), (50, 55, 70)
    d.rectangle([w * 0.25, h * 0.08, w * 0.75, h * 0.4], fill=WHITE, outline=dark, width=2)
    d.rounded_rectangle([w * 0.08, h * 0.35, w * 0.92, h * 0.75], radius=6, fill=body, outline=dark, width=2)
    d.rectangle([w * 0.25, h * 0.62, w * 0.75, h * 0.95], fill=WHITE, outline=dark, width=2)
    for k in range(3):
        y = h * (0.7 + 0.07 * k)
        d.line([(w * 0.32, y), (w * 0.68, y)], fill=(150, 150, 150), width=1)
    d.ellipse([w * 0.78, h * 0.45, w * 0.85, h * 0.52], fill=(60, 200, 80))
    if lens:
        r = w * 0.2
        cx, cy = w * 0.62, h * 0.55
        d.ellipse([cx - r, cy - r, cx + r, cy + r], outline=(20, 20, 20), width=4, fill=(200, 230, 255, 160))
        d.line([(cx + r * 0.7, cy + r * 0.7), (cx + r * 1.6, cy + r * 1.6)], fill=(20, 20, 20), width=6)
    return im


def figure(w, h):
    """The decorative figure of the print dialogs: a calendar sheet with red days."""
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.rectangle([2, 8, w - 3, h - 3], fill=WHITE, outline=STEEL, width=2)
    d.rectangle([2, 8, w - 3, 20], fill=STEEL)
    for r in range(5):
        for c in range(4):
            x, y = 6 + c * (w - 12) / 4, 24 + r * (h - 30) / 5
            colour = RED if (r * 4 + c) % 5 == 2 else VIOLET
            d.rectangle([x, y, x + (w - 12) / 4 - 3, y + (h - 30) / 5 - 3], fill=colour)
    for x in (12, w - 14):
        d.rectangle([x, 2, x + 3, 12], fill=(60, 60, 60))
    return im


def print_dialogs():
    save(lines_box(240, 83, ["Stampa planning", "Questa operazione consente di",
                             "stampare su carta il planning", "con i dati inseriti."], bold_first=True), OUT, "StampaInfo.png")
    save(figure(51, 81), OUT, "StampaFigura.png")
    save(printer(82, 72), OUT, "StampaStampante.png")
    save(lines_box(206, 71, ["Premere il pulsante Stampa", "per avviare la stampa oppure", "Annulla per rinunciare."]),
         OUT, "StampaIstruzioni.png")
    preview = Image.new("RGBA", (315, 191), (255, 255, 255, 255))
    preview.alpha_composite(lines_box(250, 83, ["Anteprima di stampa", "Questa operazione consente di",
                                                "visualizzare in anticipo i dati che", "verranno stampati."],
                                      bold_first=True), (4, 0))
    preview.alpha_composite(figure(51, 81), (262, 2))
    ImageDraw.Draw(preview).rectangle([2, 92, 312, 95], fill=(66, 122, 168))
    preview.alpha_composite(printer(82, 72, lens=True), (6, 108))
    preview.alpha_composite(lines_box(214, 80, ["Fare clic su Mostra anteprima", "per vedere il documento sullo",
                                                "schermo prima di stamparlo", "su carta."]), (98, 106))
    save(preview, OUT, "AnteprimaInfo.png")


def money_hand(w, h):
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    green, dark = (90, 170, 90), (40, 100, 40)
    for k in range(3):
        d.rectangle([8 + k * 6, 4 + k * 4, 8 + k * 6 + 40, 4 + k * 4 + 20], fill=green, outline=dark)
        d.ellipse([22 + k * 6, 8 + k * 4, 34 + k * 6, 20 + k * 4], outline=dark)
    skin, line = (250, 215, 170), (120, 70, 30)
    d.rounded_rectangle([4, h * 0.55, w - 4, h - 3], radius=8, fill=skin, outline=line)
    d.rounded_rectangle([w * 0.55, h * 0.35, w - 10, h * 0.7], radius=6, fill=skin, outline=line)
    return im


def summary_window():
    banner = Image.new("RGBA", (817, 53), (255, 255, 255, 255))
    d = ImageDraw.Draw(banner)
    car(d, 8, 8, 90, (200, 30, 40))
    text = "RIEPILOGO PRENOTAZIONI"
    centred(d, (110, 4, 740, 49), text, fitted(d, text, 600, 36), BLUE)
    banner.alpha_composite(money_hand(64, 48), (748, 3))
    save(banner, OUT, "RiepTitolo.png")
    save(lines_box(645, 31, ["Digitare una o più parole consecutive della voce cercata e premere il pulsante Trova.",
                             "Premere di nuovo Trova per passare alla voce successiva che contiene lo stesso testo."],
                   ink=WHITE), OUT, "RiepIstruzioni.png")
    lens = Image.new("RGBA", (64, 41), (0, 0, 0, 0))
    d = ImageDraw.Draw(lens)
    d.ellipse([14, 2, 46, 32], outline=(30, 30, 30), width=4, fill=(200, 230, 255))
    d.line([(42, 28), (56, 39)], fill=(30, 30, 30), width=6)
    save(lens, OUT, "RiepLente.png")


if __name__ == "__main__":
    days()
    planner_window()
    menu_window()
    print_dialogs()
    summary_window()
