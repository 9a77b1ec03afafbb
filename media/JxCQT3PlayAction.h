#pragma once
// The action "PLAYVIDEO": plays a range of a movie (frames) at a place of
// the owner's panel, through the movie media shared by every action that
// names the same movie. It binds to that media when it is read or set up
// if its open parameter asks for it, else when it first runs; the copy the
// processor runs joins the media of the action it copies.
//
// Record (big-endian, after the type id): u16 string-table index of the
// movie name, s32 start, s32 end, s16 step word, s16 stop-on-destroy,
// s16 open parameter, two s16 words, s16 x, s16 y, s16 word, s32 client
// data (the id of the marker object; -1 none), s16 word, s16 word.

#include <cstdint>

#include "events/JxCAction.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCTableString.h"

class JxCQT3Resource;

class JxCQT3PlayAction : public JxCAction {
public:
    JxCQT3PlayAction();
    // CopyFrom.
    JxCQT3PlayAction(const JxCQT3PlayAction& other);
    JxCQT3PlayAction& operator=(const JxCQT3PlayAction&) = delete;
    // A bound action stops the movie and redraws its area when it is to
    // stop on destroy, then leaves the media.
    ~JxCQT3PlayAction() override;

    // The words that drive nothing, in record order.
    struct Words {
        std::int16_t afterOpen1 = 0;
        std::int16_t afterOpen2 = 0;
        std::int16_t afterPosition = 1;
        std::int16_t last1 = 1;
        std::int16_t last2 = 0;
        bool operator==(const Words&) const = default;
    };

    // A step word of 0 or -1 becomes 1. Binds as Read does; true.
    std::int16_t Setup(JxCRunTimeObject* owner, const JxCTableString& name, std::int32_t start, std::int32_t end,
                       std::int16_t stepWord, std::int16_t openParam, std::int16_t word1, std::int16_t word2,
                       std::int16_t stopOnDestroy, const JxCPoint& position, std::int16_t word3, std::int16_t word4);
    // Every field and the media; joins the media's actions.
    void CopyFrom(const JxCQT3PlayAction& other);
    std::int16_t Equals(const JxCQT3PlayAction& other) const;
    std::int16_t GetStopOnDestroy() const { return stopOnDestroy_; }

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* owner) override;
    std::int16_t Execute() override;
    std::int32_t GetPosition() override;
    std::int16_t Resume() override;
    // The owner's panel, unless closing, draws itself once; the owner stops.
    std::int16_t OnResourceStopped() override;
    std::int32_t GetLength() override;
    std::int16_t IsPlaying() override;
    std::int16_t IsPaused() override;
    std::int16_t Rewind(std::int32_t position) override;
    std::int16_t Register(JxCRunTimeObject* owner) override;
    std::int16_t Unregister(JxCRunTimeObject* owner) override;
    JxCResourceObject* GetResource() override;

    JxCQT3Resource* GetMedia() const { return media_; }
    const JxCTableString& GetMovieName() const { return name_; }
    std::int32_t GetStart() const { return start_; }
    std::int32_t GetEnd() const { return end_; }
    std::int16_t GetStepWord() const { return stepWord_; }
    std::int16_t GetOpenParam() const { return openParam_; }
    const JxCPoint& GetPlace() const { return position_; }
    std::int32_t GetClientData() const { return clientData_; }
    void SetClientData(std::int32_t data) { clientData_ = data; }
    const Words& GetWords() const { return words_; }

private:
    void bind();
    void prepare();

    JxCQT3Resource* media_ = nullptr;
    JxCTableString name_;
    std::int32_t start_ = 0;
    std::int32_t end_ = -1;
    std::int16_t stepWord_ = 0;
    std::int16_t stopOnDestroy_ = 0;
    std::int16_t openParam_ = 0;
    JxCPoint position_;
    Words words_;
    std::int32_t clientData_ = -1;
};
