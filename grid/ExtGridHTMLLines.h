// The laid-out form of a mini-HTML text between its layout and its drawing:
// pieces (runs, pictures, rules, bullets) in lines, and the pictures that
// IMG and BODY tags name.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ExtGridHTMLPaint.h"

// A picture named by a tag; made and freed within one paint.
struct THTMLPicture {
  TBitmap Bitmap;    // a file or resource picture, drawn at Width x Height
  TIconHandle Icon;  // a system icon instead
  int Width = 0, Height = 0;
};
// The picture of an IMG source ("SSYS:", "LSYS:", "RES://", "FILE://"; a
// file picture stretched to width x height when both are above 0); null when
// there is none (a missing file, a bad picture, an unknown source).
std::shared_ptr<THTMLPicture> LoadHTMLPicture(std::string_view source, int width, int height);
// A BODY BACKGROUND: "FILE://" and the path of an existing bitmap file.
std::shared_ptr<THTMLPicture> LoadHTMLBackground(std::string_view value);
void DrawHTMLPicture(HDC dc, const THTMLPicture& picture, const RECT& dest);

enum THTMLItemKind { hikText, hikImage, hikPicture, hikRule, hikBullet };

struct THTMLItem {
  THTMLItemKind Kind = hikText;
  std::string Text;
  TFont Font;
  TColor Back = clNone;
  int Image = -1;                         // hikImage: the GridImages index
  std::shared_ptr<THTMLPicture> Picture;  // hikPicture
  int Anchor = 0;                         // the anchor's number (from 1), 0 outside anchors
  std::string Href;
  int Shift = 0;                          // +1 superscript, -1 subscript
  bool Shadow = false;
  int Angle = 0;                          // degrees, counter-clockwise
  int X = 0, W = 0, H = 0;                // place on the line and box size
};

enum THTMLTextPlace { htpBottom = 0, htpTop = 1, htpMiddle = 2 };

struct THTMLLine {
  std::vector<THTMLItem> Items;
  int Align = 0;  // 0 left, 1 right, 2 centre
  TColor Back = clNone;
  int W = 0, H = 0;
  int Above = 0, Below = 0;   // room for superscript and subscript
  int TextPlace = htpBottom;  // where text sits beside a taller picture
};

// Draws (or only places, in measure mode) the lines in the context's
// rectangle over the body's colour and picture.
THTMLLayout DrawHTMLLines(const THTMLDrawContext& c, std::vector<THTMLLine>& lines, TColor bodyBack,
                          const THTMLPicture* bodyPicture);
