#!/usr/bin/env python3
"""Writes our built-in skin "air" into skins/air/ (standard library only, deterministic).

The look: light grey and white surfaces, a calm blue accent, 1-pixel borders,
gentle vertical gradients, 3-4 pixel rounded corners and a red glow on the close
button. Everything below is described by the named constants and small drawing
functions in this file; run it again after a change and commit the output.

Files written (references in Options.dat are upper case, and so are the file
names, because a packed skin matches references against upper-cased entry
names while a folder skin opens the file by the name as written):

  Options.dat     the options file: the 64 sections in the engine's fixed order.
  MASTER.BMP      24-bit master bitmap (key colour 0xFF00FF where transparent).
                  It holds, each as a row of state frames with its mask below:
                    title buttons    BICONCLOSE, BICLOSEALONE, BICONMIN, BICONMAX,
                                     BICONNORM, BICONHELP (normal, hot, pressed),
                                     their small SICON* variants for tool windows
                                     and TITLEBUTTON (blank face for user buttons);
                    check glyphs     BOX*/RADIO*/SMALL* (normal, hot, pressed),
                                     CHECK (menu check mark: normal, selected);
                    GRIPIMAGE        the size grip;
                    glyph masks      arrows of COMBOBOX and the scroll buttons;
                    border masks     the nine-part BORDERSMASK of every section
                                     that has one (buttons, fields, group box, menu,
                                     menu item, hint, tabs, frame and title of a
                                     window drawn without the shadow border ...).
  EXTB.PNG        EXBORDER: the whole window frame for the layered shadow border
                  (centred mode, BORDERMODE=1): soft shadow, 1-pixel outline,
                  title bar and side borders; frame 0 inactive, frame 1 active.
  GLOWCLOSE.PNG, GLOWCALONE.PNG   the hot close button in a red glow
  GLOWBUTTON.PNG  the soft halo around a push button under the mouse (BUTTON's
                  GLOW0): a nine-part image whose fixed edges reach
                  BUTTON_GLOW_OVERLAP pixels in over the button (its GLOWMARGIN), the
                  halo BUTTON_GLOW_HALO pixels beyond it, the centre empty.
  GLOWMIN.PNG, GLOWMAX.PNG, GLOWNORM.PNG   the other hot title buttons in a faint
                  blue glow. The frame fades a glow in over the title button the
                  mouse is on, placed GLOW_MARGIN (the GLOWMARGIN keys) up and left
                  of it, so each holds the button's hot picture inside a halo
                  GLOW_MARGIN wide. Its nine-part margins are half the image, so
                  drawn at its own size it is copied whole, centre included.

Every image reference in Options.dat resolves to a real image area; the script
checks that before it writes anything. Deliberate exceptions: none. Keys that
the model ignores but that a reader may find useful are not written.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from generated_files import emit  # noqa: E402
from imageformats import bmp24_bytes, png_bytes  # noqa: E402
from mastersheet import (MasterSheet, border_pixel, border_ref, file_ref,  # noqa: E402
                         glyph_pixel, glyph_ref)
from skinraster import (Canvas, arc_points, clamp01, cov_circle, cov_circle_ring,  # noqa: E402
                        cov_ring, cov_round_rect, cov_stroke, hex_rgb, polyline, sd_round_rect,
                        vertical_gradient)
import math  # noqa: E402

REPO = os.path.dirname(os.path.dirname(HERE))
OUT_DIR = os.path.join(REPO, "skins", "air")

# --- identity --------------------------------------------------------------------
VERSION = "6.10"
AUTHOR = "VQ installer team"
DESCRIPTION = "Air: light built-in skin of the APK installer"

# --- palette ---------------------------------------------------------------------
C = {k: hex_rgb(v) for k, v in {
    "window": "F2F4F7",         # global colour: dialogs, panels, the form
    "client_top": "F7F9FB",     # form client gradient
    "client_bottom": "ECEFF3",
    "white": "FFFFFF",
    "text": "212121",           # global font colour (the labels' 2171169)
    "text_muted": "8A939E",
    "text_hot": "163A61",
    "accent": "3D86D0",         # calm blue
    "accent_dark": "2C6DB0",
    "accent_soft": "DCEAF8",
    "accent_pale": "F1F7FE",
    "line": "D6DCE4",           # quiet 1-pixel borders (group box, panels)
    "field_line": "BDC6D1",     # edits and combo boxes
    "check_line": "A3AEBB",     # check boxes and radio buttons
    "button_line": "A9B5C3",
    "link": "004080",           # hyperlink (TCBOTTOM 8404992)
    "link_hot": "FF0000",       # hyperlink under the mouse (TCTOP 255)
    # window frame
    "outline_active": "8C9DB1",
    "outline_inactive": "B8C0CA",
    "title_active_top": "FFFFFF",
    "title_active_bottom": "EBF0F6",
    "title_inactive_top": "FBFCFD",
    "title_inactive_bottom": "F0F2F5",
    "title_separator_active": "D9E0E9",
    "title_separator_inactive": "E2E6EB",
    "caption_active": "26303C",
    "caption_inactive": "8E97A2",
    "shadow": "0A1A2E",
    # title buttons
    "tb_glyph": "4A5562",
    "tb_hot": "E2E8EF",
    "tb_pressed": "CDD6E1",
    "tb_glyph_hot": "1F2A36",
    "close_hot": "E5484D",
    "close_pressed": "C1373C",
    "close_glow": "F0383F",
    "tb_glow": "5A9BE0",
    # menus
    "menu_line": "B3BDC9",
    "menu_hot": "DDEBFA",
    "menu_hot_line": "A7C8EC",
    "icon_line": "F1F4F8",
}.items()}

# --- geometry ----------------------------------------------------------------------
BORDER_WIDTH = 4          # side and bottom border of the frame (outline + 3 pixels)
TITLE_HEIGHT = 30         # title bar, outline row included
FORM_OFFSET = 12          # width of the shadow around the window
WINDOW_RADIUS = 4
BUTTON_RADIUS = 3
FIELD_RADIUS = 3
GROUP_RADIUS = 4
TITLE_BUTTON_H = 22
TITLE_BUTTON_W = 28
CLOSE_BUTTON_W = 32
SMALL_TITLE_BUTTON_H = 18
SMALL_TITLE_BUTTON_W = 24
BI_SPACE = 2
BI_LEFT = 4
BI_RIGHT = 0
GLOW_MARGIN = 6
BUTTON_GLOW_HALO = 5     # how far a push button's glow reaches beyond it
BUTTON_GLOW_OVERLAP = 3  # how far its fixed edges reach in over the button (the rounded corners)
CHECK_SIZE = 15
SMALL_CHECK_SIZE = 11
MASTER_WIDTH = 256

# EXBORDER image: one state frame is corner + 8 stretchable pixels + corner each way.
EXB_WL = EXB_WR = 24
EXB_WT = FORM_OFFSET + TITLE_HEIGHT     # the whole title lies in the top margin
EXB_WB = 24
EXB_W = EXB_WL + 8 + EXB_WR
EXB_H = EXB_WT + 8 + EXB_WB

SHADOW_ACTIVE = dict(alpha=0.42, sigma=4.0, dy=2.0)
SHADOW_INACTIVE = dict(alpha=0.26, sigma=3.2, dy=1.0)

# The 64 sections, in the order the engine's example skin defines them.
SECTION_ORDER = [
    "GLOBALINFO", "DIVIDER", "EDIT", "GRIPV", "GROUPBOX", "ICOLINE", "MAINMENU", "PANEL",
    "STATUSBAR", "DIVIDERV", "SPLITTER", "TRACKBAR", "BARPANEL", "EXTRALINE", "COMBOBOX",
    "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT", "SCROLLBTNTOP", "COMBOBTN",
    "SCROLLSLIDERH", "SCROLLSLIDERV", "DRAGBAR", "PAGECONTROL", "TABTOP", "TABRIGHT", "TABLEFT",
    "TABBOTTOM", "PANEL_LOW", "TOOLBAR", "ALPHACOMBOBOX", "ALPHAEDIT", "TOOLBUTTON",
    "SCROLLBAR1H", "BAR", "GAUGE", "PROGRESSH", "SELECTION", "BARTITLE", "BUTTON", "COLHEADER",
    "SPEEDBUTTON", "SPEEDBUTTON_SMALL", "UPDOWNBTN", "WEBBUTTON", "RADIOBUTTON", "CHECKBOX",
    "BUTTON_HUGE", "SCROLLBAR2V", "SCROLLBAR1V", "SCROLLBAR2H", "MENULINE", "MENUITEM",
    "PROGRESSV", "PAGECONTROLBOTTOM", "PAGECONTROLLEFT", "PAGECONTROLRIGHT", "DIALOG",
    "FORMTITLE", "FORM", "BUTTON_BIG", "HINT", "GRIPH", "MDIAREA",
]


def colour_int(rgb):
    """Skin files write colours as decimal 0x00BBGGRR."""
    r, g, b = (int(round(c)) for c in rgb)
    return r | (g << 8) | (b << 16)


def gradient(*stops):
    """Vertical gradient text: stops are (colour, colour, percent) pieces."""
    return ";".join("%d;%d;%d;0;0" % (colour_int(a), colour_int(b), p) for a, b, p in stops)


# --- conversion of canvases into master entries ------------------------------------------

def glyph_frame(canvas):
    return [[glyph_pixel(canvas.rgb[y][x], canvas.alpha[y][x]) for x in range(canvas.width)]
            for y in range(canvas.height)]


def border_frame(canvas, outer, backdrop):
    return [[border_pixel(canvas.rgb[y][x], canvas.alpha[y][x], outer(x + 0.5, y + 0.5), backdrop)
             for x in range(canvas.width)] for y in range(canvas.height)]


def opaque_frame(canvas, backdrop):
    return canvas.rgb_rows_over(backdrop)


# --- title buttons ----------------------------------------------------------------------------

def glyph_close(size):
    h = size / 2.0
    return [(-h, -h, h, h), (-h, h, h, -h)]


def glyph_min(size):
    h = size / 2.0
    return [(-h, 2.5, h, 2.5)]


def glyph_max(size):
    h = size / 2.0
    return polyline([(-h, -h), (h, -h), (h, h), (-h, h), (-h, -h)]) + [(-h, -h + 1, h, -h + 1)]


def glyph_norm(size):
    h = size / 2.0
    front = polyline([(-h, -h + 2.5), (h - 2.5, -h + 2.5), (h - 2.5, h), (-h, h), (-h, -h + 2.5)])
    back = polyline([(-h + 2.5, -h + 2.5), (-h + 2.5, -h), (h, -h), (h, h - 2.5), (h - 2.5, h - 2.5)])
    return front + back


def glyph_help(size):
    h = size / 2.0
    r = h * 0.55
    hook = arc_points(0, -h + r, r, 180, 405, 18)
    end = hook[-1]
    return polyline(hook + [(end[0] - 0.2, end[1] + 0.3), (0, h * 0.45)])


def help_dot(cx, cy, size):
    return cov_circle(cx, cy + size / 2.0 - 0.2, 1.0)


TITLE_GLYPHS = {"close": glyph_close, "min": glyph_min, "max": glyph_max, "norm": glyph_norm,
                "help": glyph_help, "blank": None}


def title_button_canvases(kind, width, height, glyph_size, stroke):
    """The normal, hot and pressed pictures of a title button."""
    close = kind == "close"
    states = [
        (None, C["tb_glyph"]),
        (C["close_hot"] if close else C["tb_hot"], C["white"] if close else C["tb_glyph_hot"]),
        (C["close_pressed"] if close else C["tb_pressed"], C["white"] if close else C["tb_glyph_hot"]),
    ]
    pictures = []
    for face, ink in states:
        cv = Canvas(width, height)
        if face is not None:
            cv.fill(cov_round_rect(0, 0, width, height, BUTTON_RADIUS), face)
        maker = TITLE_GLYPHS[kind]
        if maker:
            cx, cy = width / 2.0, height / 2.0
            segs = [(ax + cx, ay + cy, bx + cx, by + cy) for ax, ay, bx, by in maker(glyph_size)]
            cv.fill(cov_stroke(segs, stroke), ink)
            if kind == "help":
                cv.fill(help_dot(cx, cy, glyph_size), ink)
        pictures.append(cv)
    return pictures


def title_button_frames(kind, width, height, glyph_size, stroke):
    return [glyph_frame(cv) for cv in title_button_canvases(kind, width, height, glyph_size, stroke)]


def glow_image(kind, width, height, colour, strength):
    """The hot title button inside a soft halo GLOW_MARGIN wide.

    The frame shows it over the button while the mouse is on it, fading in, so
    it carries the button's hot picture as well as the halo.
    """
    m = GLOW_MARGIN
    cv = Canvas(width + 2 * m, height + 2 * m)
    for y in range(cv.height):
        for x in range(cv.width):
            d = sd_round_rect(x + 0.5, y + 0.5, m, m, m + width, m + height, BUTTON_RADIUS)
            if d > -1.0:
                a = strength * (1.0 - clamp01(d / m)) ** 2
                if a > 0:
                    cv.over(x, y, colour, a)
    cv.blit(title_button_canvases(kind, width, height, 9, 1.25)[1], m, m)
    return cv


def button_glow_image(colour, strength):
    """A halo BUTTON_GLOW_HALO wide around a rounded button, transparent inside.

    Drawn as a nine-part image over the button grown by the halo, so only its
    margins (halo plus overlap) are fixed; the middle stretches and stays empty.
    """
    h, o, inner = BUTTON_GLOW_HALO, BUTTON_GLOW_OVERLAP, 4
    size = 2 * (h + o) + inner
    cv = Canvas(size, size)
    for y in range(size):
        for x in range(size):
            d = sd_round_rect(x + 0.5, y + 0.5, h, h, size - h, size - h, BUTTON_RADIUS)
            if d > 0:
                a = strength * (1.0 - clamp01(d / h)) ** 2
                if a > 0:
                    cv.over(x, y, colour, a)
    return cv


# --- check glyphs --------------------------------------------------------------------------------

def check_states(grayed=False):
    if grayed:
        g = hex_rgb("C4CBD3")
        return [dict(line=g, top=hex_rgb("F3F4F6"), bottom=hex_rgb("EBEDF0"), ink=hex_rgb("A9B1BB"))] * 3
    return [
        dict(line=C["check_line"], top=C["white"], bottom=hex_rgb("EEF1F5"), ink=C["accent"]),
        dict(line=C["accent"], top=C["white"], bottom=C["accent_pale"], ink=C["accent"]),
        dict(line=C["accent_dark"], top=C["accent_pale"], bottom=C["accent_soft"], ink=C["accent_dark"]),
    ]


def box_glyph(size, mark, grayed=False):
    frames = []
    for st in check_states(grayed):
        cv = Canvas(size, size)
        shape = (0, 0, size, size)
        cv.fill(cov_round_rect(*shape, 2.5), vertical_gradient(0, size, [(0, st["top"]), (1, st["bottom"])]))
        cv.fill(cov_ring(*shape, 2.5), st["line"])
        s = size / 15.0
        if mark == "check":
            pts = [(3.6 * s, 7.6 * s), (6.3 * s, 10.4 * s), (11.6 * s, 4.6 * s)]
            cv.fill(cov_stroke(polyline(pts), 1.9 * s), st["ink"])
        elif mark == "grayed":
            q = size * 0.3
            cv.fill(cov_round_rect(q, q, size - q, size - q, 1), st["ink"])
        frames.append(glyph_frame(cv))
    return frames


def radio_glyph(size, checked, grayed=False):
    frames = []
    c = size / 2.0
    for st in check_states(grayed):
        cv = Canvas(size, size)
        cv.fill(cov_circle(c, c, c), vertical_gradient(0, size, [(0, st["top"]), (1, st["bottom"])]))
        cv.fill(cov_circle_ring(c, c, c), st["line"])
        if checked:
            cv.fill(cov_circle(c, c, size * 0.23), st["ink"])
        frames.append(glyph_frame(cv))
    return frames


def menu_check_frames():
    frames = []
    for ink in (C["caption_active"], C["text_hot"]):
        cv = Canvas(16, 16)
        cv.fill(cov_stroke(polyline([(4.2, 8.3), (6.9, 11.0), (12.0, 5.2)]), 1.7), ink)
        frames.append(glyph_frame(cv))
    return frames


def grip_frames():
    cv = Canvas(12, 12)
    for i in range(3):
        for j in range(3 - i):
            x = 10.0 - 4 * j - 0.5
            y = 10.0 - 4 * i - 0.5
            if j + i <= 2:
                cv.fill(cov_round_rect(x - 1, y - 1, x + 1, y + 1, 0.5), hex_rgb("A8B2BE"))
    return [glyph_frame(cv)]


def arrow_frames(direction, size=10):
    """Chevrons for combo and scroll buttons: normal, hot, pressed."""
    frames = []
    for ink in (hex_rgb("5C6773"), C["accent_dark"], C["accent_dark"]):
        cv = Canvas(size, size)
        c = size / 2.0
        pts = [(-3.0, -1.5), (0.0, 1.5), (3.0, -1.5)]
        rot = {"down": (1, 0, 0, 1), "up": (1, 0, 0, -1), "right": (0, -1, 1, 0), "left": (0, 1, -1, 0)}[direction]
        a, b, cc, d = rot
        pts = [(c + a * x + b * y, c + cc * x + d * y) for x, y in pts]
        cv.fill(cov_stroke(polyline(pts), 1.5), ink)
        frames.append(glyph_frame(cv))
    return frames


# --- border masks ----------------------------------------------------------------------------------

def rounded_border(size, radius, states, backdrop, rect=None, extras=None):
    """Frames of a 1-pixel rounded border. states: list of line colours (None draws nothing).

    extras(canvas, state_index) may add highlights inside the border.
    """
    w, h = size
    shape = rect or (0, 0, w, h)
    outer = cov_round_rect(*shape, radius)
    frames = []
    for i, line in enumerate(states):
        cv = Canvas(w, h)
        if line is not None:
            cv.fill(cov_ring(*shape, radius), line)
        if extras:
            extras(cv, i)
        frames.append(border_frame(cv, outer, backdrop))
    return frames


def button_extras(cv, state):
    w, h = cv.width, cv.height
    if state in (0, 1):  # a soft white highlight just inside the top edge
        cv.fill(cov_stroke([(2.0, 1.5, w - 2.0, 1.5)], 1.0), C["white"], opacity=0.75)
    else:                # pressed: a faint inner shadow along the top
        cv.fill(cov_stroke([(1.0, 1.5, w - 1.0, 1.5)], 1.0), hex_rgb("1E3A5A"), opacity=0.16)
        cv.fill(cov_stroke([(1.0, 2.5, w - 1.0, 2.5)], 1.0), hex_rgb("1E3A5A"), opacity=0.06)


def window_frame_border(backdrop):
    """Frame of a window drawn without the shadow border: outline + 3 pixels of border colour."""
    size = 10
    outer = cov_round_rect(0, 0, size, size, WINDOW_RADIUS)
    frames = []
    for line, band in ((C["outline_inactive"], C["title_inactive_bottom"]),
                       (C["outline_active"], C["title_active_bottom"])):
        cv = Canvas(size, size)
        cv.fill(cov_ring(0, 0, size, size, WINDOW_RADIUS, BORDER_WIDTH), band)
        cv.fill(cov_ring(0, 0, size, size, WINDOW_RADIUS), line)
        frames.append(border_frame(cv, outer, backdrop))
    return frames


def window_title_border(backdrop):
    """Title of a window drawn without the shadow border: rounded top, separator below."""
    w, h = 10, 10
    shape = (0, 0, w, h + WINDOW_RADIUS + 2)   # bottom corners fall outside the frame
    outer = cov_round_rect(*shape, WINDOW_RADIUS)
    frames = []
    for line, sep in ((C["outline_inactive"], C["title_separator_inactive"]),
                      (C["outline_active"], C["title_separator_active"])):
        cv = Canvas(w, h)
        cv.fill(cov_stroke([(0, h - 0.5, w, h - 0.5)], 1.0), sep)
        cv.fill(cov_ring(*shape, WINDOW_RADIUS), line)
        frames.append(border_frame(cv, outer, backdrop))
    return frames


def plain_lines(w, h, lines, backdrop):
    """Opaque (MaskType 0) frame made of straight lines: [(x0, y0, x1, y1, rgb)]."""
    cv = Canvas(w, h, backdrop, 1.0)
    for x0, y0, x1, y1, rgb in lines:
        cv.fill(cov_stroke([(x0, y0, x1, y1)], 1.0), rgb)
    return [opaque_frame(cv, backdrop)]


def line_border(w, h, lines, backdrop, count=1):
    """Masked frames with straight lines and a transparent inside: [(x0, y0, x1, y1, rgb)]."""
    outer = lambda px, py: 1.0  # noqa: E731 - no corners are cut
    frames = []
    for _ in range(count):
        cv = Canvas(w, h)
        for x0, y0, x1, y1, rgb in lines:
            cv.fill(cov_stroke([(x0, y0, x1, y1)], 1.0), rgb)
        frames.append(border_frame(cv, outer, backdrop))
    return frames


# --- the extended border (EXBORDER) --------------------------------------------------------------

def shadow_alpha(d, alpha, sigma):
    """Soft shadow by distance d from the window outline (negative inside)."""
    return alpha * 0.5 * math.erfc((d + 0.5) / (sigma * math.sqrt(2.0)))


def exborder_frame(active):
    w, h, fo = EXB_W, EXB_H, FORM_OFFSET
    sh = SHADOW_ACTIVE if active else SHADOW_INACTIVE
    cv = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            d = sd_round_rect(x + 0.5, y + 0.5 - sh["dy"], fo, fo, w - fo, h - fo, WINDOW_RADIUS)
            cv.over(x, y, C["shadow"], shadow_alpha(d, sh["alpha"], sh["sigma"]))
    window = (fo, fo, w - fo, h - fo)
    top = C["title_active_top"] if active else C["title_inactive_top"]
    bottom = C["title_active_bottom"] if active else C["title_inactive_bottom"]
    title_bottom = fo + TITLE_HEIGHT
    # Body: the title gradient, then border colour; the client inside is not drawn by the engine.
    body = vertical_gradient(fo + 1, title_bottom - 1, [(0, top), (1, bottom)])
    cv.fill(cov_round_rect(*window, WINDOW_RADIUS),
            lambda px, py: body(px, py) if py < title_bottom else bottom)
    sep = C["title_separator_active"] if active else C["title_separator_inactive"]
    inset = fo + BORDER_WIDTH
    cv.fill(cov_stroke([(fo + 1, title_bottom - 0.5, w - fo - 1, title_bottom - 0.5)], 1.0), sep)
    # Client area (only shown in previews): the form colour inside the border.
    cv.fill(cov_round_rect(inset, title_bottom, w - inset, h - inset, 0), C["client_top"])
    cv.fill(cov_ring(*window, WINDOW_RADIUS), C["outline_active"] if active else C["outline_inactive"])
    return cv


def exborder_image():
    inactive, active = exborder_frame(False), exborder_frame(True)
    sheet = Canvas(EXB_W * 2, EXB_H)
    sheet.blit(inactive, 0, 0)
    sheet.blit(active, EXB_W, 0)
    return sheet


# --- options file ----------------------------------------------------------------------------------

def build(master):
    """Returns (sections, pngs): sections maps name -> list of (key, value)."""
    bg = C["window"]
    refs = {}
    pngs = {}

    # Title buttons and their glows.
    for key, kind, w in (("BICONCLOSE", "close", CLOSE_BUTTON_W), ("BICLOSEALONE", "close", CLOSE_BUTTON_W),
                         ("BICONMIN", "min", TITLE_BUTTON_W), ("BICONMAX", "max", TITLE_BUTTON_W),
                         ("BICONNORM", "norm", TITLE_BUTTON_W), ("BICONHELP", "help", TITLE_BUTTON_W)):
        rect = master.add("big-" + kind, title_button_frames(kind, w, TITLE_BUTTON_H, 9, 1.25))
        refs[key] = glyph_ref(rect, 3, 1)
    for key, kind in (("SICONCLOSE", "close"), ("SICONMIN", "min"), ("SICONMAX", "max"),
                      ("SICONNORM", "norm"), ("SICONHELP", "help")):
        rect = master.add("small-" + kind, title_button_frames(kind, SMALL_TITLE_BUTTON_W, SMALL_TITLE_BUTTON_H, 7, 1.15))
        refs[key] = glyph_ref(rect, 3, 1)
    refs["TITLEBUTTON"] = glyph_ref(master.add("big-blank", title_button_frames("blank", TITLE_BUTTON_W, TITLE_BUTTON_H, 0, 0)), 3, 1)

    for key, name, kind, w, colour, strength in (
            ("BICONCLOSEGLOW0", "GLOWCLOSE.PNG", "close", CLOSE_BUTTON_W, C["close_glow"], 0.55),
            ("BICLOSEALONEGLOW0", "GLOWCALONE.PNG", "close", CLOSE_BUTTON_W, C["close_glow"], 0.55),
            ("BICONMINGLOW0", "GLOWMIN.PNG", "min", TITLE_BUTTON_W, C["tb_glow"], 0.30),
            ("BICONMAXGLOW0", "GLOWMAX.PNG", "max", TITLE_BUTTON_W, C["tb_glow"], 0.30),
            ("BICONNORMGLOW0", "GLOWNORM.PNG", "norm", TITLE_BUTTON_W, C["tb_glow"], 0.30)):
        pngs[name] = glow_image(kind, w, TITLE_BUTTON_H, colour, strength)
        # Margins of half the image: drawn as a nine-part image at its own size
        # (button + GLOW_MARGIN on each side) it is copied whole, centre included.
        gw, gh = w + 2 * GLOW_MARGIN, TITLE_BUTTON_H + 2 * GLOW_MARGIN
        refs[key] = file_ref(name, 1, 0, 4, (gw // 2, gh // 2, gw - gw // 2, gh - gh // 2))

    pngs["GLOWBUTTON.PNG"] = button_glow_image(C["accent"], 0.8)
    bm = BUTTON_GLOW_HALO + BUTTON_GLOW_OVERLAP
    refs["button-glow"] = file_ref("GLOWBUTTON.PNG", 1, 0, 4, (bm, bm, bm, bm))

    pngs["EXTB.PNG"] = exborder_image()
    refs["EXBORDER"] = file_ref("EXTB.PNG", 2, 0, 3, (EXB_WL, EXB_WT, EXB_WR, EXB_WB))

    # Check glyphs.
    for key, maker in (("BOXCHECKED", lambda: box_glyph(CHECK_SIZE, "check")),
                       ("BOXUNCHECKED", lambda: box_glyph(CHECK_SIZE, None)),
                       ("BOXGRAYED", lambda: box_glyph(CHECK_SIZE, "grayed")),
                       ("RADIOCHECKED", lambda: radio_glyph(CHECK_SIZE, True)),
                       ("RADIOUNCHECKED", lambda: radio_glyph(CHECK_SIZE, False)),
                       ("RADIOGRAYED", lambda: radio_glyph(CHECK_SIZE, True, grayed=True)),
                       ("SMALLCHECKED", lambda: box_glyph(SMALL_CHECK_SIZE, "check")),
                       ("SMALLUNCHECKED", lambda: box_glyph(SMALL_CHECK_SIZE, None)),
                       ("SMALLGRAYED", lambda: box_glyph(SMALL_CHECK_SIZE, "grayed"))):
        refs[key] = glyph_ref(master.add(key, maker()), 3, 1)
    refs["CHECK"] = glyph_ref(master.add("CHECK", menu_check_frames()), 2, 1)
    refs["GRIPIMAGE"] = glyph_ref(master.add("GRIP", grip_frames()), 1, 1)
    for d in ("down", "up", "left", "right"):
        refs["arrow-" + d] = glyph_ref(master.add("arrow-" + d, arrow_frames(d)), 3, 1)

    # Border masks (margins 4 for a 3-pixel radius, 5 for 4).
    def border(name, frames, margins, count, draw_mode=0, width=0, mask_type=1):
        return border_ref(master.add(name, frames, masked=mask_type == 1), margins, count, mask_type, draw_mode, width)

    m4 = (4, 4, 4, 4)
    refs["button"] = border("button", rounded_border(
        (10, 10), BUTTON_RADIUS, [C["button_line"], C["accent"], C["accent_dark"]], bg, extras=button_extras), m4, 3)
    refs["field"] = border("field", rounded_border(
        (10, 10), FIELD_RADIUS, [C["field_line"], C["accent"], C["accent_dark"]], C["white"]), m4, 3)
    refs["flat"] = border("flat", rounded_border(
        (10, 10), BUTTON_RADIUS, [None, C["menu_hot_line"], C["accent"]], bg), m4, 3, draw_mode=2)
    refs["group"] = border("group", rounded_border((12, 12), GROUP_RADIUS, [C["line"]], bg), (5, 5, 5, 5), 1)
    refs["panel"] = border("panel", rounded_border((10, 10), FIELD_RADIUS, [C["line"]], bg), m4, 1)
    refs["menu"] = border("menu", rounded_border(
        (10, 10), FIELD_RADIUS, [C["menu_line"]], bg), m4, 1, width=2)
    refs["menuitem"] = border("menuitem", rounded_border(
        (10, 10), FIELD_RADIUS, [None, C["menu_hot_line"], C["menu_hot_line"]], C["white"]), m4, 3, draw_mode=2)
    refs["tab"] = border("tab", rounded_border(
        (10, 10), FIELD_RADIUS, [C["line"], C["accent"], C["line"]], bg, rect=(0, 0, 10, 10 + FIELD_RADIUS + 2)),
        (4, 4, 4, 1), 3)
    refs["divider"] = border("divider", plain_lines(3, 3, [(0, 0.5, 3, 0.5, hex_rgb("D9DFE6"))], C["white"]),
                             (1, 1, 1, 1), 1, mask_type=0)
    refs["statusline"] = border("statusline", line_border(
        6, 6, [(0, 0.5, 6, 0.5, C["line"]), (0, 1.5, 6, 1.5, C["white"])], bg), (2, 2, 2, 2), 1)
    refs["colheader"] = border("colheader", line_border(
        6, 6, [(0, 5.5, 6, 5.5, C["line"]), (5.5, 1, 5.5, 5, C["line"])], bg, count=3), (2, 2, 2, 2), 3)
    refs["frame"] = border("frame", window_frame_border(bg), m4, 2)
    refs["title"] = border("title", window_title_border(bg), (4, 4, 4, 1), 2)

    return sections(refs), pngs


def sections(refs):
    g = C
    face = lambda rgb: colour_int(rgb)  # noqa: E731
    btn_grad = gradient((g["white"], hex_rgb("F4F6F9"), 45), (hex_rgb("F4F6F9"), hex_rgb("E7EBF0"), 55))
    btn_hot_grad = gradient((hex_rgb("F7FBFF"), hex_rgb("EAF3FC"), 45), (hex_rgb("EAF3FC"), hex_rgb("D9E8F8"), 55))
    client_grad = gradient((g["client_top"], g["client_bottom"], 100))
    title_grad = gradient((g["title_inactive_top"], g["title_inactive_bottom"], 100))
    title_hot_grad = gradient((g["title_active_top"], g["title_active_bottom"], 100))
    group_grad = gradient((g["white"], hex_rgb("F9FAFC"), 100))
    bar_grad = gradient((hex_rgb("FAFBFC"), hex_rgb("EDF0F4"), 100))
    progress_grad = gradient((hex_rgb("6AA8E6"), g["accent"], 50), (g["accent"], g["accent_dark"], 50))

    text = [("FONTCOLOR", face(g["text"])), ("HOTFONTCOLOR", face(g["text_hot"]))]

    def plain(colour=g["window"], hot=None, font=None, hotfont=None):
        return [("COLOR", face(colour)), ("HOTCOLOR", face(hot or colour)),
                ("FONTCOLOR", face(font or g["text"])), ("HOTFONTCOLOR", face(hotfont or font or g["text"]))]

    def transparent(font=g["text"], hotfont=g["text_hot"]):
        return [("COLOR", face(g["window"])), ("HOTCOLOR", face(g["window"])),
                ("TRANSPARENCY", 100), ("HOTTRANSPARENCY", 100),
                ("FONTCOLOR", face(font)), ("HOTFONTCOLOR", face(hotfont))]

    def button_like(border_key="button"):
        return [("COLOR", face(hex_rgb("EEF1F5"))), ("HOTCOLOR", face(g["accent_soft"])),
                ("GRADIENTDATA", btn_grad), ("GRADIENTPERCENT", 100),
                ("HOTGRADIENTDATA", btn_hot_grad), ("HOTGRADIENTPERCENT", 100)] + text + [
                ("BORDERSMASK", refs[border_key])]

    def field(hot=g["white"]):
        return [("COLOR", face(g["white"])), ("HOTCOLOR", face(hot)),
                ("FONTCOLOR", face(g["text"])), ("HOTFONTCOLOR", face(g["text"])),
                ("BORDERSMASK", refs["field"])]

    def scroll_button(arrow):
        return button_like() + [("GLYPHMASK", refs["arrow-" + arrow])]

    global_keys = [
        ("VERSION", VERSION), ("AUTHOR", AUTHOR), ("DESCRIPTION", DESCRIPTION),
        ("MASTERBITMAP", "MASTER.BMP"),
        ("BORDERWIDTH", BORDER_WIDTH), ("TITLEHEIGHT", TITLE_HEIGHT), ("FORMOFFSET", FORM_OFFSET),
        ("CENTEROFFSET", 0), ("BORDERMODE", 1),
        ("BISPACE", BI_SPACE), ("BIVALIGN", 0), ("BILEFT", BI_LEFT), ("BIRIGHT", BI_RIGHT), ("BIKEEPHUE", 2),
        ("BORDERCOLOR", face(g["outline_active"])),
        ("COLOR", face(g["window"])), ("HOTCOLOR", face(g["white"])),
        ("FONTCOLOR", face(g["text"])), ("HOTFONTCOLOR", face(g["text_hot"])),
        # The hyperlink label takes its colours from these two contour keys.
        ("TCTOP", face(g["link_hot"])), ("TCBOTTOM", face(g["link"])),
        ("EXBORDER", refs["EXBORDER"]),
    ]
    for key in ("BICONCLOSE", "BICLOSEALONE", "BICONMIN", "BICONMAX", "BICONNORM", "BICONHELP",
                "SICONCLOSE", "SICONMIN", "SICONMAX", "SICONNORM", "SICONHELP", "TITLEBUTTON"):
        global_keys.append((key, refs[key]))
    for base in ("BICONCLOSE", "BICONMAX", "BICONMIN"):
        global_keys += [(base + "GLOW", 1), (base + "GLOWMARGIN", GLOW_MARGIN)]
    for key in ("BICONCLOSEGLOW0", "BICLOSEALONEGLOW0", "BICONMAXGLOW0", "BICONMINGLOW0", "BICONNORMGLOW0"):
        global_keys.append((key, refs[key]))
    for key in ("BOXCHECKED", "BOXUNCHECKED", "BOXGRAYED", "RADIOCHECKED", "RADIOUNCHECKED", "RADIOGRAYED",
                "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED", "CHECK", "GRIPIMAGE"):
        global_keys.append((key, refs[key]))

    s = {
        "GLOBALINFO": global_keys,
        "DIVIDER": plain(g["white"]) + [("BORDERSMASK", refs["divider"])],
        "EDIT": field(),
        "GRIPV": plain(hex_rgb("E6EAEF")),
        "GROUPBOX": [("COLOR", face(g["white"])), ("HOTCOLOR", face(g["white"])),
                     ("GRADIENTDATA", group_grad), ("GRADIENTPERCENT", 100),
                     ("HOTGRADIENTDATA", group_grad), ("HOTGRADIENTPERCENT", 100),
                     # the caption is written in the accent; labels inside keep the global colour
                     ("FONTCOLOR", face(g["accent_dark"])), ("HOTFONTCOLOR", face(g["accent_dark"])),
                     ("GIVEOWNFONT", "FALSE"), ("BORDERSMASK", refs["group"])],
        "ICOLINE": plain(g["icon_line"]),
        "MAINMENU": plain(g["white"]) + [("BORDERSMASK", refs["menu"])],
        "PANEL": plain(),
        "STATUSBAR": plain(hex_rgb("EEF1F5")) + [("BORDERSMASK", refs["statusline"])],
        "DIVIDERV": plain(g["white"]) + [("BORDERSMASK", refs["divider"])],
        "SPLITTER": plain(hex_rgb("E6EAEF"), g["accent_soft"]),
        "TRACKBAR": transparent(),
        "BARPANEL": plain(),
        "EXTRALINE": [("COLOR", face(g["accent"])), ("HOTCOLOR", face(g["accent"])),
                      ("GRADIENTDATA", gradient((g["accent"], g["accent_dark"], 100))), ("GRADIENTPERCENT", 100),
                      ("FONTCOLOR", face(g["white"])), ("HOTFONTCOLOR", face(g["white"]))],
        "COMBOBOX": field(g["accent_pale"]) + [("GLYPHMASK", refs["arrow-down"])],
        "SCROLLBTNBOTTOM": scroll_button("down"),
        "SCROLLBTNLEFT": scroll_button("left"),
        "SCROLLBTNRIGHT": scroll_button("right"),
        "SCROLLBTNTOP": scroll_button("up"),
        "COMBOBTN": button_like(),
        "SCROLLSLIDERH": button_like(),
        "SCROLLSLIDERV": button_like(),
        "DRAGBAR": plain(hex_rgb("E6EAEF")),
        "PAGECONTROL": plain(g["white"]) + [("BORDERSMASK", refs["panel"])],
        "TABTOP": [("COLOR", face(hex_rgb("EDF0F4"))), ("HOTCOLOR", face(g["white"])),
                   ("FONTCOLOR", face(g["text"])), ("HOTFONTCOLOR", face(g["text_hot"])),
                   ("BORDERSMASK", refs["tab"])],
        "TABRIGHT": [("PARENTCLASS", "TABTOP"), ("BORDERSMASK", refs["field"])],
        "TABLEFT": [("PARENTCLASS", "TABTOP"), ("BORDERSMASK", refs["field"])],
        "TABBOTTOM": [("PARENTCLASS", "TABTOP"), ("BORDERSMASK", refs["field"])],
        "PANEL_LOW": plain(hex_rgb("EDF0F4")) + [("BORDERSMASK", refs["panel"])],
        "TOOLBAR": plain() + [("GRADIENTDATA", bar_grad), ("GRADIENTPERCENT", 100),
                              ("HOTGRADIENTDATA", bar_grad), ("HOTGRADIENTPERCENT", 100)],
        "ALPHACOMBOBOX": [("PARENTCLASS", "COMBOBOX")],
        "ALPHAEDIT": [("PARENTCLASS", "EDIT")],
        "TOOLBUTTON": [("COLOR", face(g["window"])), ("HOTCOLOR", face(g["menu_hot"])),
                       ("TRANSPARENCY", 100), ("HOTTRANSPARENCY", 0)] + text + [("BORDERSMASK", refs["flat"])],
        "SCROLLBAR1H": plain(hex_rgb("EEF1F4")),
        "BAR": plain(),
        "GAUGE": field(),
        "PROGRESSH": [("COLOR", face(g["accent"])), ("HOTCOLOR", face(g["accent"])),
                      ("GRADIENTDATA", progress_grad), ("GRADIENTPERCENT", 100),
                      ("HOTGRADIENTDATA", progress_grad), ("HOTGRADIENTPERCENT", 100),
                      ("FONTCOLOR", face(g["white"])), ("HOTFONTCOLOR", face(g["white"]))],
        "SELECTION": plain(g["menu_hot"], g["menu_hot"], g["text"], g["text_hot"]),
        "BARTITLE": plain(hex_rgb("E9EDF2")) + [("GRADIENTDATA", bar_grad), ("GRADIENTPERCENT", 100)],
        "BUTTON": button_like() + [("SHOWFOCUS", "FALSE"), ("FADINGENABLED", "TRUE"), ("FADINGITERATIONS", 10),
                                   ("GLOW", 1), ("GLOWMARGIN", BUTTON_GLOW_OVERLAP), ("GLOW0", refs["button-glow"])],
        "COLHEADER": [("COLOR", face(hex_rgb("F3F5F8"))), ("HOTCOLOR", face(g["accent_pale"])),
                      ("GRADIENTDATA", bar_grad), ("GRADIENTPERCENT", 100)] + text + [
                      ("BORDERSMASK", refs["colheader"])],
        "SPEEDBUTTON": [("COLOR", face(g["window"])), ("HOTCOLOR", face(g["menu_hot"])),
                        ("TRANSPARENCY", 100), ("HOTTRANSPARENCY", 0)] + text + [("BORDERSMASK", refs["flat"]),
                        ("FADINGENABLED", "TRUE"), ("FADINGITERATIONS", 6)],
        "SPEEDBUTTON_SMALL": [("PARENTCLASS", "SPEEDBUTTON")],
        "UPDOWNBTN": button_like(),
        "WEBBUTTON": transparent(g["link"], g["link_hot"]),
        "RADIOBUTTON": transparent() + [("FADINGENABLED", "TRUE"), ("FADINGITERATIONS", 6)],
        "CHECKBOX": transparent() + [("FADINGENABLED", "TRUE"), ("FADINGITERATIONS", 6)],
        "BUTTON_HUGE": [("PARENTCLASS", "BUTTON")],
        "SCROLLBAR2V": plain(hex_rgb("EEF1F4")),
        "SCROLLBAR1V": plain(hex_rgb("EEF1F4")),
        "SCROLLBAR2H": plain(hex_rgb("EEF1F4")),
        "MENULINE": plain(g["title_active_bottom"], g["menu_hot"], g["text"], g["text_hot"]),
        "MENUITEM": [("COLOR", face(g["white"])), ("HOTCOLOR", face(g["menu_hot"])),
                     ("TRANSPARENCY", 100), ("HOTTRANSPARENCY", 0),
                     ("FONTCOLOR", face(g["text"])), ("HOTFONTCOLOR", face(g["text_hot"])),
                     ("BORDERSMASK", refs["menuitem"])],
        "PROGRESSV": [("PARENTCLASS", "PROGRESSH")],
        "PAGECONTROLBOTTOM": [("PARENTCLASS", "PAGECONTROL")],
        "PAGECONTROLLEFT": [("PARENTCLASS", "PAGECONTROL")],
        "PAGECONTROLRIGHT": [("PARENTCLASS", "PAGECONTROL")],
        "DIALOG": [("PARENTCLASS", "FORM")],
        "FORMTITLE": [("COLOR", face(g["title_inactive_bottom"])), ("HOTCOLOR", face(g["title_active_bottom"])),
                      ("GRADIENTDATA", title_grad), ("GRADIENTPERCENT", 100),
                      ("HOTGRADIENTDATA", title_hot_grad), ("HOTGRADIENTPERCENT", 100),
                      # inactive caption in state 0, active caption in the hot colours
                      ("FONTCOLOR", face(g["caption_inactive"])), ("HOTFONTCOLOR", face(g["caption_active"])),
                      ("BORDERSMASK", refs["title"])],
        "FORM": [("COLOR", face(g["window"])), ("HOTCOLOR", face(g["window"])),
                 ("GRADIENTDATA", client_grad), ("GRADIENTPERCENT", 100),
                 ("HOTGRADIENTDATA", client_grad), ("HOTGRADIENTPERCENT", 100)] + text + [
                 ("BORDERSMASK", refs["frame"])],
        "BUTTON_BIG": [("PARENTCLASS", "BUTTON")],
        "HINT": plain(g["white"], g["white"], hex_rgb("333B45")) + [("BORDERSMASK", refs["menu"])],
        "GRIPH": plain(hex_rgb("E6EAEF")),
        "MDIAREA": plain(hex_rgb("E4E8ED")),
    }
    return s


# --- checks and output --------------------------------------------------------------------------------

def check_sections(sections, master_size, pngs):
    if list(sections) != SECTION_ORDER or len(SECTION_ORDER) != 64:
        raise SystemExit("section list differs from the fixed order")
    if SECTION_ORDER.index("BUTTON") != 39:
        raise SystemExit("BUTTON must be section 39")
    mw, mh = master_size
    for name, keys in sections.items():
        seen = set()
        for key, value in keys:
            if key in seen:
                raise SystemExit("%s: duplicate key %s" % (name, key))
            seen.add(key)
            value = str(value)
            if value[:1] in "@^~":
                nums = [int(v) for v in value[1:].split(value[0])]
                left, top, right, bottom = nums[:4]
                count = nums[4] if value[0] == "@" else nums[8] if value[0] == "^" else 1
                mask_type = nums[5] if value[0] == "@" else nums[9] if value[0] == "^" else 0
                if not (0 <= left < right <= mw and 0 <= top < bottom <= mh):
                    raise SystemExit("%s.%s: area outside the master bitmap" % (name, key))
                if (right - left) % count or (bottom - top) % (mask_type + 1):
                    raise SystemExit("%s.%s: area does not split into its frames" % (name, key))
                if value[0] == "^":
                    fw, fh = (right - left) // count, (bottom - top) // (mask_type + 1)
                    wl, wt, wr, wb = nums[4:8]
                    if wl + wr >= fw or wt + wb >= fh:
                        raise SystemExit("%s.%s: margins leave no middle" % (name, key))
            elif value[:1] == "!":
                words = [w for w in value.split("!") if w]
                if words[0] not in pngs:
                    raise SystemExit("%s.%s: no image %s" % (name, key, words[0]))
                image = pngs[words[0]]
                count, mask_type, kind = int(words[1]), int(words[2]), int(words[3])
                fw, fh = image.width // count, image.height // (mask_type + 1)
                if image.width % count or image.height % (mask_type + 1):
                    raise SystemExit("%s.%s: image does not split into its frames" % (name, key))
                if len(words) >= 8:
                    wl, wt, wr, wb = (int(w) for w in words[4:8])
                    # Glows (kind 4) are drawn at their own size and may leave no middle.
                    if wl + wr > fw or wt + wb > fh or (kind < 4 and (wl + wr >= fw or wt + wb >= fh)):
                        raise SystemExit("%s.%s: margins do not fit the frame" % (name, key))
            elif ".BMP" in value.upper() or ".JPG" in value.upper() or ".JPEG" in value.upper():
                if not (name == "GLOBALINFO" and key == "MASTERBITMAP"):
                    raise SystemExit("%s.%s: unexpected image file value" % (name, key))


def options_text(sections):
    lines = ["; air - built-in skin of the APK installer.",
             "; Generated by tools/skingen/make_air_skin.py; edit the generator, not this file.", ""]
    for name in SECTION_ORDER:
        lines.append("[%s]" % name)
        lines += ["%s=%s" % (k, v) for k, v in sections[name]]
        lines.append("")
    text = "\r\n".join(lines)
    text.encode("ascii")  # the options file stays plain ASCII
    return text.encode("ascii")


def main():
    master = MasterSheet(MASTER_WIDTH)
    sections, pngs = build(master)
    master_rows = master.bitmap_rows()
    check_sections(sections, (MASTER_WIDTH, len(master_rows)), pngs)
    outputs = {"Options.dat": options_text(sections), "MASTER.BMP": bmp24_bytes(master_rows)}
    for name, canvas in pngs.items():
        outputs[name] = png_bytes(canvas.rgba_rows())
    emit(OUT_DIR, outputs, prune=True)


if __name__ == "__main__":
    main()
