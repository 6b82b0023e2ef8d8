#include "perf/resource_sample_store.h"

std::optional<std::span<const std::uint8_t>> ResourceSampleStore::Find(int id) const {
  if (id <= 0 || id > 0xFFFF) return std::nullopt;  // not an integer resource name
  HRSRC info = FindResourceExW(module_, L"TEXT_FILE", MAKEINTRESOURCEW(id),
                               MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
  if (info == nullptr) return std::nullopt;
  const DWORD size = SizeofResource(module_, info);
  HGLOBAL loaded = LoadResource(module_, info);
  if (loaded == nullptr) return std::nullopt;
  const void* bytes = LockResource(loaded);
  if (bytes == nullptr) return std::nullopt;
  return std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(bytes), size);
}

const SampleStore& SampleJobsFromResources() {
  static const ResourceSampleStore store(GetModuleHandleW(nullptr));
  return store;
}
