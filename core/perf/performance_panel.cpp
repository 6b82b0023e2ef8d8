#include "perf/performance_panel.h"

#include <string>
#include <vector>

#include "link/printer_link.h"
#include "panels/panel_runs.h"
#include "perf/aging_worker.h"
#include "perf/charset_tables.h"
#include "perf/customer_receipt.h"
#include "perf/performance_panel_ids.h"
#include "perf/performance_runs.h"
#include "perf/sample_job.h"

namespace {

// Printer types of list 1129, in list order, with the jobs they send.
struct PrinterType {
  const char* name;
  int fullBlackJob;
  int driverTestJob;
};
const PrinterType kPrinterTypes[] = {
    {"热敏打印机", 232, 158},          {"515K全系列_EPSON模式", 233, 175}, {"515K全系列_STAR模式", 234, 162},
    {"585K全系列_EPSON模式", 233, 175}, {"585K全系列_STAR模式", 235, 164}, {"636K全系列_EPSON模式", 236, 166},
    {"636K全系列_OKI模式", 237, 168},
};

// The customer groups, each a check box and a list of customers with the
// job each sends. Job 0 is the receipt built into the panel.
constexpr int kBuiltInReceipt = 0;
struct Customer {
  const char* name;
  int job;
};
struct CustomerGroup {
  int checkBox;
  int list;
  std::vector<Customer> customers;
};
const CustomerGroup kCustomerGroups[] = {
    {IDC_PERF_CUSTOMER_58MM, IDC_PERF_CUSTOMERS_58MM, {{"客户甲", 176}, {"客户乙", 177}, {"客户丙LOGO", 193}}},
    {IDC_PERF_CUSTOMER_80MM, IDC_PERF_CUSTOMERS_80MM, {{"客户丁", 178}, {"客户戊", 238}}},
    {IDC_PERF_CUSTOMER_76MM, IDC_PERF_CUSTOMERS_76MM, {{"客户己", 174}}},
    {IDC_PERF_CUSTOMER_636K,
     IDC_PERF_CUSTOMERS_636K,
     {{"客户庚(POS)", kBuiltInReceipt}, {"客户庚(控件)", 170}, {"客户辛", 171}}},
};
constexpr int kCustomerGroupCount = 4;

// Fills a list and selects its first item.
template <typename Item>
void FillNames(Panel& panel, int list, const Item* first, const Item* last) {
  std::vector<std::string> names;
  for (const Item* item = first; item != last; ++item) names.emplace_back(item->name);
  panel.FillList(list, names);
  panel.SelectItem(list, 0);
}

// The selected item of a list, when it is one of `count` items.
std::optional<int> SelectedItem(Panel& panel, int list, std::size_t count) {
  const int index = panel.SelectedIndex(list);
  if (index < 0 || static_cast<std::size_t>(index) >= count) return std::nullopt;
  return index;
}

std::optional<Transmission> Line(Panel& panel, std::string_view line) {
  return LineTest(line, panel.IsChecked(IDC_PERF_ADD_LINE_FEED));
}

}  // namespace

void SyncCustomerGroup(Panel& panel, int index, bool on) {
  for (int k = 0; k < kCustomerGroupCount; ++k) {
    const CustomerGroup& group = kCustomerGroups[k];
    if (k == index) {
      panel.SetChecked(group.checkBox, on);
      panel.EnableItem(group.list, on);
    } else {
      panel.EnableItem(group.checkBox, !on);
      panel.SetChecked(group.checkBox, false);
      panel.EnableItem(group.list, false);
    }
  }
}

PerformancePanel::PerformancePanel(PanelServices& services)
    : CommandPanel(services.link), jobs_(services.samples), aging_(services.aging) {}

void PerformancePanel::OnInit(Panel& panel) {
  FillNames(panel, IDC_PERF_PRINTER_TYPE, std::begin(kPrinterTypes), std::end(kPrinterTypes));
  for (const CustomerGroup& group : kCustomerGroups)
    FillNames(panel, group.list, group.customers.data(), group.customers.data() + group.customers.size());
  SyncCustomerGroup(panel, 0, false);
}

// Besides the buttons with fixed runs, the stored-job buttons send their
// job themselves, and the aging buttons and customer check boxes write
// nothing: all of these return no runs.
std::optional<Transmission> PerformancePanel::RunsFor(Panel& panel, int controlId) {
  switch (controlId) {
    case IDC_PERF_SPEED: return SpeedTest();
    case IDC_PERF_GB2312: return Runs({Gb2312Table()});
    case IDC_PERF_GB18030: return Runs({Gb18030Table()});
    case IDC_PERF_LINE_30: return Line(panel, kFullLine30);
    case IDC_PERF_LINE_32: return Line(panel, kFullLine32);
    case IDC_PERF_LINE_40: return Line(panel, kFullLine40);
    case IDC_PERF_LINE_42: return Line(panel, kFullLine42);
    case IDC_PERF_OLYMPIC: return Line(panel, kOlympicLine);
    case IDC_PERF_ROWS_SAME: return Alignment(AlignmentTest::RowsSame);
    case IDC_PERF_ROWS_OPPOSITE: return Alignment(AlignmentTest::RowsOpposite);
    case IDC_PERF_COLUMNS_SAME: return Alignment(AlignmentTest::ColumnsSame);
    case IDC_PERF_COLUMNS_OPPOSITE: return Alignment(AlignmentTest::ColumnsOpposite);
    case IDC_PERF_FULL_BLACK: SendPrinterTypeJob(panel, true); break;
    case IDC_PERF_DRIVER_TEST: SendPrinterTypeJob(panel, false); break;
    case IDC_PERF_CUSTOMER_PRINT: return PrintCustomerData(panel);
    case IDC_PERF_CUSTOMER_58MM:
    case IDC_PERF_CUSTOMER_80MM:
    case IDC_PERF_CUSTOMER_76MM:
    case IDC_PERF_CUSTOMER_636K:
      SyncCustomerGroup(panel, controlId - IDC_PERF_CUSTOMER_58MM, panel.IsChecked(controlId));
      break;
    case IDC_PERF_AGING_START:
      aging_.Start(AgingPauseFromEntry(panel.ItemText(IDC_PERF_AGING_SECONDS)));
      break;
    case IDC_PERF_AGING_STOP: aging_.Stop(); break;
    default: break;
  }
  return std::nullopt;
}

void PerformancePanel::SendPrinterTypeJob(Panel& panel, bool fullBlack) {
  const std::optional<int> type = SelectedItem(panel, IDC_PERF_PRINTER_TYPE, std::size(kPrinterTypes));
  if (!type) return;
  const PrinterType& t = kPrinterTypes[*type];
  SendSampleJob(link(), jobs_, panel, fullBlack ? t.fullBlackJob : t.driverTestJob);
}

std::optional<Transmission> PerformancePanel::PrintCustomerData(Panel& panel) {
  for (const CustomerGroup& group : kCustomerGroups) {
    if (!panel.IsChecked(group.checkBox)) continue;
    const std::optional<int> item = SelectedItem(panel, group.list, group.customers.size());
    if (!item) return std::nullopt;
    const int job = group.customers[*item].job;
    if (job == kBuiltInReceipt) return Runs({kCustomerReceipt});
    SendSampleJob(link(), jobs_, panel, job);
    return std::nullopt;
  }
  panel.ShowOwnerMessage("请选择要测试的客户数据", "提示", MessageButtons::Ok);
  return std::nullopt;
}
