#pragma once

// The module lock count: the component may be unloaded when it is zero. Several apartments may
// load the component, so the count moves with interlocked operations.
void LockModule() noexcept;
void UnlockModule() noexcept;
long ModuleLockCount() noexcept;
