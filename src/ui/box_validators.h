// The input rules of the program's value boxes, in one place. A whole-number box keeps
// its text digits or empty, refusing any other character typed or pasted, while every
// editing key (select all, Delete, the arrows, undo) works as in any box. A size box
// takes the typed characters the photo size editor lets through, a comma typed becoming
// a point; keys without a printable character keep their own work.
#pragma once

class QLineEdit;
class QWidget;

namespace tessaly {

enum class BoxInput {
  kDigits,       // whole numbers
  kSizeDecimal,  // sizes in the display unit, typed with a point or a comma
};

// Gives `box` the rule of `input` (the box owns what enforces it); returns the box.
// An editable list's typing is restricted through its line edit.
QLineEdit* RestrictBox(QLineEdit* box, BoxInput input);
// A new box on `parent` with the rule of `input`.
QLineEdit* MakeBox(QWidget* parent, BoxInput input);

}  // namespace tessaly
