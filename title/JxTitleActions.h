#pragma once
// The title's actions: web links and the online-service set-up, the
// general-purpose navigation action, PICS animations, printing, options,
// the quiz, appending a page, the first log-in, the certificate and the
// question pages.
//
// Apart from the two online actions, stand-ins so far: the factories build
// them by their names; their records and runs come with the title's
// features.

#include "events/JxCAction.h"
#include "foundation/JxCInStrStream.h"
#include "foundation/JxCString.h"
#include "media/JxPicsActions.h"
#include "title/JxCGavoPlayPicsAction.h"  // "PLAYPICSNOLOAD"
#include "title/JxCGvIntroPicsAction.h"   // "PLAYINTROPICS"
#include "objects/actions/JxCOpenPageAction.h"
#include "title/JxCQuizPageAction.h"
#include "title/JxProgressDisplays.h"  // the certificate and question actions

// Action "GO_URL": opens a web address in the user's browser or through
// the online service (title/JxOnlineLinks.h).
class JxCGoUrlAction : public JxCAction {
public:
    JxCGoUrlAction();
    JxCGoUrlAction(const JxCGoUrlAction& other);
    ~JxCGoUrlAction() override = default;
    // Copies the two addresses only.
    JxCGoUrlAction& operator=(const JxCGoUrlAction& other);

    // Two counted strings: the address, then the online service's address.
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    std::int16_t Setup(const JxCString& address, JxCRunTimeObject* owner, const JxCString& serviceAddress);
    std::int16_t Execute() override;
    // Queues a new action with these addresses and subscriptions; 0, and
    // nothing queued, for an empty address or when memory is short.
    std::int16_t Post() override;

    const JxCString& GetAddress() const { return address_; }
    const JxCString& GetServiceAddress() const { return serviceAddress_; }

private:
    JxCString address_;
    JxCString serviceAddress_;
};

// Action "onlineSetup": runs the links' set-up again.
class JxCOnlineSetupAction : public JxCAction {
public:
    JxCOnlineSetupAction();
    JxCOnlineSetupAction(const JxCOnlineSetupAction&) = default;
    ~JxCOnlineSetupAction() override = default;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    // Always 1, whatever the set-up's result.
    std::int16_t Execute() override;
    std::int16_t Post() override;
};

// Action "NavAct".
class JxCGv2GeneralPurposeAction : public JxCAction {
public:
    JxCGv2GeneralPurposeAction() = default;
    JxCGv2GeneralPurposeAction(const JxCGv2GeneralPurposeAction&) = default;
    ~JxCGv2GeneralPurposeAction() override = default;
};

// Action "PRINTFILE".
class JxCGv2PrintFileAction : public JxCAction {
public:
    JxCGv2PrintFileAction() = default;
    JxCGv2PrintFileAction(const JxCGv2PrintFileAction&) = default;
    ~JxCGv2PrintFileAction() override = default;
};

// Action "GAVOOPTION".
class JxCGavoOptionsAction : public JxCAction {
public:
    JxCGavoOptionsAction() = default;
    JxCGavoOptionsAction(const JxCGavoOptionsAction&) = default;
    ~JxCGavoOptionsAction() override = default;
};

// Action "AppendPageAction".
class JxCAppendPageAction : public JxCAction {
public:
    JxCAppendPageAction() = default;
    JxCAppendPageAction(const JxCAppendPageAction&) = default;
    ~JxCAppendPageAction() override = default;
};

// Action "Firstlog".
class JxCFirstLogAction : public JxCAction {
public:
    JxCFirstLogAction() = default;
    JxCFirstLogAction(const JxCFirstLogAction&) = default;
    ~JxCFirstLogAction() override = default;
};
