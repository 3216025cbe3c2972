#include "ui/qt/layout_dialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/qt/dialog_units.h"
#include "ui/qt/fonts.h"

namespace orlith::qt {

QPalette DialogPalette(const QPalette& base) {
  QPalette palette = base;
  palette.setColor(QPalette::Window, ColourOf(kDialogBackgroundColour));
  palette.setColor(QPalette::WindowText, ColourOf(kDialogTextColour));
  return palette;
}

LayoutDialog::LayoutDialog(const DialogLayout& layout, const DialogTexts& shown,
                           const OkHandler& on_ok, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      layout_(layout),
      onOk_(on_ok) {
  setWindowTitle(QString::fromLatin1(layout.caption));
  setFont(DialogFont());
  setPalette(DialogPalette(palette()));
  setAutoFillBackground(true);
  setFixedSize(DialogSizeInPixels(layout));

  QWidget* previous_stop = nullptr;
  for (const ControlLayout& control : layout.controls) {
    QWidget* widget = makeControl(control, shown);
    widget->setGeometry(ControlRectInPixels(control));
    widget->setProperty("controlId", control.id);
    controls_.push_back(widget);
    if (!control.tabStop) continue;
    widget->setFocusPolicy(Qt::StrongFocus);
    if (previous_stop != nullptr) setTabOrder(previous_stop, widget);
    previous_stop = widget;
  }
  initialFocus_ = control(InitialFocusId(layout));
}

QWidget* LayoutDialog::makeControl(const ControlLayout& control, const DialogTexts& shown) {
  const QString text = QString::fromLatin1(control.text);
  switch (control.kind) {
    case ControlKind::kDefaultPushButton:
    case ControlKind::kPushButton: {
      auto* button = new QPushButton(text, this);
      // A focused push button takes Enter, as on Windows; otherwise the default one does.
      button->setAutoDefault(true);
      if (control.kind == ControlKind::kDefaultPushButton) button->setDefault(true);
      if (control.id == 1) {
        okButton_ = button;
        connect(button, &QPushButton::clicked, this, &LayoutDialog::accept);
      } else if (control.id == 2) {
        cancelButton_ = button;
        connect(button, &QPushButton::clicked, this, &LayoutDialog::reject);
      }
      return button;
    }
    case ControlKind::kStatic:
    case ControlKind::kStaticNoWrap: {
      auto* label = new QLabel(text, this);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(control.kind == ControlKind::kStatic);
      label->setMargin(0);
      label->setIndent(0);
      return label;
    }
    case ControlKind::kEdit: {
      auto* edit = new QLineEdit(this);
      auto found = shown.edits.find(control.id);
      if (found != shown.edits.end()) edit->setText(QString::fromLatin1(found->second));
      edit->setCursorPosition(0);
      edits_[control.id] = edit;
      return edit;
    }
    case ControlKind::kAutoRadio: {
      auto* radio = new QRadioButton(text, this);
      // Reached by mouse, not by Tab: the radio buttons are no tab stops.
      radio->setFocusPolicy(Qt::ClickFocus);
      if (radioGroup_ == nullptr) {
        radioGroup_ = new QButtonGroup(this);
        radioGroup_->setExclusive(true);
      }
      radioGroup_->addButton(radio, control.id);
      radios_[control.id] = radio;
      return radio;
    }
    case ControlKind::kGroupBox: {
      auto* box = new QGroupBox(this);
      box->lower();
      return box;
    }
  }
  return new QWidget(this);  // unreachable: every kind is handled above
}

QWidget* LayoutDialog::control(int id) const {
  for (QWidget* widget : controls_) {
    if (widget->property("controlId").toInt() == id) return widget;
  }
  return nullptr;
}

DialogTexts LayoutDialog::typed() const {
  DialogTexts texts;
  for (const auto& [id, edit] : edits_) {
    texts.edits[id] = edit->text().toLatin1().toStdString();
  }
  if (radioGroup_ != nullptr && radioGroup_->checkedId() > 0) {
    texts.checkedRadio = radioGroup_->checkedId();
  }
  return texts;
}

void LayoutDialog::accept() {
  if (onOk_ && !onOk_(typed())) return;  // refused: the dialog stays open as it is
  QDialog::accept();
}

void LayoutDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (initialFocus_ != nullptr) initialFocus_->setFocus(Qt::OtherFocusReason);
}

}  // namespace orlith::qt
