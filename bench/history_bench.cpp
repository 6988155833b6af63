// The edit-history lookup of a large batch job: 10 000 photos looked up in a month
// file of 10 367 records, as adding the photos of the job does. Each iteration starts
// with the month file's modification time moved on, so the first lookup reads the
// file as a new run of the program would.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "job/history_store.h"
#include "scratch_state.h"

namespace tessaly::bench {
namespace {

constexpr int kPhotos = 10000;
constexpr int kRecords = 10367;
// 15 March 2003: every photo of the job was taken that day, so one month file holds them.
constexpr double kPhotoDay = 37695.0;

double PhotoDate(int photo) {
  return kPhotoDay + (photo + 0.5) / 100000.0;
}

QString PhotoName(int photo) {
  return QStringLiteral("IMG_%1.JPG").arg(photo, 5, 10, QLatin1Char('0'));
}

void BM_LookUpTenThousandPhotos(benchmark::State& state) {
  QTemporaryDir dir;
  const ScratchState scratch(dir.path());
  HistoryEdits edits;
  edits.label = QStringLiteral("Anna, Bob and Carl");
  for (int record = 0; record < kRecords; ++record) {
    if (!SaveEdits(PhotoDate(record), PhotoName(record), edits)) {
      state.SkipWithError("the month file could not be written");
      return;
    }
  }
  HistoryKey key;
  HistoryKeyOf(kPhotoDay, key);
  const QByteArray month = QFile::encodeName(HistoryFilePath(key.day));
  int found = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ::utimensat(AT_FDCWD, month.constData(), nullptr, 0);
    state.ResumeTiming();
    found = 0;
    for (int photo = 0; photo < kPhotos; ++photo) {
      double print_date = 0;
      found += GetEdits(PhotoDate(photo), PhotoName(photo), edits, print_date) ? 1 : 0;
    }
  }
  if (found != kPhotos) state.SkipWithError("a photo's record was not found");
  state.counters["photos"] = found;
}

BENCHMARK(BM_LookUpTenThousandPhotos)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tessaly::bench
