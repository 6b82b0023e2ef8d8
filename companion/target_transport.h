#pragma once

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "link/transport.h"

// The printer link's transport and reporter for the command line: every
// connection the link opens, whatever it names, is the one target of the
// run, opened once. Closing leaves it open until Finish, so a file is not
// started afresh and a network printer sees one connection. The first
// failure is kept and no byte is written after it.
class TargetTransport : public Transport, public Reporter {
 public:
  TargetTransport(Transport& system, Endpoint target, std::string targetName, std::FILE* progress)
      : system_(system), target_(std::move(target)), name_(std::move(targetName)), progress_(progress) {}
  ~TargetTransport() override;

  std::unique_ptr<Connection> Open(const Endpoint& where, std::string& error) override;
  std::vector<std::string> ListUsbPrinters() override { return {name_}; }
  void Report(const LinkFailure& failure) override { Fail(failure.reason); }

  // Fails the run with `reason` (when nothing failed before): no byte is
  // written after it.
  void Stop(const std::string& reason) { Fail(reason); }
  // Ends the connection; false when anything failed in the run.
  bool Finish();

  const std::string& Error() const { return error_; }
  std::size_t BytesWritten() const { return bytes_; }
  int Writes() const { return writes_; }

 private:
  class Handle;
  bool Write(std::span<const std::uint8_t> bytes, std::size_t& written, std::string& error);
  void Fail(const std::string& reason) {
    if (error_.empty()) error_ = reason;
  }
  void ShowProgress(bool last);

  Transport& system_;
  Endpoint target_;
  std::string name_;
  std::FILE* progress_;  // a terminal to show progress on, or nullptr
  std::unique_ptr<Connection> connection_;
  bool finished_ = false;
  std::string error_;
  std::size_t bytes_ = 0;
  int writes_ = 0;
  std::chrono::steady_clock::time_point lastShown_{};
  bool shown_ = false;
};
