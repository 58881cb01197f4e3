#!/usr/bin/env python3
"""Draws the pictures of the vehicle lists and their satellites into
vehicles/*.png: the cost sheet, the export window, the deadline menu and its
lists, the vehicle search and the slide show. (The vehicle card and its
dialogs have draw_vehicle_card.py.) Run from the source root with a python
that has PIL (python3-pil). The pictures are kept in the repository, so the
build does not need this script."""
import os
import sys
from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from drawlib import (GREEN, NAVY, RED, WHITE, band, calendar_page, car, centred, euro, fitted, font,  # noqa: E402
                     gradient, hand, left, magnifier, round_button, save as save_in, spreadsheet, supersampled)

OUT = "vehicles"
STEEL = (66, 122, 168)
DARK_STEEL = (44, 84, 122)
ORANGE = (255, 140, 0)
LIGHT_ORANGE = (255, 165, 0)
FIREBRICK = (178, 34, 34)
EXCEL_GREEN = (33, 115, 70)


def save(im, name):
    save_in(im, OUT, name)


def on_white(w, h):
    im = Image.new("RGBA", (w, h), WHITE + (255,))
    return im, ImageDraw.Draw(im)


def text_picture(w, h, text, colour, background=WHITE, bold=True, height=0.6):
    """A text alone on a plain background, centred and as large as fits."""
    im = Image.new("RGBA", (w, h), background + (255,))
    d = ImageDraw.Draw(im)
    box = (w * 0.02, h * (1 - height) / 2, w * 0.98, h * (1 + height) / 2)
    centred(d, box, text, fitted(d, text, box[2] - box[0], box[3] - box[1], bold), colour)
    return im


def cost_sheet():
    save(band(793, 40, "GESTIONE COSTI VEICOLO", STEEL, DARK_STEEL), "CostiTitolo.png")
    total = Image.new("RGBA", (120, 32), (0, 0, 0, 255))
    d = ImageDraw.Draw(total)
    centred(d, (6, 5, 114, 27), "TOTALE", fitted(d, "TOTALE", 108, 22), (255, 215, 0))
    save(total, "CostiTotale.png")
    save(euro(32), "CostiEuro.png")
    save(hand(36), "CostiMano.png")
    # The hand right of the buttons points back at them, to the left.
    save(hand(36).transpose(Image.FLIP_LEFT_RIGHT), "CostiManoSinistra.png")
    save(calendar_page(32, 32, "31"), "CostiOggi.png")


def export_window():
    logo = Image.new("RGBA", (300, 60), (237, 237, 237, 255))
    d = ImageDraw.Draw(logo)
    left(d, (4, 10, 296, 50), "ESPORTA IN EXCEL", fitted(d, "ESPORTA IN EXCEL", 290, 30), EXCEL_GREEN)
    save(logo, "ExpLogo.png")
    save(spreadsheet(60, EXCEL_GREEN), "ExpExcel.png")
    save(round_button(60, STEEL, "?"), "ExpGuida.png")
    save(round_button(60, FIREBRICK, "ESCI"), "ExpEsci.png")
    save(hand(36), "ExpMano.png")


def deadline_menu():
    title = text_picture(600, 70, "SCADENZE IMMINENTI", STEEL, height=0.55)
    save(title, "MenuScadTitolo.png")
    auto, d = on_white(260, 90)
    car(d, 40, 4, 180, STEEL)
    save(auto, "MenuScadAuto.png")
    for name, text in (("Revisione", "REVISIONE"), ("Tagliando", "TAGLIANDO"), ("Assicurazione", "ASSICURAZIONE"),
                       ("Bollo", "BOLLO")):
        save(band(197, 40, text, LIGHT_ORANGE, ORANGE, radius=6), "MenuScad%s.png" % name)
    save(band(140, 67, "GUIDA", (90, 145, 190), STEEL, radius=8), "MenuScadGuida.png")
    save(band(140, 67, "ESCI", (205, 60, 60), FIREBRICK, radius=8), "MenuScadEsci.png")

    # The four deadlines beside a calendar page showing the seven days ahead.
    ill, d = on_white(600, 300)
    d.rectangle([0, 0, 599, 299], outline=ORANGE, width=3)
    page = calendar_page(200, 200, "7")
    ill.paste(page, (60, 40), page)
    for i, text in enumerate(("REVISIONE", "TAGLIANDO", "ASSICURAZIONE", "BOLLO")):
        left(d, (300, 70 + i * 42, 580, 102 + i * 42), text, font(26), STEEL)
    save(ill, "MenuScadIllustrazione.png")

    note = gradient(915, 60, (255, 242, 212), (255, 225, 162))
    d = ImageDraw.Draw(note)
    text = "SCADUTE O IN SCADENZA NEI PROSSIMI 7 GIORNI"
    centred(d, (20, 12, 895, 48), text, fitted(d, text, 875, 30), (120, 60, 20))
    save(note, "MenuScadPromemoria.png")


def deadline_lists():
    for name, text in (("Assicurazione", "ASSICURAZIONI IN SCADENZA O SCADUTE"),
                       ("Bollo", "BOLLI IN SCADENZA O SCADUTI"),
                       ("Revisione", "REVISIONI IN SCADENZA O SCADUTE"),
                       ("Tagliando", "TAGLIANDI IN SCADENZA O SCADUTI")):
        im = gradient(862, 26, ORANGE, LIGHT_ORANGE)
        d = ImageDraw.Draw(im)
        centred(d, (10, 3, 852, 23), text, font(16), WHITE)
        save(im, "ScadTitolo%s.png" % name)


def search():
    save(band(793, 40, "SCHEDE VEICOLI TROVATE", STEEL, DARK_STEEL), "TrovaTitolo.png")
    hint = gradient(793, 60, (233, 241, 248), (254, 254, 255))
    d = ImageDraw.Draw(hint)
    text = "IMMETTERE UNO O PIÙ CRITERI E PREMERE CERCA"
    centred(d, (20, 18, 773, 42), text, font(18), STEEL)
    save(hint, "TrovaSpiegazione.png")
    help_line = text_picture(560, 30, "CERCA UNA PAROLA NELL’ELENCO E PREMI TROVA", (40, 40, 40), height=0.6)
    save(help_line, "TrovaIstruzioni.png")
    save(magnifier(30), "TrovaLente.png")
    side, d = on_white(90, 330)
    for i, colour in enumerate((STEEL, (200, 60, 50), (90, 150, 90))):
        car(d, 5, 60 + i * 80, 80, colour)
    save(side, "TrovaAuto.png")


def slide_show():
    def forward(d, s):
        d.ellipse([s, s, 31 * s, 31 * s], fill=STEEL)
        d.polygon([(12 * s, 8 * s), (24 * s, 16 * s), (12 * s, 24 * s)], fill=WHITE)
    save(supersampled(32, 32, forward), "SlideAvanti.png")
    start, d = on_white(685, 427)
    car(d, 142, 80, 400, STEEL)
    centred(d, (40, 290, 645, 340), "Avvio Slide Show", font(40), STEEL)
    centred(d, (40, 350, 645, 380), "Attendere…", font(22, False), (90, 90, 90))
    save(start, "SlideAvvio.png")


def main():
    cost_sheet()
    export_window()
    deadline_menu()
    deadline_lists()
    search()
    slide_show()


if __name__ == "__main__":
    main()
