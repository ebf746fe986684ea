// The empty template (EmptySkin): the layout of the form's own 300 x 240 face,
// which a picture skin and a broken package fall back to.
#include "MainWindow.h"

void MakeEmptyTemplate(TbxskinData& d) {
  d.Version = "1.0";
  d.Width = 300;
  d.Height = 240;
  d.Lapivari = clWhite;
  // 13 rows in the panel below the amber rule, left of the buttons.
  d.Mainlist.Left = 40;
  d.Mainlist.Top = 50;
  d.Mainlist.Height = 0;
  for (auto& item : d.Mainlist.Items) item.Left = 0, item.Width = 188;
  TFont unsel;
  unsel.Name = "Tahoma";
  unsel.Height = -11;
  unsel.Color = TColor(0x00E8DCCC);
  TFont sel;
  sel.Assign(unsel);
  sel.Color = TColor(0x005AC2F2);
  sel.Style = fsBold;
  d.Mainlist.SetMainListunselFont(unsel);
  d.Mainlist.SetMainListselFont(sel);
  // 12 x 12 icons beside the rows.
  d.Iconlist.Left = 22;
  d.Iconlist.Top = 51;
  d.Iconlist.Height = 1;
  d.Iconlist.IconWidth = 12;
  d.Iconlist.IconHeight = 12;
  for (auto& item : d.Iconlist.Items) item.Left = 0, item.Width = 0;
  // The buttons have no pictures of their own: they lie over the buttons
  // drawn on the form's face (resources/launcher/draw.sh), a column at the
  // right with Up and Down below it, and Close in the top-right corner.
  struct { int left, top, width, height; } places[TbxskinData::kButtonCount] = {
      {234, 52, 50, 18}, {234, 74, 50, 18}, {234, 96, 50, 18}, {234, 118, 50, 18}, {234, 140, 50, 18},
      {234, 162, 50, 18}, {272, 20, 16, 16}, {234, 196, 24, 18}, {260, 196, 24, 18}};
  for (int i = 0; i < TbxskinData::kButtonCount; ++i) {
    Tbxskinnappi& b = d.Button(i);
    b.Left = places[i].left;
    b.Top = places[i].top;
    b.Width = places[i].width;
    b.Height = places[i].height;
    b.Kuvak = b.Valittuk = b.Painettuk = false;
    b.Kuvalvari = b.Valittulvari = b.Painettulvari = clWhite;
  }
}
