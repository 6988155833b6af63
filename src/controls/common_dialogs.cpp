// The installed common-dialogs service and its default, which cancels every call.
#include "controls/common_dialogs.h"

namespace tessaly {
namespace {

CommonDialogs* g_installed = nullptr;

class NobodyToAsk final : public CommonDialogs {
 public:
  bool OpenFiles(OpenFileRequest&, QStringList& files) override {
    files.clear();
    return false;
  }
  bool SaveFile(OpenFileRequest&, QString& file) override {
    file.clear();
    return false;
  }
  QString BrowseFolders(const QString&) override { return QString(); }
  bool ChooseFont(FontChoice&, std::uint32_t&, double, double) override { return false; }
};

}  // namespace

CommonDialogs& CurrentCommonDialogs() {
  static NobodyToAsk nobody;
  return g_installed ? *g_installed : nobody;
}

void InstallCommonDialogs(CommonDialogs* dialogs) {
  g_installed = dialogs;
}

ScopedCommonDialogs::ScopedCommonDialogs(CommonDialogs& dialogs) : previous_(g_installed) {
  g_installed = &dialogs;
}

ScopedCommonDialogs::~ScopedCommonDialogs() {
  g_installed = previous_;
}

}  // namespace tessaly
