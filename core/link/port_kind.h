#pragma once

// The printer interface a panel's radio buttons choose.
enum class PortKind { Serial = 0, Parallel = 1, Usb = 2, Network = 3 };

// Radio button ids every printing panel carries, one per interface.
inline constexpr int kSerialRadioId = 1086;
inline constexpr int kParallelRadioId = 1085;
inline constexpr int kUsbRadioId = 1109;
inline constexpr int kNetworkRadioId = 1110;
