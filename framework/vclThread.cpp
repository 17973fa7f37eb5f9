#include "framework/vclThread.h"

#include "framework/vclApplication.h"
#include "framework/vclGuard.h"

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
  // A worker that fails simply ends.
  Guarded(TGuardReport::Swallow, [&] { self->Execute(); });
  if (self->FreeOnTerminate) Guarded(TGuardReport::Swallow, [&] { delete self; });
  return 0;
}
