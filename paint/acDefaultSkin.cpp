#include "paint/acDefaultSkin.h"

namespace {
TsSkinModel* g_defaultModel = nullptr;
}

TsSkinModel* DefaultSkinModel() { return g_defaultModel; }
void SetDefaultSkinModel(TsSkinModel* model) { g_defaultModel = model; }
