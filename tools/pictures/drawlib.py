"""Shared drawing helpers for the pictures of every work area. Each area's
script (tools/pictures/draw_<area>.py) imports what it needs from here and
writes its pictures beside its own code. Needs python3-pil and the DejaVu fonts."""
import os
from PIL import Image, ImageDraw, ImageFont

SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
STEEL = (70, 130, 180)
NAVY = (25, 55, 95)
WHITE = (255, 255, 255)


def font(size, bold=True):
    return ImageFont.truetype(BOLD if bold else SANS, size)


def gradient(w, h, top, bottom):
    im = Image.new("RGBA", (w, h))
    d = ImageDraw.Draw(im)
    for y in range(h):
        t = y / max(1, h - 1)
        c = tuple(int(top[i] + (bottom[i] - top[i]) * t) for i in range(3))
        d.line([(0, y), (w, y)], fill=c + (255,))
    return im


def centred(d, box, text, f, fill):
    x0, y0, x1, y1 = box
    l, t, r, b = d.textbbox((0, 0), text, font=f)
    d.text((x0 + (x1 - x0 - (r - l)) / 2 - l, y0 + (y1 - y0 - (b - t)) / 2 - t), text, font=f, fill=fill)


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


def fitted(d, text, width, height, bold=True):
    """The largest font that fits the text in width x height."""
    size = int(height)
    while size > 6:
        f = font(size, bold)
        l, t, r, b = d.textbbox((0, 0), text, font=f)
        if r - l <= width and b - t <= height:
            return f
        size -= 1
    return font(6, bold)
