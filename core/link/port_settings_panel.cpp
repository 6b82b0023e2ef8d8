#include "link/port_settings_panel.h"

#include <span>

#include "link/port_settings.h"
#include "link/port_settings_ids.h"

namespace {

constexpr int kOkId = 1;
constexpr int kCancelId = 2;

struct Field {
  int id;
  std::string PortSettingsTexts::*text;
};

constexpr Field kFields[] = {
    {IDC_PORT_PARALLEL_NAME, &PortSettingsTexts::parallelPortName},
    {IDC_PORT_SERIAL_NAME, &PortSettingsTexts::serialPortName},
    {IDC_PORT_BAUD_RATE, &PortSettingsTexts::baudRate},
    {IDC_PORT_PARITY, &PortSettingsTexts::parity},
    {IDC_PORT_DATA_BITS, &PortSettingsTexts::dataBits},
    {IDC_PORT_STOP_BITS, &PortSettingsTexts::stopBits},
};

// The network printer's fields; 默认 leaves them as they are.
constexpr Field kNetworkFields[] = {
    {IDC_PORT_NETWORK_HOST, &PortSettingsTexts::networkHost},
    {IDC_PORT_NETWORK_PORT, &PortSettingsTexts::networkPort},
};

void Show(Panel& panel, const SerialSettings& settings, std::span<const Field> fields) {
  const PortSettingsTexts texts = TextsFor(settings);
  for (const Field& f : fields) panel.SetItemText(f.id, texts.*f.text);
}

PortSettingsTexts ReadBack(Panel& panel) {
  PortSettingsTexts texts;
  for (const Field& f : kFields) texts.*f.text = panel.ItemText(f.id);
  for (const Field& f : kNetworkFields) texts.*f.text = panel.ItemText(f.id);
  return texts;
}

}  // namespace

void PortSettingsPanel::OnInit(Panel& panel) {
  Show(panel, settings_, kFields);
  Show(panel, settings_, kNetworkFields);
}

void PortSettingsPanel::OnCommand(Panel& panel, int controlId) {
  switch (controlId) {
    case kOkId: {
      const PortSettingsTexts texts = ReadBack(panel);
      if (!NetworkPortIsValid(texts.networkPort)) {
        panel.ShowMessage("网络打印机的端口应是 1 到 65535 之间的数字（通常为 9100）。", "端口设置", MessageButtons::Ok);
        return;
      }
      settings_ = SettingsFrom(texts);
      panel.EndDialog(0);
      return;
    }
    case kCancelId: panel.EndDialog(0); return;
    case IDC_PORT_DEFAULTS: Show(panel, SerialSettings{}, kFields); return;
    // The port stored, not the name being edited; nothing chosen there is kept.
    case IDC_PORT_ADVANCED: panel.ShowSerialPortDialog(settings_.serialPortName); return;
    default: return;
  }
}
