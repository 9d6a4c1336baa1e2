#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

// Runs one procedure later on the user-interface thread. Queue replaces whatever is still pending,
// so a burst of requests ends in a single run after the current handler has returned.
class IMainThreadExecute {
public:
  virtual ~IMainThreadExecute() = default;
  virtual void Queue(std::function<void()> proc) = 0;  // withdraws the pending one first
  virtual void Withdraw() = 0;
  virtual bool Pending() const = 0;
};

class TMainThreadExecute final : public QObject, public IMainThreadExecute {
  Q_OBJECT
public:
  // Releasing the last reference withdraws the pending procedure: it never runs afterwards.
  static std::shared_ptr<IMainThreadExecute> Create();

  TMainThreadExecute();
  ~TMainThreadExecute() override;

  void Queue(std::function<void()> proc) override;
  void Withdraw() override;
  bool Pending() const override;

private:
  void Run();

  QTimer FTimer;
  std::function<void()> FProc;
};
