#pragma once

#include <memory>
#include <string>
#include <vector>

#include "link/transport.h"

// The transport seam for tests that only need open, write and close of one
// kind of port: every connection is a handle of the test's own, no read,
// and failures are dropped.
class SimplePorts : public Transport, public Reporter {
 public:
  using Handle = void*;

  virtual Handle OpenPort(const Endpoint& where) = 0;  // nullptr: the open fails
  virtual void WritePort(Handle port, const std::uint8_t* bytes, std::size_t count) = 0;
  virtual void ClosePort(Handle port) = 0;

  std::unique_ptr<Connection> Open(const Endpoint& where, std::string& error) override {
    Handle port = OpenPort(where);
    if (port == nullptr) {
      error = "cannot open";
      return nullptr;
    }
    return std::make_unique<Port>(*this, port);
  }
  std::vector<std::string> ListUsbPrinters() override { return {}; }
  void Report(const LinkFailure&) override {}

 private:
  class Port : public Connection {
   public:
    Port(SimplePorts& owner, Handle handle) : owner_(owner), handle_(handle) {}
    ~Port() override { owner_.ClosePort(handle_); }
    bool Write(std::span<const std::uint8_t> bytes, std::size_t& written, std::string&) override {
      owner_.WritePort(handle_, bytes.data(), bytes.size());
      written = bytes.size();
      return true;
    }
    bool Read(std::span<std::uint8_t>, std::chrono::milliseconds, std::size_t& got, std::string& error) override {
      got = 0;
      error = "cannot read";
      return false;
    }
    bool Finish(std::string&) override { return true; }

   private:
    SimplePorts& owner_;
    Handle handle_;
  };
};
