// decode [FILE] and render [FILE] -o PAGE.png: what a printer makes of a stream.
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "command_line.h"
#include "preview/decoder.h"
#include "preview/png.h"
#include "preview/renderer.h"
#include "stdio_file_reader.h"

namespace {

const char* kDecodeHelp =
    "usage: postest decode [FILE] [--set escpos|star|escp|oki|auto]\n"
    "\n"
    "Reads a printer stream (FILE, or standard input) and prints one line per\n"
    "command: its offset and bytes in hex, its name in the command set (ESC/POS when\n"
    "none is given; auto: the set that explains the most) and its parameters. Text is\n"
    "shown as text (code page 936 with GB18030's four-byte signs; ESC/POS after FS .:\n"
    "the ESC t table, PC437, 850, 852, 858, 860, 863, 865, 866, 737, WPC1252, WPC1251\n"
    "or Katakana), images\n"
    "by mode and size. Unknown and truncated commands, and known ones whose effect\n"
    "the preview does not draw, are flagged with \"!!\".\n"
    "Exit status: 0 when every byte was understood, 1 when something was flagged\n"
    "or the input cannot be read or is empty, 2 for a usage error.\n";

const char* kRenderHelp =
    "usage: postest render [FILE] -o PAGE.png [--set escpos|star|escp|oki|auto] [--paper 58|80|76]\n"
    "\n"
    "Draws what a printer prints for a stream (FILE, or standard input) as a PNG\n"
    "picture: text in the built-in font (Chinese too), bit and raster images, bar\n"
    "codes (GS1-128 and DataBar too) and 2D codes (QR, PDF417, DataMatrix, Aztec,\n"
    "MaxiCode), feeds; grey dashes where the paper is cut or ejected. Symbols are\n"
    "drawn by the libzint library in the Linux build; where it is missing\n"
    "(postest.exe for Windows), for FS P, and for data the symbology cannot hold\n"
    "(GS1 data without (AI) parentheses among them), a labelled box stands in\n"
    "their place. Paper: 58 or 80 mm thermal (203 dpi), or 76 mm dot-matrix; 80\n"
    "for ESC/POS and 76 otherwise when none is given. Flagged commands are\n"
    "reported as 'decode' reports them.\n"
    "The picture ends after 3 m of paper or 100 million dots: a stream that goes\n"
    "on past that is drawn up to there and reported.\n"
    "Exit status as for decode; 1 also when the picture ends before the stream.\n";

struct Input {
  preview::CommandSet set = preview::CommandSet::EscPos;
  std::vector<std::uint8_t> bytes;
};

// The command set that explains the stream best: the fewest flagged commands,
// ESC/POS when several tie.
preview::CommandSet BestSet(const std::vector<std::uint8_t>& bytes) {
  preview::CommandSet best = preview::CommandSet::EscPos;
  int fewest = -1;
  for (preview::CommandSet set : {preview::CommandSet::EscPos, preview::CommandSet::Star, preview::CommandSet::EscP,
                                  preview::CommandSet::Oki}) {
    const preview::Decoding d = preview::DecodeEach(bytes, set, [](const preview::Item&) {});
    const int flagged = d.unknown + (d.truncated ? 1 : 0);
    if (fewest < 0 || flagged < fewest) {
      fewest = flagged;
      best = set;
    }
  }
  return best;
}

// Parses the shared options and reads the stream; a non-empty message on failure.
int ReadCommon(const Arguments& a, Input& in) {
  if (a.Plain().size() > 1) return Fail(kExitUsage, "give one FILE at most");
  std::string name = a.Value("--set").value_or("escpos");
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const auto set = preview::ParseCommandSet(name);
  if (!set && name != "auto") return Fail(kExitUsage, "unknown command set \"" + name + "\": escpos, star, escp, oki or auto");
  std::string error;
  if (!ReadWholeFile(a.Plain().empty() ? "-" : a.Plain()[0], in.bytes, error)) return Fail(kExitFailed, error);
  if (in.bytes.empty()) {
    const std::string source = a.Plain().empty() || a.Plain()[0] == "-" ? "standard input" : a.Plain()[0];
    return Fail(kExitFailed, source + " is empty: no stream to read");
  }
  in.set = set ? *set : BestSet(in.bytes);
  if (!set) std::fprintf(stderr, "command set: %s\n", preview::CommandSetName(in.set));
  return -1;
}

void ReportFlags(const preview::Decoding& d) {
  if (d.unknown > 0) std::fprintf(stderr, "postest: %d unknown command%s\n", d.unknown, d.unknown == 1 ? "" : "s");
  if (d.truncated) std::fprintf(stderr, "postest: the stream ends inside a command\n");
}

}  // namespace

int RunDecode(const std::vector<std::string>& args) {
  const Arguments a(args, {"--set"});
  if (a.Has("--help") || a.Has("-h")) {
    std::fputs(kDecodeHelp, stdout);
    return kExitSent;
  }
  if (const std::string bad = a.Unknown({}); !bad.empty()) return Fail(kExitUsage, bad);
  Input in;
  if (const int status = ReadCommon(a, in); status >= 0) return status;
  const preview::Decoding d = preview::DecodeEach(in.bytes, in.set, [&](const preview::Item& item) {
    std::string line = preview::DescribeItem(item, in.bytes);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
  });
  ReportFlags(d);
  return d.Clean() ? kExitSent : kExitFailed;
}

int RunRender(const std::vector<std::string>& args) {
  const Arguments a(args, {"--set", "-o", "--output", "--paper"});
  if (a.Has("--help") || a.Has("-h")) {
    std::fputs(kRenderHelp, stdout);
    return kExitSent;
  }
  if (const std::string bad = a.Unknown({}); !bad.empty()) return Fail(kExitUsage, bad);
  const std::optional<std::string> output = a.Has("-o") ? a.Value("-o") : a.Value("--output");
  if (!output) return Fail(kExitUsage, "render needs -o PAGE.png (postest render --help)");
  const std::optional<std::string> paperName = a.Value("--paper");
  if (paperName && !preview::PaperFor(*paperName, preview::CommandSet::EscPos))
    return Fail(kExitUsage, "unknown paper \"" + *paperName + "\": 58, 80 or 76");
  Input in;
  if (const int status = ReadCommon(a, in); status >= 0) return status;
  const preview::Paper paper = paperName ? *preview::PaperFor(*paperName, in.set) : preview::DefaultPaper(in.set);
  preview::Decoding d;
  const preview::Rendering r = preview::DecodeAndRender(in.bytes, in.set, paper, d);
  if (!preview::WritePng(r.page, *output)) return Fail(kExitFailed, "cannot write " + *output);
  std::fprintf(stderr, "%s: %d x %d dots at %d x %d dpi, %d image%s, %d cut%s%s\n", output->c_str(), r.page.width,
               r.page.height, r.page.dpiX, r.page.dpiY, r.images, r.images == 1 ? "" : "s", r.cuts,
               r.cuts == 1 ? "" : "s", r.widerThanPaper ? ", wider than the paper" : "");
  ReportFlags(d);
  if (!r.stopped.empty()) std::fprintf(stderr, "postest: %s\n", r.stopped.c_str());
  return d.Clean() && r.stopped.empty() ? kExitSent : kExitFailed;
}
