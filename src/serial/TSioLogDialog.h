#pragma once
// The serial I/O logging dialog as the logging controller sees it. TfmSioLog
// is the real one; tests put a fake in its place. Main thread only.

#include <cstddef>
#include <string>

#include "serial/TSerialTexts.h"

class TSioLogDialog {
 public:
  virtual ~TSioLogDialog() = default;

  /// The dialog's own copy of the stored texts, selected at the next showing.
  virtual void SetStoredTexts(const TSerialTexts& texts) = 0;
  /// Puts the dialog in the middle of the main window.
  virtual void CentreOnMainWindow() = 0;
  /// Shows the dialog modally and returns when it has closed.
  virtual void ShowModal() = 0;
  /// The outcome of the last showing; neither flag after Escape.
  virtual bool ConnectPressed() const = 0;
  virtual bool DisconnectPressed() const = 0;
  /// The five texts the boxes show (empty where a box shows nothing).
  virtual TSerialTexts SelectedTexts() const = 0;
  /// The text of the port box.
  virtual std::string PortText() const = 0;
  /// The log format chosen: "ADIF" or "ARRL Log Book".
  virtual bool AdifSelected() const = 0;
  virtual bool ArrlSelected() const = 0;
  /// Logging on: "Disconnect" enabled and "Connect" disabled; off: the reverse.
  virtual void SetLoggingButtons(bool loggingOn) = 0;

  /// The contacts that wait for the logging port, shown at the next showing
  /// with "Send Now" and "Discard" offered while there are any.
  virtual void SetWaitingContacts(std::size_t count) { (void)count; }
  /// "Send Now" or "Discard" closed the last showing.
  virtual bool SendNowPressed() const { return false; }
  virtual bool DiscardPressed() const { return false; }
};
