#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace samplejobs {

// An append-only printer byte stream.
class ByteStream {
 public:
  ByteStream& Put(std::initializer_list<std::uint8_t> bytes);
  ByteStream& Put(std::uint8_t byte);
  ByteStream& Text(std::string_view ascii);
  ByteStream& Le16(unsigned value);  // low byte first, as nL nH
  ByteStream& Zeros(std::size_t count);
  ByteStream& Append(const ByteStream& other);

  std::size_t Size() const { return data_.size(); }
  const std::vector<std::uint8_t>& Bytes() const { return data_; }

 private:
  std::vector<std::uint8_t> data_;
};

}  // namespace samplejobs
