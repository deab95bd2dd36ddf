#include "MacroEditor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "PanelText.h"

namespace radiopanel {
namespace {

const char* const kHelp =
    "One action a line:  FREQ [A|B] Hz,  SHIFT +-Hz,  VFO A|B,  MODE name,  BAND 160..6|UP|DOWN,  "
    "POWER W,  SPEED WPM,  RIT ON|OFF|TOGGLE [Hz],  RIT Hz,  XIT ...,  SPLIT ON|OFF|TOGGLE,  "
    "MSG 1..6,  SEND text,  STOP.  Lines starting with # are notes.";

QPushButton* Button(const char* name, const char* text) {
  auto* b = new QPushButton(QString::fromLatin1(text));
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

MacroEditor::MacroEditor(const QString& objectName, const PanelAbilities& abilities, Hooks hooks)
    : QDialog(nullptr), m_can(abilities), m_hooks(std::move(hooks)) {
  setObjectName(objectName);
  setWindowTitle(QString::fromStdString(abilities.radioName) + QString(" - macros"));
  setModal(false);

  auto* layout = new QVBoxLayout(this);
  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  m_list = new QListWidget;
  m_list->setObjectName(QString("lbMacros"));
  m_list->setMinimumWidth(170);
  QPushButton* add = Button("bnMacroNew", "New");
  QPushButton* remove = Button("bnMacroDelete", "Delete");
  auto* listButtons = new QHBoxLayout;
  listButtons->addWidget(add);
  listButtons->addWidget(remove);
  left->addWidget(m_list, 1);
  left->addLayout(listButtons);
  columns->addLayout(left);

  auto* right = new QVBoxLayout;
  m_name = new QLineEdit;
  m_name->setObjectName(QString("edMacroName"));
  m_name->setMaxLength(static_cast<int>(kMaxMacroName));
  m_name->setPlaceholderText(QString("Name (as the Run Macros menu shows it)"));
  m_actions = new QPlainTextEdit;
  m_actions->setObjectName(QString("moActions"));
  m_actions->setPlaceholderText(QString("FREQ A 14025000\nMODE CW\nRIT ON 0"));
  QPushButton* insert = Button("bnMacroInsert", "Insert current settings");
  auto* help = new QLabel(QString::fromLatin1(kHelp));
  help->setWordWrap(true);
  right->addWidget(m_name);
  right->addWidget(m_actions, 1);
  right->addWidget(insert, 0, Qt::AlignLeft);
  right->addWidget(help);
  columns->addLayout(right, 1);
  layout->addLayout(columns, 1);

  m_message = new QLabel;
  m_message->setObjectName(QString("lbMacroMessage"));
  m_message->setWordWrap(true);
  layout->addWidget(m_message);
  auto* buttons = new QHBoxLayout;
  QPushButton* tryIt = Button("bnMacroTry", "Try");
  QPushButton* save = Button("bnMacroSave", "Save");
  QPushButton* close = Button("bnMacroClose", "Close");
  buttons->addWidget(tryIt);
  buttons->addStretch(1);
  buttons->addWidget(save);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  resize(640, 420);

  connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row == m_current) return;
    Commit();
    Select(row);
  });
  connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (QListWidgetItem* item = m_list->item(m_current)) item->setText(text);
  });
  connect(add, &QPushButton::clicked, this, [this] {
    Commit();
    m_macros.push_back({"New macro", {}});
    m_list->addItem(QString("New macro"));
    m_list->setCurrentRow(static_cast<int>(m_macros.size()) - 1);
    m_name->setFocus();
    m_name->selectAll();
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    if (m_current < 0) return;
    m_macros.erase(m_macros.begin() + m_current);
    const int next = std::min(m_current, static_cast<int>(m_macros.size()) - 1);
    m_current = -1;
    Load(std::move(m_macros));
    m_list->setCurrentRow(next);
  });
  connect(insert, &QPushButton::clicked, this, [this] {
    if (!m_hooks.state) return;
    for (const std::string& line : ActionsForState(m_hooks.state(), m_can)) {
      m_actions->appendPlainText(QString::fromStdString(line));
    }
  });
  connect(tryIt, &QPushButton::clicked, this, [this] {
    Commit();
    if (m_current < 0 || !m_hooks.run) return;
    const QString problem = Problem();
    if (!problem.isEmpty()) {
      m_message->setText(problem);
      return;
    }
    m_hooks.run(m_macros[static_cast<std::size_t>(m_current)]);
    m_message->setText(QString("Ran \"%1\".").arg(QString::fromStdString(m_macros[static_cast<std::size_t>(m_current)].name)));
  });
  connect(save, &QPushButton::clicked, this, [this] {
    Commit();
    const QString problem = Problem();
    if (!problem.isEmpty()) {
      m_message->setText(problem);
      return;
    }
    if (m_hooks.save) m_hooks.save(m_macros);
    m_message->setText(QString("Saved %1 macros.").arg(m_macros.size()));
  });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void MacroEditor::Load(std::vector<PanelMacro> macros) {
  m_macros = std::move(macros);
  m_current = -1;
  {
    QSignalBlocker block(m_list);
    m_list->clear();
    for (const PanelMacro& m : m_macros) m_list->addItem(QString::fromStdString(m.name));
  }
  m_message->clear();
  Select(m_macros.empty() ? -1 : 0);
  QSignalBlocker block(m_list);
  m_list->setCurrentRow(m_current);
}

void MacroEditor::Commit() {
  if (m_current < 0 || m_current >= static_cast<int>(m_macros.size())) return;
  PanelMacro& m = m_macros[static_cast<std::size_t>(m_current)];
  m.name = Trim(m_name->text().toStdString());
  m.actions.clear();
  for (const QString& line : m_actions->toPlainText().split(QLatin1Char('\n'))) {
    const std::string action = Trim(line.toStdString());
    if (!action.empty()) m.actions.push_back(action);
  }
}

void MacroEditor::Select(int index) {
  m_current = index;
  const bool any = index >= 0 && index < static_cast<int>(m_macros.size());
  m_name->setEnabled(any);
  m_actions->setEnabled(any);
  m_name->setText(any ? QString::fromStdString(m_macros[static_cast<std::size_t>(index)].name) : QString());
  QString text;
  if (any) {
    for (const std::string& a : m_macros[static_cast<std::size_t>(index)].actions) {
      text += QString::fromStdString(a) + QLatin1Char('\n');
    }
  }
  m_actions->setPlainText(text);
}

QString MacroEditor::Problem() {
  for (std::size_t i = 0; i < m_macros.size(); ++i) {
    const PanelMacro& m = m_macros[i];
    auto at = [&](const QString& why) {
      if (static_cast<int>(i) != m_current) {
        m_list->setCurrentRow(static_cast<int>(i));
      }
      return why;
    };
    if (m.name.empty()) return at(QString("Macro %1 has no name.").arg(i + 1));
    for (std::size_t j = 0; j < i; ++j) {
      if (SameText(m_macros[j].name, m.name)) return at(QString("Two macros are named \"%1\".").arg(QString::fromStdString(m.name)));
    }
    for (std::size_t line = 0; line < m.actions.size(); ++line) {
      const std::string why = CheckAction(m.actions[line], m_can);
      if (!why.empty()) {
        return at(QString("\"%1\", line %2 (%3): %4")
                      .arg(QString::fromStdString(m.name))
                      .arg(line + 1)
                      .arg(QString::fromStdString(m.actions[line]), QString::fromStdString(why)));
      }
    }
  }
  return {};
}

}  // namespace radiopanel
