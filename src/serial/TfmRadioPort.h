#pragma once
// The radio port dialog "Setting Up the Radio Port" (fmRadioPort): the
// radio's port and baud rate, and "Connect" or "Disconnect". Created once at
// start-up and kept, so the two buttons' enabled state carries over from one
// showing to the next. The dialog only reports; its opener connects or
// disconnects the radio:
//
//   dialog.SetPortText(stored RADIO_COM_PORT); dialog.SetBaudText(RADIO_BAUD);
//   dialog.PlaceOnMainWindow(mainWindow);
//   dialog.exec();
//   if (dialog.ConnectPressed())  connect with PortText() and BaudText()
//   else if (dialog.DisconnectPressed())  disconnect
//
// A port or baud rate that is not in the lists shows an empty box, and
// "Connect" then hands back an empty text.

#include <QDialog>
#include <string>

#include "serial/TSerialTexts.h"

class QComboBox;
class QPushButton;

class TfmRadioPort : public QDialog {
  Q_OBJECT
 public:
  /// portFile names the port table the port box is filled from.
  explicit TfmRadioPort(std::string portFile, QWidget* parent = nullptr);

  /// The serial settings texts: port and baud are set by the opener before
  /// a showing and read afterwards; activation sets stop bits "1", data
  /// bits "8" and parity "NONE".
  void SetPortText(std::string_view port) { m_texts.port = port; }
  void SetBaudText(std::string_view baud) { m_texts.baud = baud; }
  std::string PortText() const { return m_texts.port.str(); }
  std::string BaudText() const { return m_texts.baud.str(); }
  const TSerialTexts& Texts() const { return m_texts; }

  bool ConnectPressed() const { return m_connectPressed; }
  bool DisconnectPressed() const { return m_disconnectPressed; }

  /// Top edge level with the main window's, centred on it horizontally.
  void PlaceOnMainWindow(const QWidget& mainWindow);

 protected:
  /// Activation: the port list afresh, the texts selected, the flags cleared.
  void showEvent(QShowEvent* event) override;
  /// Escape in the port box closes the dialog with neither flag.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Connect();
  void Disconnect();

  std::string m_portFile;
  TSerialTexts m_texts;
  bool m_connectPressed = false;
  bool m_disconnectPressed = false;
  QComboBox* m_cbPort;
  QComboBox* m_cbBaud;
  QPushButton* m_bnStart;
  QPushButton* m_bnStop;
};
