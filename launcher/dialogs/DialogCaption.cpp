// The secondary windows' caption bar.
#include "DialogCaption.h"

#include "DialogForm.h"

void ApplyCaptionBar(TDialogForm&) {}
