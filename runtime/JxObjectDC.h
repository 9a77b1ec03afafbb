#pragma once
// A device context to measure text on: the object's own (through its
// container) or, when it has none, the screen's; given back the way it was
// taken when the holder goes.

#include "events/JxCRunTimeObject.h"
#include "platform/window/window.h"

class JxObjectDC {
public:
    explicit JxObjectDC(JxCRunTimeObject& object) : object_(object)
    {
        hdc_ = static_cast<plat::HDC>(object_.GetDC());
        if (!hdc_) {
            hdc_ = plat::GetDC(nullptr);
            screen_ = true;
        }
    }
    ~JxObjectDC()
    {
        if (!hdc_)
            return;
        if (screen_)
            plat::ReleaseDC(nullptr, hdc_);
        else
            object_.ReleaseDC(hdc_);
    }
    JxObjectDC(const JxObjectDC&) = delete;
    JxObjectDC& operator=(const JxObjectDC&) = delete;

    plat::HDC Get() const { return hdc_; }

private:
    JxCRunTimeObject& object_;
    plat::HDC hdc_ = nullptr;
    bool screen_ = false;
};
