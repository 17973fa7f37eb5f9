// The skin that item painting uses when a caller names no skin manager: the
// model of the program's default skin manager, registered by that manager.
#pragma once

class TsSkinModel;

// Null when there is no default manager (nothing is painted then).
TsSkinModel* DefaultSkinModel();
// The default manager registers its model on creation and clears it (null) when
// it is destroyed.
void SetDefaultSkinModel(TsSkinModel* model);
