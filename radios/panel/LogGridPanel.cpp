#include "LogGridPanel.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStringDecoder>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "LogGrid.h"
#include "data/TLogRecord.h"
#include "platform/QtGridCells.h"

namespace radiopanel {

namespace {

constexpr int kRowHeight = 17;
constexpr int kRadioPollMs = 250;

/// As the program shows a cell: UTF-8, or Latin-1 for bytes that are not
/// UTF-8 (an old names file).
QString ToQ(const std::string& text) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  return utf8.hasError() ? QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())) : decoded;
}
std::string FromQ(const QString& text) { return text.toUtf8().toStdString(); }

/// Draws the cells as the program's grid does (black text, right-aligned,
/// the headings and the radio's three cells in the fixed colour) and hands
/// every keystroke of the cell editor to the panel.
class CellDelegate : public QStyledItemDelegate {
 public:
  using Edited = std::function<void(int column, const QString& text)>;
  CellDelegate(Edited edited, std::function<void()> entered, QObject* parent)
      : QStyledItemDelegate(parent), m_edited(std::move(edited)), m_entered(std::move(entered)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    QPalette palette = editor->palette();
    palette.setColor(QPalette::Base, QColor(0xff, 0xff, 0xe0));
    editor->setPalette(palette);
    editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    editor->setMaxLength(static_cast<int>(kCellWidths.at(static_cast<std::size_t>(index.column()))));
    const int column = index.column();
    QObject::connect(editor, &QLineEdit::textEdited, editor,
                     [this, column](const QString& text) { m_edited(column, text); });
    QObject::connect(editor, &QLineEdit::returnPressed, editor, [this] { m_entered(); });
    return editor;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    platform::SetEditorTextKeepingCursor(editor, index);
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    platform::PaintLogGridCell(painter, option, index,
                               index.row() == 0 || (index.column() >= kCellFreq && index.column() <= kCellPower));
  }

 private:
  Edited m_edited;
  std::function<void()> m_entered;
};

}  // namespace

LogGridPanel::LogGridPanel(LogGrid& grid) : QWidget(nullptr, Qt::Tool), m_grid(grid) {
  setObjectName(QStringLiteral("pnlLogGrid"));
  setWindowTitle(QStringLiteral("Logging grid"));

  // The program's grid font, so the headings fit the same widths.
  QFont bold(QStringLiteral("Sans Serif"));
  bold.setPixelSize(11);
  bold.setBold(true);
  setFont(bold);
  m_table = new QTableWidget(2, kLogCells, this);
  m_table->setObjectName(QStringLiteral("sgLog"));
  m_table->horizontalHeader()->hide();
  m_table->verticalHeader()->hide();
  m_table->verticalHeader()->setMinimumSectionSize(kRowHeight);
  m_table->verticalHeader()->setDefaultSectionSize(kRowHeight);
  m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_table->setTabKeyNavigation(true);
  m_table->setSelectionMode(QAbstractItemView::SingleSelection);
  m_table->setEditTriggers(QAbstractItemView::AllEditTriggers);
  int width = 0;
  for (int c = 0; c < kLogCells; ++c) {
    const auto column = static_cast<std::size_t>(c);
    auto* heading = new QTableWidgetItem(QString::fromLatin1(kLogHeadings[column]));
    heading->setFlags(Qt::ItemIsEnabled);
    m_table->setItem(0, c, heading);
    auto* cell = new QTableWidgetItem;
    // The radio's values are the radio's: not typed over.
    if (c >= kCellFreq && c <= kCellPower) cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    m_table->setItem(1, c, cell);
    // The program's widths, widened where a heading would run into its
    // neighbour in this font.
    const int wanted = std::max(kDefaultColumnWidths[column],
                                QFontMetrics(bold).horizontalAdvance(heading->text()) + 6);
    m_table->setColumnWidth(c, wanted);
    width += wanted;
  }
  m_table->setFixedSize(width + 2 * m_table->frameWidth(), 2 * kRowHeight + 2 * m_table->frameWidth());
  m_table->setItemDelegate(
      new CellDelegate([this](int column, const QString& text) { EditText(column, text); },
                       [this] { LogTheContact(); }, m_table));
  connect(m_table, &QTableWidget::currentCellChanged, this,
          [this](int row, int column, int, int) { SelectCell(row, column); });
  // A text the table takes from its editor without a keystroke (a commit)
  // still goes through the rules.
  connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (m_showing || item->row() != 1) return;
    if (FromQ(item->text()) != m_grid.Line().Cell(item->column())) EditText(item->column(), item->text());
  });

  m_status = new QLabel(this);
  m_status->setObjectName(QStringLiteral("pnLogGridStatus"));
  m_status->setText(ToQ(m_grid.NamesProblem()));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(2);
  layout->addWidget(m_table);
  layout->addWidget(m_status);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // The radio's values follow the radio while the grid shows.
  m_radioTimer = new QTimer(this);
  m_radioTimer->setInterval(kRadioPollMs);
  connect(m_radioTimer, &QTimer::timeout, this, [this] {
    if (!isVisible()) return;
    m_grid.ReadRadio();
    ShowLine();
  });
  m_radioTimer->start();
}

void LogGridPanel::keyPressEvent(QKeyEvent* event) {
  // Keys the cell editor and the table leave alone come here. Return in a
  // cell editor comes through the delegate.
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (event->key() == Qt::Key_F7 || (enter && modifiers == Qt::NoModifier)) {
    LogTheContact();
  } else if (event->key() == Qt::Key_W && modifiers == Qt::ControlModifier) {
    ClearLine();
  } else {
    QWidget::keyPressEvent(event);
  }
}

LogGridPanel::~LogGridPanel() {
  // The table goes first, and quietly: a cell editor's commit as it closes
  // would otherwise reach a panel that is no longer whole.
  QObject::disconnect(m_table, nullptr, this, nullptr);
  delete m_table;
}

void LogGridPanel::ShowLine() {
  m_showing = true;
  for (int c = 0; c < kLogCells; ++c) {
    const QString text = ToQ(m_grid.Line().Cell(c));
    if (m_table->item(1, c)->text() != text) m_table->item(1, c)->setText(text);
  }
  m_showing = false;
}

void LogGridPanel::FocusStation() {
  m_table->setCurrentCell(1, kCellStation);
  const QModelIndex index = m_table->model()->index(1, kCellStation);
  if (!m_table->indexWidget(index)) m_table->editItem(m_table->item(1, kCellStation));
  if (QWidget* editor = m_table->indexWidget(index))
    editor->setFocus();
  else
    m_table->setFocus();
}

void LogGridPanel::LogTheContact() {
  TLogLine::Logged outcome;
  SetStatus(ToQ(m_grid.LogContact(&outcome)));
  ShowLine();
  if (outcome == TLogLine::Logged::kLogged) FocusStation();
}

void LogGridPanel::ClearLine() {
  m_grid.Line().Clear();
  ShowLine();
  FocusStation();
}

void LogGridPanel::SetStatus(const QString& text) { m_status->setText(text); }

void LogGridPanel::SelectCell(int row, int column) {
  if (row != 1) return;
  m_grid.Line().Select(column, m_grid.Now());
  ShowLine();
}

void LogGridPanel::EditText(int column, const QString& text) {
  // Whether the contact details changed matters to the program's messages
  // only; the library's messages come loaded from the program.
  m_grid.Line().Edit(column, FromQ(text), [this](std::string_view call) { return m_grid.Lookup(call); });
  ShowLine();
}

}  // namespace radiopanel
