// Gouraud-shaded triangles in exact integer arithmetic: our own counterpart of
// the platform's triangle GradientFill, so triangle gradients look the same on
// every platform and in tests.
#pragma once

#include <cstdint>

#include "paint/acBitmap.h"

struct TacGradientVertex {
  int32_t X, Y;
  uint16_t Red, Green, Blue;  // 16-bit channels (byte x 256)
};

// Fills every pixel of bmp whose centre lies inside or on the edge of one of
// the triangles, inside the clip rectangle [clipLeft, clipRight) x [clipTop,
// clipBottom) (itself cut to the bitmap). A pixel takes the colour of the first
// triangle (in the given order) that holds its centre: the barycentric blend
// of the vertex colours at the centre, truncated to 16 bits, whose high byte is
// written. Degenerate triangles hold no pixel. 32-bit pixels get alpha 255.
struct TacGradientTriangle {
  int V0, V1, V2;  // vertex indexes
};
void FillGradientTriangles(TacBitmap* bmp, const TacGradientVertex* vertices, int vertexCount,
                           const TacGradientTriangle* triangles, int triangleCount, int clipLeft, int clipTop,
                           int clipRight, int clipBottom);
