#include "panels/interface_choice.h"

#include "link/printer_link.h"

namespace {

constexpr int kRadioIds[] = {kSerialRadioId, kParallelRadioId, kUsbRadioId, kNetworkRadioId};

const char* PromptFor(PortKind kind) {
  switch (kind) {
    case PortKind::Serial: return "您的打印机接口是串口？";
    case PortKind::Parallel: return "您的打印机接口是并口？";
    case PortKind::Usb: return "您的打印机接口是USB口？";
    case PortKind::Network: return "您的打印机接口是网口？";
  }
  return "";
}

}  // namespace

std::optional<PortKind> InterfaceOfRadio(int controlId) {
  for (int i = 0; i < 4; ++i)
    if (kRadioIds[i] == controlId) return static_cast<PortKind>(i);
  return std::nullopt;
}

void ShowInterface(Panel& panel, std::optional<PortKind> kind) {
  for (int i = 0; i < 4; ++i) panel.SetChecked(kRadioIds[i], kind && static_cast<int>(*kind) == i);
}

bool NetworkPrinterIsSet(Panel& panel, const SerialSettings& settings) {
  if (!settings.networkHost.empty()) return true;
  panel.ShowMessage("还没有设置网络打印机的地址。\n请在菜单“端口设置”的“网络打印机”一栏填写地址和端口。", "接口提示",
                    MessageButtons::Ok);
  return false;
}

void ChooseInterface(Panel& panel, PrinterLink& link, PortKind kind) {
  // The answer is not examined: OK and Cancel both select.
  panel.ShowMessage(PromptFor(kind), "接口提示", MessageButtons::OkCancel);
  if (kind == PortKind::Network && !NetworkPrinterIsSet(panel, link.Settings())) {
    ShowInterface(panel, link.InterfaceInUse());
    return;
  }
  ShowInterface(panel, kind);
  link.SelectPortKind(kind);
}
