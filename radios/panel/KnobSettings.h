#pragma once
// How the panel's tuning knob tunes: the steps its selector offers and
// which keys and mouse buttons turn it. Set in the knob settings dialog
// (SHOWPIGKNOBCONFIG); kept while the library is loaded.

#include <vector>

namespace radiopanel {

struct KnobSettings {
  std::vector<int> steps{1, 10, 50, 100, 500, 1000, 5000};  // Hz a click
  int step = 10;
  bool upDownKeys = true;     // Up and Down arrows
  bool leftRightKeys = true;  // Left and Right arrows
  bool pageKeys = true;       // Page Up and Page Down: ten clicks
  bool wheel = true;          // the mouse wheel over the knob
  bool mouseButtons = false;  // a left click tunes down, a right click up
  bool reverse = false;       // every direction the other way
};

}  // namespace radiopanel
