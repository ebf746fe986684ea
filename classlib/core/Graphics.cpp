// TFont's values, TGraphic, TPicture and the picture registry.
#include "Graphics.h"

#include <mutex>

#include "Filer.h"
#include "Streams.h"

// --- TFont

namespace {
constexpr TIdentMapEntry kCharsets[] = {
    {0, "ANSI_CHARSET"},         {1, "DEFAULT_CHARSET"},      {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},         {128, "SHIFTJIS_CHARSET"},   {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},      {134, "GB2312_CHARSET"},     {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},      {162, "TURKISH_CHARSET"},    {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},     {178, "ARABIC_CHARSET"},     {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"},    {222, "THAI_CHARSET"},       {238, "EASTEUROPE_CHARSET"},
    {255, "OEM_CHARSET"},
};
constexpr TIdentMapEntry kPitches[] = {{fpDefault, "fpDefault"}, {fpVariable, "fpVariable"}, {fpFixed, "fpFixed"}};
constexpr const char* kFontStyles[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
}  // namespace

void TFont::Assign(const TPersistent& source) {
  if (auto* f = dynamic_cast<const TFont*>(&source)) {
    Charset = f->Charset;
    Color = f->Color;
    Height = f->Height;
    Name = f->Name;
    Pitch = f->Pitch;
    Style = f->Style;
    return;
  }
  TPersistent::Assign(source);
}

bool TFont::operator==(const TFont& o) const {
  return Charset == o.Charset && Color == o.Color && Height == o.Height && Name == o.Name &&
         Pitch == o.Pitch && Style == o.Style;
}

void TFont::DefineProperties(TFiler& filer) {
  filer.IdentProperty("Charset", Charset, kCharsets, true);
  filer.ColorProperty("Color", Color);
  filer.IntegerProperty("Height", Height);
  filer.StringProperty("Name", Name);
  filer.IdentProperty("Pitch", Pitch, kPitches, Pitch != fpDefault);
  // Streams written elsewhere may give the size in points instead of Height.
  int32_t size = Size();
  filer.IdentProperty("Size", size, {}, false);
  if (size != Size()) SetSize(size);
  filer.SetProperty("Style", Style, kFontStyles);
}

namespace {
// a * b / c rounded half away from zero, as Windows' MulDiv.
int32_t MulDiv(int64_t a, int64_t b, int64_t c) {
  int64_t p = a * b;
  return int32_t(p >= 0 ? (p + c / 2) / c : -((-p + c / 2) / c));
}
}  // namespace

int32_t TFont::Size() const { return -MulDiv(Height, 72, 96); }
void TFont::SetSize(int32_t points) { Height = -MulDiv(points, 96, 72); }

// --- TGraphic

void TGraphic::LoadFromFile(const std::string& name) {
  TFileStream f(name, fmOpenRead);
  LoadFromStream(f);
}

void TGraphic::SaveToFile(const std::string& name) {
  SaveFileAtomically(name, [this](TStream& s) { SaveToStream(s); });
}

// --- the registry

namespace {
struct TRegistry {
  std::vector<std::pair<std::string, TGraphicFactory>> Classes;
  std::vector<TFileFormat> Formats;
};

TRegistry& Registry() {
  static TRegistry r;
  static std::once_flag once;
  std::call_once(once, [] {
    // The class library's own bitmap.
    r.Classes.emplace_back("TBitmap", [] { return std::make_unique<TBitmap>(); });
    r.Formats.push_back({"bmp", "Bitmaps", "TBitmap"});
    r.Formats.push_back({"rle", "Windows bitmap", "TBitmap"});
    r.Formats.push_back({"dib", "Windows bitmap", "TBitmap"});
  });
  return r;
}

std::string NormalExt(const std::string& ext) {
  return LowerCase(!ext.empty() && ext[0] == '.' ? ext.substr(1) : ext);
}
}  // namespace

void RegisterGraphicClass(const std::string& className, TGraphicFactory factory) {
  auto& classes = Registry().Classes;
  for (auto& c : classes)
    if (SameText(c.first, className)) {
      c.second = std::move(factory);
      return;
    }
  classes.emplace_back(className, std::move(factory));
}

std::unique_ptr<TGraphic> CreateGraphic(const std::string& className) {
  for (auto& c : Registry().Classes)
    if (SameText(c.first, className)) return c.second();
  throw EClassNotFound(className);
}

void RegisterFileFormat(const std::string& extension, const std::string& description,
                        const std::string& className) {
  auto& formats = Registry().Formats;
  std::string ext = NormalExt(extension);
  for (auto it = formats.begin(); it != formats.end(); ++it)
    if (it->Extension == ext) {
      formats.erase(it);
      break;
    }
  formats.push_back({ext, description, className});
}

const TFileFormat* FindFileFormat(const std::string& extension) {
  std::string ext = NormalExt(extension);
  for (const auto& f : Registry().Formats)
    if (f.Extension == ext) return &f;
  return nullptr;
}

std::vector<TFileFormat> FileFormats() { return Registry().Formats; }

// --- TPicture

void TPicture::Assign(const TPersistent& source) {
  if (auto* p = dynamic_cast<const TPicture*>(&source)) {
    if (!p->FGraphic) {
      FGraphic.reset();
      return;
    }
    Assign(*p->FGraphic);
    return;
  }
  if (auto* g = dynamic_cast<const TGraphic*>(&source)) {
    auto copy = CreateGraphic(g->ClassName());
    copy->Assign(*g);
    FGraphic = std::move(copy);
    return;
  }
  TPersistent::Assign(source);
}

TBitmap& TPicture::Bitmap() {
  auto* b = dynamic_cast<TBitmap*>(FGraphic.get());
  if (!b) {
    FGraphic = std::make_unique<TBitmap>();
    b = static_cast<TBitmap*>(FGraphic.get());
  }
  return *b;
}

void TPicture::DefineProperties(TFiler& filer) {
  filer.BinaryProperty("Data", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); },
                       FGraphic != nullptr);
}

void TPicture::ReadData(TStream& s) {
  TReader r(s);
  std::string cls = r.ReadStr();
  if (cls.empty()) {
    FGraphic.reset();
    return;
  }
  auto g = CreateGraphic(cls);
  g->ReadData(s);
  FGraphic = std::move(g);
}

void TPicture::WriteData(TStream& s) {
  TWriter w(s);
  if (!FGraphic) {
    w.WriteStr("");
    return;
  }
  w.WriteStr(FGraphic->ClassName());
  FGraphic->WriteData(s);
}

void TPicture::LoadFromFile(const std::string& name) {
  std::string ext = ExtractFileExt(name);
  const TFileFormat* format = FindFileFormat(ext);
  if (!format) throw EInvalidGraphic("Unknown picture file extension (" + ext + ")");
  auto g = CreateGraphic(format->ClassName);
  g->LoadFromFile(name);
  FGraphic = std::move(g);
}

void TPicture::SaveToFile(const std::string& name) {
  if (FGraphic) FGraphic->SaveToFile(name);
}
