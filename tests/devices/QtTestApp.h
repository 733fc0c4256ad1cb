#pragma once
// The application object the device tests run in, and a way to let its event
// loop run until something has happened.

#include <functional>

namespace pos::test {

// Runs the event loop until aDone() is true; false when it is still false
// after aGuardMs (a guard against a hanging test, not a timing check).
bool SpinUntil(const std::function<bool()>& aDone, int aGuardMs = 20000);
// Runs the event loop for aMs.
void Spin(int aMs);

}  // namespace pos::test
