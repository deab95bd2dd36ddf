#include "data/TfmUpdateNames.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/TOperatorList.h"
#include "data/TfmRosterImport.h"
#include "platform/MessageSink.h"
#include "platform/QtText.h"
#include "platform/QtGridCells.h"

namespace {
constexpr int kColumnWidths[3] = {103, 117, 91};
constexpr int kRowHeight = 19;
constexpr int kStatusColumn = 2;
}  // namespace

/// Black text two pixels from the right edge and two below the top; the
/// heading row and the Status column in the fixed colour. Each keystroke of
/// a call reaches the form.
class NamesGridDelegate : public QStyledItemDelegate {
 public:
  NamesGridDelegate(TfmUpdateNames& form, QObject* parent) : QStyledItemDelegate(parent), m_form(form) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int row = index.row();
    const int column = index.column();
    QObject::connect(editor, &QLineEdit::textEdited, editor, [this, row, column](const QString& text) {
      m_form.sgNames->item(row, column)->setText(text);
    });
    return editor;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    platform::SetEditorTextKeepingCursor(editor, index);
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const bool fixed = index.row() == 0 || index.column() == kStatusColumn;
    painter->save();
    painter->fillRect(option.rect, fixed ? option.palette.color(QPalette::Button) : QColor(Qt::white));
    painter->setPen(Qt::black);
    painter->setClipRect(option.rect);
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRect r = option.rect;
    const int width = option.fontMetrics.horizontalAdvance(text);
    painter->drawText(QPoint(r.right() + 1 - width - 2, r.top() + 2 + option.fontMetrics.ascent()), text);
    painter->restore();
  }

 private:
  TfmUpdateNames& m_form;
};

TfmUpdateNames::TfmUpdateNames(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fmUpdateNames"));
  setWindowTitle(QStringLiteral("Updating Names Data"));

  auto* pnFile = new QFrame(this);
  pnFile->setObjectName(QStringLiteral("pnFile"));
  pnFile->setFrameShape(QFrame::StyledPanel);
  Label1 = new QLabel(QStringLiteral("Names File "), pnFile);
  Label1->setObjectName(QStringLiteral("Label1"));
  (new QHBoxLayout(pnFile))->addWidget(Label1);

  sgNames = new QTableWidget(kEntryRows + 1, 3, this);
  sgNames->setObjectName(QStringLiteral("sgNames"));
  sgNames->horizontalHeader()->hide();
  sgNames->verticalHeader()->hide();
  sgNames->verticalHeader()->setMinimumSectionSize(kRowHeight);
  sgNames->verticalHeader()->setDefaultSectionSize(kRowHeight);
  sgNames->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sgNames->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sgNames->setTabKeyNavigation(true);
  sgNames->setSelectionMode(QAbstractItemView::SingleSelection);
  sgNames->setEditTriggers(QAbstractItemView::AllEditTriggers);
  const char* headings[3] = {"Operator Call", "Operator Name", "Status"};
  for (int c = 0; c < 3; ++c) {
    sgNames->setColumnWidth(c, kColumnWidths[c]);
    for (int r = 0; r <= kEntryRows; ++r) {
      auto* item = new QTableWidgetItem(r == 0 ? QString::fromLatin1(headings[c]) : QString());
      // The heading row and the Status column are neither chosen nor edited.
      if (r == 0 || c == kStatusColumn) item->setFlags(Qt::ItemIsEnabled);
      sgNames->setItem(r, c, item);
    }
  }
  sgNames->setFixedSize(kColumnWidths[0] + kColumnWidths[1] + kColumnWidths[2] + 2 * sgNames->frameWidth(),
                        (kEntryRows + 1) * kRowHeight + 2 * sgNames->frameWidth());
  sgNames->setItemDelegate(new NamesGridDelegate(*this, sgNames));
  // Typed text, a commit and a text set from outside all pass here.
  connect(sgNames, &QTableWidget::itemChanged, this,
          [this](QTableWidgetItem* item) { sgNamesSetEditText(item->row(), item->column()); });
  // The Status column is never current: Tab from a name goes on to the next
  // row's call, Shift+Tab or a click there to the row's name, so that no
  // typed key lands in a cell that takes none.
  connect(sgNames, &QTableWidget::currentCellChanged, this, [this](int row, int column, int, int previousColumn) {
    if (row < 1 || column != kStatusColumn) return;
    const int nextRow = previousColumn == 1 ? row % kEntryRows + 1 : row;
    const int nextColumn = previousColumn == 1 ? 0 : 1;
    QMetaObject::invokeMethod(
        this, [this, nextRow, nextColumn] { sgNames->setCurrentCell(nextRow, nextColumn); }, Qt::QueuedConnection);
  });
  sgNames->setCurrentCell(1, 0);

  auto* buttons = new QHBoxLayout;
  const struct {
    const char* name;
    const char* caption;
    void (TfmUpdateNames::*handler)();
  } rows[] = {{"bnApply", "Apply", &TfmUpdateNames::bnApplyClick},
              {"bnClear", "Clear", &TfmUpdateNames::bnClearClick},
              {"bnImport", "Import...", &TfmUpdateNames::bnImportClick},
              {"bnClose", "Close", &TfmUpdateNames::bnCloseClick}};
  for (const auto& row : rows) {
    auto* button = new QPushButton(QString::fromLatin1(row.caption), this);
    button->setObjectName(QString::fromLatin1(row.name));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, row.handler, Qt::QueuedConnection);
    buttons->addWidget(button);
  }

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pnFile);
  layout->addWidget(sgNames);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfmUpdateNames::SetNamesFile(const std::string& path) {
  m_namesFile = path;
  Label1->setText(QStringLiteral("Names File ") + platform::ToQString(path));
}

void TfmUpdateNames::LoadKnownCalls() { m_names.LoadKnownCalls(m_namesFile); }

void TfmUpdateNames::showEvent(QShowEvent* event) {
  m_unsaved = false;
  m_written = false;
  QDialog::showEvent(event);
}

QString TfmUpdateNames::Cell(int row, int column) const { return sgNames->item(row, column)->text(); }

void TfmUpdateNames::sgNamesSetEditText(int row, int column) {
  if (row < 1 || column != 0) return;
  const std::string status = m_names.StatusFor(platform::FromQString(Cell(row, 0)),
                                               platform::FromQString(Cell(row, kStatusColumn)));
  const QString text = platform::ToQString(status);
  if (Cell(row, kStatusColumn) != text) sgNames->item(row, kStatusColumn)->setText(text);
}

std::vector<TNamesRow> TfmUpdateNames::Rows() const {
  std::vector<TNamesRow> rows;
  for (int r = 1; r <= kEntryRows; ++r)
    rows.push_back({platform::FromQString(Cell(r, 0)), platform::FromQString(Cell(r, 1)),
                    platform::FromQString(Cell(r, kStatusColumn))});
  return rows;
}

bool TfmUpdateNames::AnyNewCall() const {
  for (int r = 1; r <= kEntryRows; ++r)
    if (Cell(r, kStatusColumn) == QLatin1String(kNewCall.data(), kNewCall.size())) return true;
  return false;
}

void TfmUpdateNames::EmptyEntries() {
  for (int r = 1; r <= kEntryRows; ++r)
    for (int c = 0; c < 3; ++c) sgNames->item(r, c)->setText(QString());
}

void TfmUpdateNames::bnApplyClick() {
  const std::vector<TNamesRow> rows = Rows();
  const std::string refusal = TNamesUpdate::Refusal(rows);
  if (!refusal.empty()) {
    platform::ShowMessage(refusal);
    return;
  }
  if (TNamesUpdate::HasMissingNames(rows) &&
      platform::Ask("Warning", "Ignore calls with missing names?", platform::MessageIcon::Exclamation,
                    platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes)
    return;
  const std::string lines = TNamesUpdate::NewLines(rows);
  if (!lines.empty()) {
    std::string failure;
    // The rows stay in the grid when the file cannot take them.
    if (!TNamesUpdate::AppendLines(m_namesFile, lines, failure)) {
      platform::ShowMessage(failure);
      return;
    }
    m_written = true;
  }
  m_unsaved = false;
  EmptyEntries();
  LoadKnownCalls();
}

void TfmUpdateNames::bnClearClick() {
  if (AnyNewCall()) m_unsaved = true;
  if (m_unsaved && platform::Ask("Warning", "Ignore unsaved data?", platform::MessageIcon::Exclamation,
                                 platform::MessageButtons::YesNoCancel) == platform::MessageAnswer::Yes)
    EmptyEntries();
  m_unsaved = false;
}

void TfmUpdateNames::bnCloseClick() {
  if (AnyNewCall()) m_unsaved = true;
  reject();
}

void TfmUpdateNames::reject() {
  // Escape leaves the flag as it was: only Close looks at the grid first.
  if (m_unsaved && platform::Ask("Warning", "Ignore unsaved data?", platform::MessageIcon::Exclamation,
                                 platform::MessageButtons::YesNoCancel) != platform::MessageAnswer::Yes)
    return;
  QDialog::reject();
}

void TfmUpdateNames::bnImportClick() {
  QFileDialog dialog(this, QStringLiteral("Import Roster File"),
                     QFileInfo(platform::ToQString(m_namesFile)).absolutePath(),
                     QStringLiteral("Roster files (*.txt *.csv *.TXT *.CSV);;All files (*)"));
  dialog.setObjectName(QStringLiteral("dlgRosterFile"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  ImportRoster(platform::FromQString(dialog.selectedFiles().first()));
}

void TfmUpdateNames::ImportRoster(const std::string& path) {
  TRoster roster;
  std::string failure;
  if (!ReadRoster(path, roster, failure)) {
    platform::ShowMessage(failure);
    return;
  }
  TOperatorList names;
  names.LoadNamesFile(m_namesFile);
  const int today = TodayYmd();
  TfmRosterImport preview(roster, names, m_namesFile, today, this);
  preview.exec();
  if (!preview.Confirmed()) return;
  std::size_t added = 0;
  if (!MergeRoster(m_namesFile, roster, preview.Club(), today, added, failure)) {
    platform::ShowMessage(failure);
    return;
  }
  if (added > 0) m_written = true;
  LoadKnownCalls();
}
