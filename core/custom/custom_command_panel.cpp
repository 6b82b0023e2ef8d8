#include "custom/custom_command_panel.h"

#include <vector>

#include "app_ids.h"
#include "custom/custom_ids.h"
#include "custom/hex_pairs.h"
#include "custom/reference_lists_panel.h"
#include "link/press_runner.h"
#include "link/printer_link.h"
#include "panels/interface_choice.h"

namespace {

constexpr int kCloseId = 1;
// Files go out a buffer at a time, however large they are.
constexpr std::size_t kFileChunkBytes = 1'000'000;

}  // namespace

void CustomCommandPanel::OnCommand(Panel& panel, int controlId) {
  switch (controlId) {
    case IDC_CUSTOM_CHOOSE_FILE: ChooseFile(panel); return;
    case IDC_CUSTOM_REFERENCES: ShowReferenceLists(panel); return;
    case IDC_CUSTOM_SEND_SERIAL: Send(panel, PortKind::Serial); return;
    case IDC_CUSTOM_SEND_PARALLEL: Send(panel, PortKind::Parallel); return;
    case IDC_CUSTOM_SEND_USB: Send(panel, PortKind::Usb); return;
    case IDC_CUSTOM_SEND_NETWORK:
      if (NetworkPrinterIsSet(panel, link_.Settings())) Send(panel, PortKind::Network);
      return;
    case kCloseId: panel.EndDialog(0); return;  // the connections stay as they are
    default: return;
  }
}

// Without owner, so the sender stays usable while the lists are open.
void CustomCommandPanel::ShowReferenceLists(Panel& panel) {
  ReferenceListsPanel lists;
  panel.RunNestedDialog(IDD_REFERENCE_LISTS, lists, false);
}

// A cancelled choice keeps the file chosen before.
void CustomCommandPanel::ChooseFile(Panel& panel) {
  static const std::vector<FileFilter> kFilters = {
      {"All", "*.*"}, {"文本文件", "*.TXT"}, {"打印文件", "*.prn"}};
  constexpr int kTextFilesFilter = 1;
  if (std::optional<std::string> path = panel.ChooseFileToOpen(kFilters, kTextFilesFilter))
    panel.SetItemText(IDC_CUSTOM_FILE_PATH, *path);
}

// The file (when one can be read) in one write per buffer, then the
// command bytes in one write. Both parts are written even when empty.
void CustomCommandPanel::Send(Panel& panel, PortKind kind) {
  const std::vector<std::uint8_t> command = ParseHexPairs(panel.ItemText(IDC_CUSTOM_COMMAND_TEXT));
  std::vector<std::uint8_t> buffer(kFileChunkBytes);
  std::unique_ptr<OpenedFile> file = files_.Open(panel.ItemText(IDC_CUSTOM_FILE_PATH));
  const std::optional<std::size_t> firstRead = file ? file->Read(buffer.data(), buffer.size()) : std::nullopt;
  const std::size_t firstCount = firstRead.value_or(0);
  if (kind == PortKind::Parallel && firstRead.has_value() && firstCount == 0)
    panel.ShowMessage("文件结束了", "文件", MessageButtons::OkCancel);  // the send goes on

  // The file's size when known; otherwise the total grows as it is read.
  const std::uint64_t total = file ? file->Size().value_or(firstCount) : 0;
  RunPress(link_, total + command.size(), [&](PressMonitor* monitor) {
    PrinterLink::DirectSend send(link_, kind, monitor);
    send.Write(buffer.data(), firstCount);
    // The rest of a file longer than one buffer, up to its end or a failed read.
    for (std::size_t count = firstCount; count > 0;) {
      count = file->Read(buffer.data(), buffer.size()).value_or(0);
      if (count > 0) send.Write(buffer.data(), count);
    }
    send.Write(command.data(), command.size());
  });
}
