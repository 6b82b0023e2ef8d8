#include "perf/sample_job.h"

#include <string>

#include "link/press_runner.h"

void SendSampleJob(PrinterLink& link, const SampleStore& store, Panel& panel, int id) {
  const std::optional<std::span<const std::uint8_t>> job = store.Find(id);
  if (!job) {
    const std::string text = "找不到内置打印数据 " + std::to_string(id);
    panel.ShowMessage(text, "提示", MessageButtons::Ok);
    return;
  }
  RunPress(link, job->size(), [&](PressMonitor* monitor) {
    PrinterLink::PressHold hold(link, monitor);
    link.SendBytes(job->data(), job->size());
    link.ResetAfterSend();
  });
}
