#pragma once
// The title's actions: web links and the online-service set-up, the
// general-purpose navigation action, PICS animations, printing, options,
// the quiz, appending a page, the first log-in, the certificate and the
// question pages.

#include "events/JxCAction.h"
#include "foundation/JxCInStrStream.h"
#include "foundation/JxCString.h"
#include "media/JxPicsActions.h"
#include "objects/actions/JxCOpenPageAction.h"
#include "title/actions/JxCGavoPlayPicsAction.h"  // "PLAYPICSNOLOAD"
#include "title/actions/JxCGv2GeneralPurposeAction.h"
#include "title/actions/JxCGvIntroPicsAction.h"  // "PLAYINTROPICS"
#include "title/quiz/JxCQuizPageAction.h"
#include "title/widgets/JxProgressDisplays.h"  // the certificate and question actions
#include "title/actions/JxTitleOutputActions.h"
#include "title/actions/JxTitlePageActions.h"

// Action "GO_URL": opens a web address in the user's browser or through
// the online service (title/links/JxOnlineLinks.h).
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

