#include "framework/widgets/Timer.h"

#include <QTimer>

#include <algorithm>

#include "framework/core/MainThread_p.h"

namespace fw {

Timer::Timer() : timer_(new QTimer()) {
    CheckMainThread();
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { Fire(); });
    Reset();
}

Timer::~Timer() {
    if (QtAlive()) delete timer_;
}

void Timer::Reset() {
    CheckMainThread();
    timer_->stop();
    if (detached_ || !enabled_ || runMode_ == kOff) return;
    timer_->setSingleShot(runMode_ == kSingle);
    timer_->start(int(std::clamp<std::int64_t>(period_, 1, 0x7fffffff)));
}

void Timer::Fire() {
    if (runMode_ == kSingle) runMode_ = kOff;
    auto self = SelfAs<Timer>();
    if (self) Action.Raise(self);
}

void Timer::SetRunMode(std::int64_t value) {
    CheckMainThread();
    runMode_ = value;
    Reset();
}

void Timer::SetPeriod(std::int64_t value) {
    CheckMainThread();
    period_ = value;
    Reset();
}

void Timer::SetEnabled(bool value) {
    CheckMainThread();
    enabled_ = value;
    Reset();
}

void Timer::Detach() {
    detached_ = true;
    timer_->stop();
}

void Timer::SetProperty(const std::string& name, const PropertyValue& value) {
    CheckMainThread();
    if (name == "RunMode")
        SetRunMode(AsInteger(name, value));
    else if (name == "Period")
        SetPeriod(AsInteger(name, value));
    else if (name == "Enabled")
        SetEnabled(AsBool(name, value));
    else
        Control::SetProperty(name, value);
}

}  // namespace fw
