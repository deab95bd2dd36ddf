#include <gtest/gtest.h>

#include "SerialTestTexts.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>

#include "PseudoTerminal.h"
#include "QtTestApp.h"
#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "serial/TSioLogController.h"
#include "serial/TfmRadioPort.h"
#include "serial/TfmSioLog.h"

namespace {

// Two pseudo-terminals named COM7 and COM10, and a port whose device is gone.
struct TwoPorts {
  TempProgramDir dir;
  PseudoTerminal com7, com10;
  std::string portFile = dir.Path("Devices/Dravel_PORTS.txt");
  TwoPorts() {
    dir.Write("Devices/Dravel_PORTS.txt", "COM7=" + com7.Device() + "\nCOM10=" + com10.Device() +
                                              "\nCOM12=/dev/does-not-exist\n");
  }
};

template <class T>
T* Find(QWidget& form, const char* name) {
  T* child = form.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

QStringList Items(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

// Shows the dialog modally and runs action inside its showing.
void Show(QDialog& dialog, const std::function<void()>& action) {
  QTimer::singleShot(0, &dialog, action);
  dialog.exec();
}

void PressEscape(QWidget* target) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
}


}  // namespace

TEST(SioLogDialog, HasItsControlsAndStartsWithConnectAndArrl) {
  EnsureQtApp();
  TfmSioLog form("/nonexistent/ports");
  EXPECT_EQ(form.objectName(), "fmSioLog");
  EXPECT_EQ(form.windowTitle(), "Setting Up Serial I/O Log");
  EXPECT_EQ(Items(Find<QComboBox>(form, "cbBaud")),
            QStringList({"1200", "2400", "4800", "9600", "14400", "19200", "28800", "38400", "56000", "57600",
                         "115200"}));
  EXPECT_EQ(Items(Find<QComboBox>(form, "cbDataBits")), QStringList({"8", "7", "6", "5"}));
  EXPECT_EQ(Items(Find<QComboBox>(form, "cbStopBits")), QStringList({"1", "1.5", "2"}));
  EXPECT_EQ(Items(Find<QComboBox>(form, "cbParity")), QStringList({"None", "Even", "Odd"}));
  for (const char* box : {"cbPort", "cbBaud", "cbDataBits", "cbStopBits", "cbParity"})
    EXPECT_FALSE(Find<QComboBox>(form, box)->isEditable()) << box;
  QStringList labels;
  for (auto* label : form.findChildren<QLabel*>()) labels << label->text();
  EXPECT_EQ(labels, QStringList({"Port ", "Baud", "Data Bits", "Stop Bits", "Parity",
                                 "No contact waits for the logging port"}));
  auto* start = Find<QPushButton>(form, "bnStart");
  auto* stop = Find<QPushButton>(form, "bnStop");
  EXPECT_EQ(start->text(), "Connect");
  EXPECT_TRUE(start->isEnabled());
  EXPECT_EQ(stop->text(), "Disconnect");
  EXPECT_FALSE(stop->isEnabled());
  auto* format = Find<QGroupBox>(form, "rgLogFormat");
  EXPECT_EQ(format->title(), "  Serial Log Format  ");
  const auto choices = format->findChildren<QRadioButton*>();
  ASSERT_EQ(choices.size(), 2);
  EXPECT_EQ(choices[0]->text(), "ARRL Log Book");
  EXPECT_EQ(choices[1]->text(), "ADIF");
  EXPECT_TRUE(form.ArrlSelected());
  EXPECT_FALSE(form.AdifSelected());
}

TEST(SioLogDialog, EachShowingListsThePortsOnceAndSelectsTheStoredTexts) {
  EnsureQtApp();
  TwoPorts ports;
  TfmSioLog form(ports.portFile);
  auto* port = Find<QComboBox>(form, "cbPort");
  form.SetStoredTexts(Texts("COM7", "57600", "1.5", "7", "none"));
  for (int showing = 0; showing < 3; ++showing) {
    Show(form, [&] { form.reject(); });
    EXPECT_EQ(Items(port).count("COM7"), 1);
    EXPECT_EQ(Items(port).count("COM10"), 1);
    EXPECT_FALSE(Items(port).contains("COM12"));
    EXPECT_LT(Items(port).indexOf("COM10"), Items(port).indexOf("COM7"));  // text order
  }
  auto selected = form.SelectedTexts();
  EXPECT_EQ(selected.port.str(), "COM7");
  EXPECT_EQ(selected.baud.str(), "57600");
  EXPECT_EQ(selected.stopBits.str(), "1.5");
  EXPECT_EQ(selected.dataBits.str(), "7");
  EXPECT_EQ(selected.parity.str(), "None");  // letters compared without regard to case

  // Texts no item equals leave their boxes empty.
  form.SetStoredTexts(Texts("COM9", "300", "3", "9", "MARK"));
  Show(form, [&] { form.reject(); });
  selected = form.SelectedTexts();
  EXPECT_EQ(port->currentIndex(), -1);
  EXPECT_TRUE(selected.port.empty());
  EXPECT_TRUE(selected.baud.empty());
  EXPECT_TRUE(selected.stopBits.empty());
  EXPECT_TRUE(selected.dataBits.empty());
  EXPECT_TRUE(selected.parity.empty());
  EXPECT_EQ(form.PortText(), "");
}

TEST(SioLogDialog, ButtonsSetTheirFlagAndTheirStateAndTheFormatCarryOver) {
  EnsureQtApp();
  TwoPorts ports;
  TfmSioLog form(ports.portFile);
  auto* start = Find<QPushButton>(form, "bnStart");
  auto* stop = Find<QPushButton>(form, "bnStop");
  auto choices = Find<QGroupBox>(form, "rgLogFormat")->findChildren<QRadioButton*>();

  Show(form, [&] {
    choices[1]->setChecked(true);  // ADIF
    start->click();
  });
  EXPECT_TRUE(form.ConnectPressed());
  EXPECT_FALSE(form.DisconnectPressed());
  EXPECT_FALSE(start->isEnabled());
  EXPECT_TRUE(stop->isEnabled());

  Show(form, [&] { PressEscape(&form); });
  EXPECT_FALSE(form.ConnectPressed());
  EXPECT_FALSE(form.DisconnectPressed());
  EXPECT_TRUE(stop->isEnabled());
  EXPECT_TRUE(form.AdifSelected());  // the last choice, not the stored flags

  Show(form, [&] { stop->click(); });
  EXPECT_TRUE(form.DisconnectPressed());
  EXPECT_FALSE(form.ConnectPressed());
  EXPECT_TRUE(start->isEnabled());
  EXPECT_FALSE(stop->isEnabled());
}

TEST(SioLogDialog, DrivesSerialIoLoggingThroughTheController) {
  EnsureQtApp();
  TwoPorts ports;
  RecordingMessageSink sink;
  TfmSioLog form(ports.portFile);
  TSioLogController sio(form, ports.portFile);
  TSioLogSettings settings;
  settings.texts = Texts("COM7", "9600", "1", "8", "None");

  QTimer::singleShot(0, &form, [&] {
    Find<QComboBox>(form, "cbStopBits")->setCurrentText("1.5");
    Find<QPushButton>(form, "bnStart")->click();
  });
  sio.PerformSerialIoLogging(settings, false);
  ASSERT_TRUE(sio.IsPortOpen());
  EXPECT_EQ(settings.texts.stopBits.str(), "1.5");
  EXPECT_EQ(sio.Thread()->PortSettings().stopBits, platform::kOne5StopBits);
  EXPECT_TRUE(sio.SendContact("k1abc"));
  EXPECT_EQ(ports.com7.Receive(8), "\rK1ABC:;");

  // Stopped from the menu, resumed as at start-up: the menu shows the port box.
  sio.PerformSerialIoLogging(settings, false);
  EXPECT_TRUE(Find<QPushButton>(form, "bnStart")->isEnabled());
  sio.ResumeSerialIoLogging(true, settings);
  EXPECT_FALSE(Find<QPushButton>(form, "bnStart")->isEnabled());
  sio.PerformSerialIoLogging(settings, false);
  EXPECT_EQ(sink.Messages(), std::vector<std::string>{"Serial I/O Logging is currently using port COM7"});
}

TEST(RadioPortDialog, HasItsControlsAndOffersOnlyConnectAtFirst) {
  EnsureQtApp();
  TfmRadioPort form("/nonexistent/ports");
  EXPECT_EQ(form.objectName(), "fmRadioPort");
  EXPECT_EQ(form.windowTitle(), "Setting Up the Radio Port");
  EXPECT_EQ(Items(Find<QComboBox>(form, "cbBaud")), QStringList({"4800", "9600", "19200", "38400"}));
  EXPECT_FALSE(Find<QComboBox>(form, "cbPort")->isEditable());
  QStringList labels;
  for (auto* label : form.findChildren<QLabel*>()) labels << label->text();
  EXPECT_EQ(labels, QStringList({"Port ", "Baud"}));
  EXPECT_EQ(Find<QPushButton>(form, "bnStart")->text(), "Connect");
  EXPECT_TRUE(Find<QPushButton>(form, "bnStart")->isEnabled());
  EXPECT_EQ(Find<QPushButton>(form, "bnStop")->text(), "Disconnect");
  EXPECT_FALSE(Find<QPushButton>(form, "bnStop")->isEnabled());
  form.SetPortText("COM1234567");
  EXPECT_EQ(form.PortText(), "COM123");
}

TEST(RadioPortDialog, ConnectHandsBackTheShownTextsAndOnlyDisconnectIsOfferedNext) {
  EnsureQtApp();
  TwoPorts ports;
  TfmRadioPort form(ports.portFile);
  auto* port = Find<QComboBox>(form, "cbPort");
  auto* baud = Find<QComboBox>(form, "cbBaud");
  auto* start = Find<QPushButton>(form, "bnStart");
  auto* stop = Find<QPushButton>(form, "bnStop");

  // A port that is gone and a rate not in the list show empty boxes.
  form.SetPortText("COM9");
  form.SetBaudText("57600");
  Show(form, [&] {
    EXPECT_EQ(port->currentText(), "");
    EXPECT_EQ(baud->currentText(), "");
    start->click();
  });
  EXPECT_TRUE(form.ConnectPressed());
  EXPECT_FALSE(form.DisconnectPressed());
  EXPECT_EQ(form.PortText(), "");
  EXPECT_EQ(form.BaudText(), "");
  EXPECT_EQ(form.Texts().stopBits.str(), "1");
  EXPECT_EQ(form.Texts().dataBits.str(), "8");
  EXPECT_EQ(form.Texts().parity.str(), "NONE");

  // Whether or not the opener's connection worked, only "Disconnect" is next.
  form.SetPortText("COM10");
  form.SetBaudText("19200");
  for (int showing = 0; showing < 3; ++showing) {
    Show(form, [&] {
      EXPECT_FALSE(start->isEnabled());
      EXPECT_TRUE(stop->isEnabled());
      EXPECT_EQ(Items(port).count("COM10"), 1);
      EXPECT_EQ(Items(port).count("COM7"), 1);
      EXPECT_EQ(port->currentText(), "COM10");
      EXPECT_EQ(baud->currentText(), "19200");
      PressEscape(port);  // Escape in the port box
    });
    EXPECT_FALSE(form.ConnectPressed());
    EXPECT_FALSE(form.DisconnectPressed());
  }

  Show(form, [&] { stop->click(); });
  EXPECT_TRUE(form.DisconnectPressed());
  EXPECT_FALSE(form.ConnectPressed());
  Show(form, [&] {
    EXPECT_TRUE(start->isEnabled());
    EXPECT_FALSE(stop->isEnabled());
    start->click();
  });
  EXPECT_TRUE(form.ConnectPressed());
  EXPECT_EQ(form.PortText(), "COM10");
  EXPECT_EQ(form.BaudText(), "19200");
}

TEST(RadioPortDialog, SitsLevelWithTheMainWindowsTopAndCentredOnIt) {
  EnsureQtApp();
  QWidget main;
  main.setGeometry(100, 50, 601, 300);
  TfmRadioPort form("/nonexistent/ports");
  form.PlaceOnMainWindow(main);
  EXPECT_EQ(form.frameGeometry().top(), main.frameGeometry().top());
  EXPECT_EQ(form.frameGeometry().left(),
            main.frameGeometry().left() + main.frameGeometry().width() / 2 - form.frameGeometry().width() / 2);
}
