#include "controls/instance_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QLockFile>
#include <QTemporaryDir>

#include "controls/scripted_ui.h"

namespace tessaly {
namespace {

constexpr char kRefusal[] = "Another instance of the application is already running.";

TEST(InstanceLock, SecondInstanceRefusedWhileHeldAndStaleLockRecovered) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("run/tessaly.lock");
  ScriptedUi ui;
  ScopedUi scoped(ui);

  {
    InstanceLock first(path);
    ASSERT_TRUE(first.Acquire());
    InstanceLock second(path);
    EXPECT_FALSE(second.Acquire());
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, kRefusal);
    EXPECT_EQ(ui.Messages()[0].buttons, MsgButtons::Ok);
  }
  // Released with the first instance: the next start takes it.
  {
    InstanceLock again(path);
    EXPECT_TRUE(again.Acquire());
  }

  // A process that ended without unlocking leaves its lock file behind.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    QLockFile left(path);
    ::_exit(left.tryLock(0) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_TRUE(QFile::exists(path));
  InstanceLock after_crash(path);
  EXPECT_TRUE(after_crash.Acquire());
  EXPECT_EQ(ui.Messages().size(), 1u);

  // A folder at the lock's name is named for what it is, not taken for another
  // instance.
  const QString folder = path + ".d";
  ASSERT_TRUE(QDir().mkpath(folder));
  InstanceLock blocked(folder);
  EXPECT_FALSE(blocked.Acquire());
  ASSERT_EQ(ui.Messages().size(), 2u);
  EXPECT_EQ(ui.Messages()[1].text, LockNotAFileText(folder, true));
  EXPECT_TRUE(ui.Messages()[1].text.contains("is a folder"));
}

}  // namespace
}  // namespace tessaly
