#include "perf/sample_job.h"

#include <string>

void SendSampleJob(PrinterLink& link, const SampleStore& store, Panel& panel, int id) {
  const std::optional<std::span<const std::uint8_t>> job = store.Find(id);
  if (!job) {
    const std::string text = "找不到内置打印数据 " + std::to_string(id);
    panel.ShowMessage(text, "提示", MessageButtons::Ok);
    return;
  }
  PrinterLink::PressHold hold(link);
  link.SendBytes(job->data(), job->size());
  link.ResetAfterSend();
}
