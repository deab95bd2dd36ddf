// The three questions the settings and data operations put to the radio
// side. Until the radio pair is wired into the application object the left
// radio is never connected, so messages stay in their slots (and the user is
// asked to connect) and the restart file keeps the baud rate it was given.
// The radio side fills these in: LeftRadioConnected from the pair's radio 1,
// HandMessageToRadio with SetMessageText (radio 1, which upper-cases the text
// before SETMSGATINDEX), RefreshLeftRadioBaud with RefreshRadioBaud(1).

#include "app/TTalvexApp.h"

bool TTalvexApp::LeftRadioConnected() const { return false; }

void TTalvexApp::HandMessageToRadio(int, const std::string&) {}

void TTalvexApp::RefreshLeftRadioBaud() {}
