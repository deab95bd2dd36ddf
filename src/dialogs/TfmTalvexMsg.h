#pragma once
// The message template editor: one row per message line of a template file
// (a label button and the message text), the Auto CQ delay, and the keys
// that write the template file ("Update Template", Enter), another file
// ("Save As") or leave ("Close", Escape). The opener reloads the templates
// and tells the radio (the updated callback), and reads Saved() afterwards.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "data/TMessageTemplates.h"

class QComboBox;
class QLineEdit;
class QMenu;
class QScrollArea;
class QVBoxLayout;
class QWidget;

class TfmTalvexMsg : public QDialog {
  Q_OBJECT
 public:
  explicit TfmTalvexMsg(QWidget* parent = nullptr);

  /// Where "Update Template" writes, whichever file the rows came from.
  void SetTemplateFile(const std::string& path) { m_templateFile = path; }
  /// Where the "Save As" chooser starts.
  void SetProgramDirectory(const std::string& directory) { m_programDirectory = directory; }
  /// Runs after "Update Template" has written the template file.
  void OnTemplateUpdated(std::function<void()> updated) { m_updated = std::move(updated); }
  /// Takes the file name (cut to 260) and shows its message lines as rows;
  /// a file that cannot be read says so and leaves no rows.
  void LoadFile(const std::string& path);
  /// Selects the delay item equal to seconds; none (an empty box) otherwise.
  void SelectAutoCqDelay(int seconds);

  /// The rows as they stand.
  std::vector<TTemplateRow> Rows() const;
  bool Modified() const { return m_modified; }
  /// True when the dialog was closed by "Update Template"; cleared each time it shows.
  bool Saved() const { return m_saved; }

  void UpdateTemplate();
  void SaveAs();
  /// Asks "Ignore message changes?" when a row was changed; closes on Yes.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void AddRow(const TTemplateRow& row);
  void FitRows();
  void ShowSymbols(QLineEdit* edit);
  void InsertSymbol(const QString& caption);
  /// Refuses (with a message) rows the template file could not keep.
  bool RowsCanBeKept() const;
  bool Write(const std::string& path, const std::string& text) const;

  QWidget* moInstruct = nullptr;
  QScrollArea* sbMsgEdit = nullptr;
  QWidget* m_rowsHolder = nullptr;
  QComboBox* cbAutoCQDelay = nullptr;
  QWidget* pnAutoCQ = nullptr;
  QWidget* pnButtons = nullptr;
  QMenu* puMsgSymbols = nullptr;
  std::vector<QWidget*> m_rows;
  std::vector<QLineEdit*> m_edits;
  QLineEdit* m_symbolTarget = nullptr;
  std::string m_fileName;
  std::string m_templateFile;
  std::string m_programDirectory;
  std::function<void()> m_updated;
  bool m_modified = false;
  bool m_saved = false;
};
