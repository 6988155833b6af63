// The shared camera photos used by some tests. They are not part of a user's
// clone: tests that need them skip when the folder is absent.
#pragma once

#include <QDir>
#include <QString>

namespace tessaly::test {

inline QString FixturesDir() { return QStringLiteral(TESSALY_FIXTURES_DIR); }
inline bool HaveFixtures() { return QDir(FixturesDir()).exists(); }
inline QString FixturePath(const QString& name) { return FixturesDir() + "/" + name; }

}  // namespace tessaly::test

// Skips the running test when the fixture photos are not there.
#define TESSALY_SKIP_WITHOUT_FIXTURES()                                         \
  do {                                                                          \
    if (!::tessaly::test::HaveFixtures()) GTEST_SKIP() << "no fixture photos"; \
  } while (0)
