// TForm3's "Liblist editor" inner page of the Half-Life manager: the chosen
// mod's liblist.gam, its text and its known keys with their hints.
#include "Unit3.h"

#include "Liblist.h"

void TForm3::BuildLiblistPage() {}
