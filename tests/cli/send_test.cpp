// send to a file: the bytes of a sample of buttons, and bad input.
#include <gtest/gtest.h>

#include "postest_runner.h"

namespace {

struct Press {
  const char* panel;
  const char* button;
  std::vector<std::string> sets;
  std::string hex;  // every byte written, in order
};

const std::string kPangram = "A quick brown fox jumps over the lazy dog.";

// Buttons named by short name, id or caption; one row per press.
const Press kPresses[] = {
    {"epson", "feed-forward", {"feed-amount=20"}, "1B 40 1C 26 1B 4A 20"},
    {"epson", "feed-forward", {"1074=1ff"}, "1B 40 1C 26 1B 4A FF"},
    {"114", "1033", {"feed-amount=5"}, "1B 40 1C 26 1B 6A 05"},
    {"EPSON模式", "文字打印", {"user-text=ab\\ncd"}, "1B 40 1C 26 61 62 0D 0A 63 64"},
    {"epson", "print-text", {"user-text=中文"}, "1B 40 1C 26 D6 D0 CE C4"},
    {"epson", "full-cut", {}, "1B 69"},
    {"epson", "partial-cut", {}, "1B 6D"},
    {"epson", "钱箱 1", {}, "1B 70 00 3F FF"},
    {"epson", "drawer-2", {}, "1B 70 01 3F FF"},
    {"epson", "print-image", {}, "1D 2F 00 0D"},
    {"epson", "english-line", {"copy-count=0"}, ToHex(Cat({Ascii(kPangram + kPangram), Hex("0A 0A")}))},
    {"star-9pin", "feed-forward", {"1008=18"}, "1B 40 1B 4A 18"},
    {"STAR模式(9针)", "倍高倍宽", {"user-text=ab"}, "1B 40 1B 77 00 61 62"},
    {"142", "1024", {}, "1B 64 00"},
    {"star-9pin", "1036", {}, "1B 64 01"},
    {"star-9pin", "1038", {}, "07"},
    {"636K专用", "1038", {}, "1B 7C 72 F9 00 3F FF"},
    {"636k-test", "1031", {"1083=ab"}, "1B 7C 77 00 A0 12 00 61 62"},
    {"636k-test", "1047", {"1083=ab"}, "1B 40 1B 7C 77 00 A0 12 01 61 62"},
    {"585k", "1024", {}, "1B 7C 77 00 01 01"},
    {"585k", "76mm纸宽", {}, "1B 7C 77 00 05 00"},
    {"585k", "40014", {}, "1B 7C 77 00 04 00"},
    {"585k", "1222", {}, "1B 7C 77 00 04 01"},
    {"585k", "1033", {"1119=#7"}, "1B 7C 77 00 08 07"},
    {"585k", "1033", {"1119=12"}, "1B 7C 77 00 08 0C"},
    {"416kc", "set-cut", {"cut-position=5", "forward=on"}, "1B 7C 77 00 AA 63 00 28"},
    {"416kc", "set-cut", {"cut-position=5", "backward=on"}, "1B 7C 77 00 AA 63 80 28"},
    {"416kc", "set-cut", {"cut-position=40", "1114=on"}, "1B 7C 77 00 AA 63 01 40"},
    {"custom-command", "send-parallel", {"command-text=1B400A"}, "1B 40 0A"},
    {"自定义打印测试", "串口发送", {"1024=1b40"}, "1B 40"},
    // 3 mm measured, 1.1 mm wanted: 539 steps in the two auto-load distance settings.
    {"636k-single-sheet", "adjust", {"actual-edit=3", "ideal-edit=1.1"}, "1B 7C 77 00 A0 14 02 1B 7C 77 00 A0 15 1B"},
};

std::vector<std::string> SendArgs(const Press& p, const std::string& target) {
  std::vector<std::string> args = {"send", p.panel, p.button, "--to", target};
  for (const std::string& s : p.sets) {
    args.push_back("--set");
    args.push_back(s);
  }
  return args;
}

TEST(PostestSend, ButtonsWriteTheirBytesToAFile) {
  for (const Press& p : kPresses) {
    const auto file = WorkDir() / "press.bin";
    const RunResult r = RunPostest(SendArgs(p, file.string()));
    EXPECT_EQ(r.status, 0) << p.button << ": " << r.err;
    EXPECT_EQ(ToHex(ReadBytes(file)), p.hex) << p.panel << " " << p.button;
  }
}

TEST(PostestSend, CopiesAndResetsGoIntoOneFile) {
  const auto file = WorkDir() / "copies.bin";
  const RunResult r = RunPostest({"send", "epson", "english-line", "--set", "copy-count=3", "--to", file.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadBytes(file).size(), 3u * 86u);
}

TEST(PostestSend, CustomSenderWritesTheFileThenTheCommand) {
  const auto job = WorkDir() / "job\\n.prn";  // a read-only path field takes backslashes as they are
  std::ofstream(job, std::ios::binary) << "AB\n";
  const auto file = WorkDir() / "custom.bin";
  const RunResult r = RunPostest({"send", "custom-command", "send-usb", "--set", "file-path=" + job.string(), "--set",
                                  "command-text=1D5600", "--to", file.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ToHex(ReadBytes(file)), "41 42 0A 1D 56 00");
}

TEST(PostestSend, ReplayedFileIsWrittenUnchanged) {
  const auto job = WorkDir() / "replay.prn";
  std::ofstream(job, std::ios::binary) << std::string("\x1b\x40\x00\x0d\x0a\xff\x1a", 7);
  const auto file = WorkDir() / "replayed.bin";
  const RunResult r = RunPostest({"send", job.string(), "--to", file.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ToHex(ReadBytes(file)), "1B 40 00 0D 0A FF 1A");
}

TEST(PostestSend, DefineImageWrites2404Bytes) {
  const auto file = WorkDir() / "image.bin";
  const RunResult r = RunPostest({"send", "epson", "define-image", "--to", file.string()});
  EXPECT_EQ(r.status, 0);
  const Bytes bytes = ReadBytes(file);
  ASSERT_EQ(bytes.size(), 2404u);
  EXPECT_EQ(ToHex(Bytes(bytes.begin(), bytes.begin() + 4)), "1D 2A 1E 0A");
  EXPECT_NE(r.err.find("sent 2404 bytes in 241 writes"), std::string::npos) << r.err;
}

TEST(PostestSend, AgingRunIsWaitedForToItsLastPattern) {
  const auto file = WorkDir() / "aging.bin";
  const RunResult r = RunPostest({"send", "performance", "aging-start", "--set", "aging-seconds=0", "--to", file.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadBytes(file).size(), 3600u * 220u);
}

struct BadInput {
  std::vector<std::string> args;
  int status;
  std::string message;  // part of what stderr says
};

TEST(PostestSend, BadInputIsRefusedWithAClearMessage) {
  const std::string out = (WorkDir() / "never.bin").string();
  const std::string missing = (WorkDir() / "missing.prn").string(), dir = WorkDir().string();
  const std::string empty = (WorkDir() / "empty.prn").string();
  std::ofstream{empty};
  const BadInput cases[] = {
      {{"send", "nosuch", "full-cut", "--to", out}, 2, "no panel named \"nosuch\""},
      {{"send", "epson", "nosuch", "--to", out}, 2, "has no button or field named \"nosuch\""},
      {{"send", "epson", "full-cut", "--set", "nosuch=1", "--to", out}, 2, "named \"nosuch\""},
      {{"send", "epson", "chinese-receipt", "--set", "copy-count=-2", "--to", out}, 2, "takes digits only"},
      {{"send", "epson", "chinese-receipt", "--set", "copy-count=abc", "--to", out}, 2, "takes digits only"},
      {{"send", "epson", "print-text", "--set", "user-text=\xF0\x9F\x98\x80", "--to", out}, 2, "has no GB2312/GBK code"},
      {{"send", "epson", "feed-amount", "--to", out}, 2, "is a field, not a button"},
      {{"send", "epson", "full-cut"}, 2, "needs --to"},
      {{"send", "epson", "full-cut", "--to", "/nonexistent/dir/x.bin"}, 1, "cannot open /nonexistent/dir/x.bin"},
      {{"send", "epson", "full-cut", "--to", "tcp://"}, 1, "bad network target"},
      {{"send", "epson", "full-cut", "--bogus", "--to", out}, 2, "unknown option --bogus"},
      {{"frobnicate"}, 2, "unknown command \"frobnicate\""},
      {{"send", "585k", "1033", "--set", "1119=#16", "--to", out}, 2, "list adjust-list (1119) has 16 items"},
      // A refused entry: the panel's own box on stderr, nothing sent.
      {{"send", "636k-single-sheet", "adjust", "--to", out}, 1, "参数无效,请再测量一次"},
      // A file to replay, or the custom sender's file, that cannot be read: nothing sent.
      {{"send", missing, "--to", out}, 1, "cannot read " + missing + ": No such file"},
      {{"send", dir, "--to", out}, 1, "cannot read " + dir + ": Is a directory"},
      {{"send", empty, "--to", out}, 1, "is empty; nothing was sent"},
      {{"send", "epson", "--to", out}, 2, "a PANEL and a BUTTON, or a FILE"},
      {{"send", missing, "--set", "a=b", "--to", out}, 2, "a FILE is sent as it is"},
      {{"send", "custom-command", "send-serial", "--set", "file-path=" + missing, "--to", out}, 1, "No such file"},
      {{"send", "custom-command", "send-parallel", "--set", "file-path=" + dir, "--set", "command-text=1B40", "--to", out},
       1, "Is a directory"},
      {{"send", "custom-command", "send-usb", "--set", "file-path=" + missing, "--to", out}, 1, "No such file"},
  };
  for (const BadInput& c : cases) {
    std::filesystem::remove(out);
    const RunResult r = RunPostest(c.args);
    EXPECT_EQ(r.status, c.status) << c.args[0] << " " << c.message << ": " << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out) && !std::filesystem::is_empty(out)) << c.message;
  }
}

TEST(PostestList, ShowsPanelsButtonsAndFieldsInUtf8) {
  const RunResult r = RunPostest({"list", "epson"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("epson  (dialog 114, menu 40047"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("1048   feed-forward"), std::string::npos);
  EXPECT_NE(r.out.find("\xE6\xAD\xA3\xE5\x90\x91\xE8\xB5\xB0\xE7\xBA\xB8"), std::string::npos);  // 正向走纸
  EXPECT_NE(r.out.find("1073   copy-count                 text field, digits only"), std::string::npos);
  EXPECT_EQ(r.out.find("1086"), std::string::npos) << "interface buttons are chosen by --to";
}

TEST(PostestHelp, EveryCommandHasHelp) {
  for (const char* command : {"list", "send", "decode", "render"}) {
    const RunResult r = RunPostest({command, "--help"});
    EXPECT_EQ(r.status, 0) << command;
    EXPECT_EQ(r.out.rfind(std::string("usage: postest ") + command, 0), 0u) << r.out;
  }
  EXPECT_EQ(RunPostest({"--help"}).status, 0);
  EXPECT_EQ(RunPostest({}).status, 2);
}

// A time-out beyond a day would overflow the milliseconds the ports wait.
TEST(PostestUsage, PortOptionsOutOfRangeAreRefused) {
  for (const std::vector<std::string>& command : {std::vector<std::string>{"send", "epson", "full-cut"}, {"status"}})
    for (const char* option : {"--timeout=0", "--timeout=86401", "--data-bits=256", "--baud=x"}) {
      const std::string name(option, std::string_view(option).find('='));
      std::vector<std::string> args = command;
      args.insert(args.end(), {"--to", "tcp://127.0.0.1:1", name, std::string(option + name.size() + 1)});
      EXPECT_EQ(RunPostest(args).status, 2) << command[0] << " " << option;
    }
}

}  // namespace
