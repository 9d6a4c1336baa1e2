#include "MainThreadExecute.h"

std::shared_ptr<IMainThreadExecute> TMainThreadExecute::Create() { return std::make_shared<TMainThreadExecute>(); }

TMainThreadExecute::TMainThreadExecute() {
  FTimer.setSingleShot(true);
  FTimer.setInterval(0);
  connect(&FTimer, &QTimer::timeout, this, &TMainThreadExecute::Run);
}

TMainThreadExecute::~TMainThreadExecute() { FTimer.stop(); }

void TMainThreadExecute::Queue(std::function<void()> proc) {
  // Replacing the procedure withdraws the pending one; a shot already armed for the next pass of
  // the event loop serves the new one too, so a burst costs no timer re-registration per call.
  FProc = std::move(proc);  // a small capture stays in std::function's inline buffer
  if (!FTimer.isActive()) FTimer.start();
}

void TMainThreadExecute::Withdraw() {
  FTimer.stop();
  FProc = nullptr;
}

bool TMainThreadExecute::Pending() const { return FTimer.isActive(); }

void TMainThreadExecute::Run() {
  // Move out first: the procedure may queue again or release the executor's owner.
  auto proc = std::move(FProc);
  FProc = nullptr;
  if (proc) proc();
}
