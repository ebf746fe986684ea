// Fuzz target: any text as mini-HTML cell text: preparation, tokens and their
// attributes, colours and the plain-text form.
#include <cstdint>
#include <string>

#include "ExtGridHTML.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string prepared = PrepareHTMLText(text);
  if (prepared.size() > text.size()) __builtin_trap();  // decoding only shortens
  for (const THTMLToken& t : TokenizeHTML(prepared)) {
    if (!t.IsTag) continue;
    for (const char* name : {"COLOR", "BGCOLOR", "HREF", "SRC", "WIDTH"}) {
      std::string v = HTMLAttribute(t.Text, name);
      FontAttrColor(v);
      BodyAttrColor(v);
      ParagraphAttrColor(v);
    }
  }
  StripHTML(text);
  HexToColor(text);
  return 0;
}
