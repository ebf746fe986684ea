#include "ExtGridEditText.h"

#include "EsgSpinRules.h"
#include "ExtGridUtil.h"

namespace {
constexpr char kBackspace = 8;
}  // namespace

bool AcceptEditChar(TEditTextKind kind, const std::string& text, int start, int end, char& c) {
  if (c == kBackspace) return true;
  const bool digit = c >= '0' && c <= '9';
  switch (kind) {
    case tkUnsigned:
      return digit;
    case tkSigned:
    case tkFloat:
      // The rule of the button edits: one leading "-", one separator of either kind.
      return NumberKeyAllowed(kind == tkFloat ? nfFloat : nfInteger, TTypedChar{text, start, end - start, c});
    case tkUpper:
      c = UpperCase(std::string(1, c))[0];
      return true;
    case tkLower:
      c = ToLowerChar(c);
      return true;
    default:
      return true;
  }
}

bool AcceptEditText(TEditTextKind kind, std::string& text) {
  // A sign stands only in front.
  const bool signAtFront = text.find('-', 1) == std::string::npos;
  switch (kind) {
    case tkUnsigned:
      return text.empty() || (NumberKind(text) == nkInteger && text.find('-') == std::string::npos);
    case tkSigned:
      return text.empty() || (NumberKind(text) == nkInteger && signAtFront);
    case tkFloat:
      return text.empty() || (NumberKind(text) < nkOther && signAtFront);
    case tkUpper: text = UpperCase(text); return true;
    case tkLower: text = LowerCase(text); return true;
    case tkMixed: text = ProperCase(text); return true;
    default: return true;
  }
}

int LookupMatch(const TStringList& items, const std::string& typed, bool caseSensitive) {
  if (typed.empty()) return -1;
  for (int i = 0; i < items.Count(); ++i) {
    const std::string& item = items[i];
    if (item.size() < typed.size()) continue;
    if (caseSensitive ? item.compare(0, typed.size(), typed) == 0 : SameText(item.substr(0, typed.size()), typed))
      return i;
  }
  return -1;
}
