#include <gtest/gtest.h>

#include "SerialTestTexts.h"

#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>

#include "PseudoTerminal.h"
#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "data/TextUtils.h"
#include "data/TLogJournal.h"
#include "platform/Files.h"
#include "serial/TSIOThread.h"
#include "serial/TSioLogController.h"

namespace {


class FakeSioLogDialog : public TSioLogDialog {
 public:
  enum class Press { Connect, Disconnect, Escape, SendNow, Discard };
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
    m_sendNow = next == Press::SendNow;
    m_discard = next == Press::Discard;
    if (m_connect || m_disconnect) SetLoggingButtons(m_connect);
  }
  bool ConnectPressed() const override { return m_connect; }
  bool DisconnectPressed() const override { return m_disconnect; }
  TSerialTexts SelectedTexts() const override { return selected; }
  std::string PortText() const override { return selected.port.str(); }
  bool AdifSelected() const override { return adif; }
  bool ArrlSelected() const override { return !adif; }
  void SetLoggingButtons(bool on) override { loggingButtons = on; }
  std::size_t waitingShown = 0;
  void SetWaitingContacts(std::size_t count) override { waitingShown = count; }
  bool SendNowPressed() const override { return m_sendNow; }
  bool DiscardPressed() const override { return m_discard; }

 private:
  bool m_connect = false, m_disconnect = false, m_sendNow = false, m_discard = false;
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
    if (i > 0) {
      ASSERT_TRUE(thread->Start());
      ASSERT_EQ(t.pty.Receive(1), "\r");
    }
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

namespace {

// Serial I/O logging fed from a default log of the test's own, as the
// program runs it: the journal knows the port before the first contact.
struct Journalled : Logging {
  TLogJournal journal{dir.Path("Logs/Dravel_DEFAULTLOG.txt"), dir.Path("Logs/Talvex_DELIVERY.txt")};
  std::vector<std::size_t> counts;  // what the key row was told
  Journalled() {
    journal.Track(TLogJournal::kSerialTarget);
    sio.AttachJournal(&journal);
    sio.SetWaitingHandler([this](std::size_t n) { counts.push_back(n); });
  }
  // A contact logged: its line in the log, then what the window does after it.
  std::size_t Log(const std::string& call, bool portChosen = true) {
    EXPECT_TRUE(platform::AppendFileDurably(journal.LogFile(), "2026-12-08:14025:CW:100:1423:" + call + ":599:599:1424:N/A:N/A:N/A\n"));
    return sio.DeliverWaiting(portChosen);
  }
  void Press(FakeSioLogDialog::Press press) {
    if (sio.MenuItemChecked()) sio.PerformSerialIoLogging(settings, false);  // unchecks first
    dialog.next = press;
    sio.PerformSerialIoLogging(settings, false);
  }
};

std::string OnPort(const std::string& call) { return "2026-12-08:14025:CW:100:1423:" + call + ":599:599:1424:N/A:N/A:N/A:;"; }

}  // namespace

TEST(SioLogging, ContactsLoggedWhileThePortWasAwayFollowWhenItOpensAndDiscardedOnesNever) {
  Journalled t;
  // Nobody uses the port (none chosen, none started in this run): nothing piles up for it.
  EXPECT_EQ(t.Log("K0NUL", false), 0u);
  // Chosen but not opened yet in this run: the contact waits, and the key row says so.
  EXPECT_EQ(t.Log("K1AAA"), 1u);
  EXPECT_EQ(TSioLogController::WaitingText(t.sio.Waiting()), "1 contact waits for the logging port");
  t.Press(FakeSioLogDialog::Press::Connect);
  EXPECT_EQ(t.dialog.waitingShown, 1u);
  EXPECT_EQ(t.pty.Receive(1 + OnPort("K1AAA").size()), "\r" + OnPort("K1AAA"));
  // The part of a line a power cut left (the next append ends it) is no contact.
  ASSERT_TRUE(platform::AppendFileDurably(t.journal.LogFile(), "2026-12-08:14025:C\n"));
  EXPECT_EQ(t.Log("K1BBB"), 0u);
  EXPECT_EQ(t.pty.Receive(OnPort("K1BBB").size()), OnPort("K1BBB"));

  // Unplugged: told once, and the contacts of that time wait.
  t.pty.HangUp();
  EXPECT_EQ(t.Log("K2CCC"), 1u);
  EXPECT_EQ(t.Log("K2DDD"), 2u);
  EXPECT_EQ(t.sink.Messages().size(), 1u);

  // Plugged in again: "Send Now" opens the port with the dialog's settings and sends them, in order.
  PseudoTerminal replug;
  t.MapCom7To(replug);
  t.Press(FakeSioLogDialog::Press::SendNow);
  EXPECT_EQ(t.dialog.waitingShown, 2u);
  EXPECT_EQ(replug.Receive(1 + 2 * OnPort("K2CCC").size()), "\r" + OnPort("K2CCC") + OnPort("K2DDD"));
  EXPECT_EQ(t.sio.Waiting(), 0u);

  // Stopped by the operator, two contacts wait; "Discard" drops them for good.
  t.Press(FakeSioLogDialog::Press::Disconnect);
  t.Log("K3EEE");
  EXPECT_EQ(t.Log("K3FFF"), 2u);
  t.Press(FakeSioLogDialog::Press::Discard);
  EXPECT_EQ(t.sio.Waiting(), 0u);
  EXPECT_FALSE(t.sio.HasThread());
  t.Log("K4GGG");
  t.Press(FakeSioLogDialog::Press::Connect);
  EXPECT_EQ(replug.Receive(1 + OnPort("K4GGG").size()), "\r" + OnPort("K4GGG"));
  EXPECT_EQ(t.counts, (std::vector<std::size_t>{1, 0, 1, 2, 0, 1, 2, 0, 1, 0}));
  EXPECT_EQ(t.sink.Messages().size(), 1u);
}

TEST(SioLogging, AnAdapterThatComesBackAsAnotherDeviceIsFoundByItsPersistentName) {
  {
    // Missing at the start, so the resume could not offer it: not a refusal.
    // The contacts wait, and the port opens, without a word, once the device is there.
    Journalled t;
    t.dir.Write("Devices/Dravel_PORTS.txt", "COM7=" + t.dir.Path("no-such-tty") + "\n");
    t.settings.texts.port = "COM7";
    t.sio.ResumeSerialIoLogging(false, t.settings);
    EXPECT_EQ(t.settings.texts.port.str(), "COM7");
    EXPECT_EQ(t.Log("K0ZZZ"), 1u);
    t.MapCom7To(t.pty);
    EXPECT_EQ(t.sio.RefindDevice(), std::optional<std::string>("COM7"));
    EXPECT_EQ(t.pty.Receive(1 + OnPort("K0ZZZ").size()), "\r" + OnPort("K0ZZZ"));
    EXPECT_TRUE(t.sink.Messages().empty());
  }
  Journalled t;
  // Not plugged in at the start: the port cannot open, and is opened once its device is there.
  t.dir.Write("Devices/Dravel_PORTS.txt", "COM7=" + t.dir.Path("no-such-tty") + "\n");
  t.settings.texts.port = "COM7";
  t.sio.ResumeSerialIoLogging(true, t.settings);
  EXPECT_EQ(t.sink.Messages(), std::vector<std::string>{"Error opening comm port. Port already in use - me?"});
  EXPECT_EQ(t.Log("K0AAA"), 1u);
  EXPECT_EQ(t.sio.RefindDevice(), std::nullopt);
  t.MapCom7To(t.pty);
  EXPECT_EQ(t.sio.RefindDevice(), std::optional<std::string>("COM7"));
  EXPECT_EQ(t.pty.Receive(1 + OnPort("K0AAA").size()), "\r" + OnPort("K0AAA"));
  t.sink.Clear();
  const std::string byId = t.dir.Path("by-id/");
  const std::string link = byId + "usb-Talvex_Test_Adapter_0001-if00-port0";
  std::filesystem::create_directories(byId);
  std::filesystem::create_symlink(t.pty.Device(), link);
  t.sio.SetByIdFolder(byId);
  t.Press(FakeSioLogDialog::Press::Connect);
  ASSERT_EQ(t.pty.Receive(1), "\r");

  // Pulled out: the reader's error is told at the next look, not at the next contact.
  t.pty.HangUp();
  std::filesystem::remove(link);
  ASSERT_TRUE(WaitUntil([&] { return t.sio.Thread()->ReaderError().has_value(); }));
  EXPECT_EQ(t.sio.RefindDevice(), std::nullopt);
  EXPECT_EQ(t.sink.Messages(),
            std::vector<std::string>{"Serial I/O logging stopped: could not read from COM7: Input/output error"});
  EXPECT_EQ(t.Log("K1AAA"), 1u);
  EXPECT_EQ(t.sio.RefindDevice(), std::nullopt);  // not back yet

  // Back as another device file, which the port table calls COM8.
  PseudoTerminal back;
  t.dir.Write("Devices/Dravel_PORTS.txt", "COM7=/dev/nonexistent-tty\nCOM8=" + back.Device() + "\n");
  std::filesystem::create_symlink(back.Device(), link);
  EXPECT_EQ(t.sio.RefindDevice(), std::optional<std::string>("COM8"));
  EXPECT_TRUE(t.sio.IsPortOpen());
  EXPECT_TRUE(t.sio.MenuItemChecked());
  EXPECT_EQ(back.Receive(1 + OnPort("K1AAA").size()), "\r" + OnPort("K1AAA"));
  EXPECT_EQ(t.sio.RefindDevice(), std::nullopt);  // nothing more to do
  EXPECT_EQ(t.sink.Messages().size(), 1u);
}
