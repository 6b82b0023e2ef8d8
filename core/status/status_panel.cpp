#include "status/status_panel.h"

#include "link/printer_link.h"
#include "panels/interface_choice.h"
#include "status/findings.h"
#include "status/printer_query.h"
#include "status/status_panel_ids.h"

namespace {
constexpr int kCloseButtonId = 1;
constexpr int kEscapeId = 2;
}

void StatusPanel::OnInit(Panel& panel) { ShowInterface(panel, link_.InterfaceInUse()); }

void StatusPanel::OnCommand(Panel& panel, int controlId) {
  if (const std::optional<PortKind> kind = InterfaceOfRadio(controlId)) {
    ChooseInterface(panel, link_, *kind);
    return;
  }
  switch (controlId) {
    case IDC_STATUS_QUERY: Query(panel); return;
    case kCloseButtonId:
    case kEscapeId:
      link_.CloseAll();
      panel.EndDialog(0);
      return;
    default: return;
  }
}

// One press: the query and the reset after it, with no other writer between.
void StatusPanel::Query(Panel& panel) {
  const auto kind = link_.InterfaceInUse();
  std::vector<std::string> lines;
  if (!kind) {
    lines = {"请先选择打印接口"};
  } else if (*kind == PortKind::Parallel) {
    lines = {"并口不能读回打印机状态"};
  } else {
    PrinterLink::PressHold hold(link_);
    link_.Query([&](Connection* connection) {
      lines = connection ? ResultLines(QueryPrinter(*connection)) : std::vector<std::string>{"端口未打开，无法查询"};
    });
    link_.ResetAfterSend();
  }
  panel.FillList(IDC_STATUS_RESULTS, lines);
}
