#pragma once

// Runs the postest program with arguments and collects its exit status and output.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/hex.h"

struct RunResult {
  int status = -1;
  std::string out, err;
};

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline Bytes ReadBytes(const std::filesystem::path& path) {
  const std::string text = ReadText(path);
  return Bytes(text.begin(), text.end());
}

inline std::filesystem::path WorkDir() {
  std::filesystem::path dir = CLI_WORK_DIR;
  std::filesystem::create_directories(dir);
  return dir;
}

struct StartedPostest {
  pid_t pid = -1;
  std::string out, err;  // where its output goes
};

// Starts postest; `input`, when given, is its standard input, `errorTo` a
// file or terminal for its stderr (a file of its own when empty).
inline StartedPostest StartPostest(const std::vector<std::string>& args, const std::string& input = "",
                                   const std::string& errorTo = "") {
  static int serial = 0;
  const std::filesystem::path base = WorkDir() / ("run" + std::to_string(getpid()) + "_" + std::to_string(++serial));
  const std::string in = base.string() + ".in";
  StartedPostest started{-1, base.string() + ".out", errorTo.empty() ? base.string() + ".err" : errorTo};
  std::ofstream(in, std::ios::binary) << input;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, started.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, started.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOCTTY, 0644);
  std::vector<std::string> all = {POSTEST};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  if (posix_spawn(&started.pid, POSTEST, &actions, nullptr, argv.data(), environ) != 0) started.pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return started;
}

// Waits for it to end; `err` is read back only when it went to a file of its own.
inline RunResult WaitPostest(const StartedPostest& started, bool readErr = true) {
  RunResult result;
  int status = 0;
  if (started.pid > 0 && waitpid(started.pid, &status, 0) == started.pid)
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadText(started.out);
  if (readErr) result.err = ReadText(started.err);
  return result;
}

inline RunResult RunPostest(const std::vector<std::string>& args, const std::string& input = "") {
  return WaitPostest(StartPostest(args, input));
}
