#include "link/port_settings_panel.h"

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

void Show(Panel& panel, const SerialSettings& settings) {
  const PortSettingsTexts texts = TextsFor(settings);
  for (const Field& f : kFields) panel.SetItemText(f.id, texts.*f.text);
}

SerialSettings ReadBack(Panel& panel) {
  PortSettingsTexts texts;
  for (const Field& f : kFields) texts.*f.text = panel.ItemText(f.id);
  return SettingsFrom(texts);
}

}  // namespace

void PortSettingsPanel::OnInit(Panel& panel) { Show(panel, settings_); }

void PortSettingsPanel::OnCommand(Panel& panel, int controlId) {
  switch (controlId) {
    case kOkId:
      settings_ = ReadBack(panel);
      panel.EndDialog(0);
      return;
    case kCancelId: panel.EndDialog(0); return;
    case IDC_PORT_DEFAULTS: Show(panel, SerialSettings{}); return;
    // The port stored, not the name being edited; nothing chosen there is kept.
    case IDC_PORT_ADVANCED: panel.ShowSerialPortDialog(settings_.serialPortName); return;
    default: return;
  }
}
