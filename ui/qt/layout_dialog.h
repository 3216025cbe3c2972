// One modal dialog built from a template of the shared layout data: the Position dialog and the
// three NavAid parameter dialogs are all instances of it.
#pragma once

#include <QDialog>
#include <map>
#include <vector>

#include "ui/dialog_layout.h"
#include "ui/front_end.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orlith::qt {

// The dialog ground and the texts drawn on it (labels, radio buttons) are blue and white; buttons,
// edits and tables draw with their own roles and keep the platform's colours.
QPalette DialogPalette(const QPalette& base);

class LayoutDialog : public QDialog {
  Q_OBJECT

 public:
  // Builds the dialog of layout: its caption, client size, the dialog font and colours, and one
  // widget per control at its rectangle, in template order (which is the tab order). The edits
  // show shown.edits (an id missing there shows an empty text); no radio button is checked.
  // on_ok is called when OK is pressed; the dialog keeps its own copy.
  LayoutDialog(const DialogLayout& layout, const DialogTexts& shown, const OkHandler& on_ok,
               QWidget* parent = nullptr);

  const DialogLayout& layout() const { return layout_; }

  // What the controls hold now: every edit's text by id (each character as one byte; characters
  // beyond Latin-1 become "?") and the checked radio button's id, or 0.
  DialogTexts typed() const;

  // The widget of the control at index in the template, or of control id (null when the dialog
  // has no such control; ids of statics are not unique).
  QWidget* controlAt(std::size_t index) const { return controls_.at(index); }
  QWidget* control(int id) const;

  QPushButton* okButton() const { return okButton_; }
  QPushButton* cancelButton() const { return cancelButton_; }

  // The control that gets the focus on opening (see InitialFocusId).
  QWidget* initialFocus() const { return initialFocus_; }

  // OK: passes typed() to the handler, then closes with the result OK unless the handler refused.
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* makeControl(const ControlLayout& control, const DialogTexts& shown);

  const DialogLayout& layout_;
  OkHandler onOk_;
  std::vector<QWidget*> controls_;
  std::map<int, QLineEdit*> edits_;
  std::map<int, QRadioButton*> radios_;
  QButtonGroup* radioGroup_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QWidget* initialFocus_ = nullptr;
};

}  // namespace orlith::qt
