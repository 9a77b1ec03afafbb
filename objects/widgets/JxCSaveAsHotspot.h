#pragma once
// The save-as hotspot (object type "SaveAsHotspot"): a hotspot whose click
// lets the user keep a copy of a title file (a text, a picture) under a
// name of their choosing. Its "on_click" actions hold a "FileSaveAs"
// action, which asks the hotspot to copy: the Save As dialog offers the
// source's name, and the copy goes byte for byte, in blocks of 512 bytes,
// into a temporary file that takes the chosen name only once it is whole.
// A failed copy leaves whatever had the name before.
//
// Record: the hotspot's record, then seven counted strings (s16 length,
// then the characters): source file (relative to the data path of the
// hotspot's page), dialog title, target file, a spare text, default
// extension (which must not be empty), initial folder and the dialog's
// filter (parts separated by '^').
//
// Properties: 103 "Source File" and 104 "Dialog Title", both strings.

#include <cstdint>

#include "foundation/JxCString.h"
#include "objects/widgets/JxCRollOverHotspot.h"
#include "platform/core/types.h"

class JxCSaveAsHotspot : public JxCRollOverHotspot {
public:
    static constexpr unsigned kTemporaryErrorId = 1068;
    static constexpr unsigned kWriteFailedId = 1156;
    static constexpr unsigned kSaveFailedId = 192;

    JxCSaveAsHotspot();
    ~JxCSaveAsHotspot() override = default;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    std::int16_t GetStringProperty(std::int16_t index, JxCString* text) override;
    std::int16_t SetStringProperty(std::int16_t index, const JxCString& text) override;
    JxPropertyKind GetPropertyInfo(std::int16_t index, std::int32_t* stringId) override;

    // Asks for a target and copies the source there: 1 when a copy was
    // written; 0 after Cancel, a missing source, empty parameters (message
    // 1068) or a failed copy (messages 1156 for a short write, then 192).
    // The source itself is never a target: choosing it brings the dialog
    // back, as a target that cannot be created does.
    std::int16_t SaveAs();

    const JxCString& GetSourceFile() const { return source_; }
    const JxCString& GetDialogTitle() const { return dialogTitle_; }
    const JxCString& GetTargetFile() const { return target_; }
    const JxCString& GetDefaultExtension() const { return defaultExtension_; }
    const JxCString& GetInitialFolder() const { return initialFolder_; }
    const JxCString& GetFilter() const { return filter_; }

private:
    // The dialog for the target; true after OK, with the path chosen.
    bool askForTarget();
    // Whether the target names the source's file.
    bool targetIsSource(const JxCString& sourcePath) const;
    // Copies the open source into a new target file: a failed copy is
    // reported and leaves the target as it was; a target that cannot be
    // created asks for another.
    enum class CopyResult { Copied, Failed, NotCreated };
    CopyResult copyTo(plat::HFILE source);

    JxCString source_;
    JxCString dialogTitle_{"Save As"};
    JxCString target_;
    JxCString spare_;
    JxCString defaultExtension_;
    JxCString initialFolder_;
    JxCString filter_;
};
