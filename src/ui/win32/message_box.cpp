// ShowDriverMessage and the hook through which tests answer it.
#include "ui/win32/message_box.h"

#include <atomic>

namespace tqr {
namespace {

std::atomic<MessageBoxHook*> installed_hook{nullptr};

}  // namespace

MessageBoxHook* SetMessageBoxHook(MessageBoxHook* hook) { return installed_hook.exchange(hook); }

int ShowDriverMessage(HWND owner, const wchar_t* text, UINT buttons, const wchar_t* caption,
                      UINT icon) {
  // Task-modal: the sheet may belong to an application whose other windows
  // must not take input while the question is open.
  const UINT flags = buttons | icon | MB_TASKMODAL;
  if (text == nullptr) text = L"";
  if (caption == nullptr) caption = kDriverCaption;
  if (MessageBoxHook* hook = installed_hook.load()) {
    return hook->Answer(owner, text, caption, flags);
  }
  return MessageBoxW(owner, text, caption, flags);
}

}  // namespace tqr
