// The caption bar of the launcher's secondary windows, applied in one place.
#pragma once

class TDialogForm;

// Gives a secondary window its caption bar by the launcher's options (the
// gradient colours, or none when coloured captions are off). Until the
// gradient caption bar component is linked in, the window keeps the
// system's plain caption.
void ApplyCaptionBar(TDialogForm& form);
