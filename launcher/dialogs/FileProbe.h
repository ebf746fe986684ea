// Whether paths name files, looked up on a few threads in the background.
#pragma once
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

// Each look-up is a round trip to the file system that mostly waits, so a
// few at once finish sooner than one after another, and the caller goes on
// (listing the next folder, say) while they run. The answer for a path is
// FileExists's: an existing file, not a folder, in any letter case that the
// file system accepts. Each path is looked up once, as it was first asked
// (the same file under another spelling is a second look-up).
class TFileProbe {
public:
  static constexpr size_t DefaultThreads = 4;
  // At most maxThreads helper threads, started at the first Ask; with none
  // (or none that could start), IsFile does the look-ups itself.
  explicit TFileProbe(size_t maxThreads = DefaultThreads) : FMaxThreads(maxThreads) {}
  // Waits for the look-ups under way; those not begun are dropped.
  ~TFileProbe();
  TFileProbe(const TFileProbe&) = delete;
  TFileProbe& operator=(const TFileProbe&) = delete;

  // Queues the paths not asked before and returns at once.
  void Ask(const std::vector<std::string>& paths);
  // The answer for a path: waits for a look-up under way, and looks a path
  // up here when no helper has begun it (or it was never asked).
  bool IsFile(const std::string& path);

private:
  enum class TState { Queued, Running, Done };
  struct TItem {
    std::string Path;
    TState State = TState::Queued;
    bool IsFile = false;
  };
  size_t Queue(const std::string& path);  // under FLock; the item's index
  void SkipTaken();                       // under FLock: FNext to the first queued item
  // The look-up of a queued item, outside the lock that the caller holds.
  void LookUp(std::unique_lock<std::mutex>& lock, TItem& item);
  void StartHelpers();
  void Help();  // a helper thread's loop

  std::mutex FLock;
  std::condition_variable FWork;  // items were queued, or the probe ends
  std::condition_variable FDone;  // a look-up finished
  std::deque<TItem> FItems;       // in the order asked; references stay valid as it grows
  std::unordered_map<std::string, size_t> FIndex;  // FItems by path
  size_t FNext = 0;                                // no queued item before this one
  bool FStopping = false;
  size_t FMaxThreads;
  std::vector<std::thread> FHelpers;
};
