// Checks what Windows and Explorer read from a built program: the manifest
// (resource 24/1), the version resource (16/1), the icon, the machine, a
// zero link time stamp, and that the file chooser's and the web link's DLLs
// are not imported (they are loaded when first used).
//
//   check_program_info <file.exe> <i686|x86_64> <description word> [--icon]
//
// Prints one line per failed check. Exit status: 0 all passed, 1 a check
// failed, 2 unreadable.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "pe_image.h"

namespace {

using pe::Bytes;

int g_failures = 0;

void Check(bool ok, const std::string& what) {
  if (ok) return;
  std::printf("  FAIL %s\n", what.c_str());
  ++g_failures;
}

std::uint32_t U16(const Bytes& b, std::size_t at) { return b.at(at) | b.at(at + 1) << 8; }
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

std::string Utf8(const std::u16string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    } else if (c < 0x10000) {
      out += {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
              static_cast<char>(0x80 | (c & 0x3F))};
    } else {
      out += {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
              static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
    }
  }
  return out;
}

// A VS_VERSIONINFO tree: the fixed versions and the string values by name.
struct VersionInfo {
  std::uint32_t fileMs = 0, fileLs = 0, productMs = 0, productLs = 0;
  std::vector<std::pair<std::string, std::string>> strings;
  std::string Get(const std::string& name) const {
    for (const auto& [key, value] : strings) {
      if (key == name) return value;
    }
    return "";
  }
};

std::size_t Align4(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

std::size_t ReadNode(const Bytes& b, std::size_t at, VersionInfo& info) {
  const std::size_t length = U16(b, at), valueLength = U16(b, at + 2), type = U16(b, at + 4);
  std::u16string key;
  std::size_t p = at + 6;
  for (; U16(b, p) != 0; p += 2) key += static_cast<char16_t>(U16(b, p));
  const std::size_t value = Align4(p + 2);
  const std::size_t valueBytes = type == 1 ? 2 * valueLength : valueLength;
  if (key == u"VS_VERSION_INFO" && valueLength >= 52) {
    Check(U32(b, value) == 0xFEEF04BD, "fixed version info signature");
    info = {U32(b, value + 8), U32(b, value + 12), U32(b, value + 16), U32(b, value + 20), {}};
  } else if (type == 1 && valueLength > 0) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < valueLength; ++i) text += static_cast<char16_t>(U16(b, value + 2 * i));
    info.strings.emplace_back(Utf8(key), Utf8(text));
  }
  for (std::size_t child = Align4(value + valueBytes); child < at + length;) child = ReadNode(b, child, info);
  return Align4(at + length);
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s <file.exe> <i686|x86_64> <description word> [--icon]\n", argv[0]);
    return 2;
  }
  const std::string path = argv[1], arch = argv[2], word = argv[3];
  const bool icon = argc > 4 && std::string(argv[4]) == "--icon";
  const std::string file = path.substr(path.find_last_of('/') + 1);
  std::optional<Bytes> bytes = pe::ReadFile(path);
  if (!bytes) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return 2;
  }
  try {
    const pe::PeImage image(std::move(*bytes));
    Check(image.Machine() == (arch == "i686" ? 0x14C : 0x8664), "machine is " + arch);
    Check(image.TimeStamp() == 0, "link time stamp is 0 (same sources, same bytes)");
    for (const std::string& dll : image.ImportedDlls()) {
      std::string lower;
      for (char c : dll) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
      Check(lower != "comdlg32.dll" && lower != "shell32.dll", dll + " is not imported");
    }

    const std::optional<Bytes> manifest = image.Resource(24, 1);
    Check(manifest.has_value(), "manifest resource 24/1");
    const std::string xml = manifest ? std::string(manifest->begin(), manifest->end()) : "";
    for (const char* part : {
             "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
             "publicKeyToken=\"6595b64144ccf1df\"",
             "level=\"asInvoker\"",
             ">PerMonitorV2, System</dpiAwareness>",
             ">true</dpiAware>",
             "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
             "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
             "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
         }) {
      Check(Contains(xml, part), std::string("manifest holds ") + part);
    }

    const std::optional<Bytes> version = image.Resource(16, 1);
    Check(version.has_value(), "version resource 16/1");
    if (version) {
      VersionInfo info;
      ReadNode(*version, 0, info);
      Check(info.fileMs == 0x00040016 && info.fileLs == 0, "FILEVERSION 4.22.0.0");
      Check(info.productMs == 0x00040016 && info.productLs == 0, "PRODUCTVERSION 4.22.0.0");
      Check(info.Get("FileVersion") == "4.22.0.0", "FileVersion string 4.22.0.0");
      Check(info.Get("ProductVersion") == "4.22.0.0", "ProductVersion string 4.22.0.0");
      Check(info.Get("OriginalFilename") == file, "OriginalFilename " + file);
      Check(Contains(info.Get("FileDescription"), word), "FileDescription names " + word);
      Check(Contains(info.Get("ProductName"), "POS Printer Tester"), "ProductName");
      Check(Contains(info.Get("LegalCopyright"), "Copyright"), "LegalCopyright");
      for (const auto& [key, value] : info.strings) std::printf("  %s: %s\n", key.c_str(), value.c_str());
    }
    if (icon) Check(image.Resource(14, 116).has_value(), "icon group 116");
  } catch (const pe::BadImage& e) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), e.what());
    return 2;
  }
  return g_failures ? 1 : 0;
}
