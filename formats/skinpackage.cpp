// The skin package's members: names, order and contents.
#include "skinpackage.h"

#include <filesystem>

#include "Graphics.h"
#include "Streams.h"
#include "brannoxskin.h"
#include "extMaskgenerator.h"

const std::array<const char*, kSkinCursorSlots> kSkinCursorMembers = {
    "cur", "cur_new", "cur_modify", "cur_remove", "cur_settings", "cur_about", "cur_exit", "cur_up", "cur_down"};

const char* const kLogCopyFiles = "Copy files to temporary directory";
const char* const kLogCreateMask = "Create mask file";
const char* const kLogPreviewData = "Create preview data";
const char* const kLogPreviewImage = "Create preview image";
const char* const kLogNotesFailed = "Can't create othernotes.txt";
const char* const kLogPreviewFailed = "Can't create preview image";

namespace {

const char* const kSkinStreamMember = "skin.dat";
const char* const kMaskMember = "data.msk";
const char* const kDataIniMember = "data.ini";
const char* const kNotesMember = "othernotes.txt";
const char* const kPreviewMember = "preview.bmp";

bool IsFile(const std::string& name) {
  std::error_code ec;
  return !Trim(name).empty() && std::filesystem::is_regular_file(std::filesystem::path(name), ec);
}

std::vector<uint8_t> ReadFileBytes(const std::string& name) {
  TMemoryStream m;
  m.LoadFromFile(name);
  return m.Bytes();
}

std::vector<uint8_t> TextBytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace

std::string SkinCursorMemberName(int slot, const std::string& sourceFile) {
  return std::string(kSkinCursorMembers.at(size_t(slot))) + ExtractFileExt(Trim(sourceFile));
}

bool IsSkinPackageMemberName(const std::string& name) {
  for (const char* fixed : {kSkinStreamMember, kMaskMember, kDataIniMember, kNotesMember, kPreviewMember})
    if (SameText(name, fixed)) return true;
  for (const char* cursor : kSkinCursorMembers)
    if (SameText(ChangeFileExt(name, ""), cursor)) return true;
  return false;
}

std::string MakeSkinDataIni(const TbxskinData& skin, TColor transparent) {
  return "[general]\r\nversion=" + skin.Version + "\r\nauthor=" + skin.Tekija + "\r\ntitle=" + skin.Title +
         "\r\ntransparent=" + ColorToString(transparent) + "\r\n";
}

TColor SkinPreviewTransparent(const TSkinPackageInput& input) {
  return IsFile(input.PreviewImagePath) ? input.PreviewTransparentColor : input.Skin->Lapivari;
}

std::vector<TSkinPackageMember> MakeSkinPackageMembers(const TSkinPackageInput& input,
                                                       const TSkinPackageStep& step) {
  auto log = [&](const char* line) {
    if (step) step(line);
  };
  TbxskinData& skin = *input.Skin;
  std::vector<TSkinPackageMember> members;

  log(kLogCopyFiles);
  members.push_back({kSkinStreamMember, ReadFileBytes(input.ProjectFile)});
  for (int slot = 0; slot < kSkinCursorSlots; ++slot) {
    const std::string& source = input.CursorFiles[size_t(slot)];
    if (IsFile(Trim(source)))
      members.push_back({SkinCursorMemberName(slot, source), ReadFileBytes(Trim(source))});
  }

  log(kLogCreateMask);
  // Every pixel transparent (or no picture): no region, and no mask member.
  // Asking an empty picture for its bitmap would give it one: read, not change.
  const TBitmap noPicture;
  const TBitmap& background = skin.Kuva.Graphic() ? skin.Kuva.Bitmap() : noPicture;
  std::vector<uint8_t> region = MakeMaskRegionData(background, skin.Lapivari);
  if (!region.empty()) {
    // The mask file: the region's byte count n, then the region data.
    TSkinPackageMember mask{kMaskMember, std::vector<uint8_t>(4 + region.size())};
    const uint32_t n = uint32_t(region.size());
    for (int i = 0; i < 4; ++i) mask.Bytes[size_t(i)] = uint8_t(n >> (8 * i));
    std::copy(region.begin(), region.end(), mask.Bytes.begin() + 4);
    members.push_back(std::move(mask));
  }

  log(kLogPreviewData);
  members.push_back({kDataIniMember, TextBytes(MakeSkinDataIni(skin, SkinPreviewTransparent(input)))});
  members.push_back({kNotesMember, TextBytes(input.Notes.Text())});

  log(kLogPreviewImage);
  try {
    std::vector<uint8_t> bmp;
    if (IsFile(input.PreviewImagePath)) {
      TPicture preview;
      preview.LoadFromFile(Trim(input.PreviewImagePath));
      bmp = preview.Bitmap().SaveToBytes();
    } else {
      bmp = background.SaveToBytes();
    }
    members.push_back({kPreviewMember, std::move(bmp)});
  } catch (const std::exception&) {
    log(kLogPreviewFailed);
  }
  return members;
}
