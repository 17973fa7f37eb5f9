"""Packs skin masks into the 24-bit master bitmap and writes their references.

Every entry is a row of state frames side by side. A masked entry (MaskType 1)
has its mask image directly below the colour frames, pixel for pixel: the
engine blends a target channel D with colour S through mask M as
D := ((D - S) * M + S * 256) >> 8, so M = 0 shows the colour and M = 255 keeps
the target. Unused area and transparent corners hold the key colour 0xFF00FF.
"""

KEY = (255, 0, 255)
WHITE = (255, 255, 255)


def _to_byte(v):
    return int(round(max(0.0, min(255.0, v))))


def _not_key(rgb):
    # A real colour that happens to round to the key would vanish; nudge it.
    return (255, 1, 255) if rgb == KEY else rgb


def glyph_pixel(rgb, alpha):
    """(colour, mask) of a glyph pixel: key where empty, else colour with an inverted-alpha mask."""
    if alpha < 0.5 / 255:
        return KEY, 255
    return _not_key(tuple(_to_byte(c) for c in rgb)), _to_byte(255 * (1.0 - alpha))


def border_pixel(rgb, alpha, outer, backdrop):
    """(colour, mask) of a border pixel.

    alpha is the coverage of the border artwork, outer the coverage of the
    item's outline. Pixels mostly outside the outline become key (cut away,
    the parent shows); the part of an edge pixel outside the outline is
    pre-blended with the backdrop colour the item usually sits on; the part
    inside the outline and not covered by artwork lets the face through.
    """
    if outer < 0.5:
        return KEY, 255
    alpha = min(alpha, outer)
    outside = 1.0 - outer
    opaque = alpha + outside
    if opaque < 0.5 / 255:
        return WHITE, 255  # white through a full mask leaves the target exactly as it was
    colour = tuple((c * alpha + b * outside) / opaque for c, b in zip(rgb, backdrop))
    return _not_key(tuple(_to_byte(c) for c in colour)), _to_byte(255 * (1.0 - opaque))


class MasterSheet:
    def __init__(self, width):
        self.width = width
        self.rows = []  # list of lists of rgb tuples
        self.shelf_x = 0
        self.shelf_y = 0
        self.shelf_h = 0
        self.entries = {}  # name -> rectangle (left, top, right, bottom), right/bottom exclusive

    def _ensure_height(self, height):
        while len(self.rows) < height:
            self.rows.append([KEY] * self.width)

    def _place(self, w, h):
        if w > self.width:
            raise ValueError("entry wider than the master bitmap")
        if self.shelf_x + w > self.width:
            self.shelf_y += self.shelf_h + 1
            self.shelf_x, self.shelf_h = 0, 0
        x, y = self.shelf_x, self.shelf_y
        self.shelf_x += w + 1
        self.shelf_h = max(self.shelf_h, h)
        self._ensure_height(y + h)
        return x, y

    def add(self, name, frames, masked=True):
        """frames: list of frames, each a list of rows of (colour, mask) pairs (or colours when not masked)."""
        if name in self.entries:
            return self.entries[name]
        fh = len(frames[0])
        fw = len(frames[0][0])
        w = fw * len(frames)
        h = fh * (2 if masked else 1)
        x, y = self._place(w, h)
        for i, frame in enumerate(frames):
            for row_index, row in enumerate(frame):
                for col, px in enumerate(row):
                    if masked:
                        colour, mask = px
                        self.rows[y + row_index][x + i * fw + col] = colour
                        self.rows[y + fh + row_index][x + i * fw + col] = (mask, mask, mask)
                    else:
                        self.rows[y + row_index][x + i * fw + col] = px
        self.entries[name] = (x, y, x + w, y + h)
        return self.entries[name]

    def bitmap_rows(self):
        return self.rows


def glyph_ref(rect, image_count, mask_type):
    left, top, right, bottom = rect
    return "@%04d@%04d@%04d@%04d@%d@%d" % (left, top, right, bottom, image_count, mask_type)


def border_ref(rect, margins, image_count, mask_type, draw_mode, border_width):
    left, top, right, bottom = rect
    wl, wt, wr, wb = margins
    for v in (image_count, mask_type, draw_mode, border_width):
        if not 0 <= v <= 9:
            raise ValueError("one-digit field out of range")
    return "^%04d^%04d^%04d^%04d^%04d^%04d^%04d^%04d^%d^%d^%d^%d" % (
        left, top, right, bottom, wl, wt, wr, wb, image_count, mask_type, draw_mode, border_width)


def file_ref(name, image_count, mask_type, kind, margins=None):
    if name != name.upper() or not (".PNG" in name or ".BMP" in name):
        raise ValueError("file references are matched in upper case: " + name)
    words = [name, str(image_count), str(mask_type), str(kind)]
    if margins:
        words += ["%04d" % m for m in margins]
    return "!" + "!".join(words)
