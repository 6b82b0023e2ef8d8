#pragma once

// Printers on real lines for the tests: the virtual printer of the
// end-to-end runs (e2e/capture.c) on a pseudo-terminal, and a scripted
// printer on a loopback TCP port.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "printer_script.h"
#include "support/loopback.h"

// Waits for a file to appear (`gone`: to disappear), up to 5 s.
inline bool Await(const std::filesystem::path& path, bool gone = false) {
  for (int i = 0; i < 500; ++i) {
    if (std::filesystem::exists(path) != gone) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// The capture process of the end-to-end runs, with COM1 in `state`.
class VirtualPrinter {
 public:
  explicit VirtualPrinter(const std::string& state) {
    static int serial = 0;
    dir_ = std::filesystem::temp_directory_path() / ("status_vp" + std::to_string(getpid()) + "_" + std::to_string(++serial));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    if (!state.empty()) std::ofstream(dir_ / "printer-state") << state << "\n";
    std::string program = CAPTURE, dir = dir_.string();
    char* argv[] = {program.data(), dir.data(), nullptr};
    if (posix_spawn(&pid_, CAPTURE, nullptr, nullptr, argv, environ) != 0) pid_ = 0;
  }
  ~VirtualPrinter() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    std::filesystem::remove_all(dir_);
  }
  // The path of its COM1 once it runs; empty when it did not start.
  std::string Com1() {
    if (pid_ <= 0 || !Await(dir_ / "ready")) return "";
    return (dir_ / "com1").string();
  }
  int OpenCom1() {
    const std::string path = Com1();
    return path.empty() ? -1 : open(path.c_str(), O_RDWR | O_NOCTTY);
  }
  // What it recorded, once everything written has been taken in.
  std::string Recorded() {
    std::ofstream(dir_ / "sync.req").close();
    if (!Await(dir_ / "sync.req", true)) return "no sync";
    std::ifstream in(dir_ / "serial.bin", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ToHex(Bytes(bytes.begin(), bytes.end()));
  }

 private:
  std::filesystem::path dir_;
  pid_t pid_ = 0;
};

// A printer on a loopback port: takes one connection and answers each
// request on it from `script` (or never reads at all).
class TcpPrinter {
 public:
  TcpPrinter(PrinterScript script, bool reads) {
    server_ = ListenOnLoopback(port_);
    thread_ = std::thread([this, script = std::move(script), reads] {
      int c = -1;
      for (pollfd p{server_, POLLIN, 0}; c < 0 && !done_; p.revents = 0)
        if (poll(&p, 1, 20) > 0) c = accept(server_, nullptr, nullptr);
      Bytes got;
      std::uint8_t buffer[256];
      while (!done_) {
        pollfd p{c, POLLIN, 0};
        if (!reads) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (!reads || poll(&p, 1, 20) <= 0) continue;
        const ssize_t n = read(c, buffer, sizeof buffer);
        if (n <= 0) break;
        got.insert(got.end(), buffer, buffer + n);
        for (; got.size() >= 3; got.erase(got.begin(), got.begin() + 3)) {
          const auto a = script.find(ToHex(Bytes(got.begin(), got.begin() + 3)));
          if (a != script.end() && !a->second.empty()) (void)!write(c, a->second.data(), a->second.size());
        }
      }
      if (c >= 0) close(c);
    });
  }
  ~TcpPrinter() {
    done_ = true;
    thread_.join();
    close(server_);
  }
  int Port() const { return port_; }

 private:
  int server_ = -1, port_ = 0;
  std::atomic<bool> done_ = false;
  std::thread thread_;
};

