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

// `input`, when given, is the program's standard input.
inline RunResult RunPostest(const std::vector<std::string>& args, const std::string& input = "") {
  static int serial = 0;
  const std::filesystem::path base = WorkDir() / ("run" + std::to_string(getpid()) + "_" + std::to_string(++serial));
  const std::string in = base.string() + ".in", out = base.string() + ".out", err = base.string() + ".err";
  std::ofstream(in, std::ios::binary) << input;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<std::string> all = {POSTEST};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  RunResult result;
  pid_t pid = 0;
  if (posix_spawn(&pid, POSTEST, &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  result.out = ReadText(out);
  result.err = ReadText(err);
  return result;
}
