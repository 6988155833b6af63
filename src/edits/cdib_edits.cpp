// The surface's own edit calls: tone and colour edits and the unsharp mask over the
// whole picture, polling the caller's stop or the cancel flag once per row band. Their kernels live
// in tone_adjust and unsharp_mask; these bodies sit here so the surface layer never reaches up into
// the edits.
#include "controls/ui_service.h"
#include "edits/tone_adjust.h"
#include "edits/unsharp_mask.h"
#include "surface/cdib.h"

namespace tessaly {
namespace {

RowPoll StopOrCancel(const RowPoll& stop) {
  if (stop) return stop;
  return [] { return CurrentUi().PollCancel(); };
}

}  // namespace

void cDIB::ApplyEdits(int Bright, int Contrast, double gamma, int RedAdjust, int GreenAdjust,
                      int BlueAdjust, int Saturation, const RowPoll& stop) {
  if (!IsCreated()) return;
  const ToneEdits edits{Bright, Contrast, gamma, RedAdjust, GreenAdjust, BlueAdjust, Saturation};
  if (edits.IsNeutral()) return;
  ApplyToneEdits(View(), edits, nullptr, StopOrCancel(stop));
}

void cDIB::UnsharpMask(int Radius, int Amount, const RowPoll& stop) {
  if (!IsCreated()) return;
  UnsharpKernel kernel;
  if (!UnsharpKernelFor(Radius, kernel)) {
    CurrentUi().MessageBox("Invalid radius", MsgButtons::Ok, MsgIcon::Exclamation);
    return;
  }
  UnsharpMaskFull(View(), Radius, Amount, StopOrCancel(stop));
}

}  // namespace tessaly
