#pragma once
// What the operator chose to resume in the resume dialog, one flag per check
// box. The dialog fills it; the connection sequences act on it; the panels
// among them are remembered for the next start.

struct TResumeChoice {
  bool radioPort = false, messageButtons = false, keyboard = false, logGrid = false;
  bool autoCq = false, titleBars = false, sioLog = false, userLog = false;
};
