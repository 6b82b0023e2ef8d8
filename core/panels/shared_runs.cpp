#include "panels/shared_runs.h"

using namespace std::string_view_literals;

namespace {
constexpr std::string_view kKanjiItemHeader = "\x1C&名称      单价      数量      小计\n\n\n\n\n\n\n\n"sv;
}

const std::string_view kKanjiInit = "\x1B@\x1C&"sv;
const std::string_view kFoxLine =
    "A quick brown fox jumps over the lazy dog.A quick brown fox jumps over the lazy dog.\n"sv;
const std::string_view kCharacterSample = "文字打印：\n永 飞 升 家 袅 滤 辫 焗 R i Q\n"sv;
const std::string_view kCharacterSampleLine = kCharacterSample.substr(kCharacterSample.find('\n') + 1);
const std::string_view kItemHeaderLine = kKanjiItemHeader;
const std::string_view kPlainItemHeaderLine = kKanjiItemHeader.substr(2);
const std::string_view kGridColumn = "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"sv;
const std::string_view kGridGapColumn = "\x80\x00\x80\x00\x80\x00\x80\x00\x80\x01"sv;
const std::string_view kReceiptIntro =
    "za超级市场随着信息技术的发展，内嵌打印功能的产品越来越多，特别是在要求稳定、高可靠性、"
    "微型、超小体积、低功耗、价格相对较低打印场合。za公司针对国内厂家对微型打印机的要求及微打未来"
    "发展状况，推出一系列微型打印机模块，以方便国内厂家产品打印功能配套或"sv;
