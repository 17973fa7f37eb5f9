#!/usr/bin/env python3
"""Writes the engine's two built-in shadow images into skin/builtin/ (stdlib only, deterministic).

They stand in for a skin's own extended border when the skin has none: the
manager copies them and uses shadow margins of 11, 7, 11, 11 (one more on each
side under desktop composition). The frame composer draws them as a nine-part
image whose margins are those shadow margins plus the skin's FORMOFFSET, with
edges stretched and nothing drawn inside the shadow margins, except that the
window's cut-away rounded corners are filled from the image.

So each image is a 32-bit soft shadow around a window rectangle that starts
11 pixels from the left and right, 7 from the top and 11 from the bottom; the
shadow is a function of the distance to that rectangle (with a small corner
radius), which keeps every row and column beyond the corners identical, as
stretching needs, for any FORMOFFSET up to IMAGE_SIZE / 2 - 11 - 1.

  ShadowActive.png    the active window: darker and a little deeper
  ShadowInactive.png  an inactive window: lighter
"""

import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from generated_files import emit  # noqa: E402
from imageformats import png_bytes  # noqa: E402
from skinraster import Canvas, hex_rgb, sd_round_rect  # noqa: E402

REPO = os.path.dirname(os.path.dirname(HERE))
OUT_DIR = os.path.join(REPO, "skin", "builtin")

IMAGE_SIZE = 64
MARGINS = (11, 7, 11, 11)     # left, top, right, bottom: where the window lies in the image
CORNER_RADIUS = 4.0
SHADOW_COLOUR = hex_rgb("0A1A2E")
ACTIVE = dict(alpha=0.46, sigma=3.2, dy=2.0)
INACTIVE = dict(alpha=0.28, sigma=2.6, dy=1.0)


def shadow(look):
    cv = Canvas(IMAGE_SIZE, IMAGE_SIZE)
    left, top, right, bottom = MARGINS
    rect = (left, top, IMAGE_SIZE - right, IMAGE_SIZE - bottom)
    for y in range(IMAGE_SIZE):
        for x in range(IMAGE_SIZE):
            d = sd_round_rect(x + 0.5, y + 0.5 - look["dy"], *rect, CORNER_RADIUS)
            a = look["alpha"] * 0.5 * math.erfc((d + 0.5) / (look["sigma"] * math.sqrt(2.0)))
            if a >= 0.5 / 255:
                cv.over(x, y, SHADOW_COLOUR, a)
    return cv


def main():
    outputs = {"ShadowActive.png": png_bytes(shadow(ACTIVE).rgba_rows()),
               "ShadowInactive.png": png_bytes(shadow(INACTIVE).rgba_rows())}
    emit(OUT_DIR, outputs)


if __name__ == "__main__":
    main()
