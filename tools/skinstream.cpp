// skinstream: looks inside skin streams (skin.dat, .bxn projects).
//   skinstream dump FILE      one line per entry: path, kind, value
//   skinstream new FILE       writes the stream of a fresh skin
//   skinstream copy IN OUT    loads a skin stream and saves it again
#include <cstdio>
#include <cstring>

#include "BmpFormat.h"
#include "Filer.h"
#include "GraphicFormats.h"
#include "Streams.h"
#include "brannoxskin.h"

namespace {
const char* KindName(TValueType k) {
  switch (k) {
    case vaList: return "list";
    case vaInt8: return "int8";
    case vaInt16: return "int16";
    case vaInt32: return "int32";
    case vaInt64: return "int64";
    case vaString: return "string";
    case vaLString: return "lstring";
    case vaUTF8String: return "utf8string";
    case vaIdent: return "ident";
    case vaFalse:
    case vaTrue: return "boolean";
    case vaBinary: return "binary";
    case vaSet: return "set";
    default: return "?";
  }
}

// A picture's payload: the class name, then (for bitmaps) a length and a BMP.
std::string PictureText(const std::vector<uint8_t>& data) {
  TMemoryStream s(data);
  TReader r(s);
  std::string cls = r.ReadStr();
  std::string text = cls;
  try {
    uint32_t n = s.ReadU32();
    auto bmp = r.ReadBytes(n);
    TBmpImage img = DecodeBmpFile(bmp);
    text += " " + IntToStr(img.Width) + "x" + IntToStr(img.Height) + " " +
            IntToStr(TBitmap::BitsOf(img.PixelFormat)) + "bpp, " + IntToStr(n) + " bytes";
  } catch (const Exception& e) {
    text += " (" + e.Message() + ")";
  }
  return text;
}

int Dump(const char* file) {
  TFileStream f(file, fmOpenRead);
  ReadResourceHeader(f);
  std::string cls;
  auto entries = ListComponentStream(f, &cls);
  std::printf("# %s, %zu entries\n", cls.c_str(), entries.size());
  for (const auto& e : entries) {
    std::string value = e.Kind == vaBinary ? PictureText(e.Data) : e.Value;
    if (e.Kind == vaList) {
      std::string joined;
      for (char c : value) joined += c == '\n' ? std::string("\\n") : std::string(1, c);
      value = joined;
    }
    std::printf("%s\t%s\t%s\n", e.Path.c_str(), KindName(e.Kind), value.c_str());
  }
  return 0;
}

int Usage() {
  std::fprintf(stderr, "usage: skinstream dump FILE | new FILE | copy IN OUT\n");
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  // A skin's pictures name their reader's class, as the programs register them.
  RegisterGraphicFormats();
  try {
    if (!std::strcmp(argv[1], "dump") && argc == 3) return Dump(argv[2]);
    if (!std::strcmp(argv[1], "new") && argc == 3) {
      TBXSkin skin(nullptr);
      skin.Filename = argv[2];
      skin.SaveToFile();
      return 0;
    }
    if (!std::strcmp(argv[1], "copy") && argc == 4) {
      TBXSkin skin(nullptr);
      skin.Filename = argv[2];
      skin.LoadFromFile();
      skin.Filename = argv[3];
      skin.SaveToFile();
      return 0;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skinstream: %s\n", e.what());
    return 1;
  }
  return Usage();
}
