#include "dialogs/TfmTalvexMsg.h"

#include <QComboBox>
#include <QCursor>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "data/FixedText.h"
#include "data/TextFile.h"
#include "platform/Files.h"
#include "platform/MessageSink.h"
#include "platform/QtText.h"
#include "platform/SystemError.h"

namespace {
constexpr int kClientWidth = 470;
constexpr int kRowHeight = 31;
constexpr int kMemoHeight = 153;

const char* const kInstructions[] = {
    "Right click at the desired insertion point in any of the edit windows to insert ",
    "symbols for embedded message elements: ",
    "",
    "Station being worked(@), ",
    "Sent RST report ($), and ",
    "Name of operator being worked (!)",
    "",
    "Use Enter to Save and Close",
    "Use Escape to Close w/o Save",
    "",
    "Note: Do not include commas in your message text.",
};

const char* const kDelays[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "15", "20", "25", "30"};

QPushButton* NewButton(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);  // Enter is the form's key, not a button's
  return button;
}

std::string Shown(char c) {
  if (c == '\n' || c == '\r') return "a line break";
  return std::string("\"") + c + "\"";
}
}  // namespace

TfmTalvexMsg::TfmTalvexMsg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("fmTalvexMsg"));
  setWindowTitle(QStringLiteral("Editting Messages"));

  auto* memo = new QLabel(this);
  memo->setObjectName(QStringLiteral("moInstruct"));
  QStringList lines;
  for (const char* line : kInstructions) lines << QString::fromLatin1(line);
  memo->setText(lines.join(QLatin1Char('\n')));
  memo->setTextFormat(Qt::PlainText);
  memo->setWordWrap(true);
  memo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  memo->setMargin(4);
  memo->setStyleSheet(QStringLiteral("QLabel { background: yellow; color: black; }"));
  QFont memoFont = memo->font();  // set here, not in the style, so the height below counts it
  memoFont.setBold(true);
  memo->setFont(memoFont);
  // Every instruction in sight, the last one (no commas) too, whatever the font.
  memo->setFixedHeight(std::max(kMemoHeight, memo->heightForWidth(kClientWidth)));
  moInstruct = memo;

  sbMsgEdit = new QScrollArea(this);
  sbMsgEdit->setObjectName(QStringLiteral("sbMsgEdit"));
  sbMsgEdit->setFrameShape(QFrame::NoFrame);
  sbMsgEdit->setStyleSheet(QStringLiteral("QScrollArea, #msgRows { background: #c0c0c0; }"));
  m_rowsHolder = new QWidget;
  m_rowsHolder->setObjectName(QStringLiteral("msgRows"));
  sbMsgEdit->setWidget(m_rowsHolder);

  pnAutoCQ = new QWidget(this);
  pnAutoCQ->setObjectName(QStringLiteral("pnAutoCQ"));
  cbAutoCQDelay = new QComboBox(pnAutoCQ);
  cbAutoCQDelay->setObjectName(QStringLiteral("cbAutoCQDelay"));
  cbAutoCQDelay->setEditable(true);
  cbAutoCQDelay->setInsertPolicy(QComboBox::NoInsert);
  for (const char* delay : kDelays) cbAutoCQDelay->addItem(QString::fromLatin1(delay));
  cbAutoCQDelay->setCurrentIndex(cbAutoCQDelay->findText(QStringLiteral("3")));
  auto* delayRow = new QHBoxLayout(pnAutoCQ);
  delayRow->addStretch();
  delayRow->addWidget(new QLabel(QStringLiteral("Auto CQ Delay (secs)"), pnAutoCQ));
  delayRow->addWidget(cbAutoCQDelay);
  delayRow->addStretch();

  pnButtons = new QWidget(this);
  pnButtons->setObjectName(QStringLiteral("pnButtons"));
  QPushButton* saveAs = NewButton("bnSaveAs", "Save As", pnButtons);
  saveAs->setToolTip(QStringLiteral("Save to a file -- w/o template update"));
  QPushButton* save = NewButton("bnSave", "Update Template", pnButtons);
  QPushButton* close = NewButton("bnClose", "Close", pnButtons);
  connect(saveAs, &QPushButton::clicked, this, [this] { SaveAs(); });
  connect(save, &QPushButton::clicked, this, [this] { UpdateTemplate(); });
  connect(close, &QPushButton::clicked, this, [this] { reject(); });
  auto* buttonRow = new QHBoxLayout(pnButtons);
  buttonRow->addWidget(saveAs);
  buttonRow->addWidget(save);
  buttonRow->addWidget(close);

  puMsgSymbols = new QMenu(this);
  puMsgSymbols->setObjectName(QStringLiteral("puMsgSymbols"));
  connect(puMsgSymbols, &QMenu::triggered, this, [this](QAction* item) { InsertSymbol(item->text()); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(moInstruct);
  layout->addWidget(sbMsgEdit);
  layout->addWidget(pnAutoCQ);
  layout->addWidget(pnButtons);
  pnAutoCQ->setFixedHeight(pnAutoCQ->sizeHint().height());
  pnButtons->setFixedHeight(pnButtons->sizeHint().height());
  FitRows();
}

void TfmTalvexMsg::LoadFile(const std::string& path) {
  m_fileName = FixedText<260>(path).str();
  std::vector<std::string> lines;
  if (!LoadTextLines(m_fileName, lines)) {
    platform::ShowMessage("Can not access the Message template file");
    return;
  }
  for (const TTemplateRow& row : ReadTemplateRows(lines)) AddRow(row);
  FitRows();
}

void TfmTalvexMsg::AddRow(const TTemplateRow& row) {
  const int width = kClientWidth;
  auto* panel = new QWidget(m_rowsHolder);
  panel->setProperty("tag", static_cast<int>(m_rows.size()));
  panel->setGeometry(0, static_cast<int>(m_rows.size()) * kRowHeight, width, kRowHeight);
  // The label is only shown: the button does nothing and explains nothing.
  auto* button = new QPushButton(platform::ToQString(row.label), panel);
  button->setAutoDefault(false);
  button->setFocusPolicy(Qt::NoFocus);
  QFont bold = button->font();
  bold.setBold(true);
  button->setFont(bold);
  button->setGeometry(5, 5, 60, 21);
  auto* edit = new QLineEdit(platform::ToQString(row.text), panel);
  edit->setGeometry(72, 5, width - 72 - 5, 21);
  edit->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(edit, &QLineEdit::textChanged, this, [this] { m_modified = true; });
  connect(edit, &QLineEdit::customContextMenuRequested, this, [this, edit] { ShowSymbols(edit); });
  panel->show();
  m_rows.push_back(panel);
  m_edits.push_back(edit);
}

void TfmTalvexMsg::FitRows() {
  // Every row stays in sight: the dialog grows with the file.
  const int rows = static_cast<int>(m_rows.size());
  const int height = rows > 0 ? rows * (kRowHeight + 1) - 1 : 0;
  m_rowsHolder->setFixedSize(kClientWidth, rows * kRowHeight);
  sbMsgEdit->setFixedHeight(height);
  setFixedSize(kClientWidth, moInstruct->minimumHeight() + height + pnAutoCQ->minimumHeight() +
                               pnButtons->minimumHeight());
}

void TfmTalvexMsg::SelectAutoCqDelay(int seconds) {
  const int index = cbAutoCQDelay->findText(QString::number(seconds));
  cbAutoCQDelay->setCurrentIndex(index);
  if (index < 0) cbAutoCQDelay->setEditText(QString());
}

std::vector<TTemplateRow> TfmTalvexMsg::Rows() const {
  std::vector<TTemplateRow> rows;
  for (std::size_t i = 0; i < m_rows.size(); ++i)
    rows.push_back({platform::FromQString(m_rows[i]->findChild<QPushButton*>()->text()),
                    platform::FromQString(m_edits[i]->text())});
  return rows;
}

void TfmTalvexMsg::ShowSymbols(QLineEdit* edit) {
  puMsgSymbols->clear();
  for (const char* caption :
       {"Name of other operator (!)", "Signal report being sent ($)", "Station being worked (@)"})
    puMsgSymbols->addAction(QString::fromLatin1(caption));
  m_symbolTarget = edit;
  puMsgSymbols->popup(QCursor::pos());
}

void TfmTalvexMsg::InsertSymbol(const QString& caption) {
  if (!m_symbolTarget) return;
  QString symbol;
  if (caption.contains(QLatin1String("Station")))
    symbol = QStringLiteral(" @ ");
  else if (caption.contains(QLatin1String("Signal report")))
    symbol = QStringLiteral(" $ ");
  else if (caption.contains(QLatin1String("Name")))
    symbol = QStringLiteral(" ! ");
  else
    return;
  const int caret = m_symbolTarget->cursorPosition();
  QString text = m_symbolTarget->text();
  text.insert(caret, symbol);
  m_symbolTarget->setText(text);
  m_symbolTarget->setCursorPosition(caret + 1);
}

bool TfmTalvexMsg::RowsCanBeKept() const {
  // The readers cut a line's fields at "=" and ",", and a line break would
  // start a new line: the next start would read other messages than these.
  for (const TTemplateRow& row : Rows()) {
    if (const auto c = CharacterTemplatesCannotKeep(row.text)) {
      platform::ShowMessage("The message " + row.label + " holds " + Shown(*c) +
                            ", which a message template cannot keep: please remove it");
      return false;
    }
  }
  return true;
}

bool TfmTalvexMsg::Write(const std::string& path, const std::string& text) const {
  int error = 0;
  if (platform::WriteFileAtomically(path, text, &error)) return true;
  platform::ShowMessage(platform::WithSystemError("Could not write the message template file " + path, error));
  return false;
}

void TfmTalvexMsg::UpdateTemplate() {
  if (!RowsCanBeKept()) return;
  const std::string delay = platform::FromQString(cbAutoCQDelay->currentText());
  if (!Write(m_templateFile, FormatTemplateFile(Rows(), delay))) return;
  if (m_updated) m_updated();
  m_modified = false;
  m_saved = true;
  accept();
}

void TfmTalvexMsg::SaveAs() {
  if (!RowsCanBeKept()) return;
  QFileDialog dialog(this, QString(), platform::ToQString(m_programDirectory));
  dialog.setObjectName(QStringLiteral("SaveDialog1"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before overwriting
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const std::string path = FixedText<260>(platform::FromQString(dialog.selectedFiles().first())).str();
  Write(path, FormatTemplateFile(Rows(), std::nullopt));
}

void TfmTalvexMsg::reject() {
  if (m_modified && platform::Ask("Warning", "Ignore message changes?", platform::MessageIcon::Warning,
                                  platform::MessageButtons::YesNoCancel) != platform::MessageAnswer::Yes)
    return;
  QDialog::reject();
}

void TfmTalvexMsg::showEvent(QShowEvent* event) {
  if (QWidget* main = parentWidget()) {
    const QRect frame = main->window()->frameGeometry();
    move(frame.left() + frame.width() / 2 - frameGeometry().width() / 2, frame.top());
  }
  m_modified = false;
  m_saved = false;
  // The form sees the keys before its controls (Escape and Enter).
  installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
  QDialog::showEvent(event);
}

bool TfmTalvexMsg::eventFilter(QObject* watched, QEvent* event) {
  // Popups (the symbol menu, the delay list) keep their own keys.
  auto* widget = qobject_cast<QWidget*>(watched);
  if (event->type() == QEvent::KeyPress && widget && widget->window() == this) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape) {
      reject();
      return true;
    }
    // The memo promises "Use Enter to Save and Close".
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      UpdateTemplate();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
