// The skin package (".bxs"): the one place that knows its members, their
// names, order and contents. The editor's compiler and the build's default
// package both make their members here.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Colors.h"
#include "StringList.h"
#include "cabfiles.h"

class TbxskinData;

// The most that unpacking one package may write. A skin is pictures of a few
// megabytes: a 1,920 x 1,200 face at 32 bits is 9 MB, its button pictures
// less, its cursors kilobytes. 64 MB leaves room for several times that,
// while a package from anywhere cannot fill the disk: the launcher unpacks
// its skin at every start.
inline constexpr uint64_t kMaxSkinUnpackBytes = uint64_t(64) << 20;

// The cursor slots in package order: member name without its extension.
constexpr int kSkinCursorSlots = 9;
extern const std::array<const char*, kSkinCursorSlots> kSkinCursorMembers;

// What a package is made of: the saved project and the editor's fields.
struct TSkinPackageInput {
  std::string ProjectFile;                                 // skin.dat is its byte copy
  TbxskinData* Skin = nullptr;                             // not owned: the saved skin
  std::array<std::string, kSkinCursorSlots> CursorFiles;   // by slot; blank: none
  TStringList Notes;                                       // othernotes.txt
  std::string PreviewImagePath;                            // blank: the background stands in
  TColor PreviewTransparentColor = clWhite;
};

using TSkinPackageMember = TCabinetMember;

// The member name of a cursor: the slot's name and the source's own extension.
std::string SkinCursorMemberName(int slot, const std::string& sourceFile);
// Whether a file name is one a package member could have (any letter case).
bool IsSkinPackageMemberName(const std::string& name);
// data.ini: section general, keys version, author, title, transparent.
std::string MakeSkinDataIni(const TbxskinData& skin, TColor transparent);
// The transparent colour data.ini records: the preview's when a preview
// picture is set and exists, else the skin's Lapivari.
TColor SkinPreviewTransparent(const TSkinPackageInput& input);

// Log lines of the steps, in the order the members are made.
extern const char* const kLogCopyFiles;       // "Copy files to temporary directory"
extern const char* const kLogCreateMask;      // "Create mask file"
extern const char* const kLogPreviewData;     // "Create preview data"
extern const char* const kLogPreviewImage;    // "Create preview image"
extern const char* const kLogNotesFailed;     // "Can't create othernotes.txt"
extern const char* const kLogPreviewFailed;   // "Can't create preview image"

// Makes the members in package order. `step` is called with each step's log
// line before it runs (and with the two "Can't create" lines), so a caller
// can log and let messages through. A cursor file that does not exist is left
// out; othernotes.txt and preview.bmp are left out when they cannot be made.
// A project file or an existing cursor that cannot be read raises
// EFOpenError: a package without its skin is no package.
using TSkinPackageStep = std::function<void(const std::string& line)>;
std::vector<TSkinPackageMember> MakeSkinPackageMembers(const TSkinPackageInput& input,
                                                       const TSkinPackageStep& step = {});
