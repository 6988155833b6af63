// The resolution limit boxes and their rule.
#include "ui/resolution_boxes.h"

#include <QGridLayout>
#include <QLabel>

#include "ui/box_validators.h"
#include "ui/control_name.h"

namespace tessaly {
namespace {

// A value box that can be typed in is white with black text; a locked one takes the
// window's background.
void SetEditable(QLineEdit* box, bool editable) {
  box->setReadOnly(!editable);
  QPalette colours = box->palette();
  const QPalette window = box->window()->palette();
  colours.setColor(QPalette::Base, editable ? QColor(Qt::white) : window.color(QPalette::Window));
  colours.setColor(QPalette::Text, editable ? QColor(Qt::black) : window.color(QPalette::Text));
  box->setPalette(colours);
}

}  // namespace

ResolutionBoxes::ResolutionBoxes(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
  boxes_[0] = Named(new QCheckBox(tr("Normal (don't change the resolution)"), this),
                    "chkInterpolate", tr("All images are printed at their native resolution"), 0);
  boxes_[1] = Named(new QCheckBox(tr("Set the minimum resolution to"), this), "chkInterpolate",
                    tr("Improve print quality of low-resolution images: Images with lower "
                       "resolution than specified are interpolated to the specified resolution."),
                    1);
  boxes_[2] = Named(new QCheckBox(tr("Set the maximum resolution to"), this), "chkInterpolate",
                    tr("Images with higher resolutions than specified are down-sampled to the "
                       "specified resolution"),
                    2);
  auto* layout = new QGridLayout(this);
  for (int i = 0; i < 3; ++i) {
    layout->addWidget(boxes_[i], i, 0);
    connect(boxes_[i], &QCheckBox::clicked, this, [this, i] { Clicked(i); });
    if (i == 0) continue;
    values_[i] = Named(MakeBox(this, BoxInput::kDigits), "txtInterpolVal", QString(), i);
    values_[i]->setMaximumWidth(60);
    layout->addWidget(values_[i], i, 1);
    layout->addWidget(new QLabel(tr("ppi"), this), i, 2);
  }
}

void ResolutionBoxes::SetLimits(bool min_on, const QString& min_text, bool max_on,
                                const QString& max_text) {
  boxes_[1]->setChecked(min_on);
  boxes_[2]->setChecked(max_on);
  values_[1]->setText(min_text);
  values_[2]->setText(max_text);
  Clicked(1);
}

void ResolutionBoxes::Clicked(int index) {
  if (index == 0 && boxes_[0]->isChecked()) {
    boxes_[1]->setChecked(false);
    boxes_[2]->setChecked(false);
  }
  boxes_[0]->setChecked(!boxes_[1]->isChecked() && !boxes_[2]->isChecked());
  for (int i = 1; i < 3; ++i) SetEditable(values_[i], boxes_[i]->isChecked());
}

}  // namespace tessaly
