#include "panels/shared_runs.h"

using namespace std::string_view_literals;

const std::string_view kKanjiInit = "\x1B@\x1C&"sv;
const std::string_view kFoxLine =
    "A quick brown fox jumps over the lazy dog.A quick brown fox jumps over the lazy dog.\n"sv;
const std::string_view kCharacterSample = "文字打印：\n永 飞 升 家 袅 滤 辫 焗 R i Q\n"sv;
const std::string_view kCharacterSampleLine = kCharacterSample.substr(kCharacterSample.find('\n') + 1);
const std::string_view kItemHeaderLine = "\x1C&名称      单价      数量      小计\n\n\n\n\n\n\n\n"sv;
const std::string_view kGridColumn = "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"sv;
const std::string_view kGridGapColumn = "\x80\x00\x80\x00\x80\x00\x80\x00\x80\x01"sv;
