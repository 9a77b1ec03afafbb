#pragma once
// The action "FileSaveAs": asks the save-as hotspot that owns it to save a
// copy of its title file (objects/widgets/JxCSaveAsHotspot.h). Its record
// holds nothing; read for any other owner it fails. The hotspot is its
// owner, so a copy still queued when the hotspot goes has none and does
// nothing.

#include "events/JxCAction.h"

class JxCSaveAsHotspot;

class JxCFileSaveAsAction : public JxCAction {
public:
    JxCFileSaveAsAction() = default;
    JxCFileSaveAsAction(const JxCFileSaveAsAction&) = default;
    ~JxCFileSaveAsAction() override = default;

    // 1 when the owner is a save-as hotspot; reads nothing.
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    // The hotspot's SaveAs; 0 without one.
    std::int16_t Execute() override;

    JxCSaveAsHotspot* GetTarget() const;
};
