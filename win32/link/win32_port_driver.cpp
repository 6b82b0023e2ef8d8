#include "link/win32_port_driver.h"

#include <windows.h>
#include <setupapi.h>

#include <cstring>
#include <new>
#include <vector>

namespace {

// GUID_DEVINTERFACE_USBPRINT: the USB printer interface class.
constexpr GUID kUsbPrintInterface = {0x28D78FAD, 0x5A12, 0x11D1, {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};

// The device paths copied out of the detail record are kept to this size.
constexpr std::size_t kDevicePathLimit = 2048;

// An open connection; the parallel port is opened for overlapped writes.
struct Port {
  HANDLE handle;
  bool overlapped;
};

PortHandle Wrap(HANDLE handle, bool overlapped) {
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return new Port{handle, overlapped};
}

void ApplyLine(HANDLE port, const LineSettings& line) {
  COMMTIMEOUTS timeouts{};
  GetCommTimeouts(port, &timeouts);
  timeouts.ReadIntervalTimeout = 0;
  timeouts.ReadTotalTimeoutMultiplier = 20;
  timeouts.ReadTotalTimeoutConstant = 20;
  // Write time-outs 0: a write waits until the driver has taken every byte.
  timeouts.WriteTotalTimeoutMultiplier = 0;
  timeouts.WriteTotalTimeoutConstant = 0;
  SetCommTimeouts(port, &timeouts);

  DCB dcb{};
  dcb.DCBlength = sizeof(DCB);
  GetCommState(port, &dcb);
  dcb.BaudRate = line.baudRate;
  dcb.ByteSize = line.byteSize;
  dcb.Parity = line.parityCode;
  dcb.StopBits = line.stopBitsCode;
  dcb.fDtrControl = line.dtrEnabled ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
  dcb.wReserved = 0;
  SetCommState(port, &dcb);
}

enum class PathRead { Read, Skip, Stop };

// The device path of one enumerated interface. An allocation failure skips
// the interface; a detail record that cannot be read ends the enumeration.
PathRead ReadDevicePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& iface, std::string& path) {
  DWORD required = 0;
  SetupDiGetDeviceInterfaceDetailA(set, &iface, nullptr, 0, &required, nullptr);
  if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) required = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
  std::vector<BYTE> buffer;
  try {
    buffer.assign(required, 0);
  } catch (const std::bad_alloc&) {
    return PathRead::Skip;
  }
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);  // the fixed header, 5 or 8 bytes
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof(SP_DEVINFO_DATA);
  if (!SetupDiGetDeviceInterfaceDetailA(set, &iface, detail, required, nullptr, &device)) return PathRead::Stop;
  path.assign(detail->DevicePath, strnlen(detail->DevicePath, kDevicePathLimit - 1));
  return PathRead::Read;
}

}  // namespace

PortHandle Win32PortDriver::OpenSerial(const std::string& name, const LineSettings& line) {
  HANDLE port = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (port != INVALID_HANDLE_VALUE) ApplyLine(port, line);
  return Wrap(port, false);
}

PortHandle Win32PortDriver::OpenParallel(const std::string& name) {
  return Wrap(CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                          FILE_FLAG_OVERLAPPED, nullptr),
              true);
}

std::vector<std::string> Win32PortDriver::ListUsbPrinters() {
  std::vector<std::string> paths;
  HDEVINFO set = SetupDiGetClassDevsA(&kUsbPrintInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return paths;
  SP_DEVICE_INTERFACE_DATA iface{};
  iface.cbSize = sizeof(iface);
  for (DWORD index = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &kUsbPrintInterface, index, &iface); ++index) {
    std::string path;
    const PathRead read = ReadDevicePath(set, iface, path);
    if (read == PathRead::Stop) break;
    if (read == PathRead::Read) paths.push_back(path);
  }
  SetupDiDestroyDeviceInfoList(set);
  return paths;
}

PortHandle Win32PortDriver::OpenUsb(const std::string& devicePath) {
  return Wrap(CreateFileA(devicePath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                          FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr),
              false);
}

void Win32PortDriver::Write(PortHandle handle, const std::uint8_t* bytes, std::size_t count) {
  auto* port = static_cast<Port*>(handle);
  DWORD written = 0;  // reported by the system, never examined
  if (!port->overlapped) {
    WriteFile(port->handle, bytes, static_cast<DWORD>(count), &written, nullptr);
    return;
  }
  // Overlapped handle: wait for completion, the caller reuses its buffer.
  OVERLAPPED request{};
  request.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (request.hEvent == nullptr) return;
  if (!WriteFile(port->handle, bytes, static_cast<DWORD>(count), &written, &request) &&
      GetLastError() == ERROR_IO_PENDING)
    GetOverlappedResult(port->handle, &request, &written, TRUE);
  CloseHandle(request.hEvent);
}

void Win32PortDriver::Close(PortHandle handle) {
  auto* port = static_cast<Port*>(handle);
  CloseHandle(port->handle);
  delete port;
}

void Win32PortDriver::ShowOpenFailure() { MessageBoxW(nullptr, L"SetCommTimeout error", L"Error", MB_OK); }
