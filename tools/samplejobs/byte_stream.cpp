#include "byte_stream.h"

#include <stdexcept>

namespace samplejobs {

ByteStream& ByteStream::Put(std::initializer_list<std::uint8_t> bytes) {
  data_.insert(data_.end(), bytes.begin(), bytes.end());
  return *this;
}

ByteStream& ByteStream::Put(std::uint8_t byte) {
  data_.push_back(byte);
  return *this;
}

ByteStream& ByteStream::Text(std::string_view ascii) {
  data_.insert(data_.end(), ascii.begin(), ascii.end());
  return *this;
}

ByteStream& ByteStream::Le16(unsigned value) {
  if (value > 0xFFFF) throw std::out_of_range("16-bit parameter too large");
  data_.push_back(static_cast<std::uint8_t>(value & 0xFF));
  data_.push_back(static_cast<std::uint8_t>(value >> 8));
  return *this;
}

ByteStream& ByteStream::Zeros(std::size_t count) {
  data_.insert(data_.end(), count, 0);
  return *this;
}

ByteStream& ByteStream::Append(const ByteStream& other) {
  data_.insert(data_.end(), other.data_.begin(), other.data_.end());
  return *this;
}

}  // namespace samplejobs
