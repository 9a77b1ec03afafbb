#pragma once
// The collage button (object type "CollButton"), a member of a group
// collage (the collage family is described in JxCCollage.h).

#include <cstdint>

#include "objects/widgets/JxCButton.h"

class JxCGroupCollage;

class JxCCollButton : public JxCButton {
public:
    JxCCollButton() = default;
    // Tells its group that it goes.
    ~JxCCollButton() override;

    // The button's record, the visible flag and the activation value.
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    // The button's drawing only while the visible flag is set.
    std::int16_t Draw(JxCSlate* slate, const JxCRect* clip) override;
    // Raises "on_click" when released inside, then chooses the group's
    // selected item with the activation value.
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;

    // The selection copy becomes the collage's selected index.
    void TakeSelection();
    // Returns the previous group.
    JxCGroupCollage* SetGroup(JxCGroupCollage* group);
    JxCGroupCollage* GetGroup() const { return group_; }
    std::int32_t GetSelectionCopy() const { return selection_; }
    std::int32_t GetActivationValue() const { return activation_; }
    std::int16_t GetVisibleFlag() const { return visibleFlag_; }

protected:
    void SetActivationValue(std::int32_t value) { activation_ = value; }
    void SetVisibleFlag(std::int16_t flag) { visibleFlag_ = flag; }

private:
    JxCGroupCollage* group_ = nullptr;
    std::int32_t selection_ = -1;
    std::int16_t visibleFlag_ = 1;
    std::int32_t activation_ = 0;
};
