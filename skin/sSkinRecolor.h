// Hue and saturation changes of a freshly loaded skin model: bitmaps and colours.
#pragma once

class TsSkinModel;

// Turns the hue of the master bitmap, the mask bitmaps and the model's colours by
// `offset` degrees. Title-button icons that keep their hue (BIKeepHue) and their
// glow images are left as they are. Key-coloured pixels never change; grey pixels
// of the master bitmap and of 32-bit mask bitmaps neither. Other mask bitmaps are
// made 24-bit first.
void ApplySkinHueOffset(TsSkinModel& model, int offset);

// Changes the saturation of the master bitmap, every mask bitmap and the model's
// colours by the amount (-saturation) mod 101 (sign of the dividend, so 30 gives
// -30 and -150 gives 49). Key-coloured and grey pixels never change.
void ApplySkinSaturation(TsSkinModel& model, int saturation);
