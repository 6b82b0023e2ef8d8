// The query over real lines: a pseudo-terminal to the virtual printer of
// the end-to-end runs (e2e/capture.c) in each of its states, and loopback
// TCP listeners that answer like a printer, with garbage or never.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "fd_connection.h"
#include "scripted_connection.h"
#include "status/findings.h"
#include "status/printer_query.h"
#include "text/gbk.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using O = PrinterAnswers::Outcome;

struct LineCase {
  const char* state;   // the printer's state
  O outcome;
  const char* line;    // among the lines shown
  bool ready;
};

bool Shows(const PrinterAnswers& answers, const std::string& line) {
  for (const Finding& f : Findings(answers))
    if (gbk::ToUtf8(f.text) == line) return true;
  return false;
}

// Waits for a file to appear (`gone`: to disappear), up to 5 s.
bool Await(const fs::path& path, bool gone = false) {
  for (int i = 0; i < 500; ++i) {
    if (fs::exists(path) != gone) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// The capture process of the end-to-end runs, with COM1 in `state`.
class VirtualPrinter {
 public:
  explicit VirtualPrinter(const std::string& state) {
    static int serial = 0;
    dir_ = fs::temp_directory_path() / ("status_vp" + std::to_string(getpid()) + "_" + std::to_string(++serial));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
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
    fs::remove_all(dir_);
  }
  int OpenCom1() {
    if (pid_ <= 0 || !Await(dir_ / "ready")) return -1;
    return open((dir_ / "com1").c_str(), O_RDWR | O_NOCTTY);
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
  fs::path dir_;
  pid_t pid_ = 0;
};

TEST(QueryLines, VirtualPrinterOnAPseudoTerminal) {
  const LineCase cases[] = {
      {"", O::Answered, "型号：VIRTUAL PRINTER", true},
      {"paper-out", O::Answered, "缺纸", false},
      {"cover-open", O::Answered, "上盖打开", false},
      {"silent", O::Silent, "无应答", false},
      {"garbage", O::Garbled, "应答无法识别（请检查波特率等端口设置）", false},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.state);
    VirtualPrinter printer(c.state);
    const int fd = printer.OpenCom1();
    ASSERT_GE(fd, 0);
    FdConnection line(fd);
    const auto started = Clock::now();
    const PrinterAnswers answers = QueryPrinter(line);
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(answers.outcome, c.outcome);
    EXPECT_TRUE(Shows(answers, c.line));
    EXPECT_EQ(ReadyToPrint(answers), c.ready);
    if (c.ready) {
      EXPECT_EQ(printer.Recorded(),
                "10 04 01 10 04 02 10 04 03 10 04 04 1D 49 01 1D 49 02 1D 49 03 1D 49 41 1D 49 42 1D 49 43 1D 49 44")
          << "the virtual printer still records every byte";
    }
  }
}

// A printer on a loopback port that answers each request from `script`
// (or never reads at all), until the connection closes.
class TcpPrinter {
 public:
  TcpPrinter(PrinterScript script, bool reads) {
    server_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(server_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t length = sizeof a;
    getsockname(server_, reinterpret_cast<sockaddr*>(&a), &length);
    port_ = ntohs(a.sin_port);
    listen(server_, 1);
    thread_ = std::thread([this, script = std::move(script), reads] {
      const int c = accept(server_, nullptr, nullptr);
      Bytes got;
      std::uint8_t buffer[256];
      while (!done_) {
        pollfd p{c, POLLIN, 0};
        if (!reads || poll(&p, 1, 20) <= 0) {
          std::this_thread::sleep_for(std::chrono::milliseconds(20));
          continue;
        }
        const ssize_t n = read(c, buffer, sizeof buffer);
        if (n <= 0) break;
        got.insert(got.end(), buffer, buffer + n);
        for (; got.size() >= 3; got.erase(got.begin(), got.begin() + 3)) {
          const auto a = script.find(ToHex(Bytes(got.begin(), got.begin() + 3)));
          if (a != script.end() && !a->second.empty()) (void)!write(c, a->second.data(), a->second.size());
        }
      }
      close(c);
    });
  }
  ~TcpPrinter() {
    done_ = true;
    thread_.join();
    close(server_);
  }
  int Connect() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<std::uint16_t>(port_));
    return connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 ? fd : -1;
  }

 private:
  int server_ = -1, port_ = 0;
  std::atomic<bool> done_ = false;
  std::thread thread_;
};

TEST(QueryLines, NetworkPrinters) {
  PrinterScript garbage;
  for (const auto& [request, answer] : ReadyPrinterScript()) garbage[request] = Ascii("OK\r\n");
  const struct {
    const char* name;
    PrinterScript script;
    bool reads;
    LineCase expected;
  } cases[] = {
      {"ready", ReadyPrinterScript(), true, {"", O::Answered, "序列号：K0042", true}},
      {"garbage", garbage, true, {"", O::Garbled, "应答无法识别（请检查波特率等端口设置）", false}},
      {"never answers", {}, false, {"", O::Silent, "无应答", false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TcpPrinter printer(c.script, c.reads);
    const int fd = printer.Connect();
    ASSERT_GE(fd, 0);
    FdConnection line(fd);
    const auto started = Clock::now();
    const PrinterAnswers answers = QueryPrinter(line);
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(answers.outcome, c.expected.outcome);
    EXPECT_TRUE(Shows(answers, c.expected.line));
    EXPECT_EQ(ReadyToPrint(answers), c.expected.ready);
  }
}

}  // namespace
