// The settings groups' copying and their published properties in stored order.
#include "ExtGridSettings.h"

#include "Filer.h"

namespace {
constexpr TIdentMapEntry kAdvanceDirections[] = {{adLeftRight, "adLeftRight"}, {adTopBottom, "adTopBottom"}};
constexpr TIdentMapEntry kInsertPositions[] = {{pInsertBefore, "pInsertBefore"}, {pInsertAfter, "pInsertAfter"}};
constexpr TIdentMapEntry kLocations[] = {{clRegistry, "clRegistry"}, {clIniFile, "clIniFile"}};
constexpr TIdentMapEntry kNodeTypes[] = {{cnFlat, "cnFlat"}, {cn3D, "cn3D"}, {cnGlyph, "cnGlyph"}};
constexpr TIdentMapEntry kPrintPositions[] = {
    {ppNone, "ppNone"}, {ppTopLeft, "ppTopLeft"}, {ppTopRight, "ppTopRight"}, {ppTopCenter, "ppTopCenter"},
    {ppBottomLeft, "ppBottomLeft"}, {ppBottomRight, "ppBottomRight"}, {ppBottomCenter, "ppBottomCenter"}};
constexpr TIdentMapEntry kPrintBorders[] = {
    {pbNoborder, "pbNoborder"}, {pbSingle, "pbSingle"}, {pbDouble, "pbDouble"}, {pbVertical, "pbVertical"},
    {pbHorizontal, "pbHorizontal"}, {pbAround, "pbAround"}, {pbAroundVertical, "pbAroundVertical"},
    {pbAroundHorizontal, "pbAroundHorizontal"}, {pbCustom, "pbCustom"}};
constexpr TIdentMapEntry kPenStyles[] = {
    {psSolid, "psSolid"}, {psDash, "psDash"}, {psDot, "psDot"}, {psDashDot, "psDashDot"},
    {psDashDotDot, "psDashDotDot"}, {psClear, "psClear"}, {psInsideFrame, "psInsideFrame"}};
constexpr TIdentMapEntry kOrientations[] = {{poPortrait, "poPortrait"}, {poLandscape, "poLandscape"}};
constexpr TIdentMapEntry kFitToPages[] = {
    {fpNever, "fpNever"}, {fpGrow, "fpGrow"}, {fpShrink, "fpShrink"}, {fpAlways, "fpAlways"}, {fpCustom, "fpCustom"}};
}  // namespace

// --- THTMLSettings

void THTMLSettings::Assign(const TPersistent& source) {
  const auto& s = AssignSource(*this, source);
  BorderSize = s.BorderSize, CellSpacing = s.CellSpacing, CellPadding = s.CellPadding;
  SaveColor = s.SaveColor, SaveFonts = s.SaveFonts;
  FooterFile = s.FooterFile, HeaderFile = s.HeaderFile, TableStyle = s.TableStyle;
  PrefixTag = s.PrefixTag, SuffixTag = s.SuffixTag, Width = s.Width;
  ColumnWidths.Assign(s.ColumnWidths);
}

void THTMLSettings::DefineProperties(TFiler& f) {
  f.IntegerProperty("BorderSize", BorderSize);
  f.IntegerProperty("CellSpacing", CellSpacing);
  f.IntegerProperty("CellPadding", CellPadding);
  f.BooleanProperty("SaveColor", SaveColor);
  f.BooleanProperty("SaveFonts", SaveFonts);
  f.StringProperty("FooterFile", FooterFile);
  f.StringProperty("HeaderFile", HeaderFile);
  f.StringProperty("TableStyle", TableStyle);
  f.StringProperty("PrefixTag", PrefixTag);
  f.StringProperty("SuffixTag", SuffixTag);
  f.IntegerProperty("Width", Width);
}

// --- TNavigation

void TNavigation::Assign(const TPersistent& source) {
  const auto& s = AssignSource(*this, source);
  *this = s;
}

void TNavigation::DefineProperties(TFiler& f) {
  f.BooleanProperty("AllowInsertRow", AllowInsertRow);
  f.BooleanProperty("AllowDeleteRow", AllowDeleteRow);
  f.BooleanProperty("AdvanceOnEnter", AdvanceOnEnter);
  f.BooleanProperty("AdvanceInsert", AdvanceInsert);
  f.BooleanProperty("AutoGotoWhenSorted", AutoGotoWhenSorted);
  f.BooleanProperty("AutoGotoIncremental", AutoGotoIncremental);
  f.BooleanProperty("AutoComboDropSize", AutoComboDropSize);
  f.IdentProperty("AdvanceDirection", AdvanceDirection, kAdvanceDirections, true);
  f.BooleanProperty("AllowClipboardShortCuts", AllowClipboardShortCuts);
  f.BooleanProperty("AllowSmartClipboard", AllowSmartClipboard);
  f.BooleanProperty("AllowRTFClipboard", AllowRTFClipboard);
  f.BooleanProperty("AllowClipboardAlways", AllowClipboardAlways);
  f.BooleanProperty("AllowClipboardRowGrow", AllowClipboardRowGrow);
  f.BooleanProperty("AllowClipboardColGrow", AllowClipboardColGrow);
  f.BooleanProperty("AdvanceAuto", AdvanceAuto);
  f.IdentProperty("InsertPosition", InsertPosition, kInsertPositions, true);
  f.BooleanProperty("CursorWalkEditor", CursorWalkEditor);
  f.BooleanProperty("MoveRowOnSort", MoveRowOnSort);
  f.BooleanProperty("ImproveMaskSel", ImproveMaskSel);
  f.BooleanProperty("AlwaysEdit", AlwaysEdit);
  f.BooleanProperty("CopyHTMLTagsToClipboard", CopyHTMLTagsToClipboard);
  f.BooleanProperty("LineFeedOnEnter", LineFeedOnEnter);
}

// --- TMouseActions, TSizeWhileTyping

void TMouseActions::Assign(const TPersistent& source) { *this = AssignSource(*this, source); }

void TMouseActions::DefineProperties(TFiler& f) {
  f.BooleanProperty("AllSelect", AllSelect);
  f.BooleanProperty("ColSelect", ColSelect);
  f.BooleanProperty("RowSelect", RowSelect);
  f.BooleanProperty("DirectEdit", DirectEdit);
  f.BooleanProperty("DirectComboDrop", DirectComboDrop);
  f.BooleanProperty("DisjunctRowSelect", DisjunctRowSelect);
  f.BooleanProperty("AllColumnSize", AllColumnSize);
  f.BooleanProperty("AllRowSize", AllRowSize);
  f.BooleanProperty("CaretPositioning", CaretPositioning);
}

void TSizeWhileTyping::Assign(const TPersistent& source) { *this = AssignSource(*this, source); }

void TSizeWhileTyping::DefineProperties(TFiler& f) {
  f.BooleanProperty("Height", Height);
  f.BooleanProperty("Width", Width);
}

// --- TColumnSize

void TColumnSize::Assign(const TPersistent& source) {
  const auto& s = AssignSource(*this, source);
  Save = s.Save, Key = s.Key, Section = s.Section, SynchWithGrid = s.SynchWithGrid, Location = s.Location;
  SetStretch(s.FStretch);
}

void TColumnSize::SetStretch(bool on) {
  FStretch = on;
  if (OnStretch) OnStretch();
}

void TColumnSize::DefineProperties(TFiler& f) {
  f.BooleanProperty("Save", Save);
  f.StringProperty("Key", Key);
  f.StringProperty("Section", Section);
  bool stretch = FStretch;
  f.BooleanProperty("Stretch", stretch);
  if (stretch != FStretch) SetStretch(stretch);
  f.BooleanProperty("SynchWithGrid", SynchWithGrid);
  f.IdentProperty("Location", Location, kLocations, true);
}

// --- TCellNode

void TCellNode::Assign(const TPersistent& source) {
  const auto& s = AssignSource(*this, source);
  Color = s.Color, NodeColor = s.NodeColor;
  ExpandGlyph.Assign(s.ExpandGlyph);
  ContractGlyph.Assign(s.ContractGlyph);
  SetNodeType(s.FNodeType);
}

void TCellNode::SetNodeType(int32_t t) {
  if (t == FNodeType) return;
  FNodeType = t;
  if (OnChange) OnChange();
}

void TCellNode::DefineProperties(TFiler& f) {
  f.ColorProperty("Color", Color);
  int32_t type = FNodeType;
  f.IdentProperty("NodeType", type, kNodeTypes, true);
  SetNodeType(type);
  f.ColorProperty("NodeColor", NodeColor);
}

// --- TPrintSettings

void TPrintSettings::Assign(const TPersistent& source) {
  const auto& s = AssignSource(*this, source);
  FooterSize = s.FooterSize, HeaderSize = s.HeaderSize, Time = s.Time, Date = s.Date;
  DateFormat = s.DateFormat, PageNr = s.PageNr, Title = s.Title, TitleText = s.TitleText;
  TitleLines.Assign(s.TitleLines);
  Font.Assign(s.Font);
  HeaderFont.Assign(s.HeaderFont);
  FooterFont.Assign(s.FooterFont);
  Borders = s.Borders, BorderStyle = s.BorderStyle, Centered = s.Centered;
  RepeatFixedRows = s.RepeatFixedRows, RepeatFixedCols = s.RepeatFixedCols;
  LeftSize = s.LeftSize, RightSize = s.RightSize, ColumnSpacing = s.ColumnSpacing;
  RowSpacing = s.RowSpacing, TitleSpacing = s.TitleSpacing, Orientation = s.Orientation;
  PagePrefix = s.PagePrefix, PageSuffix = s.PageSuffix, FixedWidth = s.FixedWidth;
  FixedHeight = s.FixedHeight, UseFixedHeight = s.UseFixedHeight, UseFixedWidth = s.UseFixedWidth;
  FitToPage = s.FitToPage, JobName = s.JobName, PageNumSep = s.PageNumSep;
  NoAutoSize = s.NoAutoSize, PrintGraphics = s.PrintGraphics;
}

void TPrintSettings::DefineProperties(TFiler& f) {
  f.IntegerProperty("FooterSize", FooterSize);
  f.IntegerProperty("HeaderSize", HeaderSize);
  f.IdentProperty("Time", Time, kPrintPositions, true);
  f.IdentProperty("Date", Date, kPrintPositions, true);
  f.StringProperty("DateFormat", DateFormat);
  f.IdentProperty("PageNr", PageNr, kPrintPositions, true);
  f.IdentProperty("Title", Title, kPrintPositions, true);
  f.StringProperty("TitleText", TitleText);
  std::vector<std::string> lines = TitleLines.Items();
  f.StringsProperty("TitleLines", lines);
  if (lines != TitleLines.Items()) {
    TitleLines.Clear();
    for (const std::string& l : lines) TitleLines.Add(l);
  }
  f.ObjectProperty("Font", Font);
  f.ObjectProperty("HeaderFont", HeaderFont);
  f.ObjectProperty("FooterFont", FooterFont);
  f.IdentProperty("Borders", Borders, kPrintBorders, true);
  f.IdentProperty("BorderStyle", BorderStyle, kPenStyles, true);
  f.BooleanProperty("Centered", Centered);
  f.BooleanProperty("RepeatFixedRows", RepeatFixedRows);
  f.BooleanProperty("RepeatFixedCols", RepeatFixedCols);
  f.IntegerProperty("LeftSize", LeftSize);
  f.IntegerProperty("RightSize", RightSize);
  f.IntegerProperty("ColumnSpacing", ColumnSpacing);
  f.IntegerProperty("RowSpacing", RowSpacing);
  f.IntegerProperty("TitleSpacing", TitleSpacing);
  f.IdentProperty("Orientation", Orientation, kOrientations, true);
  f.StringProperty("PagePrefix", PagePrefix);
  f.StringProperty("PageSuffix", PageSuffix);
  f.IntegerProperty("FixedWidth", FixedWidth);
  f.IntegerProperty("FixedHeight", FixedHeight);
  f.BooleanProperty("UseFixedHeight", UseFixedHeight);
  f.BooleanProperty("UseFixedWidth", UseFixedWidth);
  f.IdentProperty("FitToPage", FitToPage, kFitToPages, true);
  f.StringProperty("JobName", JobName);
  f.StringProperty("PageNumSep", PageNumSep);
  f.BooleanProperty("NoAutoSize", NoAutoSize);
  f.BooleanProperty("PrintGraphics", PrintGraphics);
}

// --- TBands

void TBands::Assign(const TPersistent& source) { *this = AssignSource(*this, source); }

void TBands::DefineProperties(TFiler& f) {
  f.BooleanProperty("Active", Active);
  f.ColorProperty("PrimaryColor", PrimaryColor);
  f.IntegerProperty("PrimaryLength", PrimaryLength);
  f.ColorProperty("SecondaryColor", SecondaryColor);
  f.IntegerProperty("SecondaryLength", SecondaryLength);
  f.BooleanProperty("Print", Print);
}

TColor TBands::BandColor(int rowFromFirstNormal) const {
  int total = PrimaryLength + SecondaryLength;
  if (total <= 0 || rowFromFirstNormal < 0) return PrimaryColor;  // no bands to cycle through
  return rowFromFirstNormal % total < PrimaryLength ? PrimaryColor : SecondaryColor;
}

// --- TFilterData, TFilter

void TFilterData::Assign(const TPersistent& source) { *this = AssignSource(*this, source); }

void TFilterData::DefineProperties(TFiler& f) {
  int32_t column = Column;
  f.IntegerProperty("Column", column);
  Column = int16_t(column);
  f.StringProperty("Condition", Condition);
  f.BooleanProperty("CaseSensitive", CaseSensitive);
}

void TFilter::Assign(const TPersistent& source) { Items = AssignSource(*this, source).Items; }
