// The background file look-ups of the searches.
#include "FileProbe.h"

#include <system_error>

#include "FileUtils.h"

TFileProbe::~TFileProbe() {
  {
    std::lock_guard<std::mutex> lock(FLock);
    FStopping = true;
  }
  FWork.notify_all();
  for (std::thread& t : FHelpers) t.join();
}

size_t TFileProbe::Queue(const std::string& path) {
  if (auto it = FIndex.find(path); it != FIndex.end()) return it->second;
  FItems.push_back(TItem{path});
  FIndex.emplace(path, FItems.size() - 1);
  return FItems.size() - 1;
}

void TFileProbe::SkipTaken() {
  while (FNext < FItems.size() && FItems[FNext].State != TState::Queued) ++FNext;
}

void TFileProbe::Ask(const std::vector<std::string>& paths) {
  {
    std::lock_guard<std::mutex> lock(FLock);
    for (const std::string& path : paths) Queue(path);
  }
  FWork.notify_all();
  if (!paths.empty()) StartHelpers();
}

void TFileProbe::StartHelpers() {
  while (FHelpers.size() < FMaxThreads) {
    try {
      FHelpers.emplace_back([this] { Help(); });
    } catch (const std::system_error&) {
      FMaxThreads = FHelpers.size();  // the threads there are (or IsFile) do the work
    }
  }
}

void TFileProbe::Help() {
  std::unique_lock<std::mutex> lock(FLock);
  for (;;) {
    FWork.wait(lock, [this] {
      SkipTaken();
      return FStopping || FNext < FItems.size();
    });
    if (FStopping) return;
    LookUp(lock, FItems[FNext++]);
  }
}

void TFileProbe::LookUp(std::unique_lock<std::mutex>& lock, TItem& item) {
  item.State = TState::Running;
  lock.unlock();
  bool found = FileExists(item.Path);
  lock.lock();
  item.IsFile = found;
  item.State = TState::Done;
  FDone.notify_all();
}

bool TFileProbe::IsFile(const std::string& path) {
  std::unique_lock<std::mutex> lock(FLock);
  TItem& item = FItems[Queue(path)];
  if (item.State == TState::Queued) LookUp(lock, item);
  FDone.wait(lock, [&] { return item.State == TState::Done; });
  return item.IsFile;
}
