#include "ui/qt/tool_windows.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "app/messages.h"
#include "core/operations_log.h"
#include "ui/qt/fonts.h"
#include "ui/qt/layout_dialog.h"
#include "ui/qt/qt_front_end.h"

namespace orlith::qt {
namespace {

QString Latin1(const std::string& text) { return QString::fromLatin1(text); }
std::string Bytes(const QString& text) { return text.toLatin1().toStdString(); }

// The program's look: blue ground, white labels, the dialog font, a title bar with a close box.
void StyleDialog(QDialog* dialog, const char* caption) {
  dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint);
  dialog->setWindowTitle(QString::fromLatin1(caption));
  dialog->setFont(DialogFont());
  dialog->setPalette(DialogPalette(dialog->palette()));
  dialog->setAutoFillBackground(true);
}

QLabel* Label(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QPushButton* Button(const char* text, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(text), parent);
  button->setAutoDefault(false);
  return button;
}

// A cell that sorts as CompareCells says (numbers by value).
class Cell : public QTableWidgetItem {
 public:
  Cell(const std::string& text, int row) : QTableWidgetItem(Latin1(text)) {
    setData(Qt::UserRole, row);
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  }
  bool operator<(const QTableWidgetItem& other) const override {
    return CompareCells(Bytes(text()), Bytes(other.text())) < 0;
  }
};

QTableWidget* Table(const std::vector<std::string>& columns, QWidget* parent) {
  auto* table = new QTableWidget(0, static_cast<int>(columns.size()), parent);
  QStringList titles;
  for (const std::string& title : columns) titles << Latin1(title);
  table->setHorizontalHeaderLabels(titles);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->hide();
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setStretchLastSection(true);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  // In the order read (by line, by name) until the user clicks a column's title.
  table->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
  table->setSortingEnabled(true);
  return table;
}

void Fill(QTableWidget* table, const std::vector<std::vector<std::string>>& rows) {
  table->setSortingEnabled(false);
  table->clearContents();
  table->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < table->rowCount(); ++r) {
    for (int c = 0; c < table->columnCount(); ++c) table->setItem(r, c, new Cell(rows[r][c], r));
  }
  table->setSortingEnabled(true);
}

// The indexes (into what was read) of the table's selected rows.
std::vector<int> Chosen(const QTableWidget* table) {
  std::vector<int> chosen;
  for (const QModelIndex& index : table->selectionModel()->selectedRows())
    chosen.push_back(table->item(index.row(), 0)->data(Qt::UserRole).toInt());
  return chosen;
}

}  // namespace

SceneryFolderDialog::SceneryFolderDialog(FrontEnd& front_end, const WorkFolder& folder,
                                         const std::string& shown, QWidget* parent)
    : QDialog(parent), frontEnd_(front_end), folder_(folder) {
  StyleDialog(this, kSceneryFolderCaption);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label(QString::fromLatin1(kSceneryFolderPrompt), this));
  simulator_ = new QRadioButton(QString::fromLatin1(kSimulatorFolderChoice), this);
  addon_ = new QRadioButton(QString::fromLatin1(kAddonSceneryChoice), this);
  auto* group = new QButtonGroup(this);
  group->addButton(simulator_);
  group->addButton(addon_);
  layout->addWidget(simulator_);
  layout->addWidget(addon_);
  const SceneryChoice choice = ChoiceOf(shown);
  simulator_->setChecked(choice == SceneryChoice::kSimulatorFolder);
  addon_->setChecked(choice == SceneryChoice::kAddonScenery);
  auto* buttons = new QHBoxLayout;
  ok_ = Button("OK", this);
  ok_->setDefault(true);
  QPushButton* cancel = Button(kCancelButton, this);
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  connect(ok_, &QPushButton::clicked, this, &SceneryFolderDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &SceneryFolderDialog::reject);
  setFixedSize(sizeHint());
}

void SceneryFolderDialog::accept() {
  const SceneryChoice choice = simulator_->isChecked() ? SceneryChoice::kSimulatorFolder
                               : addon_->isChecked()   ? SceneryChoice::kAddonScenery
                                                       : SceneryChoice::kNone;
  Settings settings;
  Status s = ReadSettings(folder_, &settings);
  if (s.ok()) {
    settings.sceneryFolder = StoredFor(choice, settings.sceneryFolder);
    s = WriteSettings(folder_, settings);
  }
  if (!s.ok()) return frontEnd_.ShowError(FileErrorMessage(s));
  sceneryFolder_ = SceneryFolderForSystem(settings.sceneryFolder);
  QDialog::accept();
}

ImportDialog::ImportDialog(FrontEnd& front_end, const WorkFolder& folder, QWidget* parent)
    : QDialog(parent), frontEnd_(front_end), folder_(folder) {
  StyleDialog(this, kImportCaption);
  auto* grid = new QGridLayout(this);
  int row = 0;
  grid->addWidget(Label(QString::fromLatin1(kImportFileLabel), this), row, 0);
  file_ = new QLineEdit(this);
  file_->setMinimumWidth(260);
  grid->addWidget(file_, row, 1, 1, 3);
  QPushButton* browse = Button(kBrowseButton, this);
  grid->addWidget(browse, row++, 4);
  grid->addWidget(Label(QString::fromLatin1(kCountriesLabel), this), row, 0);
  countries_ = new QLineEdit(this);
  grid->addWidget(countries_, row++, 1, 1, 4);
  grid->addWidget(Label(QString::fromLatin1(kRectangleLabel), this), row++, 0, 1, 5);
  for (int k = 0; k < 4; ++k) {
    edges_[k] = new QLineEdit(this);
    edges_[k]->setPlaceholderText(k % 2 == 0 ? "N50 30.0" : "E4 20.0");
    grid->addWidget(Label(QString::fromLatin1(kEdgeLabels[k]), this), row + k / 2, (k % 2) * 2,
                    Qt::AlignRight);
    grid->addWidget(edges_[k], row + k / 2, (k % 2) * 2 + 1);
  }
  row += 2;
  grid->addWidget(Label(QString::fromLatin1(kTypeLabel), this), row, 0, Qt::AlignRight);
  type_ = new QComboBox(this);
  for (const char* choice : kTypeChoices) type_->addItem(QString::fromLatin1(choice));
  grid->addWidget(type_, row++, 1);
  grid->addWidget(Label(QString::fromLatin1(kCommandLabel), this), row, 0, Qt::AlignRight);
  create_ = new QRadioButton(QString::fromLatin1(kCreateChoice), this);
  modify_ = new QRadioButton(QString::fromLatin1(kModifyChoice), this);
  create_->setChecked(true);
  auto* commands = new QButtonGroup(this);
  commands->addButton(create_);
  commands->addButton(modify_);
  grid->addWidget(create_, row, 1);
  grid->addWidget(modify_, row++, 2);
  preview_ = Label(QString(), this);
  preview_->setWordWrap(true);
  preview_->setMinimumHeight(3 * preview_->fontMetrics().height());
  preview_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  grid->addWidget(preview_, row++, 0, 1, 5);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 1);
  progress_->setValue(0);
  progress_->setFormat("%v of %m rows");
  progress_->setTextVisible(false);  // until the import runs
  grid->addWidget(progress_, row++, 0, 1, 5);
  auto* buttons = new QHBoxLayout;
  QPushButton* preview = Button(kPreviewButton, this);
  apply_ = Button(kApplyButton, this);
  apply_->setDefault(true);
  cancel_ = Button(kCancelButton, this);
  buttons->addWidget(preview);
  buttons->addStretch();
  buttons->addWidget(apply_);
  buttons->addWidget(cancel_);
  grid->addLayout(buttons, row, 0, 1, 5);

  connect(browse, &QPushButton::clicked, this, &ImportDialog::browse);
  connect(preview, &QPushButton::clicked, this, &ImportDialog::updatePreview);
  connect(apply_, &QPushButton::clicked, this, &ImportDialog::apply);
  connect(cancel_, &QPushButton::clicked, this, &ImportDialog::reject);
  // Every change counts again, once the typing pauses.
  auto* recount = new QTimer(this);
  recount->setSingleShot(true);
  recount->setInterval(300);
  connect(recount, &QTimer::timeout, this, &ImportDialog::updatePreview);
  auto changed = [recount] { recount->start(); };
  for (QLineEdit* edit : {file_, countries_, edges_[0], edges_[1], edges_[2], edges_[3]})
    connect(edit, &QLineEdit::textChanged, this, changed);
  connect(type_, &QComboBox::currentIndexChanged, this, changed);
  connect(modify_, &QRadioButton::toggled, this, changed);
  updatePreview();
  setFixedSize(sizeHint());
}

ImportForm ImportDialog::form() const {
  ImportForm form;
  form.file = Bytes(file_->text().trimmed());
  form.countries = Bytes(countries_->text());
  std::string* edges[4] = {&form.north, &form.west, &form.south, &form.east};
  for (int k = 0; k < 4; ++k) *edges[k] = Bytes(edges_[k]->text().trimmed());
  form.type = type_->currentIndex() == 0 ? "" : kTypeChoices[type_->currentIndex()];
  form.modify = modify_->isChecked();
  return form;
}

void ImportDialog::updatePreview() {
  if (running_) return;
  ImportOptions options;
  std::string error;
  if (!ImportOptionsOf(form(), &options, &error)) return preview_->setText(Latin1(error));
  ImportCounts counts;
  const int status = CountImport(options, folder_, &counts, &error);
  preview_->setText(Latin1(status == 0 ? ImportPreviewText(counts)
                                       : ImportFailureMessage(options.file, status, error)));
}

void ImportDialog::browse() {
  QString chosen =
      QFileDialog::getOpenFileName(this, QString::fromLatin1(kImportFileLabel),
                                   Latin1(folder_.path), "navaids.csv (*.csv);;All files (*)");
  if (!chosen.isEmpty()) file_->setText(chosen);
}

void ImportDialog::apply() {
  if (running_) return;
  ImportOptions options;
  std::string error;
  if (!ImportOptionsOf(form(), &options, &error)) return frontEnd_.ShowError(error);
  running_ = true;
  stop_ = false;
  progress_->setTextVisible(true);
  for (QWidget* child : findChildren<QWidget*>()) {
    if (child != cancel_ && child != progress_ && !qobject_cast<QLabel*>(child))
      child->setEnabled(false);
  }
  ImportProgress progress{[this](std::int64_t done, std::int64_t total) {
                            progress_->setRange(0, static_cast<int>(total));
                            progress_->setValue(static_cast<int>(done));
                            QCoreApplication::processEvents();
                          },
                          [this] {
                            QCoreApplication::processEvents();
                            return stop_;
                          }};
  ApplyImport(frontEnd_, folder_, options, &progress);
  running_ = false;
  QDialog::accept();
}

void ImportDialog::reject() {
  if (running_) {
    stop_ = true;
    return;
  }
  QDialog::reject();
}

InEffectWindow::InEffectWindow(FrontEnd& front_end, const WorkFolder& folder,
                               std::function<std::tm()> today, QWidget* parent)
    : QDialog(parent), frontEnd_(front_end), folder_(folder), today_(std::move(today)) {
  StyleDialog(this, kInEffectCaption);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label(QString::fromLatin1(kSwitchesLabel), this));
  switches_ = Table(SwitchColumns(), this);
  layout->addWidget(switches_, 2);
  layout->addWidget(Label(QString::fromLatin1(kFilesLabel), this));
  files_ = Table(FileColumns(), this);
  layout->addWidget(files_, 3);
  others_ = Label(QString(), this);
  layout->addWidget(others_);
  auto* buttons = new QHBoxLayout;
  takeBack_ = Button(kTakeBackButton, this);
  restore_ = Button(kRestoreButton, this);
  QPushButton* close = Button(kCloseButton, this);
  buttons->addWidget(takeBack_);
  buttons->addWidget(restore_);
  buttons->addStretch();
  buttons->addWidget(close);
  layout->addLayout(buttons);
  connect(takeBack_, &QPushButton::clicked, this, &InEffectWindow::takeBackSelected);
  connect(restore_, &QPushButton::clicked, this, &InEffectWindow::restoreConfig);
  connect(close, &QPushButton::clicked, this, &InEffectWindow::reject);
  resize(600, 400);
}

bool InEffectWindow::reload() {
  InEffect read;
  Status s = ReadInEffect(folder_, &read);
  if (!s.ok()) {
    frontEnd_.ShowError(InEffectFailureMessage(folder_, s));
    return false;
  }
  inEffect_ = std::move(read);
  std::vector<std::vector<std::string>> rows;
  for (const SwitchInEffect& w : inEffect_.switches) rows.push_back(SwitchCells(w));
  Fill(switches_, rows);
  rows.clear();
  for (const SceneryFileInEffect& f : inEffect_.files) rows.push_back(FileCells(f));
  Fill(files_, rows);
  others_->setText(Latin1(OtherFilesText(inEffect_.otherBglFiles)));
  return true;
}

bool InEffectWindow::confirm(const std::string& text) {
  QMessageBox box(QMessageBox::Question, ApplicationTitle(), Latin1(text),
                  QMessageBox::Yes | QMessageBox::No, this);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void InEffectWindow::takeBackSelected() {
  RemovalPlan chosen;
  for (int i : Chosen(switches_)) chosen.switches.push_back(inEffect_.switches[i]);
  for (int i : Chosen(files_)) chosen.files.push_back(inEffect_.files[i]);
  if (chosen.empty()) return frontEnd_.ShowMessage(kNothingChosenMessage);
  if (!confirm(TakeBackQuestion(chosen))) return;
  TakeBackChosen(frontEnd_, folder_, chosen, today_ ? today_() : LocalDateNow());
  reload();
}

void InEffectWindow::restoreConfig() {
  if (!confirm(kRestoreQuestion)) return;
  RestoreSceneryConfig(frontEnd_, folder_, today_ ? today_() : LocalDateNow());
  reload();
}

}  // namespace orlith::qt
