#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "link/failure_box.h"
#include "link/transport.h"

// Records every call the link makes, as a readable event log, keeps the
// bytes written to each connection and every failure reported. Opens,
// writes and finishes can be made to fail, and a printer can drop its
// connection. Names: "serial:com1", "parallel:lpt1", "usb:<path>",
// "network:<host>:<port>".
class RecordingTransport : public Transport, public Reporter {
 public:
  struct Record {
    std::string name;
    bool open = true;
    bool peerClosed = false;
    std::vector<std::vector<std::uint8_t>> writes;  // one entry per write
  };

  std::unique_ptr<Connection> Open(const Endpoint& where, std::string& error) override {
    const std::string name = NameOf(where);
    if (where.kind == TransportKind::Serial) lastLine = where.line;
    if (failing.count(name)) {
      events.push_back("open failed " + name);
      error = "refused";
      return nullptr;
    }
    events.push_back("open " + name);
    records.push_back(std::make_unique<Record>(Record{name, true, false, {}}));
    return std::make_unique<Recorded>(*this, *records.back());
  }
  std::vector<std::string> ListUsbPrinters() override {
    events.push_back("list usb");
    return usbPrinters;
  }
  void Report(const LinkFailure& failure) override {
    failures.push_back(failure);
    if (const auto box = BoxFor(failure)) {
      events.push_back("box " + box->text);
      ++failureBoxes;
    }
  }

  // All runs written to connections of the given name, in order.
  std::vector<std::vector<std::uint8_t>> RunsTo(const std::string& name) const {
    std::vector<std::vector<std::uint8_t>> runs;
    for (const auto& r : records)
      if (r->name == name) runs.insert(runs.end(), r->writes.begin(), r->writes.end());
    return runs;
  }
  // Every run written anywhere, in order of the connections' opening.
  std::vector<std::vector<std::uint8_t>> AllRuns() const {
    std::vector<std::vector<std::uint8_t>> runs;
    for (const auto& r : records) runs.insert(runs.end(), r->writes.begin(), r->writes.end());
    return runs;
  }
  int OpenCount(const std::string& name) const {
    int n = 0;
    for (const auto& r : records) n += r->name == name && r->open;
    return n;
  }
  // The printer drops every open connection of that name.
  void DropConnections(const std::string& name) {
    for (const auto& r : records)
      if (r->name == name && r->open) r->peerClosed = true;
  }

  std::set<std::string> failing;        // names whose open fails
  std::set<std::string> failingWrites;  // names whose writes fail
  std::set<std::string> failingFinish;  // names whose finish fails
  std::vector<std::string> usbPrinters;
  std::vector<std::string> events;
  std::vector<std::unique_ptr<Record>> records;
  std::vector<const std::uint8_t*> sources;  // where each write's bytes came from
  std::vector<LinkFailure> failures;
  LineSettings lastLine;
  int failureBoxes = 0;

 private:
  static std::string NameOf(const Endpoint& where) {
    switch (where.kind) {
      case TransportKind::Serial: return "serial:" + where.name;
      case TransportKind::Parallel: return "parallel:" + where.name;
      case TransportKind::Usb: return "usb:" + where.name;
      case TransportKind::Network: return "network:" + where.name + ":" + where.port;
      case TransportKind::File: break;
    }
    return "file:" + where.name;
  }

  class Recorded : public Connection {
   public:
    Recorded(RecordingTransport& owner, Record& record) : owner_(owner), record_(record) {}
    ~Recorded() override {
      owner_.events.push_back("close " + record_.name);
      record_.open = false;
    }
    bool Write(std::span<const std::uint8_t> bytes, std::size_t& written, std::string& error) override {
      if (!record_.open) throw std::logic_error("use of a closed connection: " + record_.name);
      owner_.sources.push_back(bytes.data());
      if (record_.peerClosed || owner_.failingWrites.count(record_.name)) {
        owner_.events.push_back("write failed " + record_.name);
        written = 0;
        error = "took no data";
        return false;
      }
      owner_.events.push_back("write " + record_.name);
      record_.writes.emplace_back(bytes.begin(), bytes.end());
      written = bytes.size();
      return true;
    }
    bool Read(std::span<std::uint8_t>, std::chrono::milliseconds, std::size_t& got, std::string& error) override {
      got = 0;
      error = "nothing to read";
      return false;
    }
    bool Finish(std::string& error) override {
      owner_.events.push_back("finish " + record_.name);
      if (!owner_.failingFinish.count(record_.name)) return true;
      error = "did not take the last bytes";
      return false;
    }
    bool PeerClosed() override { return record_.peerClosed; }

   private:
    RecordingTransport& owner_;
    Record& record_;
  };
};
