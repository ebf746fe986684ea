// The value rules of the spin edit and the button edits, kept apart from
// their windows: reading, bounding and writing the value of each spin type,
// stepping by caret part, which typed characters pass and the unit split.
// Portable.
#pragma once
#include <string>
#include <string_view>

#include "SysUtils.h"

enum TSpinType { sptNormal, sptFloat, sptDate, sptTime };

// The settings of a spin edit. Each pair of bounds applies only when its
// minimum and maximum differ.
struct TSpinBounds {
  TSpinType SpinType = sptNormal;
  int MinValue = 0, MaxValue = 100, Increment = 1;
  double MinFloatValue = 0, MaxFloatValue = 100, IncrementFloat = 1;
  int Precision = 0;  // decimals of a float; 0: the shortest general form
  TDateTime MinDate = 0, MaxDate = 0;
};

// --- values of a text (the locale's separators from GridFormat)
// The whole number of text, bounded; an unreadable or empty text is the minimum.
int SpinIntValue(const TSpinBounds& b, std::string_view text);
// The float of text, bounded; an unreadable or empty text is the minimum.
double SpinFloatValue(const TSpinBounds& b, std::string_view text);
// The date of text in the short date format, bounded; unreadable: the
// minimum when bounded, else today.
TDateTime SpinDateValue(const TSpinBounds& b, std::string_view text);
// The time of day of text ("h:m" or "h:m:s"); unreadable: 0.
TDateTime SpinTimeValue(std::string_view text);
bool TryParseTimeText(std::string_view text, TDateTime& out);

int BoundSpinInt(const TSpinBounds& b, long long v);
double BoundSpinFloat(const TSpinBounds& b, double v);
TDateTime BoundSpinDate(const TSpinBounds& b, TDateTime d);

// --- texts of a value
std::string SpinFloatText(double v, int precision);
std::string SpinDateText(TDateTime d);
std::string SpinTimeText(TDateTime t);
// The text of the value that text holds, in bounds, written as the spin type
// writes it; text itself when it already reads as that value (so a caret or
// a form the user typed stays).
std::string SpinBoundedText(const TSpinBounds& b, std::string_view text);
// The value of text as the spin event reports it (number, date or time).
double SpinEventValue(const TSpinBounds& b, std::string_view text);

// --- stepping
// The text after one step up (direction 1) or down (-1). Dates step the
// part the caret is in (day, month or year, in the order of the short date
// format); times the hour, minute or second.
std::string SpinStep(const TSpinBounds& b, std::string_view text, int caret, int direction);
TDateTime IncMonths(TDateTime d, int months);  // the day kept within the new month

// --- typed characters
struct TTypedChar {
  std::string_view Text;   // the text before the key
  int SelStart = 0;        // caret or selection start
  int SelLength = 0;
  char Key = 0;
};
// The character a spin edit inserts for key, or 0 when it refuses it (and
// beeps). Control characters pass (Enter does not); with the editor not
// enabled nothing else does.
char SpinKeyChar(const TSpinBounds& b, const TTypedChar& c, bool editorEnabled);
enum TNumberFilter { nfNone, nfInteger, nfFloat };
// Whether an edit with a number filter takes key: digits; one leading "-";
// for floats one "." or ",". Control characters pass.
bool NumberKeyAllowed(TNumberFilter filter, const TTypedChar& c);

// --- unit edits: the leading digits, "+", ",", "-" and "." are the value,
// the rest the unit.
void SplitUnitText(std::string_view text, std::string& value, std::string& unit);
