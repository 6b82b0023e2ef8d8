// send to a pseudo-terminal with its line settings, and to TCP listeners:
// one that reads, one that refuses and one that never reads.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "postest_runner.h"
#include "support/loopback.h"

namespace {

TEST(PostestSerial, PseudoTerminalGetsRawLineWithBaudAndStopBits) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(grantpt(master), 0);
  ASSERT_EQ(unlockpt(master), 0);
  const std::string slave = ptsname(master);
  const int keep = open(slave.c_str(), O_RDWR | O_NOCTTY);  // keeps the line settings for the check
  ASSERT_GE(keep, 0);

  const RunResult r = RunPostest({"send", "epson", "print-text", "--set", "user-text=a\\nb", "--to", slave, "--baud",
                                  "19200", "--stop-bits", "2"});
  EXPECT_EQ(r.status, 0) << r.err;
  termios t{};
  ASSERT_EQ(tcgetattr(keep, &t), 0);
  EXPECT_EQ(cfgetospeed(&t), B19200);
  EXPECT_TRUE(t.c_cflag & CSTOPB);
  EXPECT_FALSE(t.c_cflag & PARENB);
  EXPECT_FALSE(t.c_oflag & OPOST) << "line feeds must pass unchanged";

  Bytes got(64);
  fcntl(master, F_SETFL, O_NONBLOCK);
  const ssize_t n = read(master, got.data(), got.size());
  got.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  EXPECT_EQ(ToHex(got), "1B 40 1C 26 61 0D 0A 62");

  const RunResult bad = RunPostest({"send", "epson", "full-cut", "--to", slave, "--baud", "12345"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("baud rate 12345 is not available"), std::string::npos) << bad.err;
  close(keep);
  close(master);
}

// Reads every connection to `server` to its end, counting them, until
// none has come for a while after the last.
std::thread CollectConnections(int server, Bytes& received, int& connections) {
  return std::thread([server, &received, &connections] {
    pollfd p{server, POLLIN, 0};
    while (poll(&p, 1, 5000) > 0) {  // further connections would arrive within the run
      const int c = accept(server, nullptr, nullptr);
      ++connections;
      std::uint8_t buffer[65536];
      for (ssize_t n; (n = read(c, buffer, sizeof buffer)) > 0;) received.insert(received.end(), buffer, buffer + n);
      close(c);
      p.revents = 0;
      if (poll(&p, 1, 200) <= 0) break;
    }
  });
}

TEST(PostestTcp, ListenerReceivesEveryByteOnOneConnection) {
  int port = 0;
  const int server = ListenOnLoopback(port);
  Bytes received;
  int connections = 0;
  std::thread reader = CollectConnections(server, received, connections);
  const RunResult r = RunPostest({"send", "epson", "english-line", "--set", "copy-count=2", "--to",
                                  "tcp://127.0.0.1:" + std::to_string(port)});
  reader.join();
  close(server);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(connections, 1);
  EXPECT_EQ(received.size(), 2u * 86u);
}

TEST(PostestTcp, RefusedConnectionIsAnError) {
  int port = 0;
  close(ListenOnLoopback(port));  // the port is free again: nothing listens there
  const RunResult r = RunPostest({"send", "epson", "full-cut", "--to", "tcp://127.0.0.1:" + std::to_string(port)});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot connect to 127.0.0.1:" + std::to_string(port)), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("refused"), std::string::npos) << r.err;
}

TEST(PostestTcp, PrinterThatNeverReadsIsReportedAfterTheTimeout) {
  int port = 0;
  const int server = ListenOnLoopback(port, 4096);
  std::atomic<bool> done = false;
  std::thread holder([&] {
    const int c = accept(server, nullptr, nullptr);
    while (!done) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    close(c);
  });
  // About 1.8 MB: more than the connection's buffers hold.
  const auto started = std::chrono::steady_clock::now();
  const RunResult r = RunPostest({"send", "epson", "chinese-receipt", "--set", "copy-count=4000", "--timeout", "1",
                                  "--to", "tcp://127.0.0.1:" + std::to_string(port)});
  // One time-out, not a second one waiting for a confirmation.
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1900));
  done = true;
  holder.join();
  close(server);
  EXPECT_EQ(r.status, 1);
  const bool stalled = r.err.find("took no data for 1 s") != std::string::npos ||
                       r.err.find("did not take the last") != std::string::npos;
  EXPECT_TRUE(stalled) << r.err;
  EXPECT_EQ(r.err.find("sent 1"), std::string::npos) << "no success may be reported";
}

// A large file to a listener that reads 64 KB, then nothing until the
// progress bar shows on postest's terminal, then Ctrl-C, then everything:
// through the custom sender, and replayed.
TEST(PostestTcp, ProgressBarOnATerminalAndCtrlCStopsBetweenPieces) {
  const auto job = WorkDir() / "large.prn";
  constexpr std::size_t kFileBytes = 8'000'000;  // more than the connection's buffers hold
  std::ofstream(job, std::ios::binary) << std::string(kFileBytes, 'J');
  const std::vector<std::string> commands[] = {
      {"send", "custom-command", "send-network", "--set", "file-path=" + job.string()},
      {"send", job.string()},
  };
  for (std::vector<std::string> args : commands) {
    int port = 0;
    const int server = ListenOnLoopback(port, 4096);
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(grantpt(terminal), 0);
    ASSERT_EQ(unlockpt(terminal), 0);
    args.insert(args.end(), {"--to", "tcp://127.0.0.1:" + std::to_string(port)});
    const StartedPostest run = StartPostest(args, "", ptsname(terminal));
    const int c = accept(server, nullptr, nullptr);
    std::size_t received = 0;
    char buffer[4096];
    for (ssize_t n; received < 64 * 1024 && (n = read(c, buffer, sizeof buffer)) > 0;) received += static_cast<std::size_t>(n);
    std::string shown;
    pollfd p{terminal, POLLIN, 0};
    while (shown.find(" left") == std::string::npos && poll(&p, 1, 10'000) > 0) {
      const ssize_t n = read(terminal, buffer, sizeof buffer);
      if (n <= 0) break;
      shown.append(buffer, static_cast<std::size_t>(n));
    }
    kill(run.pid, SIGINT);
    for (ssize_t n; (n = read(c, buffer, sizeof buffer)) > 0;) received += static_cast<std::size_t>(n);
    const RunResult r = WaitPostest(run, false);
    fcntl(terminal, F_SETFL, O_NONBLOCK);
    for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0;) shown.append(buffer, static_cast<std::size_t>(n));
    close(c);
    close(server);
    close(terminal);

    EXPECT_NE(shown.find("/ 8000000 bytes"), std::string::npos) << args[1] << "\n" << shown;
    EXPECT_NE(shown.find(" B/s"), std::string::npos) << shown;
    EXPECT_EQ(r.status, 1) << args[1];
    const std::string told = "stopped by Ctrl-C: " + std::to_string(received) + " of 8000000 bytes were sent";
    EXPECT_NE(shown.find(told), std::string::npos) << shown << "\nreceived " << received;
    EXPECT_LT(received, kFileBytes);
  }
}

// A captured job of every byte value, longer than one read buffer, replayed
// to a listener: the same bytes on one connection.
TEST(PostestTcp, ReplayedJobArrivesUnchanged) {
  Bytes job(2'500'000);
  for (std::size_t i = 0; i < job.size(); ++i) job[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  const auto path = WorkDir() / "captured.prn";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(job.data()), static_cast<std::streamsize>(job.size()));
  int port = 0;
  const int server = ListenOnLoopback(port);
  Bytes received;
  int connections = 0;
  std::thread reader = CollectConnections(server, received, connections);
  const RunResult r = RunPostest({"send", path.string(), "--to", "tcp://127.0.0.1:" + std::to_string(port)});
  reader.join();
  close(server);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(connections, 1);
  EXPECT_TRUE(received == job) << received.size() << " bytes received";
}

}  // namespace
