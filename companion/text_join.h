#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Messages built from pieces, appended in order.
inline std::string Join(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (std::string_view p : parts) out += p;
  return out;
}
