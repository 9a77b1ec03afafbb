#pragma once
// The group collage (object type "GroupColl" through the title's class),
// which links a collage with the objects that work with it (the collage
// family is described in JxCCollage.h).

#include <cstdint>
#include <vector>

#include "runtime/JxCDisplayObject.h"

class JxCCollButton;
class JxCCollage;
class JxCEditBox;
class JxCPanelObject;
class JxCScrollBar;

class JxCGroupCollage : public JxCDisplayObject {
public:
    JxCGroupCollage() = default;
    // Lets go of every member.
    ~JxCGroupCollage() override;

    // Finds its members on the panel and links them.
    std::int16_t CreateResources() override;
    // The display-object record, then the member ids, each behind a flag,
    // and the buttons' ids behind their count.
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    // The group itself draws nothing.
    std::int16_t Draw(JxCSlate*, const JxCRect*) override { return 1; }
    std::int16_t MouseDown(const JxCPoint& point) override;
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;
    std::int16_t MouseDoubleClick(const JxCPoint& point) override;
    std::int16_t MouseMove(const JxCPoint& point) override;
    // Enter, the arrows, Home, End and the page keys: 1; other keys 0.
    std::int16_t HandleKey(JxCKeyParams& key) override;
    std::int32_t SetFocus() override;
    std::int32_t KillFocus() override;
    std::int32_t HandleCommand(std::int32_t code, std::int32_t a, std::int32_t b, std::int32_t c) override;

    virtual void Disable(std::int16_t redraw);
    virtual void Enable(std::int16_t redraw);
    virtual JxCCollage* GetCollage() const { return collage_; }
    JxCEditBox* GetEditBox() const { return editBox_; }
    JxCScrollBar* GetScrollBar() const { return scrollBar_; }
    const std::vector<JxCCollButton*>& GetButtons() const { return buttons_; }
    // A member another group has taken: this group lets it be and forgets it.
    void Forget(const JxCDisplayObject* member);

private:
    JxCPanelObject* panel() const;
    void unlinkAll();
    // The member was linked to `previous` before this group took it.
    void takenFrom(JxCDisplayObject* previous, const JxCDisplayObject* member);
    void buttonsTakeSelection();
    // The range of the bar for the collage's contents.
    void configureBar();
    void selectByKey(std::int32_t index, std::int32_t cause);
    std::int32_t pageUpTarget() const;
    std::int32_t pageDownTarget() const;
    // The panel's other objects under the point, topmost first, without the
    // groups and the types it passes over.
    std::vector<JxCDisplayObject*> objectsAt(const JxCPoint& point) const;

    JxCCollage* collage_ = nullptr;
    std::vector<JxCCollButton*> buttons_;
    JxCEditBox* editBox_ = nullptr;
    JxCScrollBar* scrollBar_ = nullptr;
    std::int32_t collageId_ = -1;
    std::int32_t editBoxId_ = -1;
    std::int32_t scrollBarId_ = -1;
    std::vector<std::int32_t> buttonIds_;
    std::int32_t controlId_ = -1;
};
