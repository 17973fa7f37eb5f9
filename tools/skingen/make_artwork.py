#!/usr/bin/env python3
"""Writes the installer's own small artwork into app/res/ (standard library only, deterministic).

  Placeholder.png    77 x 92, 32-bit: the picture of the main window's img1 before a
                     package is known: a friendly stylised phone whose screen shows a
                     parcel with a blue arrow going into it.
  GlyphInstall.png   16 x 16, 32-bit: image 0 of il1 (install button): a blue arrow
                     down into a grey tray.
  GlyphClose.png     16 x 16, 32-bit: image 1 of il1 (close button): a soft red x.
  ApkInstaller.ico   the application icon: 16, 32 and 48 pixel 32-bit images of a blue
                     tile; the larger two show a phone with the arrow, the small one
                     only the arrow and tray, which stay readable at that size.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from generated_files import emit  # noqa: E402
from imageformats import ico_bytes, png_bytes  # noqa: E402
from skinraster import (Canvas, cov_circle, cov_circle_ring, cov_polygon, cov_ring,  # noqa: E402
                        cov_round_rect, cov_stroke, hex_rgb, polyline, sd_round_rect,
                        vertical_gradient)
import math  # noqa: E402

REPO = os.path.dirname(os.path.dirname(HERE))
OUT_DIR = os.path.join(REPO, "app", "res")

ACCENT = hex_rgb("3D86D0")
ACCENT_DARK = hex_rgb("2C6DB0")
ACCENT_LIGHT = hex_rgb("5AA6EE")
TRAY = hex_rgb("56616D")
CLOSE_RED = hex_rgb("D64545")
WHITE = hex_rgb("FFFFFF")
PHONE_TOP = hex_rgb("435062")
PHONE_BOTTOM = hex_rgb("2A333F")
SCREEN_TOP = hex_rgb("EEF6FE")
SCREEN_BOTTOM = hex_rgb("CDE2F7")
PARCEL_TOP = hex_rgb("F4B466")
PARCEL_BOTTOM = hex_rgb("E08E3C")
PARCEL_LID = hex_rgb("F8C57F")
PARCEL_TAPE = hex_rgb("FBE6C2")
PARCEL_EDGE = hex_rgb("B96F27")

PLACEHOLDER_SIZE = (77, 92)
ICON_SIZES = (16, 32, 48)


def soft_shadow(canvas, rect, radius, dy, alpha, sigma):
    x0, y0, x1, y1 = rect
    for y in range(canvas.height):
        for x in range(canvas.width):
            d = sd_round_rect(x + 0.5, y + 0.5 - dy, x0, y0, x1, y1, radius)
            a = alpha * 0.5 * math.erfc(d / (sigma * math.sqrt(2.0)))
            if a > 0.002:
                canvas.over(x, y, (10, 20, 35), a)


def down_arrow(canvas, cx, top, shaft_w, head_w, head_h, tip, colour, outline=None):
    """A solid arrow pointing down with its tip at (cx, tip)."""
    pts = [(cx - shaft_w / 2, top), (cx + shaft_w / 2, top), (cx + shaft_w / 2, tip - head_h),
           (cx + head_w / 2, tip - head_h), (cx, tip), (cx - head_w / 2, tip - head_h),
           (cx - shaft_w / 2, tip - head_h)]
    if outline:
        canvas.fill(cov_stroke(polyline(pts + [pts[0]]), 2.0), outline)
    canvas.fill(cov_polygon(pts), colour)


def parcel(canvas, x0, y0, x1, y1):
    lid = y0 + (y1 - y0) * 0.28
    canvas.fill(cov_round_rect(x0 + 1.5, lid - 1, x1 - 1.5, y1, 2.0),
                vertical_gradient(lid, y1, [(0, PARCEL_TOP), (1, PARCEL_BOTTOM)]))
    canvas.fill(cov_round_rect(x0, y0, x1, lid + 1, 1.5), PARCEL_LID)
    cx = (x0 + x1) / 2.0
    canvas.fill(cov_round_rect(cx - 2.5, y0, cx + 2.5, y1, 0.5), PARCEL_TAPE, opacity=0.9)
    canvas.fill(cov_stroke([(x0 + 1.5, lid + 1.5, x1 - 1.5, lid + 1.5)], 1.0), PARCEL_EDGE, opacity=0.35)
    canvas.fill(cov_ring(x0 + 1.5, lid - 1, x1 - 1.5, y1, 2.0), PARCEL_EDGE, opacity=0.45)
    canvas.fill(cov_ring(x0, y0, x1, lid + 1, 1.5), PARCEL_EDGE, opacity=0.45)


def placeholder():
    w, h = PLACEHOLDER_SIZE
    cv = Canvas(w, h)
    body = (10.0, 1.0, 67.0, 88.0)
    soft_shadow(cv, body, 9.0, 1.5, 0.28, 1.6)
    cv.fill(cov_round_rect(*body, 9.0), vertical_gradient(body[1], body[3], [(0, PHONE_TOP), (1, PHONE_BOTTOM)]))
    cv.fill(cov_ring(body[0] + 1, body[1] + 1, body[2] - 1, body[3] - 1, 8.0), WHITE, opacity=0.12)
    screen = (14.0, 12.0, 63.0, 76.0)
    cv.fill(cov_round_rect(*screen, 2.0), vertical_gradient(screen[1], screen[3], [(0, SCREEN_TOP), (1, SCREEN_BOTTOM)]))
    cv.fill(cov_round_rect(32.0, 5.5, 45.0, 7.5, 1.0), hex_rgb("1C232C"))
    cv.fill(cov_circle(27.0, 6.5, 1.4), hex_rgb("1C232C"))
    cv.fill(cov_circle_ring(38.5, 82.0, 3.6, 1.2), hex_rgb("6B7888"))
    parcel(cv, 23.0, 44.0, 54.0, 69.0)
    down_arrow(cv, 38.5, 18.0, 7.0, 17.0, 9.0, 47.0, ACCENT, outline=WHITE)
    return cv


def glyph_install():
    cv = Canvas(16, 16)
    cv.fill(cov_stroke(polyline([(2.5, 9.0), (2.5, 13.5), (13.5, 13.5), (13.5, 9.0)]), 1.6), TRAY)
    cv.fill(cov_stroke([(8.0, 1.8, 8.0, 10.0)], 1.9), ACCENT_DARK)
    cv.fill(cov_stroke(polyline([(4.4, 6.8), (8.0, 10.4), (11.6, 6.8)]), 1.9), ACCENT_DARK)
    return cv


def glyph_close():
    cv = Canvas(16, 16)
    cv.fill(cov_stroke([(4.2, 4.2, 11.8, 11.8), (11.8, 4.2, 4.2, 11.8)], 2.0), CLOSE_RED)
    return cv


def icon(size):
    cv = Canvas(size, size)
    s = size / 48.0
    tile = (1.0 * s, 1.0 * s, size - 1.0 * s, size - 1.0 * s) if size > 16 else (0.5, 0.5, 15.5, 15.5)
    radius = 9.0 * s if size > 16 else 3.0
    cv.fill(cov_round_rect(*tile, radius), vertical_gradient(tile[1], tile[3], [(0, ACCENT_LIGHT), (1, ACCENT_DARK)]))
    cv.fill(cov_ring(*tile, radius, 1.0), hex_rgb("1F5792"), opacity=0.55)
    if size <= 16:
        cv.fill(cov_stroke(polyline([(3.5, 9.0), (3.5, 12.5), (12.5, 12.5), (12.5, 9.0)]), 1.5), WHITE)
        cv.fill(cov_stroke([(8.0, 3.0, 8.0, 10.0)], 1.8), WHITE)
        cv.fill(cov_stroke(polyline([(5.0, 7.2), (8.0, 10.2), (11.0, 7.2)]), 1.8), WHITE)
        return cv
    phone = (14.0 * s, 6.0 * s, 34.0 * s, 42.0 * s)
    cv.fill(cov_round_rect(*phone, 4.0 * s), hex_rgb("1D3F66"), opacity=0.35)
    cv.fill(cov_ring(*phone, 4.0 * s, 2.2 * s), WHITE)
    cv.fill(cov_round_rect(20.5 * s, 9.0 * s, 27.5 * s, 10.6 * s, 0.8 * s), WHITE)
    cv.fill(cov_circle(24.0 * s, 37.6 * s, 1.7 * s), WHITE)
    down_arrow(cv, 24.0 * s, 13.5 * s, 4.2 * s, 11.0 * s, 5.5 * s, 31.0 * s, WHITE)
    return cv


def main():
    outputs = {
        "Placeholder.png": png_bytes(placeholder().rgba_rows()),
        "GlyphInstall.png": png_bytes(glyph_install().rgba_rows()),
        "GlyphClose.png": png_bytes(glyph_close().rgba_rows()),
        "ApkInstaller.ico": ico_bytes([icon(n).rgba_rows() for n in ICON_SIZES]),
    }
    emit(OUT_DIR, outputs)


if __name__ == "__main__":
    main()
