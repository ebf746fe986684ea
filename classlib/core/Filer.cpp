// The component stream: value coding, the path writer and the path reader.
//
// Reading is strict about structure and tolerant about order: entries may come
// in any order and any subset, but every length is checked against the bytes
// left in the stream, a value of the wrong kind raises "Invalid property value",
// and a path that names nothing raises the property error.
#include "Filer.h"

namespace {
const char kSignature[4] = {'T', 'P', 'F', '0'};

EReadError InvalidValue() { return EReadError("Invalid property value"); }

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  size_t i = 0;
  while (true) {
    size_t j = path.find('.', i);
    parts.push_back(path.substr(i, j == std::string::npos ? std::string::npos : j - i));
    if (j == std::string::npos) break;
    i = j + 1;
  }
  return parts;
}
}  // namespace

// --- TWriter

void TWriter::WriteStr(const std::string& s) {
  if (s.size() > 255) throw EWriteError("String too long for a short string");
  S.WriteU8(uint8_t(s.size()));
  S.WriteString(s);
}

void TWriter::WriteInteger(int32_t v) {
  if (v >= -128 && v <= 127) {
    WriteValue(vaInt8);
    S.WriteU8(uint8_t(int8_t(v)));
  } else if (v >= -32768 && v <= 32767) {
    WriteValue(vaInt16);
    S.WriteU16(uint16_t(int16_t(v)));
  } else {
    WriteValue(vaInt32);
    S.WriteU32(uint32_t(v));
  }
}

void TWriter::WriteIdent(const std::string& ident) {
  WriteValue(vaIdent);
  WriteStr(ident);
}

void TWriter::WriteString(const std::string& s) {
  if (s.size() <= 255) {
    WriteValue(vaString);
    WriteStr(s);
  } else {
    WriteValue(vaLString);
    S.WriteU32(uint32_t(s.size()));
    S.WriteString(s);
  }
}

// --- TReader

TValueType TReader::ReadValue() { return TValueType(S.ReadU8()); }

TValueType TReader::NextValue() {
  TValueType v = ReadValue();
  S.Seek(-1, soFromCurrent);
  return v;
}

bool TReader::EndOfList() {
  if (NextValue() != vaNull) return false;
  S.ReadU8();
  return true;
}

std::string TReader::ReadStr() {
  uint8_t n = S.ReadU8();
  std::string s(n, '\0');
  S.ReadBuffer(s.data(), n);
  return s;
}

std::vector<uint8_t> TReader::ReadBytes(uint32_t n) {
  if (int64_t(n) > S.Size() - S.Position()) throw EReadError();
  // From memory: one copy, without filling the block with zeros first.
  if (auto* memory = dynamic_cast<TMemoryStream*>(&S)) {
    const uint8_t* at = memory->Memory() + memory->Position();
    memory->Seek(n, soFromCurrent);
    return std::vector<uint8_t>(at, at + n);
  }
  std::vector<uint8_t> bytes(n);
  S.ReadBuffer(bytes.data(), n);
  return bytes;
}

int32_t TReader::ReadIntegerOf(TValueType kind) {
  switch (kind) {
    case vaInt8: return int8_t(S.ReadU8());
    case vaInt16: return int16_t(S.ReadU16());
    case vaInt32: return int32_t(S.ReadU32());
    case vaInt64: {
      uint64_t lo = S.ReadU32(), hi = S.ReadU32();
      int64_t v = int64_t(lo | hi << 32);
      if (v < INT32_MIN || v > INT32_MAX) throw InvalidValue();
      return int32_t(v);
    }
    default: throw InvalidValue();
  }
}

int32_t TReader::ReadInteger() { return ReadIntegerOf(ReadValue()); }

std::string TReader::ReadStringOf(TValueType kind) {
  switch (kind) {
    case vaString: return ReadStr();
    case vaLString:
    case vaUTF8String: {
      auto bytes = ReadBytes(S.ReadU32());
      return std::string(bytes.begin(), bytes.end());
    }
    default: throw InvalidValue();
  }
}

std::string TReader::ReadString() { return ReadStringOf(ReadValue()); }

std::string TReader::ReadIdent() {
  if (ReadValue() != vaIdent) throw InvalidValue();
  return ReadStr();
}

bool TReader::ReadBoolean() {
  switch (ReadValue()) {
    case vaTrue: return true;
    case vaFalse: return false;
    default: throw InvalidValue();
  }
}

// --- resource header

int64_t WriteResourceHeader(TStream& s, const std::string& name) {
  s.WriteU8(0xFF);
  s.WriteU16(10);
  s.WriteString(UpperCase(name));
  s.WriteU8(0);
  s.WriteU16(0x1030);
  int64_t sizeField = s.Position();
  s.WriteU32(0);
  return sizeField;
}

void PatchResourceSize(TStream& s, int64_t sizeField) {
  int64_t end = s.Position();
  s.SetPosition(sizeField);
  s.WriteU32(uint32_t(end - sizeField - 4));
  s.SetPosition(end);
}

void ReadResourceHeader(TStream& s) {
  uint8_t b[3];
  if (s.Read(b, 3) != 3 || b[0] != 0xFF || (b[1] | b[2] << 8) != 10) throw EInvalidStreamFormat();
  while (s.ReadU8() != 0) {
  }
  s.ReadU16();  // memory flags
  s.ReadU32();  // size
}

// --- writing paths

namespace {
class TPathWriter : public TFiler {
public:
  explicit TPathWriter(TWriter& w) : W(w) {}

  void IntegerProperty(const char* name, int32_t& value) override {
    Name(name);
    W.WriteInteger(value);
  }
  void ColorProperty(const char* name, TColor& value) override {
    Name(name);
    if (auto ident = ColorToIdent(value)) W.WriteIdent(*ident);
    else W.WriteInteger(value);
  }
  void BooleanProperty(const char* name, bool& value) override {
    Name(name);
    W.WriteBoolean(value);
  }
  void StringProperty(const char* name, std::string& value) override {
    if (value.empty()) return;
    Name(name);
    W.WriteString(value);
  }
  void IdentProperty(const char* name, int32_t& value, TIdentMap map, bool stored) override {
    if (!stored) return;
    Name(name);
    for (const auto& e : map)
      if (e.Value == value) return W.WriteIdent(e.Name);
    W.WriteInteger(value);
  }
  void SetProperty(const char* name, uint32_t& bits, std::span<const char* const> names) override {
    Name(name);
    W.WriteValue(vaSet);
    for (size_t i = 0; i < names.size(); ++i)
      if (bits & (1u << i)) W.WriteStr(names[i]);
    W.WriteStr("");
  }
  void StringsProperty(const char* name, std::vector<std::string>& lines) override {
    if (lines.empty()) return;
    Name(name);
    W.WriteValue(vaList);
    for (const auto& line : lines) W.WriteString(line);
    W.WriteListEnd();
  }
  void BinaryProperty(const char* name, const std::function<void(TStream&)>&,
                      const std::function<void(TStream&)>& write, bool hasData) override {
    if (!hasData) return;
    TMemoryStream data;
    write(data);
    Name(name);
    W.WriteValue(vaBinary);
    W.S.WriteU32(uint32_t(data.Size()));
    data.SaveToStream(W.S);
  }
  void ObjectProperty(const char* name, TPersistent& object) override {
    std::string saved = Prefix;
    Prefix += name;
    Prefix += '.';
    object.DefineProperties(*this);
    Prefix = saved;
  }

private:
  void Name(const char* name) { W.WriteStr(Prefix + name); }
  TWriter& W;
  std::string Prefix;
};

// Looks for one path segment among an object's properties and reads the value
// into the property it names, recursing into object properties.
class TPathReader : public TFiler {
public:
  TPathReader(TReader& r, const std::vector<std::string>& path, size_t index, const TBadDataEvent& onBadData)
      : R(r), Path(path), I(index), OnBadData(onBadData) {}

  void Apply(TPersistent& object) {
    object.DefineProperties(*this);
    if (!Found) throw EPropertyError(Path[I]);
  }

  void IntegerProperty(const char* name, int32_t& value) override {
    if (Leaf(name)) value = R.ReadInteger();
  }
  void ColorProperty(const char* name, TColor& value) override {
    if (!Leaf(name)) return;
    TValueType kind = R.ReadValue();
    if (kind == vaIdent) {
      auto c = IdentToColor(R.ReadStr());
      if (!c) throw InvalidValue();
      value = *c;
    } else {
      value = R.ReadIntegerOf(kind);
    }
  }
  void BooleanProperty(const char* name, bool& value) override {
    if (Leaf(name)) value = R.ReadBoolean();
  }
  void StringProperty(const char* name, std::string& value) override {
    if (Leaf(name)) value = R.ReadString();
  }
  void IdentProperty(const char* name, int32_t& value, TIdentMap map, bool) override {
    if (!Leaf(name)) return;
    TValueType kind = R.ReadValue();
    if (kind != vaIdent) {
      value = R.ReadIntegerOf(kind);
      return;
    }
    std::string ident = R.ReadStr();
    for (const auto& e : map)
      if (SameText(e.Name, ident)) {
        value = e.Value;
        return;
      }
    throw InvalidValue();
  }
  void SetProperty(const char* name, uint32_t& bits, std::span<const char* const> names) override {
    if (!Leaf(name)) return;
    if (R.ReadValue() != vaSet) throw InvalidValue();
    uint32_t result = 0;
    for (std::string member = R.ReadStr(); !member.empty(); member = R.ReadStr()) {
      size_t i = 0;
      while (i < names.size() && !SameText(names[i], member)) ++i;
      if (i == names.size()) throw InvalidValue();
      result |= 1u << i;
    }
    bits = result;
  }
  void StringsProperty(const char* name, std::vector<std::string>& lines) override {
    if (!Leaf(name)) return;
    if (R.ReadValue() != vaList) throw InvalidValue();
    std::vector<std::string> read;
    while (!R.EndOfList()) read.push_back(R.ReadString());
    lines = std::move(read);
  }
  void BinaryProperty(const char* name, const std::function<void(TStream&)>& read,
                      const std::function<void(TStream&)>&, bool) override {
    if (!Leaf(name)) return;
    if (R.ReadValue() != vaBinary) throw InvalidValue();
    TMemoryStream data(R.ReadBytes(R.S.ReadU32()));
    if (!OnBadData) {
      read(data);
      return;
    }
    // The payload is already consumed: the stream reads on in step.
    try {
      read(data);
    } catch (const std::exception& e) {
      std::string path;
      for (const std::string& segment : Path) path += (path.empty() ? "" : ".") + segment;
      OnBadData(path, e);
    }
  }
  void ObjectProperty(const char* name, TPersistent& object) override {
    if (Found || !SameText(Path[I], name)) return;
    Found = true;
    if (I + 1 >= Path.size()) throw InvalidValue();
    TPathReader(R, Path, I + 1, OnBadData).Apply(object);
  }

private:
  // True when name is the path's last segment; a leaf with more segments
  // after it names a property that does not exist.
  bool Leaf(const char* name) {
    if (Found || !SameText(Path[I], name)) return false;
    Found = true;
    if (I + 1 != Path.size()) throw EPropertyError(Path[I + 1]);
    return true;
  }

  TReader& R;
  const std::vector<std::string>& Path;
  size_t I;
  const TBadDataEvent& OnBadData;
  bool Found = false;
};

void ReadPrefixAndClass(TReader& r, std::string* className) {
  char sig[4];
  if (r.S.Read(sig, 4) != 4 || std::string(sig, 4) != std::string(kSignature, 4)) throw EInvalidStreamFormat();
  // Optional filer flags ($F0 | flags) before the class name, as inherited and
  // inline components carry them; ffChildPos (2) adds an integer.
  uint8_t b = r.S.ReadU8();
  if ((b & 0xF0) == 0xF0) {
    if (b & 2) r.ReadInteger();
  } else {
    r.S.Seek(-1, soFromCurrent);
  }
  std::string cls = r.ReadStr();
  if (className) *className = cls;
  r.ReadStr();  // the root's name
}
}  // namespace

void WriteComponentStream(TStream& s, TPersistent& root, const std::string& className,
                          const std::string& name) {
  TWriter w(s);
  s.WriteBuffer(kSignature, 4);
  w.WriteStr(className);
  w.WriteStr(name);
  TPathWriter paths(w);
  root.DefineProperties(paths);
  w.WriteListEnd();  // end of the root's properties
  w.WriteListEnd();  // end of its children
}

void ReadComponentStream(TStream& s, TPersistent& root, const TBadDataEvent& onBadData) {
  TReader r(s);
  ReadPrefixAndClass(r, nullptr);
  while (!r.EndOfList()) {
    std::string path = r.ReadStr();
    TPathReader(r, SplitPath(path), 0, onBadData).Apply(root);
  }
}

// --- listing

namespace {
// depth counts the lists that enclose the value.
std::string ValueText(TReader& r, TValueType kind, std::vector<uint8_t>* binary, int depth) {
  switch (kind) {
    case vaInt8: case vaInt16: case vaInt32: case vaInt64:
      return IntToStr(r.ReadIntegerOf(kind));
    case vaString: case vaLString: case vaUTF8String:
      return r.ReadStringOf(kind);
    case vaIdent: return r.ReadStr();
    case vaFalse: return "False";
    case vaTrue: return "True";
    case vaSet: {
      std::string text = "[";
      for (std::string m = r.ReadStr(); !m.empty(); m = r.ReadStr()) text += (text.size() > 1 ? "," : "") + m;
      return text + "]";
    }
    case vaList: {
      if (depth >= kMaxListDepth) throw EReadError();
      std::string text;
      int n = 0;
      while (!r.EndOfList()) {
        TValueType k = r.ReadValue();
        text += (n++ ? "\n" : "") + ValueText(r, k, nullptr, depth + 1);
      }
      return text;
    }
    case vaBinary: {
      auto bytes = r.ReadBytes(r.S.ReadU32());
      if (binary) *binary = bytes;
      return IntToStr((long long)bytes.size()) + " bytes";
    }
    default: throw InvalidValue();
  }
}
}  // namespace

std::vector<TStreamEntry> ListComponentStream(TStream& s, std::string* className) {
  TReader r(s);
  ReadPrefixAndClass(r, className);
  std::vector<TStreamEntry> entries;
  while (!r.EndOfList()) {
    TStreamEntry e;
    e.Path = r.ReadStr();
    e.Kind = r.ReadValue();
    e.Value = ValueText(r, e.Kind, &e.Data, 0);
    entries.push_back(std::move(e));
  }
  return entries;
}
