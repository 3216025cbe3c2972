// The windows of the Tools menu: "Import Real-World NavAids...", "NavAids in Effect..." and
// "Scenery Folder...", modal dialogs in the program's colours and dialog font. What they show,
// check and do is the portable logic of app/tools.h and ui/settings.h; these are its widgets.
#pragma once

#include <QDialog>
#include <ctime>
#include <functional>
#include <string>

#include "app/tools.h"
#include "core/work_folder.h"
#include "ui/front_end.h"
#include "ui/settings.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace orlith::qt {

// Two choices, OK and Cancel. OK writes the choice to orlith.ini; a failure to read or write it
// is shown as an error and the dialog stays open.
class SceneryFolderDialog : public QDialog {
  Q_OBJECT

 public:
  // shown: the scenery folder in effect, which picks the checked choice.
  SceneryFolderDialog(FrontEnd& front_end, const WorkFolder& folder, const std::string& shown,
                      QWidget* parent = nullptr);

  // After OK: the scenery folder for the next commands, as this system takes it.
  const std::string& sceneryFolder() const { return sceneryFolder_; }

  QRadioButton* simulatorChoice() const { return simulator_; }
  QRadioButton* addonChoice() const { return addon_; }
  QPushButton* okButton() const { return ok_; }

  void accept() override;

 private:
  FrontEnd& frontEnd_;
  WorkFolder folder_;
  QRadioButton* simulator_;
  QRadioButton* addon_;
  QPushButton* ok_;
  std::string sceneryFolder_;
};

// The file, the filters and the command; the counts of what would be done, kept up to date as
// the texts change; Apply runs the import with a progress bar, and Cancel then stops it between
// rows. The summary closes the dialog.
class ImportDialog : public QDialog {
  Q_OBJECT

 public:
  ImportDialog(FrontEnd& front_end, const WorkFolder& folder, QWidget* parent = nullptr);

  ImportForm form() const;
  // Counts the rows the form selects and shows them; a refused form or a file that cannot be
  // read shows why in the same place. Nothing is written.
  void updatePreview();
  // Runs the import (after the form's check, shown as an error when it fails).
  void apply();

  QLineEdit* fileEdit() const { return file_; }
  QLineEdit* countriesEdit() const { return countries_; }
  QLineEdit* edgeEdit(int k) const { return edges_[k]; }  // North, West, South, East
  QComboBox* typeBox() const { return type_; }
  QRadioButton* modifyChoice() const { return modify_; }
  QLabel* previewLabel() const { return preview_; }
  QProgressBar* progressBar() const { return progress_; }
  QPushButton* applyButton() const { return apply_; }
  QPushButton* cancelButton() const { return cancel_; }
  bool running() const { return running_; }

  // While the import runs Cancel asks it to stop between rows; otherwise it closes the dialog.
  void reject() override;

 private:
  void browse();

  FrontEnd& frontEnd_;
  WorkFolder folder_;
  QLineEdit* file_;
  QLineEdit* countries_;
  QLineEdit* edges_[4];
  QComboBox* type_;
  QRadioButton* create_;
  QRadioButton* modify_;
  QLabel* preview_;
  QProgressBar* progress_;
  QPushButton* apply_;
  QPushButton* cancel_;
  bool running_ = false;
  bool stop_ = false;
};

// Two sortable tables (the exclusion switches, the Orlith scenery files), the count of other
// .bgl files, and the buttons that take the selected rows back and restore scenery.cfg, each
// after a confirmation; the tables are read again after each.
class InEffectWindow : public QDialog {
  Q_OBJECT

 public:
  InEffectWindow(FrontEnd& front_end, const WorkFolder& folder, std::function<std::tm()> today,
                 QWidget* parent = nullptr);

  // Reads what is in effect into the tables. False with the failure shown.
  bool reload();
  void takeBackSelected();
  void restoreConfig();

  QTableWidget* switchTable() const { return switches_; }
  QTableWidget* fileTable() const { return files_; }
  QLabel* othersLabel() const { return others_; }
  QPushButton* takeBackButton() const { return takeBack_; }
  QPushButton* restoreButton() const { return restore_; }

 private:
  // A Yes/No question in the program's style; true for Yes.
  bool confirm(const std::string& text);

  FrontEnd& frontEnd_;
  WorkFolder folder_;
  std::function<std::tm()> today_;
  InEffect inEffect_;
  QTableWidget* switches_;
  QTableWidget* files_;
  QLabel* others_;
  QPushButton* takeBack_;
  QPushButton* restore_;
};

}  // namespace orlith::qt
