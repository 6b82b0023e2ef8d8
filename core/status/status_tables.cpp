#include "status/status_tables.h"

namespace {

constexpr StatusRequest kRequests[] = {
    {1, "printer", "打印机状态"},
    {2, "offline_cause", "脱机原因"},
    {3, "error_cause", "错误原因"},
    {4, "paper_sensor", "纸传感器"},
};

constexpr StatusBit kBits[] = {
    {1, kOfflineBit, "offline", "脱机", "联机", true},
    {1, 0x04, "drawer_signal_high", "钱箱信号：高", "钱箱信号：低", false},
    {1, 0x20, "waiting_for_online", "等待恢复联机", "", true},
    {1, 0x40, "feed_button_pressed", "走纸键按下", "走纸键未按下", false},
    {2, 0x04, "cover_open", "上盖打开", "上盖关闭", true},
    {2, 0x08, "feeding_by_button", "正在按键走纸", "", false},
    {2, 0x20, "stopped_by_paper_end", "因缺纸停止打印", "", true},
    {2, 0x40, "error", "发生错误", "", true},
    {3, 0x08, "cutter_error", "切刀错误", "切刀正常", true},
    {3, 0x20, "unrecoverable_error", "不可恢复错误", "无不可恢复错误", true},
    {3, 0x40, "auto_recoverable_error", "可自动恢复错误", "无可自动恢复错误", true},
    {4, 0x60, "paper_end", "缺纸", "有纸", true},
    {4, 0x0C, "paper_near_end", "纸将尽", "纸量充足", false},
};

constexpr IdentityRequest kIdentity[] = {
    {1, false, "model_id", "型号ID"},
    {2, false, "type_id", "类型ID"},
    {3, false, "firmware_id", "固件版本ID"},
    {65, true, "firmware", "固件版本"},
    {66, true, "maker", "厂商"},
    {67, true, "model", "型号"},
    {68, true, "serial", "序列号"},
};

constexpr TypeBit kTypeBits[] = {
    {0x01, "multi_byte_characters", "支持双字节字符"},
    {0x02, "autocutter", "装有自动切刀"},
};

}  // namespace

std::span<const StatusRequest> StatusRequests() { return kRequests; }
std::span<const StatusBit> StatusBits() { return kBits; }
std::span<const IdentityRequest> IdentityRequests() { return kIdentity; }
std::span<const TypeBit> TypeBits() { return kTypeBits; }

bool IsStatusByte(std::uint8_t b) { return (b & 0x93) == 0x12; }
bool IsIdentityByte(std::uint8_t b) { return (b & 0x90) == 0; }
