#pragma once
// Radio 1 of a VaroSim*.dll, connected through the real binding (TRadioLib)
// as the program connects it, with its four events drained and its trace
// cleared; disconnected at the end.

#include <string>

#include "Eventually.h"
#include "VaroSimProbe.h"
#include "platform/Event.h"
#include "radio/TRadioLib.h"

class ConnectedSim {
 public:
  explicit ConnectedSim(const std::string& path = DevicesFile("VaroSim.dll"),
                        const std::string& connection = "Varo,VaroSim,38400,a,b,c,d,NRND")
      : lib(path), probe(path) {
    probe.Control("RESET");
    std::string port = "com4";
    EXPECT_TRUE(lib.ConnectRadio(1, connection, change, port, true));
    EXPECT_EQ(port, "COM4");
    lib.SetLogRequestEventHandle(1, logRequest);
    lib.SetMsgEventHandles(1, start, over);
    for (auto event : {change, logRequest, start, over}) Drain(event);
    probe.ClearTrace();
  }
  ~ConnectedSim() {
    if (lib.IsLoaded()) lib.DisconnectRadio(1);
    for (auto event : {change, logRequest, start, over}) platform::CloseEvent(event);
  }

  /// Loads a message into a slot and sets the keyer speed.
  void Prepare(int slot, const std::string& text, int wpm) {
    lib.SetMsgAtIndex(1, slot, text);
    probe.Control("SPEED=" + std::to_string(wpm));
    Drain(change);
  }

  platform::EventHandle change = platform::NewEvent();
  platform::EventHandle logRequest = platform::NewEvent();
  platform::EventHandle start = platform::NewEvent();
  platform::EventHandle over = platform::NewEvent();
  TRadioLib lib;
  VaroSimProbe probe;
};
