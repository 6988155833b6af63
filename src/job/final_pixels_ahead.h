// Making the next photos' final pixels on worker threads while the calling thread
// draws the ones before: each photo's file decoded at its share, then the final
// pixels with a stop flag of the work's own in place of the Ui's cancel flag, so no
// worker touches the Ui. A caller that gets no pixels from it makes them itself, so
// every failure and its message stay on the calling thread. At most one photo per
// core is in flight; a photo must stay unchanged until its work has ended.
#pragma once

#include <QString>
#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <vector>

#include "colour/colour_profiles.h"
#include "job/final_pixels.h"

namespace tessaly {

class FinalPixelsAhead {
 public:
  FinalPixelsAhead();
  // Stops the work in flight and waits for it.
  ~FinalPixelsAhead();
  FinalPixelsAhead(const FinalPixelsAhead&) = delete;
  FinalPixelsAhead& operator=(const FinalPixelsAhead&) = delete;

  // True when another photo can be started now.
  bool HasRoom() const;
  // Starts making `photo`'s final pixels by `steps` from its file decoded at `share`
  // (see cGDIImage::CreateFromFile), converting its colours by `profiles` (owned
  // until the work ends; may be null). `key` names the request. Nothing starts when
  // there is no room, no thread or the key is in flight already.
  void Start(int key, const MyPicture& photo, double share, FinalPixelsSteps steps,
             std::unique_ptr<ProfilePair> profiles);

  enum class Taken { kNone, kMade, kCancelled };
  // When `key`'s work is in flight: waits for it, calling `cancel` every few
  // milliseconds (it may let messages run); kMade moves the pixels into `result`.
  // kCancelled when `cancel` said so (all work is stopped), kNone when no such work
  // was in flight or it failed: the caller then makes the pixels itself.
  Taken Take(int key, const std::function<bool()>& cancel, cDIB& result, bool& turned);

 private:
  struct Work;
  void StopAll();

  std::size_t room_;
  std::vector<std::unique_ptr<Work>> works_;
};

}  // namespace tessaly
