// picture: reads any picture file that the picture registry knows and writes
// it as a BMP, to check a user's file outside the programs.
//   picture FILE OUT.bmp [--keep]
// The BMP has 24 bits per pixel, or the picture's own format with --keep. A
// file that cannot be read prints the reader's message and exits with 1.
#include <cstdio>
#include <cstring>
#include <string>

#include "GraphicFormats.h"
#include "Streams.h"

int main(int argc, char** argv) {
  bool keep = argc == 4 && std::strcmp(argv[3], "--keep") == 0;
  if (argc != 3 && !keep) {
    std::fprintf(stderr, "usage: picture FILE OUT.bmp [--keep]\n");
    return 2;
  }
  RegisterGraphicFormats();
  try {
    TPicture picture;
    picture.LoadFromFile(argv[1]);
    auto* loaded = dynamic_cast<TBitmap*>(picture.Graphic());
    if (!loaded || loaded->Empty()) throw EInvalidGraphic("The file holds no picture");
    const int bits = loaded->BitsPerPixel();
    const std::string className = loaded->ClassName();
    // A plain bitmap takes the pixels over (no copy) and saves them as a BMP.
    TBitmap out(std::move(*loaded));
    if (!keep) out.SetPixelFormat(pf24bit);
    out.SaveToFile(argv[2]);
    std::printf("%s: %dx%d, %d bits per pixel (%s)\n", argv[1], out.Width(), out.Height(), bits, className.c_str());
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s: %s\n", argv[1], e.Message().c_str());
    return 1;
  }
  return 0;
}
