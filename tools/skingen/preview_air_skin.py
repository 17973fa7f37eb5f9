#!/usr/bin/env python3
"""Renders a 1:1 mock of the main window in the generated skin, for looking at it.

    preview_air_skin.py OUT.png [--scale N]

A small model of how the engine uses the skin (gradients, masked nine-part
borders with key-coloured corners, state glyphs, the centred extended border)
paints the installer's main window, a strip of control states and the title
button glow; ImageMagick's `convert` then writes the texts. It reads only the
files in skins/air and app/res, so it shows what the generator produced.
This is a look-at tool, not a reference implementation of the engine.
"""

import os
import struct
import subprocess
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
SKIN = os.path.join(REPO, "skins", "air")
RES = os.path.join(REPO, "app", "res")
KEY = (255, 0, 255)
FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"


# --- file readers ----------------------------------------------------------------------------

def read_bmp24(path):
    data = open(path, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    w, h = struct.unpack_from("<ii", data, 18)
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(abs(h)):
        src = offset + (abs(h) - 1 - y if h > 0 else y) * stride
        rows.append([(data[src + 3 * x + 2], data[src + 3 * x + 1], data[src + 3 * x]) for x in range(w)])
    return rows


def read_png(path):
    data = open(path, "rb").read()
    pos, idat, w = 8, b"", 0
    while pos < len(data):
        n, kind = struct.unpack_from(">I4s", data, pos)
        body = data[pos + 8: pos + 8 + n]
        if kind == b"IHDR":
            w, h, depth, ctype = struct.unpack_from(">IIBB", body)
            assert depth == 8 and ctype == 6
        elif kind == b"IDAT":
            idat += body
        pos += 12 + n
    raw = zlib.decompress(idat)
    stride, rows, prev = w * 4, [], bytearray(w * 4)
    for y in range(h):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 4] if i >= 4 else 0
            b = prev[i]
            c = prev[i - 4] if i >= 4 else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[4 * x:4 * x + 4]) for x in range(w)])
        prev = line
    return rows


def parse_options(text):
    sections = {}
    current = None
    for line in text.splitlines():
        line = line.strip()
        if not line or line.startswith(";"):
            continue
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1].strip(), {})
        elif current is not None and "=" in line:
            k, v = line.split("=", 1)
            current.setdefault(k.strip().upper(), v.strip())
    return sections


# --- the skin --------------------------------------------------------------------------------

class Skin:
    def __init__(self):
        self.sections = parse_options(open(os.path.join(SKIN, "Options.dat"), encoding="ascii").read())
        g = self.sections["GLOBALINFO"]
        self.master = read_bmp24(os.path.join(SKIN, g["MASTERBITMAP"]))
        self.files = {}

    def num(self, section, key, default=0):
        v = self.sections.get(section, {}).get(key)
        if v is None:
            parent = self.sections.get(section, {}).get("PARENTCLASS")
            return self.num(parent, key, default) if parent else default
        return int(v)

    def text(self, section, key, default=""):
        v = self.sections.get(section, {}).get(key)
        if v is None:
            parent = self.sections.get(section, {}).get("PARENTCLASS")
            return self.text(parent, key, default) if parent else default
        return v

    def mask(self, section, key):
        v = self.sections.get(section, {}).get(key)
        if v is None:
            parent = self.sections.get(section, {}).get("PARENTCLASS")
            return self.mask(parent, key) if parent else None
        if v[0] in "@^":
            n = [int(x) for x in v[1:].split(v[0])]
            m = dict(src=self.master, R=n[:4], kind="rgb")
            if v[0] == "@":
                m.update(count=n[4], masktype=n[5], margins=(0, 0, 0, 0), drawmode=0)
            else:
                m.update(margins=tuple(n[4:8]), count=n[8], masktype=n[9], drawmode=n[10])
            return m
        if v[0] == "!":
            words = [w for w in v.split("!") if w]
            if words[0] not in self.files:
                self.files[words[0]] = read_png(os.path.join(SKIN, words[0]))
            img = self.files[words[0]]
            w, h = len(img[0]), len(img)
            count, masktype = int(words[1]), int(words[2])
            margins = tuple(int(x) for x in words[4:8]) if len(words) >= 8 else (
                w // (count * 3), h // ((masktype + 1) * 3)) * 2
            return dict(src=img, R=[0, 0, w, h], kind="rgba", count=count, masktype=masktype,
                        margins=margins, drawmode=4)
        raise ValueError(v)


def colour(v):
    v = int(v)
    return (v & 255, (v >> 8) & 255, (v >> 16) & 255)


# --- an RGBA surface and the painting steps ----------------------------------------------------

class Surface:
    def __init__(self, w, h, fill=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.px = [[list(fill) for _ in range(w)] for _ in range(h)]

    def copy(self):
        s = Surface(self.w, self.h)
        s.px = [[p[:] for p in row] for row in self.px]
        return s

    def get(self, x, y):
        return self.px[y][x] if 0 <= x < self.w and 0 <= y < self.h else None

    def set(self, x, y, rgb, a=255):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = [int(rgb[0]), int(rgb[1]), int(rgb[2]), a]

    def fill(self, rect, rgb):
        for y in range(rect[1], rect[3]):
            for x in range(rect[0], rect[2]):
                self.set(x, y, rgb)


def paint_gradient(s, rect, text):
    nums = [int(t) for t in text.split(";") if t]
    pieces = [nums[i:i + 5] for i in range(0, len(nums) - 4, 5)]
    left, top, right, bottom = rect
    last, y = bottom - 1, top
    for i, (c1, c2, pct, _mode, _) in enumerate(pieces):
        start = y
        y = last if i == len(pieces) - 1 else min(start + (bottom - top) * pct // 100, last)
        n = y - start
        if n <= 0:
            continue
        a, b = colour(c1), colour(c2)
        for row in range(start, y + 1):
            t = (row - start) / n
            rgb = tuple(round(a[k] + (b[k] - a[k]) * t) for k in range(3))
            for x in range(left, right):
                s.set(x, row, rgb)


def paint_face(skin, s, section, rect, state, parent):
    hot = state != 0
    transparency = skin.num(section, "HOTTRANSPARENCY" if hot else "TRANSPARENCY")
    if transparency == 100:
        for y in range(rect[1], rect[3]):
            for x in range(rect[0], rect[2]):
                p = parent.get(x, y)
                if p:
                    s.px[y][x] = p[:]
        return
    grad = skin.text(section, "HOTGRADIENTDATA" if hot else "GRADIENTDATA", "")
    if grad and skin.num(section, "HOTGRADIENTPERCENT" if hot else "GRADIENTPERCENT") > 0:
        paint_gradient(s, rect, grad)
    else:
        s.fill(rect, colour(skin.num(section, "HOTCOLOR" if hot else "COLOR", 0xFFFFFF)))


def src_px(m, x, y):
    p = m["src"][y][x]
    return p if m["kind"] == "rgba" else (p[0], p[1], p[2], 255)


def masked_piece(s, m, sx, sy, w, h, dx, dy, corner, parent):
    fh = (m["R"][3] - m["R"][1]) // (m["masktype"] + 1)
    for j in range(h):
        for i in range(w):
            S = src_px(m, sx + i, sy + j)
            x, y = dx + i, dy + j
            d = s.get(x, y)
            if d is None:
                continue
            if m["masktype"] == 0:
                if tuple(S[:3]) == KEY:
                    if corner and parent is not None and parent.get(x, y):
                        s.px[y][x] = parent.get(x, y)[:]
                    continue
                s.px[y][x] = list(S)
                continue
            if tuple(S[:3]) == KEY:
                if corner and parent is not None and parent.get(x, y):
                    s.px[y][x] = parent.get(x, y)[:]
                continue
            M = src_px(m, sx + i, sy + j + fh)
            s.px[y][x] = [((d[k] - S[k]) * M[k] + S[k] * 256) >> 8 for k in range(3)] + [d[3]]


def draw_border_mask(s, rect, m, state, parent):
    if state == 0 and m["drawmode"] & 2:
        return
    left, top, right, bottom = rect
    wl, wt, wr, wb = m["margins"]
    W, H = right - left, bottom - top
    if W < wl + wr:
        d = (wl + wr - W) // 2
        wl, wr = wl - d, wr - d - (W % 2)
    if H < wt + wb:
        d = (wt + wb - H) // 2
        wt, wb = wt - d, wb - d - (H % 2)
    count = m["count"]
    fw = (m["R"][2] - m["R"][0]) // count
    fh = (m["R"][3] - m["R"][1]) // (m["masktype"] + 1)
    fx = min(state, count - 1) * fw
    sx0, sy0 = m["R"][0] + fx, m["R"][1]
    mw, mh = max(0, fw - wl - wr), max(0, fh - wt - wb)

    def tile(sx, sy, sw, sh, x0, y0, x1, y1):
        if sw <= 0 or sh <= 0:
            return
        y = y0
        while y < y1:
            x = x0
            while x < x1:
                masked_piece(s, m, sx, sy, min(sw, x1 - x), min(sh, y1 - y), x, y, False, parent)
                x += sw
            y += sh

    masked_piece(s, m, sx0, sy0, wl, wt, left, top, True, parent)
    tile(sx0, sy0 + wt, wl, mh, left, top + wt, left + wl, bottom - wb)
    tile(sx0 + wl, sy0, mw, wt, left + wl, top, right - wr, top + wt)
    masked_piece(s, m, sx0, sy0 + fh - wb, wl, wb, left, bottom - wb, True, parent)
    tile(sx0 + wl, sy0 + fh - wb, mw, wb, left + wl, bottom - wb, right - wr, bottom)
    masked_piece(s, m, sx0 + fw - wr, sy0 + fh - wb, wr, wb, right - wr, bottom - wb, True, parent)
    masked_piece(s, m, sx0 + fw - wr, sy0, wr, wt, right - wr, top, True, parent)
    tile(sx0 + fw - wr, sy0 + wt, wr, mh, right - wr, top + wt, right, bottom - wb)


def paint_item(skin, s, section, rect, state, parent):
    paint_face(skin, s, section, rect, state, parent)
    m = skin.mask(section, "BORDERSMASK")
    if m:
        draw_border_mask(s, rect, m, state, parent)


def draw_glyph(s, x0, y0, m, state, faded=False):
    fw = (m["R"][2] - m["R"][0]) // m["count"]
    fh = (m["R"][3] - m["R"][1]) // (m["masktype"] + 1)
    sx = m["R"][0] + min(state, m["count"] - 1) * fw
    for j in range(fh):
        for i in range(fw):
            S = src_px(m, sx + i, m["R"][1] + j)
            d = s.get(x0 + i, y0 + j)
            if d is None or tuple(S[:3]) == KEY:
                continue
            M = src_px(m, sx + i, m["R"][1] + j + fh)
            out = []
            for k in range(3):
                mk = M[k]
                if faded:
                    mk = 255 if mk > 154 else mk + 100
                out.append(max(0, min(255, ((d[k] - S[k]) * mk + S[k] * 256) >> 8)))
            s.px[y0 + j][x0 + i] = out + [255]


def alpha_over(s, img, x0, y0, opacity=1.0):
    for j, row in enumerate(img):
        for i, p in enumerate(row):
            d = s.get(x0 + i, y0 + j)
            if d is None:
                continue
            a = p[3] / 255.0 * opacity
            da = d[3] / 255.0
            oa = a + da * (1 - a)
            if oa <= 0:
                continue
            s.px[y0 + j][x0 + i] = [int(round((p[k] * a + d[k] * da * (1 - a)) / oa)) for k in range(3)] + [int(round(oa * 255))]


def nine_part(s, img, frame, fw, fh, margins, insets):
    """Extended border: corners copied within the insets, edges stretched, no centre."""
    W, H = s.w, s.h
    WL, WT, WR, WB = margins
    IL, IT, IR, IB = insets
    l, t, r, b = min(WL, IL), min(WT, IT), min(WR, IR), min(WB, IB)
    ox = frame * fw

    def put(dx, dy, sx, sy):
        if 0 <= dx < W and 0 <= dy < H:
            s.px[dy][dx] = list(img[sy][ox + sx])

    def block(dx, dy, sx, sy, w, h):
        for j in range(h):
            for i in range(w):
                put(dx + i, dy + j, sx + i, sy + j)

    block(0, 0, 0, 0, WL, t)
    block(0, t, 0, t, l, WT - t)
    block(0, H - b, 0, fh - b, WL, b)
    block(0, H - WB, 0, fh - WB, l, WB - b)
    block(W - WR, 0, fw - WR, 0, WR, t)
    block(W - r, t, fw - r, t, r, WT - t)
    block(W - WR, H - b, fw - WR, fh - b, WR, b)
    block(W - r, H - WB, fw - r, fh - WB, r, WB - b)
    smh, dmh = fh - WT - WB, H - WT - WB
    smw, dmw = fw - WL - WR, W - WL - WR
    for j in range(dmh):
        sy = WT + j * smh // dmh
        for i in range(l):
            put(i, WT + j, i, sy)
        for i in range(r):
            put(W - r + i, WT + j, fw - r + i, sy)
    for i in range(dmw):
        sx = WL + i * smw // dmw
        for j in range(t):
            put(WL + i, j, sx, j)
        for j in range(b):
            put(WL + i, H - b + j, sx, fh - b + j)


# --- the scenes --------------------------------------------------------------------------------

def load_res(name):
    path = os.path.join(RES, name)
    return read_png(path) if os.path.exists(path) else None


def load_icon16():
    """The 16 x 16 image of the application icon (32-bit DIB entry)."""
    path = os.path.join(RES, "ApkInstaller.ico")
    if not os.path.exists(path):
        return None
    data = open(path, "rb").read()
    for i in range(struct.unpack_from("<H", data, 4)[0]):
        w, _h, _c, _r, _p, _bpp, _size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        if w == 16:
            px = offset + 40
            return [[(data[px + 4 * (x + 16 * (15 - y)) + 2], data[px + 4 * (x + 16 * (15 - y)) + 1],
                      data[px + 4 * (x + 16 * (15 - y))], data[px + 4 * (x + 16 * (15 - y)) + 3])
                     for x in range(16)] for y in range(16)]
    return None


def window(skin, active=True, hot_close=False):
    g = skin.sections["GLOBALINFO"]
    bw, th, fo = int(g["BORDERWIDTH"]), int(g["TITLEHEIGHT"]), int(g["FORMOFFSET"])
    cw, ch = 450, 262
    W, H = cw + 2 * bw + 2 * fo, ch + bw + th + 2 * fo
    s = Surface(W, H)
    texts = []
    state = 1 if active else 0
    frame_rect = (fo, fo, W - fo, H - fo)
    paint_item(skin, s, "FORM", frame_rect, state, None)
    ext = skin.mask("GLOBALINFO", "EXBORDER")
    fw = ext["R"][2] // ext["count"]
    fh = ext["R"][3]
    wl, wt, wr, wb = ext["margins"]
    wt = min(wt, (H - th) // 2 + th)
    wb = min(wb, (H - th) // 2)
    nine_part(s, ext["src"], state if ext["count"] > 1 else 0, fw, fh, (wl, wt, wr, wb),
              (fo + bw, fo + th, fo + bw, fo + bw))
    icon = load_icon16()
    icon_left = bw + int(g["BILEFT"]) + fo
    if icon:
        alpha_over(s, icon, icon_left, fo + 7)
    caption = "铂蜓APK应用安装器 -- Preview 2"
    fc = colour(skin.num("FORMTITLE", "HOTFONTCOLOR" if active else "FONTCOLOR"))
    texts.append((icon_left + 16 + 4 + 0, fo + 7, 12, fc, caption, False))
    # title buttons: close, then minimize, from the right
    right = W - int(g["BIRIGHT"]) - fo - bw
    glows = []
    for key in ("BICONCLOSE", "BICONMIN"):
        m = skin.mask("GLOBALINFO", key)
        bw_ = (m["R"][2] - m["R"][0]) // m["count"]
        bh = (m["R"][3] - m["R"][1]) // 2
        x, y = right - bw_, (th - bh) // 2 + fo
        # A hot button keeps its normal picture in the frame; the glow fades in over it.
        draw_glyph(s, x, y, m, 0, faded=not active)
        if hot_close and key == "BICONCLOSE":
            glows.append((skin.mask("GLOBALINFO", key + "GLOW0"), x - int(g[key + "GLOWMARGIN"]),
                          y - int(g[key + "GLOWMARGIN"])))
        right = x - int(g["BISPACE"])
    ox, oy = fo + bw, fo + th
    before = s.copy()

    def group(x, y, w, h, caption_text, caption_w):
        row = 15
        top = row // 2
        paint_item(skin, s, "GROUPBOX", (ox + x, oy + y + top, ox + x + w, oy + y + h), 0, before)
        for yy in range(oy + y, oy + y + row):
            for xx in range(ox + x + 6, ox + x + 6 + caption_w + 8):
                s.px[yy][xx] = before.px[yy][xx][:]
        for yy in range(oy + y, oy + y + top):
            for xx in range(ox + x, ox + x + w):
                s.px[yy][xx] = before.px[yy][xx][:]
        texts.append((ox + x + 10, oy + y - 1, 12, colour(skin.num("GROUPBOX", "FONTCOLOR")), caption_text, False))

    group(16, 12, 417, 137, "软件信息", 48)
    group(16, 152, 417, 71, "安装提示", 48)
    text_colour = colour(skin.num("GLOBALINFO", "FONTCOLOR"))
    for i, (label, value) in enumerate((("应用包名:", "com.example.notes"), ("软件版本:", "2.4.1"),
                                         ("系统要求:", "Android 4.0.3"), ("软件大小:", "3.62 MB"))):
        top = 12 + (35, 57, 78, 98)[i]
        texts.append((ox + 16 + 123, oy + top, 11, text_colour, label, False))
        texts.append((ox + 16 + 184, oy + top, 12, text_colour, value, False))
    pic = load_res("Placeholder.png")
    if pic:
        alpha_over(s, pic, ox + 16 + 14 + (96 - 77) // 2, oy + 12 + 26 + (96 - 92) // 2)
    texts.append((ox + 70, oy + 172, 12, (0, 0, 0), "准备就绪,请点击\"安装\"按钮将软件安装到手机.", False))
    texts.append((ox + 16, oy + 238, 11, colour(skin.num("GLOBALINFO", "TCBOTTOM")), "铂蜓应用市场 WWW.EXAMPLE.COM", False))
    glyphs = [load_res("GlyphInstall.png"), load_res("GlyphClose.png")]
    for (x, y, w, h, label, st), glyph in zip(((250, 230, 88, 27, "安装", 0), (344, 230, 89, 27, "关闭", 1)), glyphs):
        rect = (ox + x, oy + y, ox + x + w, oy + y + h)
        paint_item(skin, s, "BUTTON", rect, st, before)
        gx = rect[0] + (w - (16 + 4 + 24)) // 2
        if glyph:
            alpha_over(s, glyph, gx, rect[1] + (h - 16) // 2)
        fc = colour(skin.num("BUTTON", "HOTFONTCOLOR" if st else "FONTCOLOR"))
        texts.append((gx + 20, rect[1] + 5, 12, fc, label, False))
    for m, x, y in glows:
        alpha_over(s, m["src"], x, y)
    return s, texts


def controls_strip(skin):
    s = Surface(482, 150, [242, 244, 247, 255])
    paint_face(skin, s, "FORM", (0, 0, 482, 150), 0, None)
    texts = []
    before = s.copy()
    for i, st in enumerate((0, 1, 2)):
        rect = (10 + i * 100, 10, 10 + i * 100 + 88, 37)
        paint_item(skin, s, "BUTTON", rect, st, before)
        texts.append((rect[0] + 22, 14, 12, colour(skin.num("BUTTON", "HOTFONTCOLOR" if st else "FONTCOLOR")),
                      ("normal", "hot", "pressed")[st], False))
    for row, keys in enumerate((("RADIOUNCHECKED", "RADIOCHECKED", "RADIOGRAYED"),
                                ("BOXUNCHECKED", "BOXCHECKED", "BOXGRAYED"))):
        for k, key in enumerate(keys):
            m = skin.mask("GLOBALINFO", key)
            for st in range(3):
                draw_glyph(s, 10 + k * 130 + st * 22, 50 + row * 22, m, st)
    paint_item(skin, s, "EDIT", (10, 95, 150, 115), 0, before)
    paint_item(skin, s, "EDIT", (160, 95, 300, 115), 1, before)
    texts.append((16, 97, 12, colour(skin.num("EDIT", "FONTCOLOR")), "edit", False))
    menu_mock(skin, s, texts, (330, 10, 470, 140))
    return s, texts


def plain_window(skin):
    """A window framed without the shadow border: FORM border, FORMTITLE title."""
    s = Surface(300, 110, [255, 255, 255, 255])
    before = s.copy()
    rect = (10, 10, 290, 100)
    paint_item(skin, s, "FORM", rect, 1, before)
    paint_item(skin, s, "FORMTITLE", (10, 10, 290, 10 + 26), 1, before)
    texts = [(18, 14, 12, colour(skin.num("FORMTITLE", "HOTFONTCOLOR")), "without the shadow border", False)]
    m = skin.mask("GLOBALINFO", "SICONCLOSE")
    draw_glyph(s, 290 - 3 - 24, 10 + 4, m, 0)
    return s, texts


def menu_mock(skin, s, texts, rect):
    """A popup menu: background with icon line and border, a hot item, a check, a divider."""
    before = s.copy()
    left, top, right, bottom = rect
    paint_face(skin, s, "MAINMENU", rect, 0, before)
    m = skin.mask("MAINMENU", "BORDERSMASK")
    sbw = int(skin.sections["MAINMENU"]["BORDERSMASK"].split("^")[-1]) if m else 0
    paint_face(skin, s, "ICOLINE", (left + sbw, top + sbw, left + sbw + 24, bottom - sbw), 0, before)
    if m:
        draw_border_mask(s, rect, m, 0, before)
    y = top + 3
    items = (("恢复", False, 0), ("移动", False, 0), ("最小化", True, 0), ("-", False, 0),
             ("总在最前", False, 1), ("关闭", False, 0))
    back = s.copy()
    for caption, hot, checked in items:
        if caption == "-":
            dm = skin.mask("DIVIDERV", "BORDERSMASK")
            draw_border_mask(s, (left + 3 + 24 + 2, y, right - 3 - 2, y + 2), dm, 0, back)
            y += 2
            continue
        r = (left + 3, y, right - 3, y + 20)
        paint_item(skin, s, "MENUITEM", r, 1 if hot else 0, back)
        if checked:
            cm = skin.mask("GLOBALINFO", "CHECK")
            draw_glyph(s, r[0] + 2, y + 2, cm, 1 if hot else 0)
        fc = colour(skin.num("MENUITEM", "HOTFONTCOLOR" if hot else "FONTCOLOR"))
        texts.append((r[0] + 16 + 4 + 6 + 4, y + 3, 12, fc, caption, False))
        y += 20


def flatten(s, backdrop):
    rows = []
    for row in s.px:
        out = []
        for r, g, b, a in row:
            t = a / 255.0
            out.append(tuple(int(round(c * t + d * (1 - t))) for c, d in zip((r, g, b), backdrop)))
        rows.append(out)
    return rows


def write_ppm(path, rows):
    with open(path, "wb") as f:
        f.write(b"P6 %d %d 255\n" % (len(rows[0]), len(rows)))
        for row in rows:
            f.write(bytes(c for p in row for c in p))


def render(out, scale):
    skin = Skin()
    pieces = []
    tmp = out + ".parts"
    os.makedirs(tmp, exist_ok=True)
    for name, (surface, texts), backdrop in (
            ("active", window(skin, True, hot_close=True), (208, 214, 222)),
            ("inactive", window(skin, False), (255, 255, 255)),
            ("controls", controls_strip(skin), (255, 255, 255)),
            ("plain", plain_window(skin), (255, 255, 255))):
        base = os.path.join(tmp, name + ".ppm")
        write_ppm(base, flatten(surface, backdrop))
        cmd = ["convert", base, "-font", FONT, "-gravity", "NorthWest"]
        for x, y, size, rgb, text, _bold in texts:
            cmd += ["-pointsize", str(size * 0.75 * 96 / 72), "-fill", "#%02X%02X%02X" % rgb,
                    "-annotate", "+%d+%d" % (x, y), text]
        png = os.path.join(tmp, name + ".png")
        subprocess.run(cmd + [png], check=True)
        pieces.append(png)
    cmd = ["convert"] + pieces + ["-background", "#FFFFFF", "-append"]
    if scale != 1:
        cmd += ["-filter", "point", "-resize", "%d%%" % (scale * 100)]
    subprocess.run(cmd + [out], check=True)


if __name__ == "__main__":
    args = sys.argv[1:]
    scale = 1
    if "--scale" in args:
        i = args.index("--scale")
        scale = int(args[i + 1])
        del args[i:i + 2]
    render(args[0] if args else "/tmp/air-preview.png", scale)
