// TForm3's "Half-Life manager" page: the mods of the Half-Life folder and the
// map cycle editor.
#include "Unit3.h"

void TForm3::BuildHalfLifePage() {}
