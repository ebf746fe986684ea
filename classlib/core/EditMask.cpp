// The input mask's parsing and its editing steps; see EditMask.h.
#include "EditMask.h"

#include <cctype>

namespace {
// ANSI letters: the ASCII ones and the Latin-1 letters from 0xC0 up, less
// the multiplication and division signs.
bool IsLetter(unsigned char c) { return std::isalpha(c) || (c >= 0xC0 && c != 0xD7 && c != 0xF7); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

char ToCase(char c, int letterCase) {
  const unsigned char u = (unsigned char)c;
  if (letterCase > 0) {
    if (u >= 'a' && u <= 'z') return char(u - 32);
    if (u >= 0xE0 && u != 0xF7 && u != 0xFF) return char(u - 32);
  } else if (letterCase < 0) {
    if (u >= 'A' && u <= 'Z') return char(u + 32);
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return char(u + 32);
  }
  return c;
}

// The fields of "mask;save;blank"; a ";" after a backslash belongs to the mask.
std::vector<std::string> SplitFields(const std::string& text) {
  std::vector<std::string> fields(1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      fields.back() += text.substr(i, 2);
      ++i;
    } else if (text[i] == ';') {
      fields.emplace_back();
    } else {
      fields.back() += text[i];
    }
  }
  return fields;
}
}  // namespace

TEditMask::TEditMask(const std::string& mask) {
  std::vector<std::string> fields = SplitFields(mask);
  // Only the last two fields are settings: a mask may hold more ";" literals.
  while (fields.size() > 3) {
    fields[0] += ";" + fields[1];
    fields.erase(fields.begin() + 1);
  }
  if (fields.size() > 1 && !fields[1].empty()) FSaveLiterals = fields[1][0] != '0';
  if (fields.size() > 2 && !fields[2].empty()) FBlank = fields[2][0];
  const std::string& m = fields[0];
  int letterCase = 0;
  for (size_t i = 0; i < m.size(); ++i) {
    const char c = m[i];
    switch (c) {
      case '!': continue;
      case '>': letterCase = 1; continue;
      case '<':
        if (i + 1 < m.size() && m[i + 1] == '>') {
          letterCase = 0;
          ++i;
        } else {
          letterCase = -1;
        }
        continue;
      case '\\':
        if (i + 1 < m.size()) FSlots.push_back({skLiteral, m[++i], 0});
        continue;
      case '_': FSlots.push_back({skLiteral, ' ', 0}); continue;
      case '0': case '9': FSlots.push_back({skDigit, 0, 0}); continue;
      case '#': FSlots.push_back({skDigitSign, 0, 0}); continue;
      case 'L': case 'l': FSlots.push_back({skLetter, 0, letterCase}); continue;
      case 'A': case 'a': FSlots.push_back({skAlphaNum, 0, letterCase}); continue;
      case 'C': case 'c': FSlots.push_back({skAny, 0, letterCase}); continue;
      default: FSlots.push_back({skLiteral, c, 0});
    }
  }
}

bool TEditMask::IsLiteral(int pos) const {
  return pos < 0 || pos >= Length() || FSlots[size_t(pos)].Kind == skLiteral;
}

int TEditMask::NextInput(int pos) const {
  for (int p = pos < 0 ? 0 : pos; p < Length(); ++p)
    if (!IsLiteral(p)) return p;
  return Length();
}

int TEditMask::PrevInput(int pos) const {
  for (int p = (pos > Length() ? Length() : pos) - 1; p >= 0; --p)
    if (!IsLiteral(p)) return p;
  return -1;
}

bool TEditMask::Accepts(int pos, char& c) const {
  if (IsLiteral(pos) || (unsigned char)c < 32) return false;
  const TSlot& slot = FSlots[size_t(pos)];
  const unsigned char u = (unsigned char)c;
  bool ok = false;
  switch (slot.Kind) {
    case skDigit: ok = IsDigit(u); break;
    case skDigitSign: ok = IsDigit(u) || c == '+' || c == '-'; break;
    case skLetter: ok = IsLetter(u); break;
    case skAlphaNum: ok = IsLetter(u) || IsDigit(u); break;
    case skAny: ok = true; break;
    case skLiteral: break;
  }
  if (ok) c = ToCase(c, slot.Case);
  return ok;
}

std::string TEditMask::Format(const std::string& value) const {
  std::string shown;
  shown.reserve(FSlots.size());
  for (const TSlot& slot : FSlots) shown += slot.Kind == skLiteral ? slot.Literal : FBlank;
  size_t v = 0;
  for (int p = 0; p < Length() && v < value.size(); ++p) {
    if (IsLiteral(p)) {
      // A value with its literals carries them at their places.
      if (value[v] == FSlots[size_t(p)].Literal) ++v;
      continue;
    }
    char c = value[v++];
    if (c == ' ') continue;  // a blank saved as a space
    if (Accepts(p, c)) shown[size_t(p)] = c;
  }
  return shown;
}

std::string TEditMask::Value(const std::string& shown) const {
  std::string value;
  bool typed = false;
  for (int p = 0; p < Length(); ++p) {
    const char c = p < int(shown.size()) ? shown[size_t(p)] : FBlank;
    if (IsLiteral(p)) {
      if (FSaveLiterals) value += FSlots[size_t(p)].Literal;
    } else if (c == FBlank) {
      value += ' ';
    } else {
      value += c;
      typed = true;
    }
  }
  if (!typed) return "";
  while (!value.empty() && value.back() == ' ') value.pop_back();
  return value;
}

bool TEditMask::Complete(const std::string& shown) const {
  for (int p = 0; p < Length(); ++p)
    if (!IsLiteral(p) && (p >= int(shown.size()) || shown[size_t(p)] == FBlank)) return false;
  return true;
}

bool TEditMask::Type(std::string& shown, int& caret, char c) const {
  if (int(shown.size()) != Length()) shown = Format(Value(shown));
  const int p = NextInput(caret);
  if (p >= Length() || !Accepts(p, c)) return false;
  shown[size_t(p)] = c;
  caret = NextInput(p + 1);
  return true;
}

void TEditMask::Clear(std::string& shown, int start, int end) const {
  if (int(shown.size()) != Length()) shown = Format(Value(shown));
  for (int p = start < 0 ? 0 : start; p < end && p < Length(); ++p)
    if (!IsLiteral(p)) shown[size_t(p)] = FBlank;
}
