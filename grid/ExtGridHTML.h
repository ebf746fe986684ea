// The portable half of the cells' mini-HTML: entity and marker preparation,
// the tag tokenizer that the painter walks, tag stripping and colour names.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "Colors.h"

// "&lt;", "&gt;", "&amp;", "&quot;" decoded (any case, repeated until a round
// changes nothing); "<#" markers removed with the first ">" after them.
std::string PrepareHTMLText(std::string_view s);

// One piece of a prepared text: a run of text, or a tag "<...>".
struct THTMLToken {
  bool IsTag = false;
  bool Closing = false;    // "</...>"
  std::string Text;        // the run, or the tag's inside without "<", "/" and ">"
  std::string Name;        // tag: the inside up to the first blank, upper-cased
};
// A "<" with fewer than two characters after it, or without a later ">",
// starts no tag: it and the rest are text.
std::vector<THTMLToken> TokenizeHTML(std::string_view s);
// The value of attribute name (any case) between double quotes; "" when absent.
std::string HTMLAttribute(std::string_view tag, std::string_view name);

// Plain text for the clipboard: "<BR>" and "<HR>" become CR LF, tags go.
std::string StripHTML(std::string_view s);

TColor ColorFromName(std::string_view lowerName);  // black for unknown names
TColor HexToColor(std::string_view s);               // "#RRGGBB", digits 0-9 and A-F
// Attribute colour rules: FONT (value upper-cased), BODY and P backgrounds.
TColor FontAttrColor(std::string_view value);
TColor BodyAttrColor(std::string_view value);
TColor ParagraphAttrColor(std::string_view value);  // clNone when no colour

// Escapes "<", ">", "&" and double quotes for an HTML page.
std::string HTMLEscape(std::string_view s);
