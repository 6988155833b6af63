// FinalPixelsAhead: one std::async task per photo; a task writes only its own
// result and turn, which no one reads until its future has been waited for, and
// reads its stop flag, the only state both threads touch.
#include "job/final_pixels_ahead.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <thread>
#include <utility>

#include "surface/cgdiimage.h"

namespace tessaly {
namespace {

// How often a waiting caller looks at its cancel flag.
constexpr std::chrono::milliseconds kCancelLook{20};

}  // namespace

struct FinalPixelsAhead::Work {
  ~Work() {
    stop.store(true, std::memory_order_relaxed);
    if (done.valid()) done.wait();
  }

  int key = 0;
  std::atomic<bool> stop{false};
  std::unique_ptr<ProfilePair> profiles;
  cDIB result;
  bool turned = false;
  std::future<bool> done;
};

FinalPixelsAhead::FinalPixelsAhead() : room_(std::max(1u, std::thread::hardware_concurrency())) {}

FinalPixelsAhead::~FinalPixelsAhead() {
  StopAll();
}

void FinalPixelsAhead::StopAll() {
  for (const auto& work : works_) work->stop.store(true, std::memory_order_relaxed);
  works_.clear();
}

bool FinalPixelsAhead::HasRoom() const {
  return works_.size() < room_;
}

void FinalPixelsAhead::Start(int key, const MyPicture& photo, double share, FinalPixelsSteps steps,
                             std::unique_ptr<ProfilePair> profiles) {
  if (!HasRoom()) return;
  for (const auto& work : works_)
    if (work->key == key) return;
  auto work = std::make_unique<Work>();
  Work* w = work.get();
  w->key = key;
  w->profiles = std::move(profiles);
  steps.colour_from = w->profiles ? w->profiles->input : nullptr;
  steps.colour_to = w->profiles ? w->profiles->output : nullptr;
  steps.stop = [w] { return w->stop.load(std::memory_order_relaxed); };
  // Without a thread to run on, nothing is made ahead and Take reports so.
  try {
    w->done = std::async(std::launch::async, [w, &photo, file = photo.Filename(), share, steps] {
      cGDIImage image;
      if (!image.CreateFromFile(file, share) || steps.stop()) return false;
      return MakeFinalPixels(image, photo, steps, w->result, w->turned);
    });
  } catch (const std::system_error&) {
    return;
  }
  works_.push_back(std::move(work));
}

FinalPixelsAhead::Taken FinalPixelsAhead::Take(int key, const std::function<bool()>& cancel,
                                               cDIB& result, bool& turned) {
  const auto found = std::find_if(works_.begin(), works_.end(),
                                  [key](const auto& work) { return work->key == key; });
  if (found == works_.end()) return Taken::kNone;
  Work& work = **found;
  while (work.done.wait_for(kCancelLook) != std::future_status::ready) {
    if (cancel()) {
      StopAll();
      return Taken::kCancelled;
    }
  }
  const bool made = work.done.get();
  if (made) {
    result = std::move(work.result);
    turned = work.turned;
  }
  works_.erase(found);
  return made ? Taken::kMade : Taken::kNone;
}

}  // namespace tessaly
