#include <gtest/gtest.h>

#include "SerialTestTexts.h"

#include <functional>
#include <iterator>
#include <memory>

#include "PseudoTerminal.h"
#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "data/TextUtils.h"
#include "serial/TSIOThread.h"
#include "serial/TSioLogController.h"

namespace {


class FakeSioLogDialog : public TSioLogDialog {
 public:
  enum class Press { Connect, Disconnect, Escape };
  Press next = Press::Escape;
  TSerialTexts selected = Texts("COM7", "9600", "1", "8", "None");
  bool adif = false;
  int showings = 0;
  bool centred = false;
  TSerialTexts stored;
  bool loggingButtons = false;  // "Disconnect" enabled

  void SetStoredTexts(const TSerialTexts& texts) override { stored = texts; }
  void CentreOnMainWindow() override { centred = true; }
  void ShowModal() override {
    ++showings;
    m_connect = next == Press::Connect;
    m_disconnect = next == Press::Disconnect;
    if (m_connect || m_disconnect) SetLoggingButtons(m_connect);
  }
  bool ConnectPressed() const override { return m_connect; }
  bool DisconnectPressed() const override { return m_disconnect; }
  TSerialTexts SelectedTexts() const override { return selected; }
  std::string PortText() const override { return selected.port.str(); }
  bool AdifSelected() const override { return adif; }
  bool ArrlSelected() const override { return !adif; }
  void SetLoggingButtons(bool on) override { loggingButtons = on; }

 private:
  bool m_connect = false, m_disconnect = false;
};

// A logging port on a pseudo-terminal named COM7 by a port file of the test's own.
struct Logging {
  TempProgramDir dir;
  PseudoTerminal pty;
  std::string portFile = dir.Path("Devices/Dravel_PORTS.txt");
  RecordingMessageSink sink;
  FakeSioLogDialog dialog;
  TSioLogSettings settings;
  std::vector<bool> checks;
  TSioLogController sio{dialog, portFile};

  Logging() {
    MapCom7To(pty);
    settings.texts = Texts("COM0", "4800", "1", "8", "None");
    settings.wantsArrl = true;
    sio.SetMenuCheckHandler([this](bool checked) { checks.push_back(checked); });
  }
  void MapCom7To(const PseudoTerminal& device) {
    dir.Write("Devices/Dravel_PORTS.txt", "COM7=" + device.Device() + "\n");
  }
  void ConnectFromDialog() {
    dialog.next = FakeSioLogDialog::Press::Connect;
    sio.PerformSerialIoLogging(settings, false);
  }
};

const std::string kContact = "2024-05-01:14025:cw:100:1200:k1abc:599:579:1205:n/a:bob:foc";

}  // namespace

TEST(SioLogging, ConnectSendsOneCarriageReturnThenEachContactWithItsTerminator) {
  Logging t;
  t.dialog.selected = Texts("COM7", "9600", "1.5", "7", "Even");
  t.dialog.adif = true;
  t.dialog.next = FakeSioLogDialog::Press::Connect;
  t.sio.PerformSerialIoLogging(t.settings, true);

  EXPECT_TRUE(t.dialog.centred);
  EXPECT_EQ(t.dialog.showings, 1);
  EXPECT_EQ(t.dialog.stored.baud.str(), "4800");  // the stored texts, for the showing
  EXPECT_TRUE(t.sio.MenuItemChecked());
  EXPECT_EQ(t.checks, std::vector<bool>{true});
  EXPECT_TRUE(t.sio.IsPortOpen());
  EXPECT_TRUE(t.dialog.loggingButtons);
  // The choices are stored as texts, "1.5" included, and converted for the port.
  EXPECT_EQ(t.settings.texts.port.str(), "COM7");
  EXPECT_EQ(t.settings.texts.baud.str(), "9600");
  EXPECT_EQ(t.settings.texts.stopBits.str(), "1.5");
  EXPECT_EQ(t.settings.texts.dataBits.str(), "7");
  EXPECT_EQ(t.settings.texts.parity.str(), "Even");
  EXPECT_TRUE(t.settings.wantsAdif);
  EXPECT_FALSE(t.settings.wantsArrl);
  const auto& port = t.sio.Thread()->PortSettings();
  EXPECT_EQ(port.baudRate, 9600u);
  EXPECT_EQ(port.byteSize, 7);
  EXPECT_EQ(port.stopBits, platform::kOne5StopBits);
  EXPECT_EQ(port.parity, platform::kEvenParity);
  EXPECT_EQ(port.rtsControl, platform::kLineControlDisable);
  EXPECT_EQ(port.dtrControl, platform::kLineControlDisable);

  EXPECT_TRUE(t.sio.SendContact(kContact));
  EXPECT_EQ(t.pty.Receive(1 + kContact.size() + 2), "\r" + UpperCase(kContact) + ":;");

  // The serial line stays within 100 characters: ":;" is cut as needed.
  const std::string long99(99, 'a'), long120(120, 'b');
  EXPECT_TRUE(t.sio.SendContact(long99));
  EXPECT_TRUE(t.sio.SendContact(long120));
  EXPECT_TRUE(t.sio.SendContact("end"));
  EXPECT_EQ(t.pty.Receive(100), std::string(99, 'A') + ":");
  EXPECT_EQ(t.pty.Receive(100), std::string(100, 'B'));
  EXPECT_EQ(t.pty.Receive(5), "END:;");  // and nothing between the lines
  EXPECT_TRUE(t.sink.Messages().empty());
}

// Deleting the logging thread with no message loop running (and no way to
// the main thread installed) returns in every state its reader can be in.
TEST(SioLogging, DeletingTheThreadInAnyStateNeverWaitsForTheMainThread) {
  const std::function<void(TSIOThread&, PseudoTerminal&)> states[] = {
      [](TSIOThread&, PseudoTerminal&) {},  // never started
      [](TSIOThread& thread, PseudoTerminal& pty) {  // reading: bytes dropped, more arriving
        pty.Send("first");
        ASSERT_TRUE(WaitUntil([&] { return thread.BytesDropped() == 5; }));
        pty.Send(std::string(3000, 'y'));  // more than the receive buffer holds
      },
      [](TSIOThread& thread, PseudoTerminal&) { thread.Stop(); },  // paused, port closed
      [](TSIOThread& thread, PseudoTerminal& pty) {  // ended by a port error
        pty.HangUp();
        ASSERT_TRUE(WaitUntil([&] { return thread.ReaderError().has_value(); }));
      },
  };
  for (std::size_t i = 0; i < std::size(states); ++i) {
    SCOPED_TRACE(i);
    Logging t;
    auto thread = std::make_unique<TSIOThread>("COM7", t.portFile);
    if (i > 0) ASSERT_TRUE(thread->Start());
    if (i > 0) ASSERT_EQ(t.pty.Receive(1), "\r");
    states[i](*thread, t.pty);
    thread.reset();  // a fault hangs or crashes here
  }
}

TEST(SioLogging, APortInUseIsReportedAndContactsAreNotSentUntilAConnectWorks) {
  Logging t;
  TCommPort holder(t.portFile);
  holder.SetAllSettings("COM7", 9600, 8, 0, 0, false, false);
  holder.Open();

  t.ConnectFromDialog();
  EXPECT_EQ(t.sink.Messages(), std::vector<std::string>{"Error opening comm port. Port already in use - me?"});
  EXPECT_TRUE(t.sio.HasThread());
  EXPECT_FALSE(t.sio.IsPortOpen());
  EXPECT_TRUE(t.dialog.loggingButtons);  // "Disconnect" is offered
  EXPECT_TRUE(t.sio.MenuItemChecked());
  EXPECT_FALSE(t.sio.SendContact("lost contact"));

  holder.Close();
  t.sio.PerformSerialIoLogging(t.settings, false);  // unchecks
  EXPECT_FALSE(t.sio.MenuItemChecked());
  t.sio.PerformSerialIoLogging(t.settings, false);  // the dialog again, not "currently using"
  EXPECT_EQ(t.dialog.showings, 2);
  EXPECT_TRUE(t.sio.IsPortOpen());
  EXPECT_TRUE(t.sio.SendContact("k1abc"));
  EXPECT_EQ(t.pty.Receive(8), "\rK1ABC:;");  // the lost contact never went out
  EXPECT_EQ(t.sink.Messages().size(), 1u);
}

TEST(SioLogging, AFailedWriteStopsLoggingOnceAndTheOperatorCanStartAgain) {
  Logging t;
  t.ConnectFromDialog();
  EXPECT_EQ(t.pty.Receive(1), "\r");
  t.pty.HangUp();  // the far end is gone

  EXPECT_FALSE(t.sio.SendContact(kContact));
  // The write or the reader meets the hang-up first: either way the port is named with the reason.
  ASSERT_EQ(t.sink.Messages().size(), 1u);
  EXPECT_TRUE(t.sink.Messages()[0].starts_with("Serial I/O logging stopped: could not ")) << t.sink.Messages()[0];
  EXPECT_TRUE(t.sink.Messages()[0].ends_with(" COM7: Input/output error")) << t.sink.Messages()[0];
  EXPECT_FALSE(t.sio.HasThread());
  EXPECT_FALSE(t.sio.MenuItemChecked());
  EXPECT_EQ(t.checks, (std::vector<bool>{true, false}));
  EXPECT_FALSE(t.dialog.loggingButtons);  // "Connect" is offered
  EXPECT_FALSE(t.sio.SendContact(kContact));
  EXPECT_EQ(t.sink.Messages().size(), 1u);  // told once

  PseudoTerminal replacement;  // the adapter is plugged in again
  t.MapCom7To(replacement);
  t.ConnectFromDialog();
  EXPECT_TRUE(t.sio.SendContact("w1aw"));
  EXPECT_EQ(replacement.Receive(7), "\rW1AW:;");
}

TEST(SioLogging, APortErrorThatEndedTheReaderIsReportedByTheNextContact) {
  Logging t;
  t.ConnectFromDialog();
  EXPECT_EQ(t.pty.Receive(1), "\r");
  t.pty.HangUp();
  ASSERT_TRUE(WaitUntil([&] { return t.sio.Thread()->ReaderError().has_value(); }));
  EXPECT_EQ(t.sio.Thread()->ReaderError()->Kind(), kCommErrStatus);
  EXPECT_TRUE(t.sink.Messages().empty());  // nothing is said until a contact needs the port

  EXPECT_FALSE(t.sio.SendContact(kContact));
  EXPECT_EQ(t.sink.Messages(),
            std::vector<std::string>{"Serial I/O logging stopped: could not read from COM7: Input/output error"});
  EXPECT_FALSE(t.sio.HasThread());
}

TEST(SioLogging, ResumeStartsFromTheStoredTextsAndTheMenuThenStopsIt) {
  Logging t;
  t.settings.texts = Texts("COM7", "9600", "1.5", "8", "MARK");
  t.sio.ResumeSerialIoLogging(true, t.settings);
  EXPECT_TRUE(t.sio.IsPortOpen());
  EXPECT_FALSE(t.sio.MenuItemChecked());
  EXPECT_TRUE(t.checks.empty());
  EXPECT_TRUE(t.dialog.loggingButtons);
  EXPECT_EQ(t.pty.Receive(1), "\r");
  // A stored parity the dialog does not offer still configures the port.
  EXPECT_EQ(t.sio.ConvertedSettings().parity, platform::kMarkParity);
  EXPECT_EQ(t.sio.ConvertedSettings().stopBits, platform::kOne5StopBits);
  EXPECT_TRUE(t.pty.SlaveLine().markSpace);
  EXPECT_TRUE(t.pty.SlaveLine().oddParity);
  EXPECT_EQ(t.settings.texts.stopBits.str(), "1.5");

  t.dialog.selected.port = "COM3";
  t.sio.PerformSerialIoLogging(t.settings, false);
  EXPECT_TRUE(t.sio.MenuItemChecked());
  EXPECT_EQ(t.dialog.showings, 0);
  EXPECT_EQ(t.sink.Messages(), std::vector<std::string>{"Serial I/O Logging is currently using port COM3"});
  EXPECT_TRUE(t.sio.IsPortOpen());

  t.sio.PerformSerialIoLogging(t.settings, false);
  EXPECT_FALSE(t.sio.MenuItemChecked());
  EXPECT_FALSE(t.sio.HasThread());
  EXPECT_FALSE(t.dialog.loggingButtons);
  EXPECT_FALSE(t.sio.SendContact(kContact));

  t.sio.ResumeSerialIoLogging(false, t.settings);
  EXPECT_TRUE(t.settings.texts.port.empty());
  EXPECT_FALSE(t.sio.HasThread());
}

TEST(SioLogging, DisconnectStopsAndEscapeChangesNothing) {
  Logging t;
  t.ConnectFromDialog();
  ASSERT_TRUE(t.sio.IsPortOpen());
  t.sio.PerformSerialIoLogging(t.settings, false);  // checked: stops
  EXPECT_FALSE(t.sio.HasThread());
  EXPECT_FALSE(t.sio.MenuItemChecked());

  t.dialog.next = FakeSioLogDialog::Press::Escape;
  t.settings.wantsAdif = true;
  t.sio.PerformSerialIoLogging(t.settings, false);
  EXPECT_TRUE(t.sio.MenuItemChecked());  // stays checked
  EXPECT_FALSE(t.sio.HasThread());
  EXPECT_TRUE(t.settings.wantsAdif);

  t.sio.PerformSerialIoLogging(t.settings, false);
  t.dialog.next = FakeSioLogDialog::Press::Disconnect;
  t.sio.PerformSerialIoLogging(t.settings, false);
  EXPECT_FALSE(t.sio.MenuItemChecked());
  EXPECT_FALSE(t.sio.HasThread());
  EXPECT_FALSE(t.dialog.loggingButtons);
  EXPECT_TRUE(t.sink.Messages().empty());
}
