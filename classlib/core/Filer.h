// The component stream ("TPF0"): value coding, and the filers that write an
// object's published properties as dotted paths and read them back by name.
#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "Classes.h"
#include "Colors.h"
#include "Streams.h"

class EFilerError : public EStreamError { using EStreamError::EStreamError; };
class EInvalidStreamFormat : public EFilerError {
public:
  EInvalidStreamFormat() : EFilerError("Invalid stream format") {}
};
// A path that names no property; the message names the property.
class EPropertyError : public EReadError {
public:
  explicit EPropertyError(const std::string& name)
      : EReadError("Property " + name + " does not exist"), PropertyName(name) {}
  std::string PropertyName;
};
class EClassNotFound : public EFilerError {
public:
  explicit EClassNotFound(const std::string& name) : EFilerError("Class " + name + " not found") {}
};

enum TValueType : uint8_t {
  vaNull = 0, vaList = 1, vaInt8 = 2, vaInt16 = 3, vaInt32 = 4, vaExtended = 5, vaString = 6,
  vaIdent = 7, vaFalse = 8, vaTrue = 9, vaBinary = 10, vaSet = 11, vaLString = 12, vaNil = 13,
  vaCollection = 14, vaSingle = 15, vaCurrency = 16, vaDate = 17, vaWString = 18, vaInt64 = 19,
  vaUTF8String = 20,
};

// A value of an enumerated or named-integer property and its identifier.
struct TIdentMapEntry {
  int32_t Value;
  const char* Name;
};
using TIdentMap = std::span<const TIdentMapEntry>;

// What an object shows of itself to the component stream. DefineProperties
// calls one method per published property, in stored order.
class TFiler {
public:
  virtual ~TFiler() = default;
  virtual void IntegerProperty(const char* name, int32_t& value) = 0;
  virtual void ColorProperty(const char* name, TColor& value) = 0;
  virtual void BooleanProperty(const char* name, bool& value) = 0;
  // Stored only when not empty.
  virtual void StringProperty(const char* name, std::string& value) = 0;
  // Written as its identifier from map when it has one, else as an integer;
  // not written when stored is false.
  virtual void IdentProperty(const char* name, int32_t& value, TIdentMap map, bool stored) = 0;
  // Bit i of bits is the set member names[i].
  virtual void SetProperty(const char* name, uint32_t& bits, std::span<const char* const> names) = 0;
  // Stored only when there is at least one line.
  virtual void StringsProperty(const char* name, std::vector<std::string>& lines) = 0;
  // Binary data, stored only when hasData; read gets a stream over exactly the payload.
  virtual void BinaryProperty(const char* name, const std::function<void(TStream&)>& read,
                              const std::function<void(TStream&)>& write, bool hasData) = 0;
  virtual void ObjectProperty(const char* name, TPersistent& object) = 0;
};

// Low-level value coding over a stream.
class TWriter {
public:
  explicit TWriter(TStream& s) : S(s) {}
  void WriteValue(TValueType v) { S.WriteU8(v); }
  void WriteStr(const std::string& s);  // short string; raises past 255 bytes
  void WriteInteger(int32_t v);         // the smallest of kinds 2, 3, 4
  void WriteIdent(const std::string& ident);
  void WriteString(const std::string& s);  // kind 6, or 12 past 255 bytes
  void WriteBoolean(bool b) { WriteValue(b ? vaTrue : vaFalse); }
  void WriteListEnd() { S.WriteU8(0); }
  TStream& S;
};

class TReader {
public:
  explicit TReader(TStream& s) : S(s) {}
  TValueType ReadValue();
  TValueType NextValue();  // without consuming it
  bool EndOfList();        // true at a zero byte, which it then consumes
  std::string ReadStr();
  int32_t ReadIntegerOf(TValueType kind);
  int32_t ReadInteger();
  std::string ReadStringOf(TValueType kind);
  std::string ReadString();
  std::string ReadIdent();
  bool ReadBoolean();
  // Reads n bytes after checking that the stream still holds them.
  std::vector<uint8_t> ReadBytes(uint32_t n);
  TStream& S;
};

// A resource header as the class library writes before a component resource:
// $FF, type 10, the upper-cased name with a zero, flags $1030, and the size of
// what follows. Write returns the size field's position for PatchResourceSize.
int64_t WriteResourceHeader(TStream& s, const std::string& name);
void PatchResourceSize(TStream& s, int64_t sizeField);
// Checks $FF and type 10; the name, flags and size are read but not compared.
void ReadResourceHeader(TStream& s);

// Writes "TPF0", the root class name and name, the root's published
// properties as dotted paths, and the two closing zero bytes.
void WriteComponentStream(TStream& s, TPersistent& root, const std::string& className,
                          const std::string& name);
// A binary value that its property could not take: the property's dotted
// path and the error.
using TBadDataEvent = std::function<void(const std::string& path, const std::exception& error)>;
// Reads a component stream written as above onto root, property by property
// (paths matched without regard to letter case). A binary value that its
// property cannot take (a damaged picture) goes to onBadData when given, and
// the reading goes on with the next property; without it the error ends the
// reading.
void ReadComponentStream(TStream& s, TPersistent& root, const TBadDataEvent& onBadData = nullptr);

// Visits every stream entry without an object graph: path, kind name and the
// value as text. Used by tools that show what a stream holds. Lists within
// lists are shown as deep as kMaxListDepth; a deeper one raises EReadError.
// (The class library's own streams nest a list of collection items in an
// item at most a few levels; each level costs the lister a stack frame.)
constexpr int kMaxListDepth = 32;
struct TStreamEntry {
  std::string Path;
  TValueType Kind;
  std::string Value;
  std::vector<uint8_t> Data;  // the payload of binary data
};
std::vector<TStreamEntry> ListComponentStream(TStream& s, std::string* className = nullptr);
