#pragma once
// The library's own windows beside the soft panels of radios/panel: its
// settings dialog and its notices. Shown only when the program runs a
// QApplication and only from its thread; without one every call does
// nothing. CloseAll destroys them, and it runs before the library is
// unloaded (DISCONNECTRADIO, or the library's destruction).

#include <string>

namespace hamlibradio {
class HamlibRadio;
}

namespace hamlibradio::panels {

/// The settings dialog: the model from Hamlib's list (filtered by maker and
/// name as typed), the rig path and the time-outs, saved beside the library
/// for the next connection. Not modal: the call returns at once.
void ShowConfig(HamlibRadio& radio, const std::string& libraryDir, int number);
/// Watches the radio from the program's thread and tells the operator, in a
/// message box that does not block, each time the library reports a problem.
void StartNotices(HamlibRadio& radio, int number);
/// Destroys every window and timer of that radio.
void CloseAll(int number);

}  // namespace hamlibradio::panels
