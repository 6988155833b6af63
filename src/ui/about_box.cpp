// Texts and layout of the about box. The version comes from the build
// (TESSALY_VERSION, set from the project's version); the licences are those the
// installed libraries' packages declare.
#include "ui/about_box.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QVBoxLayout>

#include "controls/ui_service.h"
#include "controls/utils.h"
#include "ui/url_label.h"

namespace tessaly {
namespace {

constexpr char kLibraries[] =
    "Tessaly is built on these libraries:\n"
    "Qt 6 - GNU Lesser General Public License version 3 (LGPLv3)\n"
    "libjpeg-turbo - IJG License, Modified (3-clause) BSD License and zlib License\n"
    "Little CMS 2 - MIT License\n"
    "libpng - PNG Reference Library License version 2 (libpng license)\n"
    "CUPS - Apache License 2.0 (with the GPL2/LGPL2 linking exception)";

}  // namespace

QString ProgramVersion() {
  return QStringLiteral(TESSALY_VERSION);
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(tr("About Tessaly"));

  auto* product = new QLabel(QStringLiteral("Tessaly"), this);
  product->setObjectName(QStringLiteral("lblProduct"));
  QFont large = product->font();
  large.setPointSizeF(large.pointSizeF() * 2);
  large.setBold(true);
  product->setFont(large);
  auto* version = new QLabel(tr("Version %1").arg(ProgramVersion()), this);
  version->setObjectName(QStringLiteral("lblVersion"));
  auto* libraries = new QLabel(QString::fromLatin1(kLibraries), this);
  libraries->setObjectName(QStringLiteral("lblLicences"));
  libraries->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* help = new UrlLabel(this);
  help->setObjectName(QStringLiteral("URL1"));
  help->SetURL(QDir(HelpFolder()).filePath(QStringLiteral("Help.htm")));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(product);
  layout->addWidget(version);
  layout->addSpacing(8);
  layout->addWidget(libraries);
  layout->addSpacing(8);
  layout->addWidget(help);
  layout->addWidget(buttons);
}

void AboutBox::ShowAbout(QWidget* parent) {
  AboutBox box(parent);
  CurrentUi().RunDialog(box);
}

}  // namespace tessaly
