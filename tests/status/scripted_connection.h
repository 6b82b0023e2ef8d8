#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "link/transport.h"
#include "printer_script.h"

// A printer behind a connection that answers each request with the bytes
// of its script and nothing else.
class ScriptedConnection : public Connection {
 public:
  PrinterScript answers;
  Bytes pending;                 // sent by the printer, not yet read
  std::vector<std::string> writes;
  std::string failWrite;         // the write of this request fails
  bool failRead = false;
  std::size_t chunk = 1000;      // bytes handed over per read at most

  bool Write(std::span<const std::uint8_t> bytes, std::size_t& written, std::string& error) override {
    const std::string request = ToHex(Bytes(bytes.begin(), bytes.end()));
    if (request == failWrite) {
      written = 0;
      error = "cable pulled";
      return false;
    }
    writes.push_back(request);
    written = bytes.size();
    if (const auto a = answers.find(request); a != answers.end()) pending.insert(pending.end(), a->second.begin(), a->second.end());
    return true;
  }

  bool Read(std::span<std::uint8_t> buffer, std::chrono::milliseconds, std::size_t& got, std::string& error) override {
    if (failRead) {
      error = "port gone";
      return false;
    }
    got = std::min({buffer.size(), pending.size(), chunk});
    std::copy_n(pending.begin(), got, buffer.begin());
    pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(got));
    return true;
  }

  bool Finish(std::string&) override { return true; }
};
