// Runs the command-line tools the tests make their photo files with (heif-enc,
// avifenc, cjxl, cwebp, exiftool, ImageMagick's convert). A tool that is missing or
// fails fails the test with its output: these files are never skipped.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace tessaly::test {

inline testing::AssertionResult RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  if (!process.waitForStarted())
    return testing::AssertionFailure()
           << program.toStdString() << " could not be started: install it (scripts/setup.sh)";
  const bool finished = process.waitForFinished(120000);
  const QByteArray output = process.readAll();
  if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return testing::AssertionFailure()
           << program.toStdString() << " " << arguments.join(' ').toStdString() << " failed:\n"
           << output.constData();
  return testing::AssertionSuccess();
}

inline QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A 16-bit RGB PPM of `rows` equal rows whose pixel x has the channel values
// `pixels[x]`; ImageMagick turns it into a 16-bit PNG for the encoders.
inline QByteArray Ppm16(const std::vector<std::array<std::uint16_t, 3>>& pixels, int rows) {
  QByteArray row;
  for (const auto& p : pixels) {
    for (std::uint16_t v : p) {
      row += static_cast<char>(v >> 8);
      row += static_cast<char>(v & 0xFF);
    }
  }
  return QByteArray("P6 ") + QByteArray::number(static_cast<qsizetype>(pixels.size())) + " " +
         QByteArray::number(rows) + " 65535\n" + row.repeated(rows);
}

}  // namespace tessaly::test
