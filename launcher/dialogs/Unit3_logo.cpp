// TForm3's "Half-Life logo editor" page: pictures turned into 64 x 64
// greyscale spray logos.
#include "Unit3.h"

void TForm3::BuildLogoPage() {}
