#pragma once
// The title's output actions:
//   "GAVOOPTION" (record: u16 operation code): 1 copies, 2 prints the page
//   the options pop-up was opened over (while it is still open, else the
//   current page); 3 runs the printer set-up. Always done (1).
//   "PRINTFILE" (record: a counted string): prints the picture of that name
//   in its owner's data folder; 0 when the picture cannot be loaded.

#include <cstdint>

#include "events/JxCAction.h"
#include "foundation/JxCString.h"

class JxCGavoOptionsAction : public JxCAction {
public:
    static constexpr std::int32_t kCopy = 1;
    static constexpr std::int32_t kPrint = 2;
    static constexpr std::int32_t kPrinterSetup = 3;

    JxCGavoOptionsAction();
    JxCGavoOptionsAction(const JxCGavoOptionsAction&) = default;
    // Copies the operation code and the owner.
    JxCGavoOptionsAction& operator=(const JxCGavoOptionsAction& other);
    ~JxCGavoOptionsAction() override = default;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    std::int16_t Execute() override;

    std::int32_t GetCode() const { return code_; }
    void SetCode(std::int32_t code) { code_ = code; }

private:
    std::int32_t code_ = 0;
};

class JxCGv2PrintFileAction : public JxCAction {
public:
    JxCGv2PrintFileAction();
    JxCGv2PrintFileAction(const JxCGv2PrintFileAction&) = default;
    ~JxCGv2PrintFileAction() override = default;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    std::int16_t Execute() override;

    const JxCString& GetFileName() const { return fileName_; }
    void SetFileName(const JxCString& name) { fileName_ = name; }

private:
    JxCString fileName_;
};
