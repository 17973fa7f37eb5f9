// Process-wide state of a skin change, touched only on the GUI thread: controls and
// frames look at it to tell a skin change from an ordinary repaint.
#pragma once

struct TacSkinChangeState {
  bool Changing = false;         // a skin change sequence is running
  bool NewSkinAnnounced = false;  // SMC_NEWSKIN is on its way; a control clears it when it takes the skin
  bool Removing = false;          // the skin is being removed from all windows
  bool AnimatedChange = false;    // the forms are locked for an animated skin change
  bool StdDialogsNotSkinned = true;  // standard dialogs are left alone (set by the default manager)
};

TacSkinChangeState& SkinChangeState();
