// Worker threads. A thread starts with Start and, when FreeOnTerminate is set,
// deletes itself when Execute returns; an error raised in Execute ends it silently.
#pragma once

#include <windows.h>

#include <functional>

class TThread {
 public:
  TThread();
  virtual ~TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  bool FreeOnTerminate = false;
  void Start();
  // Waits for the end of Execute (not for a free-on-terminate thread).
  void WaitFor();
  DWORD ThreadId() const { return threadId_; }

 protected:
  virtual void Execute() = 0;
  // Runs `call` on the GUI thread and waits for it.
  void Synchronize(const std::function<void()>& call);

 private:
  static DWORD WINAPI ThreadProc(void* self);
  HANDLE handle_ = nullptr;
  DWORD threadId_ = 0;
};
