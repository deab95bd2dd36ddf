#include "data/TfmRadioParms.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <array>
#include <filesystem>
#include <sstream>

#include "data/FixedText.h"
#include "data/TRadioBand.h"
#include "data/TextFile.h"
#include "data/TextUtils.h"
#include "platform/Files.h"
#include "platform/MessageSink.h"
#include "platform/QtText.h"
#include "platform/Shell.h"
#include "platform/SystemError.h"

namespace {

const char* const kHeaders[TfmRadioParms::kColumns] = {"Band",     "FCC Min",  "FCC Max",
                                                       "OpMin CW", "OpMax CW", "OpMin PH",
                                                       "OpMax PH", "OpMin RY", "OpMax RY"};
constexpr int kFixedColumns = 3;
constexpr int kRowHeight = 15;
const QString kHeaderPrefix = QStringLiteral("Band Limits(KHz) ... ");

// Black text on the fixed colour (the band and its legal edges) or, for an
// operator limit, yellow in the current mode's min and max columns.
class BandLimitsDelegate : public QStyledItemDelegate {
 public:
  BandLimitsDelegate(const int& highlighted, QObject* parent)
      : QStyledItemDelegate(parent), m_highlighted(highlighted) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const int column = index.column();
    QColor background = option.palette.color(QPalette::Button);
    if (column >= kFixedColumns)
      background = (column == m_highlighted || column == m_highlighted + 1) ? QColor(Qt::yellow)
                                                                           : QColor(Qt::white);
    painter->fillRect(option.rect, background);
    painter->setPen(Qt::black);
    painter->setFont(option.font);
    const QRect text = option.rect.adjusted(0, 2, -2, 0);
    painter->drawText(text, Qt::AlignRight | Qt::AlignTop, index.data().toString());
  }

 private:
  const int& m_highlighted;
};

}  // namespace

TfmRadioParms::TfmRadioParms(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fmRadioParms"));
  setWindowTitle(QStringLiteral("Setting Radio Bandlimits"));

  pnBandLimitHdr = new QLabel(QStringLiteral("Band Limits (KHz) ..."), this);
  pnBandLimitHdr->setObjectName(QStringLiteral("pnBandLimitHdr"));
  pnBandLimitHdr->setToolTip(QStringLiteral("Right click to load from specific sets"));
  pnBandLimitHdr->setFrameShape(QFrame::Panel);
  pnBandLimitHdr->setFrameShadow(QFrame::Raised);
  pnBandLimitHdr->setAlignment(Qt::AlignCenter);
  pnBandLimitHdr->setContextMenuPolicy(Qt::CustomContextMenu);

  puBandLimits = new QMenu(this);
  puBandLimits->setObjectName(QStringLiteral("puBandLimits"));
  const auto item = [this](const char* name, const char* caption, auto slot) {
    QAction* action = puBandLimits->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  item("Information1", "US Allocation Chart", [this] { Information1Click(); });
  puBandLimits->addSeparator();
  item("FCCExtra1", "Load FCC Extra", [this] { LoadSet(QStringLiteral("Extra"), m_extraFile); });
  item("FCCAdvanced1", "Load FCC Advanced",
       [this] { LoadSet(QStringLiteral("Advanced"), m_advancedFile); });
  item("FCCGeneral1", "Load FCC General", [this] { LoadSet(QStringLiteral("General"), m_generalFile); });
  item("SavedCase1", "Load Saved Case", [this] { SavedCase1Click(); });
  MostRecentlyApplied1 = item("MostRecentlyApplied1", "Load Most Recently Applied", [this] {
    LoadSet(QStringLiteral(" Most Recently Applied"), m_mostRecentFile);
  });
  puBandLimits->addSeparator();
  item("SaveCurrentLimitsAs1", "Save Current Limits As", [this] { SaveCurrentLimitsAs1Click(); });
  connect(pnBandLimitHdr, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { puBandLimits->popup(pnBandLimitHdr->mapToGlobal(at)); });

  sgBandLimits = new QTableWidget(kRows, kColumns, this);
  sgBandLimits->setObjectName(QStringLiteral("sgBandLimits"));
  sgBandLimits->horizontalHeader()->hide();
  sgBandLimits->verticalHeader()->hide();
  sgBandLimits->setItemDelegate(new BandLimitsDelegate(m_highlightedColumn, sgBandLimits));
  sgBandLimits->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sgBandLimits->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const std::vector<TRadioBand> bands = DefaultBands();
  for (int row = 0; row < kRows; ++row) {
    sgBandLimits->setRowHeight(row, kRowHeight);
    for (int column = 0; column < kColumns; ++column) {
      auto* cell = new QTableWidgetItem;
      // The header row and the band's name and edges are fixed.
      if (row == 0 || column < kFixedColumns) cell->setFlags(Qt::ItemIsEnabled);
      sgBandLimits->setItem(row, column, cell);
    }
  }
  for (int column = 0; column < kColumns; ++column) {
    sgBandLimits->setColumnWidth(column, column == kColumns - 1 ? 92 : 64);
    SetCellText(0, column, kHeaders[column]);
  }
  for (int row = 1; row < kRows && row - 1 < static_cast<int>(bands.size()); ++row)
    SetCellText(row, 0, bands[row - 1].name.str());
  int width = 2 * sgBandLimits->frameWidth(), height = width;
  for (int column = 0; column < kColumns; ++column) width += sgBandLimits->columnWidth(column);
  for (int row = 0; row < kRows; ++row) height += sgBandLimits->rowHeight(row);
  sgBandLimits->setFixedSize(width, height);

  auto* moInstruct = new QPlainTextEdit(this);
  moInstruct->setObjectName(QStringLiteral("moInstruct"));
  moInstruct->setReadOnly(true);
  moInstruct->setPlainText(QStringLiteral(
      "The mode-specific limits are used to set the limits when using the Varo Control Subset dialog."));
  moInstruct->setStyleSheet(QStringLiteral("QPlainTextEdit { background: yellow; color: black; }"));
  moInstruct->setFixedHeight(44);

  auto* bnApply = new QPushButton(QStringLiteral("Apply"), this);
  bnApply->setObjectName(QStringLiteral("bnApply"));
  auto* bnClose = new QPushButton(QStringLiteral("Close"), this);
  bnClose->setObjectName(QStringLiteral("bnClose"));
  connect(bnApply, &QPushButton::clicked, this, [this] { bnApplyClick(); });
  connect(bnClose, &QPushButton::clicked, this, &QDialog::reject);
  // Enter ends a cell's edit and nothing more: only a click applies.
  for (QPushButton* button : {bnApply, bnClose}) button->setAutoDefault(false);

  auto* layout = new QGridLayout(this);
  layout->addWidget(pnBandLimitHdr, 0, 0, 1, 3);
  layout->addWidget(sgBandLimits, 1, 0, 1, 3);
  layout->addWidget(moInstruct, 2, 0, 1, 3);
  layout->addWidget(bnApply, 3, 1);
  layout->addWidget(bnClose, 3, 2);
  layout->setColumnStretch(0, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfmRadioParms::SetAllocationFiles(const std::string& chart, const std::string& extra,
                                       const std::string& advanced, const std::string& general) {
  m_chartFile = chart;
  m_extraFile = extra;
  m_advancedFile = advanced;
  m_generalFile = general;
}

void TfmRadioParms::SetMainPlacement(int top, int left, int width) {
  m_mainTop = top;
  m_mainLeft = left;
  m_mainWidth = width;
}

void TfmRadioParms::SetLogMode(const std::string& mode) { m_logMode = FixedText<4>(mode).str(); }

std::string TfmRadioParms::CellText(int row, int column) const {
  const QTableWidgetItem* cell = sgBandLimits->item(row, column);
  return cell ? platform::FromQString(cell->text()) : std::string();
}

void TfmRadioParms::SetCellText(int row, int column, const std::string& text) {
  if (QTableWidgetItem* cell = sgBandLimits->item(row, column)) cell->setText(platform::ToQString(text));
}

void TfmRadioParms::showEvent(QShowEvent* event) {
  FormActivate();
  QDialog::showEvent(event);
}

void TfmRadioParms::FormActivate() {
  adjustSize();
  move(m_mainLeft + m_mainWidth / 2 - frameGeometry().width() / 2, m_mainTop);
  m_applied = false;
  m_cwColumn = ColumnOf(QStringLiteral("OpMin CW"));
  m_phColumn = ColumnOf(QStringLiteral("OpMin PH"));
  m_ryColumn = ColumnOf(QStringLiteral("OpMin RY"));
  if (ContainsText(m_logMode, "CW"))
    m_highlightedColumn = m_cwColumn;
  else if (ContainsText(m_logMode, "PH"))
    m_highlightedColumn = m_phColumn;
  else if (ContainsText(m_logMode, "RY"))
    m_highlightedColumn = m_ryColumn;
  m_mostRecentFile = m_documentsDirectory + "BandLimitsMostRecent.txt";
  std::error_code ignored;
  MostRecentlyApplied1->setEnabled(std::filesystem::exists(m_mostRecentFile, ignored));
  sgBandLimits->viewport()->update();
}

int TfmRadioParms::ColumnOf(const QString& header) const {
  for (int column = 0; column < kColumns; ++column)
    if (sgBandLimits->item(0, column)->text().contains(header)) return column;
  return 0;
}

void TfmRadioParms::Information1Click() { platform::ShellOpen(m_chartFile); }

void TfmRadioParms::LoadSet(const QString& title, const std::string& path) {
  pnBandLimitHdr->setText(kHeaderPrefix + title);
  LoadBandLimitsFile(path);
}

void TfmRadioParms::SavedCase1Click() {
  const QString chosen =
      QFileDialog::getOpenFileName(this, QString(), platform::ToQString(m_documentsDirectory));
  if (chosen.isEmpty()) return;
  LoadSet(QFileInfo(chosen).fileName(), platform::FromQString(chosen));
}

void TfmRadioParms::SaveCurrentLimitsAs1Click() {
  // The file dialog asks before an existing file is replaced.
  const QString chosen =
      QFileDialog::getSaveFileName(this, QString(), platform::ToQString(m_documentsDirectory));
  if (!chosen.isEmpty()) WriteGrid(platform::FromQString(chosen));
}

void TfmRadioParms::LoadBandLimitsFile(const std::string& path) {
  std::error_code ignored;
  if (path.empty() || !std::filesystem::exists(path, ignored)) {
    platform::ShowMessage("Speficied file does not exist");
    return;
  }
  std::string text;
  int error = 0;
  if (!platform::ReadFileText(path, text, &error)) {
    platform::ShowMessage(platform::WithSystemError("Could not read the band limits file " + path, error));
    return;
  }
  int row = 0;
  for (const std::string& line : SplitTextLines(text)) {
    std::string limits;
    if (!ParseBandLimitLine(line, limits)) continue;
    if (++row >= kRows) break;
    const std::vector<std::string> pieces = SplitBandLimitText(limits);
    for (int column = 0; column < kColumns && column < static_cast<int>(pieces.size()); ++column) {
      if (column == 0) {
        SetCellText(row, column, pieces[0]);
        continue;
      }
      const int value = ReadInteger(pieces[column]);
      SetCellText(row, column,
                  column >= kFixedColumns && value < 0 ? kNotAvailable : std::to_string(value));
    }
  }
}

bool TfmRadioParms::WriteGrid(const std::string& path) {
  std::ostringstream out;
  for (int row = 1; row < kRows; ++row) {
    TRadioBand band(CellText(row, 0), 0, 0);
    std::int32_t* limits[] = {&band.fccMin, &band.fccMax, &band.cwMin, &band.cwMax,
                              &band.phMin,  &band.phMax,  &band.ryMin, &band.ryMax};
    for (int column = 1; column < kColumns; ++column) {
      const std::string cell = CellText(row, column);
      *limits[column - 1] = cell.find(kNotAvailable) != std::string::npos ? -1 : ReadInteger(cell);
    }
    WriteBandLimitLine(out, band);
    out << '\n';
  }
  int error = 0;
  if (platform::WriteFileAtomically(path, out.str(), &error)) return true;
  platform::ShowMessage(platform::WithSystemError("Could not write the band limits file " + path, error));
  return false;
}

void TfmRadioParms::bnApplyClick() {
  // The most-recent file is only a record for the next "Load Most Recently
  // Applied": a failure to write it is reported, the limits still apply.
  WriteGrid(m_mostRecentFile);
  m_applied = true;
  accept();
}
