// The text rules of the grid's default cell editor: which typed characters a
// kind of cell takes, what a paste may leave, and lookup completion.
// Portable: the editor window applies them.
#pragma once
#include <string>

#include "StringList.h"

enum TEditTextKind { tkAny, tkSigned, tkUnsigned, tkFloat, tkUpper, tkLower, tkMixed };

// Whether the character c may be typed over the selection start..end of text;
// c comes back converted for the case kinds. Backspace always passes.
bool AcceptEditChar(TEditTextKind kind, const std::string& text, int start, int end, char& c);
// Whether a pasted result fits the kind (whole numbers, floating point); the
// case kinds convert text and always fit. An empty result fits.
bool AcceptEditText(TEditTextKind kind, std::string& text);
// The first item that starts with typed (letter case as told), or -1.
int LookupMatch(const TStringList& items, const std::string& typed, bool caseSensitive);
