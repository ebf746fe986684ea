// The settings groups' defaults and streaming, bands and picture fitting.
#include <gtest/gtest.h>

#include "ExtGridSettings.h"
#include "ExtGridGraphic.h"
#include "Filer.h"

namespace {
// Streams a group as the root of a component stream and reads it back into fresh.
template <class T>
void RoundTrip(T& group, T& fresh) {
  TMemoryStream s;
  WriteComponentStream(s, group, group.ClassName(), "Group");
  s.Seek(0, soFromBeginning);
  ReadComponentStream(s, fresh);
}

TEST(GridSettings, Defaults) {
  THTMLSettings h;
  EXPECT_EQ(h.BorderSize, 1);
  EXPECT_EQ(h.CellSpacing, 0);
  EXPECT_EQ(h.CellPadding, 0);
  EXPECT_EQ(h.Width, 100);
  EXPECT_TRUE(h.SaveColor);
  EXPECT_TRUE(h.SaveFonts);
  EXPECT_EQ(h.ColumnWidths.Count(), 0);
  TNavigation n;
  EXPECT_TRUE(n.CopyHTMLTagsToClipboard);
  EXPECT_TRUE(n.AllowClipboardRowGrow);
  EXPECT_TRUE(n.AllowClipboardColGrow);
  EXPECT_FALSE(n.AllowClipboardShortCuts);
  EXPECT_EQ(n.AdvanceDirection, adLeftRight);
  EXPECT_EQ(n.InsertPosition, pInsertBefore);
  TPrintSettings p;
  EXPECT_EQ(p.DateFormat, "dd/mm/yyyy");
  EXPECT_EQ(p.PageNumSep, "/");
  EXPECT_EQ(p.Borders, pbNoborder);
  EXPECT_EQ(p.FitToPage, fpNever);
  TCellNode c;
  EXPECT_EQ(c.Color, clSilver);
  EXPECT_EQ(c.NodeColor, clBlack);
  EXPECT_EQ(c.NodeType(), cnFlat);
  TColumnSize cs;
  EXPECT_EQ(cs.Location, clRegistry);
  TBands b;
  EXPECT_EQ(b.PrimaryColor, TColor(0x80000018));
  EXPECT_EQ(b.SecondaryColor, TColor(0x80000005));
  TFilterData f;
  EXPECT_TRUE(f.CaseSensitive);
}

TEST(GridSettings, StreamingKeepsNonDefaults) {
  THTMLSettings h, h2;
  h.BorderSize = 3;
  h.SaveColor = false;
  h.TableStyle = "class=\"x\"";
  h.Width = 80;
  RoundTrip(h, h2);
  EXPECT_EQ(h2.BorderSize, 3);
  EXPECT_FALSE(h2.SaveColor);
  EXPECT_EQ(h2.TableStyle, "class=\"x\"");
  EXPECT_EQ(h2.Width, 80);

  TNavigation n, n2;
  n.AllowClipboardShortCuts = true;
  n.AdvanceDirection = adTopBottom;
  n.CopyHTMLTagsToClipboard = false;
  RoundTrip(n, n2);
  EXPECT_TRUE(n2.AllowClipboardShortCuts);
  EXPECT_EQ(n2.AdvanceDirection, adTopBottom);
  EXPECT_FALSE(n2.CopyHTMLTagsToClipboard);

  TPrintSettings p, p2;
  p.TitleLines.Add("one");
  p.TitleLines.Add("two");
  p.Orientation = poLandscape;
  p.Font.Name = "Arial";
  RoundTrip(p, p2);
  EXPECT_EQ(p2.TitleLines.Count(), 2);
  EXPECT_EQ(p2.Orientation, poLandscape);
  EXPECT_EQ(p2.Font.Name, "Arial");

  TColumnSize c, c2;
  int stretched = 0;
  c2.OnStretch = [&] { ++stretched; };
  c.SetStretch(true);
  c.Key = "Software\\Grid";
  RoundTrip(c, c2);
  EXPECT_TRUE(c2.Stretch());
  EXPECT_EQ(stretched, 1);
  EXPECT_EQ(c2.Key, "Software\\Grid");
}

TEST(GridSettings, NodeTypeRepaintsOnlyOnChange) {
  TCellNode n;
  int repaints = 0;
  n.OnChange = [&] { ++repaints; };
  n.SetNodeType(cnFlat);
  EXPECT_EQ(repaints, 0);
  n.SetNodeType(cn3D);
  EXPECT_EQ(repaints, 1);
}

TEST(GridSettings, BandsCycle) {
  TBands b;
  b.PrimaryLength = 3;
  b.SecondaryLength = 1;
  EXPECT_EQ(b.BandColor(0), b.PrimaryColor);
  EXPECT_EQ(b.BandColor(2), b.PrimaryColor);
  EXPECT_EQ(b.BandColor(3), b.SecondaryColor);
  EXPECT_EQ(b.BandColor(4), b.PrimaryColor);
  b.PrimaryLength = 0;
  b.SecondaryLength = 0;
  EXPECT_EQ(b.BandColor(5), b.PrimaryColor);  // no division by zero
}

TEST(GridSettings, PictureFitting) {
  auto eq = [](TGraphicSize s, int w, int h) { return s.Width == w && s.Height == h; };
  EXPECT_TRUE(eq(FitPictureSize(1, 2, 50, 40, 10, 10), 48, 38));
  EXPECT_TRUE(eq(FitPictureSize(2, 0, 100, 50, 50, 50), 50, 50));
  EXPECT_TRUE(eq(FitPictureSize(2, 0, 100, 50, 200, 50), 100, 25));
  EXPECT_TRUE(eq(FitPictureSize(2, 0, 30, 20, 0, 10), 30, 10));  // width 0: ratio 1 for that side
  EXPECT_TRUE(eq(FitPictureSize(3, 1, 50, 40, 10, 10), 10, 10));
  EXPECT_TRUE(eq(FitPictureSize(3, 1, 5, 40, 10, 10), 4, 39));
  EXPECT_TRUE(eq(FitPictureSize(4, 0, 50, 50, 10, 10), 10, 10));
  EXPECT_TRUE(eq(FitPictureSize(4, 0, 50, 20, 100, 10), 50, 5));
  EXPECT_TRUE(eq(FitPictureSize(7, 0, 5, 5, 9, 8), 9, 8));
  // Rounding halves to even: 5 * 0.5 = 2.5 -> 2.
  EXPECT_TRUE(eq(FitPictureSize(2, 0, 10, 1, 5, 2), 2, 1));
  // A margin larger than the cell gives no negative size.
  TGraphicSize s = FitPictureSize(1, 30, 10, 10, 5, 5);
  EXPECT_TRUE(eq(s, 0, 0));
  s = FitPictureSize(2, 30, 10, 10, 5, 5);
  EXPECT_GE(s.Width, 0);
  EXPECT_GE(s.Height, 0);
}

TEST(GridSettings, GraphicRecordFitsOnlyPictures) {
  TCellGraphic g;
  g.Kind = gkCheckBox;
  EXPECT_FALSE(g.FittedSize(10, 10).has_value());
  g.Kind = gkPicture;
  g.Value2 = 1;
  EXPECT_TRUE(g.FittedSize(10, 10).has_value());  // no picture: size 0 x 0 fitted
}
}  // namespace
