// The user at the driver's message boxes: every box is recorded (owner,
// text, caption, flags) and answered with a set button instead of shown.
// Answers for as long as it lives, then puts back the hook it replaced.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/win32/message_box.h"

namespace tqr::test {

struct AskedMessage {
  HWND owner;
  std::wstring text;
  std::wstring caption;
  UINT flags;
};

class RecordedMessages : public MessageBoxHook {
 public:
  explicit RecordedMessages(int answerWith = IDOK)
      : answer(answerWith), previous_(SetMessageBoxHook(this)) {}
  ~RecordedMessages() override { SetMessageBoxHook(previous_); }
  RecordedMessages(const RecordedMessages&) = delete;
  RecordedMessages& operator=(const RecordedMessages&) = delete;

  int Answer(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) override {
    asked.push_back({owner, text, caption, flags});
    if (whileAsked) whileAsked();
    return answer;
  }

  int answer;
  // Runs while each box is open, before it is answered: what happens
  // elsewhere while the user reads the question.
  std::function<void()> whileAsked;
  std::vector<AskedMessage> asked;

 private:
  MessageBoxHook* previous_;
};

}  // namespace tqr::test
