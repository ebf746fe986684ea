// TEditMask: the input mask of a masked edit, written as "mask;save;blank".
// The mask's characters: 0 (digit) and 9 (digit or blank), # (digit, sign
// or blank), L and l (letter), A and a (letter or digit), C and c (any
// character); > upper-cases and < lower-cases the characters after it, <>
// ends that; \ makes the next character a literal, _ stands for a blank
// literal, ! is taken and has no effect; every other character is a
// literal shown as it stands. "save" 0 keeps literals out of the value, any
// other value (the default 1) keeps them in; "blank" is the character shown
// in an empty input position (default "_").
// Portable: the in-place editor of the grid applies it.
#pragma once
#include <string>
#include <vector>

class TEditMask {
public:
  TEditMask() = default;
  explicit TEditMask(const std::string& mask);
  bool Empty() const { return FSlots.empty(); }
  // Positions of the shown text: literals and input positions.
  int Length() const { return int(FSlots.size()); }
  char BlankChar() const { return FBlank; }
  bool SaveLiterals() const { return FSaveLiterals; }
  bool IsLiteral(int pos) const;
  // The first input position at or after pos (Length() when none), and the
  // last one before pos (-1 when none).
  int NextInput(int pos) const;
  int PrevInput(int pos) const;
  // Whether c may stand at the input position pos; c comes back in the
  // position's letter case.
  bool Accepts(int pos, char& c) const;
  // The shown text of a value: each character of the value goes to the next
  // input position (a literal of the value matches its own position, so a
  // value with or without its literals shows alike); a character that its
  // position does not take, or a space, leaves that position blank.
  std::string Format(const std::string& value) const;
  // The value of a shown text: literals when they are saved, blanks as
  // spaces, trailing blanks dropped; "" when nothing was typed.
  std::string Value(const std::string& shown) const;
  // True when no input position of the shown text is blank.
  bool Complete(const std::string& shown) const;
  // Types c at the first input position at or after caret; the shown text
  // and caret (moved past the typed position and the literals after it)
  // change only when the position takes c.
  bool Type(std::string& shown, int& caret, char c) const;
  // Empties the input positions from start to end (exclusive).
  void Clear(std::string& shown, int start, int end) const;

private:
  enum TSlotKind : char { skLiteral, skDigit, skDigitSign, skLetter, skAlphaNum, skAny };
  struct TSlot {
    TSlotKind Kind;
    char Literal;  // skLiteral: the character shown
    int Case;      // 1 upper, -1 lower, 0 as typed
  };
  std::vector<TSlot> FSlots;
  bool FSaveLiterals = true;
  char FBlank = '_';
};
