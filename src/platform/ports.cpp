#include "platform/ports.h"

namespace tqr {

Ports& CurrentPorts() {
  static Ports ports;
  return ports;
}

ScopedPorts::ScopedPorts(const Ports& ports) : previous_(CurrentPorts()) {
  CurrentPorts() = ports;
}

ScopedPorts::~ScopedPorts() { CurrentPorts() = previous_; }

}  // namespace tqr
