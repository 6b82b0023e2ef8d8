#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "preview/command_set.h"

// Reads a printer stream command by command. Nothing is skipped: bytes no
// command of the set explains are flagged, and a stream that ends inside a
// command ends with a truncated item. ESC/POS text is code page 936 (with
// GB18030's four-byte signs) in Chinese mode, the table ESC t chose after
// FS . ends it.
namespace preview {

struct Item {
  enum Kind { Command, Text, Unknown, Truncated };
  Kind kind = Command;
  std::size_t offset = 0;
  std::size_t length = 0;
  const CommandSpec* definition = nullptr;  // commands, and truncated ones when known
  std::size_t dataAt = 0;             // image, bar code or frame data after the parameters
  std::size_t dataLength = 0;
  int codeTable = -1;  // text: -1 for code page 936, else the single-byte table (ESC t) in use

  // The i-th parameter byte (0 when the command has fewer).
  int Param(std::span<const std::uint8_t> stream, int i) const;
};

struct Decoding {
  std::vector<Item> items;
  int unknown = 0;
  bool truncated = false;
  bool Clean() const { return unknown == 0 && !truncated; }
};

Decoding Decode(std::span<const std::uint8_t> stream, CommandSet set);

// The same reading, handing each item to `each` in turn and keeping none:
// the result has the counts and no items.
Decoding DecodeEach(std::span<const std::uint8_t> stream, CommandSet set, const std::function<void(const Item&)>& each);

// One line for an item: offset, bytes in hex and what the item is.
std::string DescribeItem(const Item& item, std::span<const std::uint8_t> stream);

}  // namespace preview
