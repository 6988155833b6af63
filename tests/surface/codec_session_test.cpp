#include "surface/codec_session.h"

#include <gtest/gtest.h>

#include "controls/scripted_ui.h"

namespace tessaly {
namespace {

TEST(CodecSession, StartsOnceShutsDownAndReportsAMissingCodec) {
  ScriptedUi ui;
  ScopedUi scoped(ui);
  ShutdownCodecSession();
  ASSERT_FALSE(CodecSessionOpen());
  EXPECT_FALSE(StartCodecSession({"jpeg", "png", "no-such-format"}));
  EXPECT_FALSE(CodecSessionOpen());
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text, "Error loading GDI+!");
  EXPECT_EQ(ui.Messages()[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(ui.Messages()[0].icon, MsgIcon::Critical);
  // A format Qt reads but cannot write counts as missing too.
  EXPECT_FALSE(StartCodecSession({"gif"}));
  EXPECT_TRUE(StartCodecSession());
  EXPECT_TRUE(CodecSessionOpen());
  // Already open: true at once, without checking again.
  EXPECT_TRUE(StartCodecSession({"no-such-format"}));
  EXPECT_EQ(ui.Messages().size(), 2u);
  ShutdownCodecSession();
  ShutdownCodecSession();
  EXPECT_FALSE(CodecSessionOpen());
}

}  // namespace
}  // namespace tessaly
