#include "controls/common_dialogs.h"

#include <gtest/gtest.h>

#include <memory>

#include "controls/scripted_common_dialogs.h"

namespace tessaly {
namespace {

TEST(CommonDialogs, ScriptedAnswersInOrderCancelWhenUnscriptedAndDefaultCancels) {
  OpenFileRequest request{"Tessaly - Select Photos", "JPEG|*.JPG|PNG|*.PNG", 1, "/photos", false};
  QStringList files{"stale"};
  EXPECT_FALSE(CurrentCommonDialogs().OpenFiles(request, files));
  EXPECT_TRUE(files.isEmpty());
  EXPECT_EQ(CurrentCommonDialogs().BrowseFolders("Choose Folder:"), "");

  ScriptedCommonDialogs dialogs;
  auto installed = std::make_unique<ScopedCommonDialogs>(dialogs);
  dialogs.AnswerFiles({"/photos/a.jpg", "/photos/b.png"}, 2);
  dialogs.AnswerFolder("/prints");
  FontChoice chosen{"Liberation Serif", 12.0, true, false, false, false};
  dialogs.AnswerFont(chosen, 0x00336699);

  EXPECT_TRUE(CurrentCommonDialogs().OpenFiles(request, files));
  EXPECT_EQ(files, QStringList{"/photos/a.jpg"});  // one file without multiple selection
  EXPECT_EQ(request.filter_index, 2);
  EXPECT_FALSE(CurrentCommonDialogs().OpenFiles(request, files));
  EXPECT_TRUE(files.isEmpty());
  EXPECT_EQ(request.filter_index, 2);
  EXPECT_EQ(CurrentCommonDialogs().BrowseFolders("Choose Folder:"), "/prints");
  EXPECT_EQ(CurrentCommonDialogs().BrowseFolders("Choose Folder:"), "");

  FontChoice font{"Arial", 9.0, false, true, false, false};
  std::uint32_t colour = 0;
  EXPECT_TRUE(CurrentCommonDialogs().ChooseFont(font, colour, 1, 70));
  EXPECT_EQ(font.name, "Liberation Serif");
  EXPECT_TRUE(font.bold);
  EXPECT_EQ(colour, 0x00336699u);
  EXPECT_FALSE(CurrentCommonDialogs().ChooseFont(font, colour, 1, 70));
  EXPECT_EQ(font.name, "Liberation Serif");
  installed.reset();
  EXPECT_FALSE(CurrentCommonDialogs().ChooseFont(font, colour, 1, 70));  // the default again

  ASSERT_EQ(dialogs.Requests().size(), 6u);
  EXPECT_EQ(dialogs.Requests()[0].kind, DialogKind::OpenFiles);
  EXPECT_EQ(dialogs.Requests()[0].title, "Tessaly - Select Photos");
  EXPECT_EQ(dialogs.Requests()[0].initial_folder, "/photos");
  EXPECT_EQ(dialogs.Requests()[2].kind, DialogKind::BrowseFolders);
  EXPECT_EQ(dialogs.Requests()[2].title, "Choose Folder:");
  EXPECT_EQ(dialogs.Requests()[4].font.name, "Arial");
}

}  // namespace
}  // namespace tessaly
