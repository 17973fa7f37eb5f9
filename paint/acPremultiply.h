// Layered windows blend their picture as premultiplied colour (the source's colour is
// added, the background kept by 1 - alpha), while skin images carry straight alpha.
#pragma once

class TacBitmap;

// Each colour channel c of a 32-bit bitmap becomes (c * alpha + 127) div 255.
// Other formats are left as they are.
void PremultiplyAlpha(TacBitmap* bmp);
