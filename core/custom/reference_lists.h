#pragma once

#include <array>

// Common commands of three command sets with their meaning, for the user
// to look up while typing a command: each entry shows the bytes in
// hexadecimal (OKI: the control names) and what they do. Code page 936.
extern const std::array<const char*, 57> kEscpReferenceList;
extern const std::array<const char*, 39> kStarReferenceList;
extern const std::array<const char*, 56> kOkiReferenceList;
