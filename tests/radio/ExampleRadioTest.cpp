// The example radio library a new radio's author starts from, loaded by the
// program's own binding: it must stay a library the program can use.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingMessageSink.h"
#include "VaroSimProbe.h"
#include "platform/Event.h"
#include "radio/TRadioLib.h"

TEST(ExampleRadio, ConnectsAnswersItsGettersAndSetsTheRadioChangeEvent) {
  RecordingMessageSink messages;
  platform::Event change;
  TRadioLib lib(DevicesFile("ExampleRadio.dll"));
  std::string port = "COM3";
  ASSERT_TRUE(lib.ConnectRadio(1, "Example,ExampleRadio,38400,,,,,NRND", change.Handle(), port, true));
  EXPECT_EQ(change.Wait(0), platform::WaitResult::Signalled) << "connecting is a change";
  EXPECT_EQ(port, "COM3");
  platform::Event logRequest, start, over;
  lib.SetLogRequestEventHandle(1, logRequest.Handle());
  lib.SetMsgEventHandles(1, start.Handle(), over.Handle());

  EXPECT_EQ(lib.GetFrequency(1), 14025000);
  EXPECT_EQ(lib.GetMode(1), 2);
  std::vector<std::string> modes;
  lib.GetModeNames(1, modes);
  EXPECT_EQ(modes, (std::vector<std::string>{"LSB", "USB", "CW"}));
  // What it leaves out gets the binding's neutral answers, and nobody is told.
  EXPECT_EQ(lib.GetMsgId(1), -1);
  EXPECT_TRUE(messages.Messages().empty()) << messages.Messages().front();

  lib.DisconnectRadio(1);
  EXPECT_FALSE(lib.IsLoaded());
}
