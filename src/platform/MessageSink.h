#pragma once
// Where the system's message boxes go. The GUI installs Qt message boxes;
// tests install a recording sink with scripted answers. Boxes are the main
// thread's (the thread rule, platform/HandOver.h): the Qt sink treats a box
// asked from another thread as a broken rule.

#include <string>

namespace platform {

enum class MessageIcon { None, Information, Warning, Exclamation = Warning, Error, Question };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  /// A plain information box with an OK button (the toolkit's ShowMessage).
  virtual void ShowMessage(const std::string& text) = 0;
  /// A box with a caption, icon and buttons; answers the button pressed.
  virtual MessageAnswer Ask(const std::string& caption, const std::string& text,
                            MessageIcon icon, MessageButtons buttons) = 0;
};

/// Installs the sink (not owned); nullptr restores the default, which writes
/// to standard error and answers Ok / No / Cancel.
void SetMessageSink(MessageSink* sink);
MessageSink& CurrentMessageSink();

void ShowMessage(const std::string& text);
MessageAnswer Ask(const std::string& caption, const std::string& text, MessageIcon icon,
                  MessageButtons buttons);

}  // namespace platform
