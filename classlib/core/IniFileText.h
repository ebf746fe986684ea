// TIniFileText: the text of an INI file in memory, read and changed as the Windows
// profile functions read and change it, and given back whole.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// The reading rules are those of the profile functions: a line ends at "\n"
// and loses its blanks (space, tab, CR, LF, VT, FF and Ctrl+Z) at both ends;
// "[" up to the line's last "]" names a section (the name between them,
// trimmed); any other line that is not blank is a key: its name is the text
// before the first "=", its value the text after it, both trimmed; a line
// without "=" is a key without a value. Lines before the first section form a
// section without a name. Section and key names match without regard to the
// case of ASCII letters (as the profile functions under Wine match them);
// where two sections or keys share a name, the first one counts.
//
// Changes edit the text in place as Windows does: a changed key's line is
// rewritten as "name=value" with the name as the file writes it (its indent
// and line end kept); a new key goes after the last line of its section that
// is not blank; a new section is appended at the end; every other line keeps
// its bytes and its line end. New lines end in CR LF.
class TIniFileText {
public:
  TIniFileText();
  explicit TIniFileText(std::string_view text);

  std::string Text() const;

  // The value in the first section of that name, out of one pair of matching
  // quotes; nothing for a missing key or a key line without "=".
  std::optional<std::string> Value(std::string_view section, std::string_view ident) const;
  // The key names of the first section of that name as the profile functions
  // list them: in file order, without comment lines (";") or lines without
  // "=", and up to the first key without a name. Here the section's name is
  // taken as given, untrimmed, as they take it.
  std::vector<std::string> KeyNames(std::string_view section) const;
  // Every section's name in file order, those of the same name too; a
  // section whose name is empty is left out.
  std::vector<std::string> SectionNames() const;
  // Whether a section of that name (trimmed, as Value takes it) is there.
  bool HasSection(std::string_view section) const { return Find(section) != nullptr; }

  // Each change says whether the text changed. A value is written up to its
  // first line break (a break would end the line and make the rest a key).
  bool Write(std::string_view section, std::string_view ident, std::string_view value);
  // These two take the names as given, untrimmed, as the profile functions
  // take them when they delete.
  bool DeleteKey(std::string_view section, std::string_view ident);
  bool EraseSection(std::string_view section);

private:
  // A key line of a section's body: offsets into the body.
  struct TKeyLine {
    uint32_t Begin, End, Next;  // the line without its CR LF; the start of the next line
    uint32_t NameBegin, NameEnd, ValueBegin, ValueEnd;
    bool HasValue;
  };
  struct TSection {
    std::string Header;  // the header line with its line end; "" for the lines before the first header
    std::string Name;    // trimmed
    std::string Body;    // its other lines as they are, each with its line end
    bool Erased = false;
    // The key lines of Body, found when first asked for; a section of many
    // keys (the start counters of one game) gets an index of their names.
    mutable std::vector<TKeyLine> Keys;
    mutable bool Parsed = false;
    mutable std::unordered_map<std::string, uint32_t> Index;  // lower-case name -> first key
  };

  const TSection* Find(std::string_view section, bool trimmed = true) const;
  TSection* Find(std::string_view section, bool trimmed = true) {
    return const_cast<TSection*>(std::as_const(*this).Find(section, trimmed));
  }
  const TKeyLine* FindKey(const TSection& section, std::string_view ident, bool trimmed = true) const;
  static void Parse(const TSection& section);
  static void Changed(TSection& section);
  void AppendSection(const std::string& name, const std::string& line);
  static void InsertKeyLine(TSection& section, const std::string& line);

  std::vector<TSection> FSections;  // [0]: the lines before the first header
  std::unordered_map<std::string, std::vector<uint32_t>> FByName;  // lower-case name -> named live sections, in order
};
