// A check that a read returns at once: it runs on another thread and the test fails
// when it has not returned within a few seconds. A read stuck on a FIFO is then let go
// by opening the FIFO's other end, so the test program goes on instead of hanging.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QString>
#include <chrono>
#include <functional>
#include <future>

namespace tessaly::test {

inline void ReturnsPromptly(const std::function<void()>& read, const QString& fifo) {
  auto done = std::async(std::launch::async, read);
  if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready) return;
  ADD_FAILURE() << "still reading " << fifo.toStdString() << " after 5 s";
  const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
  if (writer >= 0) ::close(writer);
}

}  // namespace tessaly::test
