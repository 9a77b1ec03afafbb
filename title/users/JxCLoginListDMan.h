#pragma once
// The data manager of the login page's list (collage data manager
// "LoginLBData"): one item per registered user, named and ordered as the
// user object lists them. Each refresh reads the user files again.
//
// Its part of the collage's record is a 16-bit character style id: the
// names are written in that style, one line high each (1068 when the
// product has no such style; the list still fills, in the device's font).

#include <cstdint>

#include "runtime/JxCCollDataManager.h"

class JxCCharStyleObject;
class JxCUser;

class JxCLoginListDMan : public JxCCollLinearDataManager {
public:
    static constexpr const char* kName = "LoginLBData";

    JxCLoginListDMan();
    ~JxCLoginListDMan() override = default;

    std::int16_t Load(JxCInStrStream& in, JxCCollageBase* collage) override;
    // Finds the style (once) and makes the items one of its lines high.
    std::int16_t SetUp(JxCCollageBase* collage) override;
    // Reads the user list again; the item count follows it.
    void Refresh() override;

    std::int32_t GetStyleId() const { return styleId_; }
    JxCCharStyleObject* GetStyle() const { return style_; }

    // The title's user object, whose entries are the items; null without it.
    static JxCUser* Users();

private:
    std::int32_t styleId_ = 0;
    JxCCharStyleObject* style_ = nullptr;
    bool styleLooked_ = false;
};

// Registers the list's data manager and the arrangement it uses
// ("Regular") once more; unregistering takes each back once.
void RegisterLoginListManagers();
void UnregisterLoginListManagers();
