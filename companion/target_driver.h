#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "link/port_driver.h"
#include "sink.h"

// The printer link's port driver for the command line: every port the link
// opens, whatever its name, is the one target of the run. Closing leaves
// the connection open until Finish, so a file is not started afresh and a
// network printer sees one connection. The first failure is kept and no
// byte is written after it.
class TargetPortDriver : public PortDriver {
 public:
  TargetPortDriver(Sink& sink, std::string targetName, std::FILE* progress)
      : sink_(sink), name_(std::move(targetName)), progress_(progress) {}

  PortHandle OpenSerial(const std::string& name, const LineSettings& line) override;
  PortHandle OpenParallel(const std::string& name) override;
  std::vector<std::string> ListUsbPrinters() override;
  PortHandle OpenUsb(const std::string& devicePath) override;
  void Write(PortHandle port, const std::uint8_t* bytes, std::size_t count) override;
  void Close(PortHandle port) override;
  void ShowOpenFailure() override;

  // Ends the connection; false when anything failed in the run.
  bool Finish();

  const std::string& Error() const { return error_; }
  std::size_t BytesWritten() const { return bytes_; }
  int Writes() const { return writes_; }

 private:
  PortHandle Open(const LineSettings& line);
  void ShowProgress(bool last);

  Sink& sink_;
  std::string name_;
  std::FILE* progress_;  // a terminal to show progress on, or nullptr
  bool opened_ = false;
  bool finished_ = false;
  std::string error_;
  std::size_t bytes_ = 0;
  int writes_ = 0;
  std::chrono::steady_clock::time_point lastShown_{};
  bool shown_ = false;
};
