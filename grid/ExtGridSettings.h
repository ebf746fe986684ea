// The grid's settings groups: small persistent objects that a form
// description sets by dotted names, with their defaults; the filter list.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Classes.h"
#include "Colors.h"
#include "ExtGridIntList.h"
#include "Graphics.h"
#include "StringList.h"

// Called by a group when a change needs the grid to repaint or re-lay out.
using TGroupChange = std::function<void()>;

class THTMLSettings : public TPersistent {
public:
  std::string ClassName() const override { return "THTMLSettings"; }
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;
  int32_t BorderSize = 1, CellSpacing = 0, CellPadding = 0;
  bool SaveColor = true, SaveFonts = true;
  std::string FooterFile, HeaderFile, TableStyle, PrefixTag, SuffixTag;
  int32_t Width = 100;
  TIntList ColumnWidths;  // not published
};

enum TAdvanceDirection { adLeftRight = 0, adTopBottom = 1 };
enum TInsertPosition { pInsertBefore = 0, pInsertAfter = 1 };

class TNavigation : public TPersistent {
public:
  std::string ClassName() const override { return "TNavigation"; }
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;
  bool AllowInsertRow = false, AllowDeleteRow = false, AdvanceOnEnter = false, AdvanceInsert = false;
  bool AutoGotoWhenSorted = false, AutoGotoIncremental = false, AutoComboDropSize = false;
  int32_t AdvanceDirection = adLeftRight;
  bool AllowClipboardShortCuts = false, AllowSmartClipboard = false, AllowRTFClipboard = false;
  bool AllowClipboardAlways = false, AllowClipboardRowGrow = true, AllowClipboardColGrow = true;
  bool AdvanceAuto = false;
  int32_t InsertPosition = pInsertBefore;
  bool CursorWalkEditor = false, MoveRowOnSort = false, ImproveMaskSel = false, AlwaysEdit = false;
  bool CopyHTMLTagsToClipboard = true, LineFeedOnEnter = false;
};

class TMouseActions : public TPersistent {
public:
  std::string ClassName() const override { return "TMouseActions"; }
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;
  bool AllSelect = false, ColSelect = false, RowSelect = false, DirectEdit = false;
  bool DirectComboDrop = false, DisjunctRowSelect = false, AllColumnSize = false, AllRowSize = false;
  bool CaretPositioning = false;
};

class TSizeWhileTyping : public TPersistent {
public:
  std::string ClassName() const override { return "TSizeWhileTyping"; }
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;
  bool Height = false, Width = false;
};

enum TColumnSizeLocation { clRegistry = 0, clIniFile = 1 };

class TColumnSize : public TPersistent {
public:
  std::string ClassName() const override { return "TColumnSize"; }
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;
  bool Stretch() const { return FStretch; }
  void SetStretch(bool on);  // the grid re-applies its stretching at once
  bool Save = false;
  std::string Key, Section;
  bool SynchWithGrid = false;
  int32_t Location = clRegistry;
  TGroupChange OnStretch;

private:
  bool FStretch = false;
};

enum TNodeType { cnFlat = 0, cn3D = 1, cnGlyph = 2 };

class TCellNode : public TPersistent {
public:
  std::string ClassName() const override { return "TCellNode"; }
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;
  int32_t NodeType() const { return FNodeType; }
  void SetNodeType(int32_t t);  // repaints only on a change
  TColor Color = clSilver, NodeColor = clBlack;
  TBitmap ExpandGlyph, ContractGlyph;
  TGroupChange OnChange;

private:
  int32_t FNodeType = cnFlat;
};

enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders {
  pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical,
  pbAroundHorizontal, pbCustom,
};
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPrinterOrientation { poPortrait, poLandscape };
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

class TPrintSettings : public TPersistent {
public:
  std::string ClassName() const override { return "TPrintSettings"; }
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;
  int32_t FooterSize = 0, HeaderSize = 0;
  int32_t Time = ppNone, Date = ppNone;
  std::string DateFormat = "dd/mm/yyyy";
  int32_t PageNr = ppNone, Title = ppNone;
  std::string TitleText;
  TStringList TitleLines;
  TFont Font, HeaderFont, FooterFont;
  int32_t Borders = pbNoborder, BorderStyle = psSolid;
  bool Centered = false, RepeatFixedRows = false, RepeatFixedCols = false;
  int32_t LeftSize = 0, RightSize = 0, ColumnSpacing = 0, RowSpacing = 0, TitleSpacing = 0;
  int32_t Orientation = poPortrait;
  std::string PagePrefix, PageSuffix;
  int32_t FixedWidth = 0, FixedHeight = 0;
  bool UseFixedHeight = false, UseFixedWidth = false;
  int32_t FitToPage = fpNever;
  std::string JobName, PageNumSep = "/";
  bool NoAutoSize = false, PrintGraphics = false;
};

// Alternating row colours; changes repaint only while active.
class TBands : public TPersistent {
public:
  std::string ClassName() const override { return "TBands"; }
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;
  bool Active = false;
  TColor PrimaryColor = TColor(0x80000018), SecondaryColor = TColor(0x80000005);  // clInfoBk, clWindow
  int32_t PrimaryLength = 1, SecondaryLength = 1;
  bool Print = false;
  // The band colour of a normal row (row - FixedRows counted from 0).
  TColor BandColor(int rowFromFirstNormal) const;
};

class TFilterData : public TPersistent {
public:
  std::string ClassName() const override { return "TFilterData"; }
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;
  int16_t Column = 0;
  std::string Condition;
  bool CaseSensitive = true;
};

class TFilter : public TPersistent {
public:
  std::string ClassName() const override { return "TFilter"; }
  void Assign(const TPersistent& source) override;
  int Count() const { return int(Items.size()); }
  TFilterData& Add() { return Items.emplace_back(); }
  void Clear() { Items.clear(); }
  std::vector<TFilterData> Items;
};
