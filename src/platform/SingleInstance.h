#pragma once
// One running copy of the program per user. The first copy holds the
// instance's name; a later copy asks it to come to the front and ends.
// On POSIX the name is a local socket in the user's runtime directory (the
// temporary folder when there is none); connecting to it is the request.
// Part of the GUI library: requests arrive on the Qt event loop.

#include <functional>
#include <memory>
#include <string>

namespace platform {

class SingleInstance {
 public:
  /// TALVEX_INSTANCE_NAME, when set, replaces name (tests run their own copies).
  explicit SingleInstance(const std::string& name);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  /// True when this is the first copy: it now holds the name, and onRaise
  /// runs on the event loop each time a later copy starts. False when another
  /// copy holds it; that copy has been asked to come to the front. Two copies
  /// started together take turns. When the name cannot be held the copy runs
  /// alone rather than not at all (true). Main thread; needs a QCoreApplication.
  bool BecomeFirstOrRaiseOther(std::function<void()> onRaise);

 private:
  struct State;
  std::unique_ptr<State> m;
};

}  // namespace platform
