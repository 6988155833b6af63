// The dialogs' button row.
#include "ui/dialog_foot.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <vector>

namespace tessaly {
namespace {

QPushButton* MakeButton(QWidget* dialog, const FootButton& form) {
  auto* button = new QPushButton(form.caption, dialog);
  button->setObjectName(QLatin1String(form.name));
  QObject::connect(button, &QPushButton::clicked, dialog, form.run);
  return button;
}

}  // namespace

QHBoxLayout* DialogFoot(QWidget* dialog, std::initializer_list<FootButton> aside,
                        std::initializer_list<FootButton> answers) {
  auto* row = new QHBoxLayout;
  // Answers first, so that the tab order reaches them before the buttons aside.
  std::vector<QPushButton*> made;
  for (const FootButton& form : answers) made.push_back(MakeButton(dialog, form));
  if (!made.empty()) made.front()->setDefault(true);
  for (const FootButton& form : aside) row->addWidget(MakeButton(dialog, form));
  row->addStretch();
  for (QPushButton* button : made) row->addWidget(button);
  return row;
}

}  // namespace tessaly
