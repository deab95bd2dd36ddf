#include "platform/MessageSink.h"

#include <atomic>
#include <cstdio>

namespace platform {
namespace {

class StderrSink : public MessageSink {
 public:
  void ShowMessage(const std::string& text) override {
    std::fprintf(stderr, "Talvex: %s\n", text.c_str());
  }
  MessageAnswer Ask(const std::string& caption, const std::string& text, MessageIcon,
                    MessageButtons buttons) override {
    std::fprintf(stderr, "Talvex: %s: %s\n", caption.c_str(), text.c_str());
    switch (buttons) {
      case MessageButtons::Ok: return MessageAnswer::Ok;
      case MessageButtons::YesNo: return MessageAnswer::No;
      case MessageButtons::YesNoCancel: return MessageAnswer::Cancel;
    }
    return MessageAnswer::Ok;
  }
};

StderrSink g_stderrSink;
std::atomic<MessageSink*> g_sink{nullptr};

}  // namespace

void SetMessageSink(MessageSink* sink) { g_sink = sink; }

MessageSink& CurrentMessageSink() {
  MessageSink* sink = g_sink;
  return sink ? *sink : g_stderrSink;
}

void ShowMessage(const std::string& text) { CurrentMessageSink().ShowMessage(text); }

MessageAnswer Ask(const std::string& caption, const std::string& text, MessageIcon icon,
                  MessageButtons buttons) {
  return CurrentMessageSink().Ask(caption, text, icon, buttons);
}

}  // namespace platform
