#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "link/port_driver.h"

// Records every call the link makes, as a readable event log, and keeps the
// bytes written to each connection. Ports can be made to fail.
class RecordingPortDriver : public PortDriver {
 public:
  struct Connection {
    std::string name;  // "serial:com1", "parallel:lpt1", "usb:<path>"
    bool open = true;
    std::vector<std::vector<std::uint8_t>> writes;  // one entry per write
  };

  PortHandle OpenSerial(const std::string& name, const LineSettings& line) override {
    lastLine = line;
    return Open("serial:" + name);
  }
  PortHandle OpenParallel(const std::string& name) override { return Open("parallel:" + name); }
  std::vector<std::string> ListUsbPrinters() override {
    events.push_back("list usb");
    return usbPrinters;
  }
  PortHandle OpenUsb(const std::string& path) override { return Open("usb:" + path); }
  void Write(PortHandle port, const std::uint8_t* bytes, std::size_t count) override {
    Connection& c = At(port);
    events.push_back("write " + c.name);
    c.writes.emplace_back(bytes, bytes + count);
  }
  void Close(PortHandle port) override {
    Connection& c = At(port);
    events.push_back("close " + c.name);
    c.open = false;
  }
  void ShowOpenFailure() override {
    events.push_back("box SetCommTimeout error");
    ++failureBoxes;
  }

  // All runs written to connections of the given name, in order.
  std::vector<std::vector<std::uint8_t>> RunsTo(const std::string& name) const {
    std::vector<std::vector<std::uint8_t>> runs;
    for (const auto& c : connections)
      if (c->name == name) runs.insert(runs.end(), c->writes.begin(), c->writes.end());
    return runs;
  }
  // Every run written anywhere, in order of the connections' opening.
  std::vector<std::vector<std::uint8_t>> AllRuns() const {
    std::vector<std::vector<std::uint8_t>> runs;
    for (const auto& c : connections) runs.insert(runs.end(), c->writes.begin(), c->writes.end());
    return runs;
  }
  int OpenCount(const std::string& name) const {
    int n = 0;
    for (const auto& c : connections) n += c->name == name && c->open;
    return n;
  }

  std::set<std::string> failing;  // names ("serial:com1") whose open fails
  std::vector<std::string> usbPrinters;
  std::vector<std::string> events;
  std::vector<std::unique_ptr<Connection>> connections;
  LineSettings lastLine;
  int failureBoxes = 0;

 private:
  PortHandle Open(const std::string& name) {
    if (failing.count(name)) {
      events.push_back("open failed " + name);
      return nullptr;
    }
    events.push_back("open " + name);
    connections.push_back(std::make_unique<Connection>(Connection{name, true, {}}));
    return connections.back().get();
  }
  Connection& At(PortHandle port) {
    auto* c = static_cast<Connection*>(port);
    if (!c->open) throw std::logic_error("use of a closed connection: " + c->name);
    return *c;
  }
};
