// The resolution limits and the sharpening choice that the print and the save
// dialogs both keep, each in its own settings section under the same keys: the
// minimum and maximum check boxes, their values (a stored 0 shows as an empty
// field) and "Sharpen". Any fields struct with min_on, min_text, max_on, max_text
// and sharpen members is read and written here.
#pragma once

#include <QString>

#include "settings/settings_file.h"
#include "settings/settings_table.h"

namespace tessaly {

// A resolution field as the dialogs show a stored number: empty for 0.
inline QString ResolutionText(int ppi) {
  return ppi == 0 ? QString() : QString::number(ppi);
}

template <typename Fields>
void ReadResolutionLimits(const QString& section, const QString& file, Fields& fields) {
  fields.min_on = ReadCheckSetting(section, "Interpolate1", file);
  fields.max_on = ReadCheckSetting(section, "Interpolate2", file);
  fields.min_text = ResolutionText(ReadIntSetting(section, "InterpolVal1", file));
  fields.max_text = ResolutionText(ReadIntSetting(section, "InterpolVal2", file));
  fields.sharpen = ReadCheckSetting(section, "Sharpen", file);
}

template <typename Fields>
void WriteResolutionLimits(const QString& section, const Fields& fields, const QString& file) {
  WriteCheckSetting(section, "Interpolate1", fields.min_on, file);
  WriteCheckSetting(section, "Interpolate2", fields.max_on, file);
  WriteIniValue(section, "InterpolVal1", fields.min_text, file);
  // The dialogs have always written this key with a lower-case v; readers match
  // keys without regard to case.
  WriteIniValue(section, "Interpolval2", fields.max_text, file);
  WriteCheckSetting(section, "Sharpen", fields.sharpen, file);
}

}  // namespace tessaly
