#include "framework/vclThread.h"

#include <exception>

#include "framework/vclApplication.h"

TThread::TThread() = default;

TThread::~TThread() {
  if (handle_) CloseHandle(handle_);
}

void TThread::Start() {
  if (handle_) return;
  Application->UtilityWindow();  // the GUI thread's end of Synchronize must exist first
  handle_ = CreateThread(nullptr, 0, &TThread::ThreadProc, this, 0, &threadId_);
}

void TThread::WaitFor() {
  if (handle_) WaitForSingleObject(handle_, INFINITE);
}

void TThread::Synchronize(const std::function<void()>& call) { Application->Synchronize(call); }

DWORD WINAPI TThread::ThreadProc(void* param) {
  TThread* self = static_cast<TThread*>(param);
  try {
    self->Execute();
  } catch (...) {
    // A worker that fails simply ends.
  }
  if (self->FreeOnTerminate) delete self;
  return 0;
}
