"""A tiny anti-aliased rasteriser for skin artwork (standard library only).

Shapes are described by signed distance functions in pixel units (pixel (x, y)
covers [x, x+1) x [y, y+1), its centre is (x + 0.5, y + 0.5)); coverage is taken
from the distance at the pixel centre, which gives clean one-pixel anti-aliasing
for the small sizes a skin uses. Polygons are supersampled instead.

A Canvas holds straight (not premultiplied) RGBA: colour 0..255 floats, alpha 0..1.
"""

import math


def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def hex_rgb(text):
    text = text.lstrip("#")
    return (int(text[0:2], 16), int(text[2:4], 16), int(text[4:6], 16))


def mix(c1, c2, t):
    """c1 at t = 0, c2 at t = 1."""
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


# --- distance functions -------------------------------------------------------

def sd_round_rect(px, py, x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0, (y1 - y0) / 2.0
    r = min(r, hx, hy)
    qx = abs(px - cx) - (hx - r)
    qy = abs(py - cy) - (hy - r)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    inside = min(max(qx, qy), 0.0)
    return outside + inside - r


def sd_circle(px, py, cx, cy, r):
    return math.hypot(px - cx, py - cy) - r


def dist_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def polyline(points):
    return [(points[i][0], points[i][1], points[i + 1][0], points[i + 1][1]) for i in range(len(points) - 1)]


def arc_points(cx, cy, r, a0, a1, steps=24):
    """Points on a circle from angle a0 to a1 (degrees, 0 = right, 90 = down)."""
    return [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
             cy + r * math.sin(math.radians(a0 + (a1 - a0) * i / steps))) for i in range(steps + 1)]


# --- coverage functions (pixel centre -> 0..1) ---------------------------------

def cov_round_rect(x0, y0, x1, y1, r):
    return lambda px, py: clamp01(0.5 - sd_round_rect(px, py, x0, y0, x1, y1, r))


def cov_ring(x0, y0, x1, y1, r, width=1.0):
    """A border of the given width along the inside of a rounded rectangle."""
    def cov(px, py):
        outer = clamp01(0.5 - sd_round_rect(px, py, x0, y0, x1, y1, r))
        inner = clamp01(0.5 - sd_round_rect(px, py, x0 + width, y0 + width, x1 - width, y1 - width,
                                            max(0.0, r - width)))
        return max(0.0, outer - inner)
    return cov


def cov_circle(cx, cy, r):
    return lambda px, py: clamp01(0.5 - sd_circle(px, py, cx, cy, r))


def cov_circle_ring(cx, cy, r, width=1.0):
    def cov(px, py):
        d = math.hypot(px - cx, py - cy)
        return max(0.0, clamp01(0.5 - (d - r)) - clamp01(0.5 - (d - (r - width))))
    return cov


def cov_stroke(segments, width):
    half = width / 2.0

    def cov(px, py):
        d = min(dist_segment(px, py, *s) for s in segments)
        return clamp01(half + 0.5 - d)
    return cov


def _inside_polygon(px, py, poly):
    inside = False
    n = len(poly)
    j = n - 1
    for i in range(n):
        xi, yi = poly[i]
        xj, yj = poly[j]
        if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def cov_polygon(poly, samples=4):
    offsets = [(i + 0.5) / samples - 0.5 for i in range(samples)]
    total = float(samples * samples)

    def cov(px, py):
        hits = 0
        for oy in offsets:
            for ox in offsets:
                if _inside_polygon(px + ox, py + oy, poly):
                    hits += 1
        return hits / total
    return cov


def cov_union(*covs):
    return lambda px, py: max(c(px, py) for c in covs)


def cov_minus(a, b):
    return lambda px, py: max(0.0, a(px, py) - b(px, py))


# --- paints (pixel centre -> rgb) ----------------------------------------------

def vertical_gradient(y0, y1, stops):
    """stops: list of (t, rgb) with t from 0 (row y0) to 1 (row y1)."""
    def paint(px, py):
        t = clamp01((py - y0) / float(max(1e-6, y1 - y0)))
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t <= t1:
                return mix(c0, c1, 0.0 if t1 == t0 else (t - t0) / (t1 - t0))
        return stops[-1][1]
    return paint


class Canvas:
    def __init__(self, width, height, rgb=(0, 0, 0), alpha=0.0):
        self.width, self.height = width, height
        self.rgb = [[tuple(rgb) for _ in range(width)] for _ in range(height)]
        self.alpha = [[alpha for _ in range(width)] for _ in range(height)]

    def over(self, x, y, rgb, a):
        if a <= 0.0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        da = self.alpha[y][x]
        out_a = a + da * (1.0 - a)
        if out_a <= 0.0:
            return
        old = self.rgb[y][x]
        self.rgb[y][x] = tuple((c * a + o * da * (1.0 - a)) / out_a for c, o in zip(rgb, old))
        self.alpha[y][x] = out_a

    def fill(self, coverage, paint, opacity=1.0, box=None):
        """Composite paint (an rgb tuple or a function of the pixel centre) through coverage."""
        x0, y0, x1, y1 = box if box else (0, 0, self.width, self.height)
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.width, int(math.ceil(x1))), min(self.height, int(math.ceil(y1)))
        for y in range(y0, y1):
            for x in range(x0, x1):
                c = coverage(x + 0.5, y + 0.5) * opacity
                if c > 0.0:
                    self.over(x, y, paint(x + 0.5, y + 0.5) if callable(paint) else paint, c)

    def blit(self, other, dx, dy):
        for y in range(other.height):
            for x in range(other.width):
                self.over(dx + x, dy + y, other.rgb[y][x], other.alpha[y][x])

    def rgba_rows(self):
        rows = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                a = int(round(self.alpha[y][x] * 255))
                if a == 0:
                    row.append((0, 0, 0, 0))
                else:
                    r, g, b = (int(round(max(0.0, min(255.0, c)))) for c in self.rgb[y][x])
                    row.append((r, g, b, a))
            rows.append(row)
        return rows

    def rgb_rows_over(self, background):
        """Flattened over an opaque background colour."""
        rows = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                a = self.alpha[y][x]
                row.append(tuple(int(round(max(0.0, min(255.0, c * a + b * (1.0 - a)))))
                                 for c, b in zip(self.rgb[y][x], background)))
            rows.append(row)
        return rows


def gaussian_kernel(sigma):
    radius = max(1, int(math.ceil(sigma * 3)))
    weights = [math.exp(-(i * i) / (2.0 * sigma * sigma)) for i in range(-radius, radius + 1)]
    total = sum(weights)
    return radius, [w / total for w in weights]


def blur_profile(length, start, end, sigma):
    """1-D Gaussian-blurred box [start, end) sampled at pixel centres 0..length-1.

    Computed from the error function, so a shadow made of two such profiles is
    exactly uniform along the middle of each edge, as nine-part stretching needs.
    """
    s = sigma * math.sqrt(2.0)
    return [0.5 * (math.erf((x + 0.5 - start) / s) - math.erf((x + 0.5 - end) / s)) for x in range(length)]
