#include "preview/decoder.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "preview/glyph_font.h"
#include "text/gbk.h"

namespace preview {

namespace {

using Bytes = std::span<const std::uint8_t>;

// Commands by their first byte, longest prefix first.
class Index {
 public:
  explicit Index(CommandSet set) {
    for (const CommandSpec& entry : CommandsOf(set)) byFirst_[static_cast<std::uint8_t>(entry.prefix[0])].push_back(&entry);
    for (auto& list : byFirst_)
      std::stable_sort(list.begin(), list.end(),
                       [](const CommandSpec* a, const CommandSpec* b) { return a->prefix.size() > b->prefix.size(); });
  }
  const std::vector<const CommandSpec*>& Starting(std::uint8_t b) const { return byFirst_[b]; }

 private:
  std::array<std::vector<const CommandSpec*>, 256> byFirst_;
};

const Index& IndexOf(CommandSet set) {
  static const Index escPos(CommandSet::EscPos), star(CommandSet::Star), escP(CommandSet::EscP), oki(CommandSet::Oki);
  switch (set) {
    case CommandSet::EscPos: return escPos;
    case CommandSet::Star: return star;
    case CommandSet::EscP: return escP;
    case CommandSet::Oki: return oki;
  }
  return escPos;
}

bool Matches(Bytes s, std::size_t at, std::string_view prefix, bool& partial) {
  const std::size_t n = std::min(prefix.size(), s.size() - at);
  for (std::size_t i = 0; i < n; ++i)
    if (s[at + i] != static_cast<std::uint8_t>(prefix[i])) return false;
  partial = n < prefix.size();
  return !partial;
}

constexpr std::size_t kUnknownLength = static_cast<std::size_t>(-1);

// `count` blocks from `d`, each a head of `headBytes` and the data its head
// counts: their length, or kUnknownLength when the stream ends first.
template <typename DataOf>
std::size_t Blocks(Bytes s, std::size_t d, int count, std::size_t headBytes, DataOf dataOf) {
  std::size_t at = d;
  for (int i = 0; i < count; ++i) {
    if (headBytes > s.size() - at) return kUnknownLength;
    const std::uint64_t data = dataOf(at);
    at += headBytes;
    if (data > s.size() - at) return kUnknownLength;
    at += static_cast<std::size_t>(data);
  }
  return at - d;
}

// Bytes of data after the parameters at `p`, or kUnknownLength when the
// stream ends before the length is known.
std::size_t DataLength(const CommandSpec& definition, CommandSet set, Bytes s, std::size_t p) {
  const auto at = [&](std::size_t i) -> int { return p + i < s.size() ? s[p + i] : -1; };
  const auto word = [&](int i) { return at(i) | at(i + 1) << 8; };
  switch (definition.data) {
    case Data::None: return 0;
    case Data::BitImage: {
      const int m = at(0);
      const int per = set == CommandSet::EscP || set == CommandSet::Oki ? (m >= 64 ? 6 : m >= 32 ? 3 : 1) : (m >= 32 ? 3 : 1);
      return static_cast<std::size_t>(word(1)) * per;
    }
    case Data::Columns: return static_cast<std::size_t>(word(0)) * definition.bytesPerColumn;
    case Data::StarPins: return static_cast<std::size_t>(word(1)) * (at(0) >= 4 ? 3 : 2);
    case Data::Raster: return static_cast<std::size_t>(word(1)) * word(3);
    case Data::DefineImage: return static_cast<std::size_t>(at(0)) * at(1) * 8;
    case Data::Length16: return static_cast<std::size_t>(word(definition.params - 2));
    case Data::KanjiDefine: return 72;
    case Data::Counted: return static_cast<std::size_t>(at(definition.params - 1));
    case Data::ZeroThenByte: return at(0) == 0 ? 1 : 0;
    case Data::Cut: {
      const int m = at(0);
      return m == 65 || m == 66 || m == 97 || m == 98 || m == 103 || m == 104 ? 1 : 0;
    }
    case Data::Barcode: {
      const std::size_t d = p + definition.params;
      if (at(0) >= 65) return d < s.size() ? 1 + static_cast<std::size_t>(s[d]) : kUnknownLength;
      for (std::size_t i = d; i < s.size(); ++i)
        if (s[i] == 0) return i - d + 1;
      return kUnknownLength;
    }
    case Data::NulTerminated:
    case Data::RsTerminated: {
      const std::uint8_t end = definition.data == Data::NulTerminated ? 0x00 : 0x1E;
      for (std::size_t i = p + definition.params; i < s.size(); ++i)
        if (s[i] == end) return i - p - definition.params + 1;
      return kUnknownLength;
    }
    case Data::Length32: {
      const std::uint64_t n = static_cast<std::uint64_t>(word(definition.params - 4)) |
                              static_cast<std::uint64_t>(word(definition.params - 2)) << 16;
      return n < s.size() ? static_cast<std::size_t>(n) : kUnknownLength;
    }
    case Data::UserCharacters: return Blocks(s, p + definition.params, at(2) >= at(1) ? at(2) - at(1) + 1 : 0, 1,
                                             [&](std::size_t head) { return std::uint64_t{s[head]} * at(0); });
    case Data::NvImages: return Blocks(s, p + definition.params, at(0), 4, [&](std::size_t head) {
        return std::uint64_t(s[head] | s[head + 1] << 8) * (s[head + 2] | s[head + 3] << 8) * 8;
      });
    case Data::ConfigFrame: {
      const int group = at(1);  // after the function byte
      if (group < 0 || group == 0x1B) return 0;  // the bare head
      if (group == 0xAA) return at(2) == 0x73 ? 3 : at(2) == 0x63 ? 4 : 1;
      return group == 0xA0 || group == 0xA1 ? 3 : 2;  // group, code, value; or parameter code, value
    }
  }
  return 0;
}

bool IsDigit(std::uint8_t b) { return b >= 0x30 && b <= 0x39; }

// A run of printable ASCII and two- and four-byte GB18030 signs; in a
// single-byte table every byte from 20 on but 7F.
std::size_t TextLength(Bytes s, std::size_t at, bool singleByte) {
  std::size_t i = at;
  while (i < s.size()) {
    const std::uint8_t b = s[i];
    if (b >= 0x20 && b != 0x7F && (b < 0x80 || singleByte)) {
      ++i;
    } else if (singleByte) {
      break;
    } else if (gbk::IsLead(b) && i + 1 < s.size() && gbk::IsTrail(s[i + 1])) {
      i += 2;
    } else if (gbk::IsLead(b) && s.size() - i >= 4 && IsDigit(s[i + 1]) && gbk::IsLead(s[i + 2]) && IsDigit(s[i + 3])) {
      i += 4;
    } else {
      break;
    }
  }
  return i - at;
}

}  // namespace

int Item::Param(std::span<const std::uint8_t> stream, int i) const {
  if (definition == nullptr) return 0;
  const std::size_t at = offset + definition->prefix.size() + static_cast<std::size_t>(i);
  return i < definition->params && at < stream.size() ? stream[at] : 0;
}

namespace {

// The item that starts at `at`, before the stream's end.
Item ItemAt(Bytes s, std::size_t at, const Index& index, CommandSet set, int codeTable) {
  Item item;
  item.offset = at;
  const CommandSpec* definition = nullptr;
  bool partial = false;
  for (const CommandSpec* candidate : index.Starting(s[at])) {
    bool cut = false;
    if (Matches(s, at, candidate->prefix, cut)) {
      definition = candidate;
      break;
    }
    partial = partial || cut;
  }
  if (definition != nullptr) {
    const std::size_t params = at + definition->prefix.size();
    const std::size_t data = params + static_cast<std::size_t>(definition->params);
    const std::size_t length = data <= s.size() ? DataLength(*definition, set, s, params) : kUnknownLength;
    item.definition = definition;
    // Compared with what remains: data + length could wrap on 32 bits.
    if (length == kUnknownLength || length > s.size() - data) {
      item.kind = Item::Truncated;
      item.length = s.size() - at;
      return item;
    }
    item.dataAt = data;
    item.dataLength = length;
    item.length = data + length - at;
    if (definition->action == Action::Unsupported) item.kind = Item::Unknown;
  } else if (const std::size_t text = TextLength(s, at, codeTable >= 0); text > 0) {
    item.kind = Item::Text;
    item.length = text;
    item.codeTable = codeTable;
  } else if (partial) {
    item.kind = Item::Truncated;
    item.length = s.size() - at;
  } else {
    // An escape sequence we do not know takes its letter with it.
    const bool escape = s[at] == 0x1B || s[at] == 0x1C || s[at] == 0x1D;
    item.kind = Item::Unknown;
    item.length = escape && at + 1 < s.size() ? 2 : 1;
  }
  return item;
}

}  // namespace

Decoding DecodeEach(std::span<const std::uint8_t> s, CommandSet set, const std::function<void(const Item&)>& each) {
  Decoding out;
  const Index& index = IndexOf(set);
  bool chinese = true;  // ESC/POS: FS & and FS . switch, ESC t picks the single-byte table
  int table = 0;
  for (std::size_t at = 0; at < s.size();) {
    const Item item = ItemAt(s, at, index, set, chinese ? -1 : table);
    if (set == CommandSet::EscPos && item.kind == Item::Command) {
      const Action action = item.definition->action;
      if (action == Action::KanjiOn) chinese = true;
      if (action == Action::KanjiOff) chinese = false;
      if (action == Action::CodePage) table = item.Param(s, 0);
      if (action == Action::Init) {
        chinese = true;
        table = 0;
      }
    }
    out.unknown += item.kind == Item::Unknown;
    out.truncated = out.truncated || item.kind == Item::Truncated;
    each(item);
    at += item.length;
  }
  return out;
}

Decoding Decode(std::span<const std::uint8_t> s, CommandSet set) {
  std::vector<Item> items;
  Decoding out = DecodeEach(s, set, [&](const Item& item) { items.push_back(item); });
  out.items = std::move(items);
  return out;
}

namespace {

std::string Hex(Bytes s, std::size_t at, std::size_t count, std::size_t shown) {
  std::string text;
  char byte[4];
  for (std::size_t i = 0; i < std::min(count, shown); ++i) {
    std::snprintf(byte, sizeof byte, i ? " %02X" : "%02X", s[at + i]);
    text += byte;
  }
  if (count > shown) text += " ...";
  return text;
}

// The maker's frame by its family: function byte, then a parameter code or a group.
std::string ConfigFrame(const Item& item, Bytes s) {
  const std::size_t at = item.offset + item.definition->prefix.size();
  const auto byte = [&](std::size_t i) { return static_cast<int>(s[at + i]); };
  char text[96];
  const int group = item.dataLength > 0 ? byte(1) : -1;
  if (group < 0) std::snprintf(text, sizeof text, "function %02X, head only", byte(0));
  else if (group == 0xAA && item.dataLength == 1) std::snprintf(text, sizeof text, "factory defaults");
  else if (group == 0xAA && byte(2) == 0x73) std::snprintf(text, sizeof text, "paper width code %02X", byte(3));
  else if (group == 0xAA) std::snprintf(text, sizeof text, "cut position %02X %02X", byte(3), byte(4));
  else if (group == 0xA0) std::snprintf(text, sizeof text, "setting %02X = %02X", byte(2), byte(3));
  else if (group == 0xA1) std::snprintf(text, sizeof text, "graphics adjustment, mode %02X = %02X", byte(2), byte(3));
  else std::snprintf(text, sizeof text, "parameter %02X = %02X", group, byte(2));
  std::string out = text;
  if (byte(0) != 0) {
    std::snprintf(text, sizeof text, ", function %02X", byte(0));
    out += text;
  }
  return out;
}

std::string Details(const Item& item, Bytes s) {
  const CommandSpec& definition = *item.definition;
  const auto p = [&](int i) { return item.Param(s, i); };
  char text[160];
  switch (definition.action) {
    case Action::BitImage:
      std::snprintf(text, sizeof text, "mode %d, %d columns of %d dots", p(0), p(1) | p(2) << 8, p(0) >= 32 ? 24 : 8);
      return text;
    case Action::EightDotImage:
      std::snprintf(text, sizeof text, "%d columns of 8 dots", p(0) | p(1) << 8);
      return text;
    case Action::PinImage:
      std::snprintf(text, sizeof text, "mode %d, %d columns", p(0), p(1) | p(2) << 8);
      return text;
    case Action::StarRowImage:
      std::snprintf(text, sizeof text, "%d x 24 dots", (p(0) | p(1) << 8) * 8);
      return text;
    case Action::Raster:
      std::snprintf(text, sizeof text, "mode %d, %d x %d dots", p(0) & 3, (p(1) | p(2) << 8) * 8, p(3) | p(4) << 8);
      return text;
    case Action::DefineImage:
      std::snprintf(text, sizeof text, "%d x %d dots", p(0) * 8, p(1) * 8);
      return text;
    case Action::Barcode: {
      std::string data(reinterpret_cast<const char*>(s.data() + item.dataAt), item.dataLength);
      if (definition.data == Data::Barcode && p(0) >= 65 && !data.empty()) data.erase(0, 1);
      if (!data.empty() && data.back() == '\0') data.pop_back();
      std::snprintf(text, sizeof text, "type %d \"", p(0));
      std::string out = text;
      out += gbk::ToUtf8(data);
      out += '"';
      return out;
    }
    case Action::Cut:
      if (item.dataLength == 0) std::snprintf(text, sizeof text, "mode %d", p(0));
      else std::snprintf(text, sizeof text, "mode %d, feed %d first", p(0), s[item.dataAt]);
      return text;
    default: break;
  }
  if (definition.data == Data::ConfigFrame) return ConfigFrame(item, s);
  std::string params;
  for (int i = 0; i < definition.params; ++i) {
    if (i) params += ' ';
    params += std::to_string(p(i));
  }
  if (item.dataLength > 0) {
    if (!params.empty()) params += ", ";
    params += std::to_string(item.dataLength);
    params += " data bytes";
  }
  return params;
}

}  // namespace

namespace {

// Code page 936 text as UTF-8, with GB18030's four-byte signs (U+FFFD for
// a code with no character).
std::string ChineseText(Bytes text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] < 0x80) {
      out += static_cast<char>(text[i++]);
    } else if (text.size() - i >= 4 && IsDigit(text[i + 1])) {
      const char32_t c = FourByteChar(text[i], text[i + 1], text[i + 2], text[i + 3]);
      gbk::AppendUtf8(out, c != 0 ? c : U'\uFFFD');
      i += 4;
    } else {
      out += gbk::ToUtf8(std::string_view(reinterpret_cast<const char*>(text.data() + i), 2));
      i += 2;
    }
  }
  return out;
}

}  // namespace

std::string DescribeItem(const Item& item, std::span<const std::uint8_t> s) {
  char head[24];
  std::snprintf(head, sizeof head, "%08zX  ", item.offset);
  std::string line = head;
  const std::string hex = Hex(s, item.offset, item.length, 8);
  line += hex;
  line.append(hex.size() < 27 ? 27 - hex.size() : 0, ' ');
  line += "  ";
  switch (item.kind) {
    case Item::Text:
      line += "text \"";
      if (item.codeTable < 0) {
        line += ChineseText(s.subspan(item.offset, item.length));
      } else {
        for (std::size_t i = item.offset; i < item.offset + item.length; ++i) {
          const char32_t c = s[i] < 0x80 ? s[i] : CodePageChar(item.codeTable, s[i]);
          gbk::AppendUtf8(line, c != 0 ? c : U'\uFFFD');
        }
      }
      line += '"';
      return line;
    case Item::Unknown:
      if (item.definition == nullptr) {
        line += "!! unknown command";
        return line;
      }
      line += "!! not drawn: ";
      break;
    case Item::Truncated:
      line += "!! truncated";
      if (item.definition) {
        line += ' ';
        line += item.definition->mnemonic;
      }
      line += ": the stream ends inside the command";
      return line;
    case Item::Command: break;
  }
  const std::size_t nameAt = line.size();
  line += item.definition->mnemonic;
  line.append(line.size() - nameAt < 9 ? 9 - (line.size() - nameAt) : 0, ' ');
  line += ' ';
  line += item.definition->meaning;
  const std::string details = Details(item, s);
  if (!details.empty()) {
    line += " (";
    line += details;
    line += ')';
  }
  return line;
}

}  // namespace preview
