// The three questions the settings and data operations put to the radio
// side. Until the radio pair is wired into the application object the left
// radio is never connected, so messages stay in their slots and the restart
// file keeps the baud rate it was given; the radio side fills these in.

#include "app/TTalvexApp.h"

bool TTalvexApp::LeftRadioConnected() const { return false; }

void TTalvexApp::HandMessageToRadio(int, const std::string&) {}

void TTalvexApp::RefreshLeftRadioBaud() {}
