#include "link/posix_transport.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <thread>

#include "support/hex.h"
#include "support/loopback.h"

namespace {

using namespace std::chrono_literals;

PosixTransport QuickTransport() { return PosixTransport({1000, 300}); }

bool WriteAll(Connection& c, const Bytes& bytes, std::string& error) {
  std::size_t written = 0;
  return c.Write(bytes, written, error);
}

// A loopback listener that runs `serve` on its one accepted connection.
class Listener {
 public:
  explicit Listener(std::function<void(int)> serve, int receiveBuffer = 0) {
    fd_ = ListenOnLoopback(port, receiveBuffer);
    thread_ = std::thread([this, serve] {
      pollfd p{fd_, POLLIN, 0};
      while (!done && poll(&p, 1, 20) == 0) {}
      if (done) return;
      const int c = accept(fd_, nullptr, nullptr);
      serve(c);
      close(c);
    });
  }
  ~Listener() {
    done = true;
    thread_.join();
    close(fd_);
  }
  Endpoint Where() const { return {TransportKind::Network, "127.0.0.1", std::to_string(port), {}}; }

  int port = 0;
  std::atomic<bool> done = false;

 private:
  int fd_ = -1;
  std::thread thread_;
};

Bytes ReadUntilClosed(int fd) {
  Bytes got;
  std::uint8_t buffer[4096];
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) got.insert(got.end(), buffer, buffer + n);
  return got;
}

TEST(PosixNetwork, WritesReadsBackAndFinishesWhenThePrinterHasEveryByte) {
  Bytes received;
  Listener printer([&](int c) {
    const std::uint8_t status[] = {0x12};
    write(c, status, 1);
    received = ReadUntilClosed(c);
  });
  PosixTransport transport = QuickTransport();
  std::string error;
  std::unique_ptr<Connection> c = transport.Open(printer.Where(), error);
  ASSERT_NE(c, nullptr) << error;
  EXPECT_TRUE(WriteAll(*c, Hex("1B 40 10 04 01"), error)) << error;
  std::uint8_t answer[8];
  std::size_t got = 0;
  EXPECT_TRUE(c->Read(answer, 1000ms, got, error)) << error;
  EXPECT_EQ(ToHex(Bytes(answer, answer + got)), "12");
  EXPECT_TRUE(c->Read(answer, 50ms, got, error));
  EXPECT_EQ(got, 0u) << "nothing more came";
  EXPECT_TRUE(c->Finish(error)) << error;
  c.reset();
  printer.done = true;
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(ToHex(received), "1B 40 10 04 01");
}

TEST(PosixNetwork, FailuresSayWhatHappened) {
  const struct {
    const char* what;
    std::function<void(int)> serve;
    int receiveBuffer;
    std::size_t bytes;
    const char* error;
  } cases[] = {
      {"never reading", [](int) { std::this_thread::sleep_for(1500ms); }, 4096, 8 << 20, "took no data for 1 s"},
      {"closed mid-write", [](int c) {
         std::uint8_t b[16];
         read(c, b, sizeof b);
         linger reset{1, 0};  // closes with a reset, as a printer switched off
         setsockopt(c, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
       }, 0, 8 << 20, "writing to 127.0.0.1:"},
  };
  for (const auto& c : cases) {
    Listener printer(c.serve, c.receiveBuffer);
    PosixTransport transport = QuickTransport();
    std::string error;
    std::unique_ptr<Connection> connection = transport.Open(printer.Where(), error);
    ASSERT_NE(connection, nullptr) << error;
    std::size_t written = 0;
    EXPECT_FALSE(connection->Write(Bytes(c.bytes, 0x41), written, error)) << c.what;
    EXPECT_LT(written, c.bytes) << c.what;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.what << ": " << error;
  }
}

TEST(PosixNetwork, RefusedAndDroppedConnections) {
  int port = 0;
  { Listener gone([](int) {}); port = gone.port; }  // nothing listens there now
  PosixTransport transport = QuickTransport();
  std::string error;
  EXPECT_EQ(transport.Open({TransportKind::Network, "127.0.0.1", std::to_string(port), {}}, error), nullptr);
  EXPECT_NE(error.find("cannot connect to 127.0.0.1:" + std::to_string(port) + ": Connection refused"), std::string::npos)
      << error;

  Listener dropping([](int) {});  // accepts and closes at once
  std::unique_ptr<Connection> c = transport.Open(dropping.Where(), error);
  ASSERT_NE(c, nullptr) << error;
  const auto deadline = std::chrono::steady_clock::now() + 2s;
  while (!c->PeerClosed() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(10ms);
  EXPECT_TRUE(c->PeerClosed());
}

TEST(PosixSerial, PseudoTerminalTakesTheLineAndAnswers) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(grantpt(master), 0);
  ASSERT_EQ(unlockpt(master), 0);
  const std::string slave = ptsname(master);
  PosixTransport transport = QuickTransport();
  std::string error;
  Endpoint where{TransportKind::Serial, slave, "", {19200, 8, 0, 2, true}};
  std::unique_ptr<Connection> c = transport.Open(where, error);
  ASSERT_NE(c, nullptr) << error;
  EXPECT_TRUE(WriteAll(*c, Hex("1B 40 0A"), error)) << error;
  Bytes got(16);
  const ssize_t n = read(master, got.data(), got.size());
  got.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  EXPECT_EQ(ToHex(got), "1B 40 0A") << "raw: a line feed passes unchanged";

  write(master, "\x14", 1);
  std::uint8_t answer[4];
  std::size_t count = 0;
  EXPECT_TRUE(c->Read(answer, 1000ms, count, error)) << error;
  EXPECT_EQ(ToHex(Bytes(answer, answer + count)), "14");
  EXPECT_TRUE(c->Finish(error)) << error;

  where.line.baudRate = 12345;
  EXPECT_EQ(transport.Open(where, error), nullptr);
  EXPECT_NE(error.find("baud rate 12345 is not available"), std::string::npos) << error;
  close(master);
}

TEST(PosixDevice, ADeviceThatTakesNothingTimesOutAndAFileTakesAll) {
  const std::string dir = ::testing::TempDir();
  const std::string fifo = dir + "/posix_transport_fifo";
  unlink(fifo.c_str());
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  PosixTransport transport = QuickTransport();
  std::string error;
  std::unique_ptr<Connection> device = transport.Open({TransportKind::Parallel, fifo, "", {}}, error);
  ASSERT_NE(device, nullptr) << error;
  std::size_t written = 0;
  EXPECT_FALSE(device->Write(Bytes(1 << 20, 0x41), written, error));
  EXPECT_NE(error.find("took no data for 1 s"), std::string::npos) << error;
  device.reset();
  unlink(fifo.c_str());

  const std::string path = dir + "/posix_transport_file.prn";
  std::unique_ptr<Connection> file = transport.Open({TransportKind::File, path, "", {}}, error);
  ASSERT_NE(file, nullptr) << error;
  EXPECT_TRUE(WriteAll(*file, Hex("1B 40 0C"), error)) << error;
  EXPECT_TRUE(file->Finish(error)) << error;
  std::ifstream in(path, std::ios::binary);
  const Bytes content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(ToHex(content), "1B 40 0C");
  EXPECT_EQ(transport.Open({TransportKind::File, dir + "/no/such/folder/x", "", {}}, error), nullptr);
  EXPECT_NE(error.find("cannot open"), std::string::npos);
}

}  // namespace
