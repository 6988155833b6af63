// Runs of the built tessaly-batch in a scratch home: settings, edit history, caches
// and the runtime folder all under the test's own folder, the offscreen platform,
// and the command's exit code with what it wrote on each stream, checked together.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "support/test_surfaces.h"

namespace tessaly::test {

struct Result {
  int exit_code = -1;
  QByteArray out;
  QByteArray err;
};

// Success when the run exited with `code` and its standard error holds `part`.
inline testing::AssertionResult ExitedWith(const Result& r, int code, const QByteArray& part = {}) {
  if (r.exit_code == code && r.err.contains(part)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "exit code " << r.exit_code << ", standard error:\n"
                                     << r.err.constData();
}

class BatchHomeTest : public testing::Test {
 protected:
  BatchHomeTest() : dir_(QString::fromStdString(TempDir())) {
    for (const char* sub : {"config/tessaly", "data", "cache", "runtime", "out"})
      QDir(dir_).mkpath(sub);
    QFile::setPermissions(dir_ + "/runtime",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    env_ = QProcessEnvironment::systemEnvironment();
    env_.insert("XDG_CONFIG_HOME", dir_ + "/config");
    env_.insert("XDG_DATA_HOME", dir_ + "/data");
    env_.insert("XDG_CACHE_HOME", dir_ + "/cache");
    env_.insert("XDG_RUNTIME_DIR", dir_ + "/runtime");
    env_.insert("QT_QPA_PLATFORM", "offscreen");
  }

  void Start(QProcess& process, const QStringList& arguments) {
    process.setProcessEnvironment(env_);
    process.setWorkingDirectory(dir_);
    process.start(QStringLiteral(TESSALY_BATCH_EXE), arguments);
    ASSERT_TRUE(process.waitForStarted());
  }

  Result Batch(const QStringList& arguments) {
    QProcess process;
    Start(process, arguments);
    EXPECT_TRUE(process.waitForFinished(180000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
  }

  QString dir_;
  QProcessEnvironment env_;
};

}  // namespace tessaly::test
