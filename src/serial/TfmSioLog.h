#pragma once
// The serial I/O logging settings dialog "Setting Up Serial I/O Log"
// (fmSioLog): port, baud rate, data bits, stop bits, parity and log format.
// Created once at start-up and kept, so the two buttons' enabled state and
// the log format carry over from one showing to the next. The logging
// controller (TSioLogController) fills it, shows it and reads it. While
// contacts wait for the logging port, it says how many and offers "Send Now"
// (over the open port, or by connecting with the boxes' settings) and
// "Discard" (they are never sent).

#include <QDialog>
#include <string>

#include "serial/TSioLogDialog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class TfmSioLog : public QDialog, public TSioLogDialog {
  Q_OBJECT
 public:
  /// portFile names the port table the port box is filled from; parent is
  /// the main window, which the dialog centres on when asked to.
  explicit TfmSioLog(std::string portFile, QWidget* parent = nullptr);

  void SetStoredTexts(const TSerialTexts& texts) override { m_texts = texts; }
  const TSerialTexts& StoredTexts() const { return m_texts; }
  void CentreOnMainWindow() override;
  void ShowModal() override { exec(); }
  bool ConnectPressed() const override { return m_connectPressed; }
  bool DisconnectPressed() const override { return m_disconnectPressed; }
  TSerialTexts SelectedTexts() const override;
  std::string PortText() const override;
  bool AdifSelected() const override;
  bool ArrlSelected() const override;
  void SetLoggingButtons(bool loggingOn) override;
  void SetWaitingContacts(std::size_t count) override;
  bool SendNowPressed() const override { return m_sendNowPressed; }
  bool DiscardPressed() const override { return m_discardPressed; }

 protected:
  /// Activation: the port list afresh, the stored texts selected, the flags cleared.
  void showEvent(QShowEvent* event) override;

 private:
  void Connect();
  void Disconnect();

  std::string m_portFile;
  TSerialTexts m_texts;
  bool m_connectPressed = false;
  bool m_disconnectPressed = false;
  bool m_sendNowPressed = false;
  bool m_discardPressed = false;
  QComboBox* m_cbPort;
  QComboBox* m_cbBaud;
  QComboBox* m_cbDataBits;
  QComboBox* m_cbStopBits;
  QComboBox* m_cbParity;
  QPushButton* m_bnStart;
  QPushButton* m_bnStop;
  QGroupBox* m_rgLogFormat;
  QRadioButton* m_rbArrl;
  QRadioButton* m_rbAdif;
  QLabel* m_lbWaiting;
  QPushButton* m_bnSendNow;
  QPushButton* m_bnDiscard;
};
