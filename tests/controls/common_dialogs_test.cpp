#include "controls/common_dialogs.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

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
  dialogs.AnswerFont({"Liberation Serif", 12.0, true, false, false, false}, 0x00336699);

  EXPECT_TRUE(CurrentCommonDialogs().OpenFiles(request, files));
  // One file without multiple selection.
  EXPECT_EQ(std::pair(files, request.filter_index), std::pair(QStringList{"/photos/a.jpg"}, 2));
  EXPECT_FALSE(CurrentCommonDialogs().OpenFiles(request, files));
  EXPECT_EQ(std::pair(files, request.filter_index), std::pair(QStringList(), 2));
  EXPECT_EQ(CurrentCommonDialogs().BrowseFolders("Choose Folder:"), "/prints");
  EXPECT_EQ(CurrentCommonDialogs().BrowseFolders("Choose Folder:"), "");

  FontChoice font{"Arial", 9.0, false, true, false, false};
  std::uint32_t colour = 0;
  EXPECT_TRUE(CurrentCommonDialogs().ChooseFont(font, colour, 1, 70));
  EXPECT_EQ(std::tuple(font.name, font.bold, colour),
            std::tuple(QString("Liberation Serif"), true, 0x00336699u));
  EXPECT_FALSE(CurrentCommonDialogs().ChooseFont(font, colour, 1, 70));
  installed.reset();
  EXPECT_FALSE(CurrentCommonDialogs().ChooseFont(font, colour, 1, 70));  // the default again

  ASSERT_EQ(dialogs.Requests().size(), 6u);
  EXPECT_EQ(dialogs.Requests()[0].initial_folder, "/photos");
  EXPECT_EQ(dialogs.Requests()[2].kind, DialogKind::BrowseFolders);
  EXPECT_EQ(dialogs.Requests()[4].font.name, "Arial");
}

}  // namespace
}  // namespace tessaly
