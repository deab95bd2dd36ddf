#include "data/TfmRosterImport.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/QtText.h"

TfmRosterImport::TfmRosterImport(const TRoster& roster, const TOperatorList& names, const std::string& namesPath,
                                 int today, QWidget* parent)
    : QDialog(parent), m_roster(roster), m_names(names), m_namesPath(namesPath), m_today(today), m_club(roster.club) {
  setObjectName(QStringLiteral("fmRosterImport"));
  setWindowTitle(QStringLiteral("Importing Roster"));

  auto* clubRow = new QHBoxLayout;
  auto* lbClub = new QLabel(roster.club == TClub::kUnknown ? QStringLiteral("Which club does this roster list?")
                                                           : QStringLiteral("Club of this roster:"),
                            this);
  lbClub->setObjectName(QStringLiteral("lbClub"));
  rbFoc = new QRadioButton(QStringLiteral("FOC"), this);
  rbFoc->setObjectName(QStringLiteral("rbFoc"));
  rbCwop = new QRadioButton(QStringLiteral("CWOP"), this);
  rbCwop->setObjectName(QStringLiteral("rbCwop"));
  auto* group = new QButtonGroup(this);
  group->addButton(rbFoc);
  group->addButton(rbCwop);
  rbFoc->setChecked(m_club == TClub::kFoc);
  rbCwop->setChecked(m_club == TClub::kCwop);
  clubRow->addWidget(lbClub);
  clubRow->addWidget(rbFoc);
  clubRow->addWidget(rbCwop);
  clubRow->addStretch();
  // A roster without member numbers adds names only: no club to choose.
  for (QWidget* widget : {static_cast<QWidget*>(lbClub), static_cast<QWidget*>(rbFoc), static_cast<QWidget*>(rbCwop)})
    widget->setVisible(roster.hasNumbers);
  connect(rbFoc, &QRadioButton::toggled, this, [this](bool on) {
    if (on) m_club = TClub::kFoc;
    ShowPlan();
  });
  connect(rbCwop, &QRadioButton::toggled, this, [this](bool on) {
    if (on) m_club = TClub::kCwop;
    ShowPlan();
  });

  mePreview = new QPlainTextEdit(this);
  mePreview->setObjectName(QStringLiteral("mePreview"));
  mePreview->setReadOnly(true);
  mePreview->setLineWrapMode(QPlainTextEdit::NoWrap);
  mePreview->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  mePreview->setMinimumSize(680, 360);

  bnImport = new QPushButton(QStringLiteral("Import"), this);
  bnImport->setObjectName(QStringLiteral("bnImport"));
  auto* bnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  bnCancel->setObjectName(QStringLiteral("bnCancel"));
  bnCancel->setDefault(true);
  connect(bnImport, &QPushButton::clicked, this, [this] {
    m_confirmed = true;
    accept();
  });
  connect(bnCancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(bnImport);
  buttons->addWidget(bnCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(clubRow);
  layout->addWidget(mePreview);
  layout->addLayout(buttons);
  ShowPlan();
}

void TfmRosterImport::ShowPlan() {
  const TClub club = m_roster.hasNumbers ? m_club : TClub::kUnknown;
  const TRosterPlan plan = PlanRosterMerge(m_roster, club, m_today, m_names);
  mePreview->setPlainText(platform::ToQString(DescribeRosterPlan(m_roster, club, plan, m_namesPath)));
  // Nothing to import until the club is known, nor when nothing would change.
  bnImport->setEnabled(!(m_roster.hasNumbers && m_club == TClub::kUnknown) && !plan.lines.empty());
}

QString TfmRosterImport::PreviewText() const { return mePreview->toPlainText(); }
