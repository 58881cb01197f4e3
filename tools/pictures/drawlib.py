"""Shared drawing helpers for the pictures of every work area. Each area's
script (tools/pictures/draw_<area>.py) imports what it needs from here and
writes its pictures beside its own code. Needs python3-pil and the DejaVu fonts.

Texts are drawn with an anti-aliased TrueType font (DejaVu) and must fit the
box they are given with a margin (margin()): centred() and the other text
helpers raise TextDoesNotFit instead of drawing a text that would be cut off
or touch the edges of its box. Shapes look best drawn with
supersampled(), which draws at four times the size and scales down smoothly."""
import os
from PIL import Image, ImageDraw, ImageFont

SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
STEEL = (70, 130, 180)
NAVY = (25, 55, 95)
WHITE = (255, 255, 255)
ORANGE = (245, 140, 20)
RED = (185, 35, 35)
GREEN = (30, 115, 70)
SKIN = (246, 205, 160)


class TextDoesNotFit(ValueError):
    """A text larger than the box it was meant for."""


def font(size, bold=True):
    return ImageFont.truetype(BOLD if bold else SANS, max(1, int(size)))


def gradient(w, h, top, bottom):
    im = Image.new("RGBA", (w, h))
    d = ImageDraw.Draw(im)
    for y in range(h):
        t = y / max(1, h - 1)
        c = tuple(int(top[i] + (bottom[i] - top[i]) * t) for i in range(3))
        d.line([(0, y), (w, y)], fill=c + (255,))
    return im


def text_size(d, text, f):
    """Width and height of the text's ink."""
    l, t, r, b = d.textbbox((0, 0), text, font=f)
    return r - l, b - t


def margin(width, height):
    """The room a text keeps from the edges of the box it is drawn in: a tenth
    of the box's smaller side, at least one pixel. A text that fills its box
    from edge to edge looks cut even when it is not."""
    return max(1, round(min(width, height) * 0.1))


def _check(d, box, text, f, sides=2):
    """Raises TextDoesNotFit unless the text keeps the margin from the top and
    the bottom of the box and from `sides` of its sides (1: the right only,
    for a text that starts at the box's left edge)."""
    x0, y0, x1, y1 = box
    w, h = text_size(d, text, f)
    m = margin(x1 - x0, y1 - y0)
    if w + sides * m > x1 - x0 or h + 2 * m > y1 - y0:
        raise TextDoesNotFit("%r needs %dx%d and a margin of %d, its box is %dx%d"
                             % (text, w, h, m, x1 - x0, y1 - y0))


def centred(d, box, text, f, fill):
    """Draws the text centred in box (x0, y0, x1, y1); raises TextDoesNotFit
    when it does not fit the box with a margin all round."""
    _check(d, box, text, f)
    x0, y0, x1, y1 = box
    l, t, r, b = d.textbbox((0, 0), text, font=f)
    d.text((x0 + (x1 - x0 - (r - l)) / 2 - l, y0 + (y1 - y0 - (b - t)) / 2 - t), text, font=f, fill=fill)


def left(d, box, text, f, fill):
    """Draws the text at the left of box, centred in its height; raises
    TextDoesNotFit when it does not fit the box with a margin at the right,
    the top and the bottom."""
    _check(d, box, text, f, sides=1)
    x0, y0, x1, y1 = box
    l, t, r, b = d.textbbox((0, 0), text, font=f)
    d.text((x0 - l, y0 + (y1 - y0 - (b - t)) / 2 - t), text, font=f, fill=fill)


def fitted(d, text, width, height, bold=True):
    """The largest font that fits the text in width x height, keeping the
    margin at either side; raises TextDoesNotFit when not even a readable
    size (7 pixels) fits."""
    size = int(height)
    room = width - 2 * margin(width, height)
    while size >= 7:
        f = font(size, bold)
        w, h = text_size(d, text, f)
        if w <= room and h <= height:
            return f
        size -= 1
    raise TextDoesNotFit("%r does not fit %dx%d at a readable size" % (text, width, height))


def supersampled(w, h, draw, scale=4, background=(0, 0, 0, 0)):
    """A w x h picture whose shapes draw(d, s) draws at `scale` times the
    size (s is the scale, to multiply coordinates by), scaled down smoothly."""
    big = Image.new("RGBA", (w * scale, h * scale), background)
    draw(ImageDraw.Draw(big), scale)
    return big.resize((w, h), Image.LANCZOS)


def car(d, x, y, s, body, glass=(210, 230, 245)):
    """A side view of a car, s pixels long, with (x, y) its top left."""
    h = s * 0.42
    d.rounded_rectangle([x, y + h * 0.38, x + s, y + h * 0.8], radius=s * 0.06, fill=body)
    d.polygon([(x + s * 0.2, y + h * 0.4), (x + s * 0.32, y + h * 0.05), (x + s * 0.7, y + h * 0.05),
               (x + s * 0.84, y + h * 0.4)], fill=body)
    d.polygon([(x + s * 0.27, y + h * 0.38), (x + s * 0.35, y + h * 0.13), (x + s * 0.49, y + h * 0.13),
               (x + s * 0.49, y + h * 0.38)], fill=glass)
    d.polygon([(x + s * 0.53, y + h * 0.38), (x + s * 0.53, y + h * 0.13), (x + s * 0.67, y + h * 0.13),
               (x + s * 0.78, y + h * 0.38)], fill=glass)
    for cx in (x + s * 0.24, x + s * 0.76):
        r = s * 0.1
        d.ellipse([cx - r, y + h * 0.8 - r, cx + r, y + h * 0.8 + r], fill=(40, 40, 40))
        d.ellipse([cx - r * 0.45, y + h * 0.8 - r * 0.45, cx + r * 0.45, y + h * 0.8 + r * 0.45], fill=(190, 190, 190))


def save(im, folder, name):
    """Writes the picture as <folder>/<name>, folder relative to the source root."""
    im.save(os.path.join(folder, name), optimize=True)


# --- Pictures that carry a text ------------------------------------------------


def band(w, h, text, top, bottom, fill=WHITE, bold=True, radius=0, margin=None):
    """A band (title, button) with a vertical gradient and its text centred,
    as large as fits in its inner box."""
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    g = gradient(w, h, top, bottom)
    mask = Image.new("L", (w, h), 0)
    if radius:
        ImageDraw.Draw(mask).rounded_rectangle([0, 0, w - 1, h - 1], radius=radius, fill=255)
    else:
        mask.paste(255, (0, 0, w, h))
    im.paste(g, (0, 0), mask)
    d = ImageDraw.Draw(im)
    m = margin if margin is not None else max(4, h // 5)
    inner = (m, h * 0.2, w - m, h * 0.8)
    centred(d, inner, text, fitted(d, text, inner[2] - inner[0], inner[3] - inner[1], bold), fill)
    return im


def round_button(size, colour, text=None, fill=WHITE):
    """A round command with a short text (or a sign) inside the circle."""
    def shape(d, s):
        d.ellipse([s, s, (size - 1) * s, (size - 1) * s], fill=colour + (255,),
                  outline=tuple(max(0, c - 45) for c in colour) + (255,), width=max(1, size * s // 30))
    im = supersampled(size, size, shape)
    if text:
        d = ImageDraw.Draw(im)
        side = size * 0.68  # the square inside the circle
        box = ((size - side) / 2, (size - side) / 2, (size + side) / 2, (size + side) / 2)
        centred(d, box, text, fitted(d, text, side * 0.85, side * (0.45 if len(text) > 2 else 0.7)), fill)
    return im


# --- Symbols ---------------------------------------------------------------------


def hand(size, skin=SKIN, line=(150, 95, 55), cuff=STEEL):
    """A hand pointing right, its index finger stretched."""
    def shape(d, s):
        k = size * s / 36.0
        w = max(1, int(1.2 * k))
        d.rounded_rectangle([2 * k, 13 * k, 8 * k, 29 * k], radius=2 * k, fill=cuff, outline=NAVY, width=w)
        d.rounded_rectangle([7 * k, 12 * k, 22 * k, 30 * k], radius=4 * k, fill=skin, outline=line, width=w)
        d.rounded_rectangle([13 * k, 12 * k, 34 * k, 17.5 * k], radius=2.7 * k, fill=skin, outline=line, width=w)
        for i in range(3):
            y = 17.5 * k + i * 4.2 * k
            d.rounded_rectangle([15 * k, y, 24 * k, y + 4.4 * k], radius=2 * k, fill=skin, outline=line, width=w)
        d.rounded_rectangle([10 * k, 7 * k, 15 * k, 15 * k], radius=2.4 * k, fill=skin, outline=line, width=w)
    return supersampled(size, size, shape)


def euro(size, colour=GREEN):
    """A coin with the euro sign."""
    im = round_button(size, colour)
    d = ImageDraw.Draw(im)
    side = size * 0.64
    box = ((size - side) / 2, (size - side) / 2, (size + side) / 2, (size + side) / 2)
    centred(d, box, "€", fitted(d, "€", side, side), WHITE)
    return im


def calendar_page(w, h, day, head=RED, line=(90, 90, 90)):
    """A calendar sheet with a red header and the day's number."""
    def shape(d, s):
        d.rounded_rectangle([s, s, (w - 1) * s, (h - 1) * s], radius=3 * s, fill=WHITE, outline=line, width=s)
        d.rounded_rectangle([s, s, (w - 1) * s, h * 0.3 * s], radius=3 * s, fill=head)
        d.rectangle([s, h * 0.18 * s, (w - 1) * s, h * 0.3 * s], fill=head)
    im = supersampled(w, h, shape)
    d = ImageDraw.Draw(im)
    box = (w * 0.12, h * 0.36, w * 0.88, h * 0.92)
    centred(d, box, day, fitted(d, day, box[2] - box[0], box[3] - box[1]), (30, 30, 30))
    return im


def magnifier(size, glass=(205, 228, 248), rim=(60, 60, 60)):
    def shape(d, s):
        k = size * s / 30.0
        d.line([(18 * k, 18 * k), (27 * k, 27 * k)], fill=rim, width=int(4 * k))
        d.ellipse([3 * k, 3 * k, 21 * k, 21 * k], fill=glass, outline=rim, width=int(2.5 * k))
        d.arc([7 * k, 7 * k, 17 * k, 17 * k], 190, 260, fill=WHITE, width=int(1.5 * k))
    return supersampled(size, size, shape)


def spreadsheet(size, accent=GREEN):
    """A spreadsheet page with its grid and a green arrow leaving it: export."""
    def shape(d, s):
        k = size * s / 60.0
        d.rounded_rectangle([6 * k, 4 * k, 44 * k, 56 * k], radius=3 * k, fill=WHITE, outline=accent, width=int(2.5 * k))
        d.rectangle([8 * k, 6 * k, 42 * k, 14 * k], fill=accent)
        for i in range(1, 5):
            y = 14 * k + i * 8 * k
            d.line([(8 * k, y), (42 * k, y)], fill=(150, 190, 165), width=int(1.2 * k))
        for x in (19, 31):
            d.line([(x * k, 14 * k), (x * k, 54 * k)], fill=(150, 190, 165), width=int(1.2 * k))
        d.polygon([(30 * k, 30 * k), (44 * k, 30 * k), (44 * k, 22 * k), (58 * k, 37 * k), (44 * k, 52 * k),
                   (44 * k, 44 * k), (30 * k, 44 * k)], fill=(25, 140, 60), outline=WHITE)
    return supersampled(size, size, shape)


def paperclip(size, colour=WHITE):
    """A paper clip: attachments."""
    def shape(d, s):
        k = size * s / 32.0
        w = max(1, int(2.2 * k))

        def arc(cx, cy, r, lower):
            d.arc([(cx - r) * k, (cy - r) * k, (cx + r) * k, (cy + r) * k], 0 if lower else 180, 180 if lower else 360,
                  fill=colour, width=w)

        for x, y0, y1 in ((18, 12, 22), (12, 8, 22), (21, 8, 24), (9, 12, 24)):
            d.line([(x * k, y0 * k), (x * k, y1 * k)], fill=colour, width=w)
        arc(15, 22, 3, True)
        arc(16.5, 8, 4.5, False)
        arc(15, 24, 6, True)
    return supersampled(size, size, shape)
