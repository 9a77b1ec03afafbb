#pragma once
// The common base of a collage's two managers: a lock count with a hook
// called when the first lock is taken and one called when the last is
// given back. Every call into a manager's item operations holds its lock.

#include <cstdint>

class JxCLockableManager;

using JxManagerLockHook = void (*)(JxCLockableManager& manager);

class JxCLockableManager {
public:
    JxCLockableManager() = default;
    JxCLockableManager(const JxCLockableManager&) = delete;
    JxCLockableManager& operator=(const JxCLockableManager&) = delete;
    virtual ~JxCLockableManager() = default;

    void Lock()
    {
        if (lockCount_++ == 0)
            firstLock_(*this);
    }
    void Unlock()
    {
        if (--lockCount_ == 0)
            lastUnlock_(*this);
    }
    std::int32_t GetLockCount() const { return lockCount_; }

private:
    static void noHook(JxCLockableManager&) {}

    std::int32_t lockCount_ = 0;
    JxManagerLockHook firstLock_ = noHook;
    JxManagerLockHook lastUnlock_ = noHook;
};

// Holds a manager's lock for the length of a scope.
class JxManagerLock {
public:
    explicit JxManagerLock(JxCLockableManager& manager) : manager_(manager) { manager_.Lock(); }
    ~JxManagerLock() { manager_.Unlock(); }
    JxManagerLock(const JxManagerLock&) = delete;
    JxManagerLock& operator=(const JxManagerLock&) = delete;

private:
    JxCLockableManager& manager_;
};
