// TForm3's "Config manager" page: the *.cfg files of a located game's mod
// folders, binds in the game's syntax and the key map made from them.
#include "Unit3.h"

void TForm3::BuildConfigPage() {}
bool TForm3::OfferToSaveEditors() { return true; }
