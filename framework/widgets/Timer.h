#pragma once
// A timer among a window's controls. RunMode 0 is off, 1 fires once (then
// turns itself off), 2 fires every period. It stops when its window closes.
#include <cstdint>
#include <memory>

#include "framework/core/Event.h"
#include "framework/widgets/Control.h"

class QTimer;

namespace fw {

class Timer : public Control {
public:
    enum : std::int64_t { kOff = 0, kSingle = 1, kMultiple = 2 };

    Timer();
    ~Timer() override;
    std::string FrameworkClassName() const override { return "Timer"; }
    void SetProperty(const std::string& name, const PropertyValue& value) override;

    std::int64_t RunMode() const { return runMode_; }
    void SetRunMode(std::int64_t value);
    // Milliseconds.
    std::int64_t Period() const { return period_; }
    void SetPeriod(std::int64_t value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    // Starts the period again.
    void Reset();

    Event<void(std::shared_ptr<Timer>)> Action;

protected:
    void Detach() override;

private:
    void Fire();
    QTimer* timer_;
    std::int64_t runMode_ = kMultiple, period_ = 1000;
    bool enabled_ = true, detached_ = false;
};

}  // namespace fw
