#pragma once
// "Network Logging": whether each logged contact goes out as WSJT-X "QSO
// Logged" and "Logged ADIF" datagrams and as N1MM contactinfo datagrams,
// the address of each, and our station call. "Send Test Heartbeat" hands
// the settings as they stand to the opener's test and shows its answer; "OK"
// closes with the applied flag once both addresses read as IPv4 address and
// port. The opener stores the settings.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "data/TNetLogSettings.h"

class QCheckBox;
class QLabel;
class QLineEdit;

class TfmNetLog : public QDialog {
  Q_OBJECT
 public:
  /// test sends the heartbeat and answers what happened.
  using Test = std::function<std::string(const TNetLogSettings&)>;
  TfmNetLog(Test test, QWidget* parent = nullptr);

  void SetSettings(const TNetLogSettings& settings);
  /// The settings as the dialog shows them; nothing while an address or the
  /// call cannot be read (the status line says which).
  std::optional<TNetLogSettings> Settings();
  /// A text for the status line at the next showing (a send that failed).
  void SetStatus(const std::string& text) { m_status = text; }
  /// True when the dialog was last closed with "OK"; cleared each time it shows.
  bool Applied() const { return m_applied; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void SendTest();
  void Apply();

  Test m_test;
  TNetLogSettings m_settings;
  QCheckBox* ckbWsjtx = nullptr;
  QLineEdit* ebWsjtxAddress = nullptr;
  QCheckBox* ckbN1mm = nullptr;
  QLineEdit* ebN1mmAddress = nullptr;
  QLineEdit* ebStationCall = nullptr;
  QLabel* lbStatus = nullptr;
  bool m_applied = false;
  std::string m_status;
};
