#pragma once
// A message sink that records every box and answers questions from a script.
// Installs itself on construction and restores the default on destruction.

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/MessageSink.h"

class RecordingMessageSink : public platform::MessageSink {
 public:
  struct Question {
    std::string caption, text;
    platform::MessageIcon icon;
    platform::MessageButtons buttons;
  };

  RecordingMessageSink() { platform::SetMessageSink(this); }
  ~RecordingMessageSink() override { platform::SetMessageSink(nullptr); }

  void ShowMessage(const std::string& text) override {
    std::lock_guard lock(m_mutex);
    m_messages.push_back(text);
  }
  platform::MessageAnswer Ask(const std::string& caption, const std::string& text,
                              platform::MessageIcon icon,
                              platform::MessageButtons buttons) override {
    std::lock_guard lock(m_mutex);
    m_questions.push_back({caption, text, icon, buttons});
    if (m_answers.empty()) return platform::MessageAnswer::No;
    auto answer = m_answers.front();
    m_answers.pop_front();
    return answer;
  }

  /// Answers for the next questions, in order; No once they run out.
  void ScriptAnswers(std::initializer_list<platform::MessageAnswer> answers) {
    std::lock_guard lock(m_mutex);
    m_answers.insert(m_answers.end(), answers);
  }
  std::vector<std::string> Messages() const {
    std::lock_guard lock(m_mutex);
    return m_messages;
  }
  std::vector<Question> Questions() const {
    std::lock_guard lock(m_mutex);
    return m_questions;
  }
  void Clear() {
    std::lock_guard lock(m_mutex);
    m_messages.clear();
    m_questions.clear();
  }

 private:
  mutable std::mutex m_mutex;
  std::vector<std::string> m_messages;
  std::vector<Question> m_questions;
  std::deque<platform::MessageAnswer> m_answers;
};
