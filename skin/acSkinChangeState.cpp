#include "skin/acSkinChangeState.h"

TacSkinChangeState& SkinChangeState() {
  static TacSkinChangeState state;
  return state;
}
