// A photo's final pixels for a printed page or a saved file: turned by its angle,
// cropped, edited, colour-converted, turned to its cell, resampled by the resolution
// factor and sharpened, in that order. The pipelines differ only in the steps they
// ask for, so the same request always gives the same bytes. Crop corners are the
// view's crop rectangle scaled to the full picture's pixels, halves to even; a
// corner that is not a number fitting an int fails the step. An image decoded
// reduced gives a result of the size its full picture would, its crop mapped
// between pixels.
#pragma once

#include "colour/colour_profiles.h"
#include "job/my_picture.h"
#include "surface/cdib.h"
#include "surface/cgdiimage.h"

namespace tessaly {

// Where the resolution factor is applied.
enum class FinalScaling {
  // The crop is resampled straight to the factor's size (a saved file).
  WithCrop,
  // The crop is copied 1:1 and the turned result resampled last (a printed page).
  Last,
};

struct FinalPixelsSteps {
  // Turn the image by the photo's angle first (false for an already turned picture).
  bool rotate = true;
  // Crop to the photo's crop rectangle; false keeps the whole image and skips the
  // edits and the colour conversion (only with FinalScaling::Last).
  bool crop = true;
  FinalScaling scaling = FinalScaling::Last;
  // Apply the photo's edits.
  bool edits = true;
  // Convert the colours from `colour_from` to `colour_to` when both are open; the
  // caller owns and closes them.
  ProfileHandle colour_from = nullptr;
  ProfileHandle colour_to = nullptr;
  // The cell's orientation (1 upright, 2 wide) the result is turned to, or 0
  // for no turn; only with FinalScaling::Last. A square photo is always turned.
  int orientation = 0;
  // The resolution factor; it also chooses the default sharpening.
  double factor = 1.0;
  // Sharpen with the photo's own unsharp value, else the default when this is set.
  bool default_sharpen = false;
  // Polled after every slow step in place of the Ui's cancel flag when set; no
  // messages are then let run, so the steps may run on a worker thread.
  RowPoll stop;
};

// The nearest integer of a computed pixel size or position, halves to even; false
// when it is not a number or lies beyond a billion (far above any surface limit, so
// the surface itself still refuses what is too large).
bool NearestPixelCount(double value, int& size);

// The share of a file's full size (at most 1) its picture must be decoded at for
// final pixels at `factor`: every result pixel still comes from one and a half
// decoded pixels or more along each side, so a reduced decode changes the result
// only slightly.
double DecodeShare(double factor);

// Makes `result` from `image` by `steps`; the image is consumed (disposed or turned).
// `turned` tells whether the result was turned to its cell. False when a step failed
// or the stop (or the cancel flag) was set, polled after every slow step.
bool MakeFinalPixels(cGDIImage& image, const MyPicture& photo, const FinalPixelsSteps& steps,
                     cDIB& result, bool& turned);

}  // namespace tessaly
