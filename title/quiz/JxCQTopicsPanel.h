#pragma once
// The topics panel (panel type "QTopicsPanel"): the quiz's 22 topics in
// columns, a done icon on each topic the user has completed at their level
// and the current topic's title picture.
//
// Record after the panel's own: the done icon's picture (a table string),
// then seven 16-bit values: the icon's top and left offsets, the title's
// left and top offsets, the horizontal and vertical spacing and the topics
// per column (below 1 counts as 1).

#include <array>
#include <cstdint>
#include <memory>

#include "foundation/JxCRect.h"
#include "foundation/JxCString.h"
#include "objects/panels/JxCViewingPanel.h"

class JxCBitmap;

class JxCQTopicsPanel : public JxCViewingPanel {
public:
    static constexpr std::int32_t kTopics = 22;

    struct Layout {
        std::int32_t iconTop = 0;
        std::int32_t iconLeft = 0;
        std::int32_t titleLeft = 0;
        std::int32_t titleTop = 0;
        std::int32_t horizontalSpacing = 0;
        std::int32_t verticalSpacing = 0;
        std::int32_t perColumn = 1;
    };

    JxCQTopicsPanel();
    ~JxCQTopicsPanel() override;

    std::int16_t Read(JxCInStrStream& in, JxCPageDef* pageDef) override;
    // The icon and the current topic's title; the topics laid out with the
    // user's done marks; the open quiz page's test button follows.
    std::int16_t CreateResources() override;
    std::int16_t ReleaseResources() override;
    // After the objects: the title picture, then the done icons.
    std::int16_t ReservedPanelCheck2(JxCSlate* slate, const JxCRect& rect) override;

    // The topic's title picture replaces the last one (-1: none) and the
    // panel is drawn again.
    void SelectTopic(std::int32_t topic);
    // Places the topics and reads their done marks from the user's record.
    void LayOutTopics();

    const Layout& GetLayout() const { return layout_; }
    const JxCRect& GetTopicRect(std::int32_t topic) const { return rects_[std::size_t(topic)]; }
    bool IsTopicDone(std::int32_t topic) const { return done_[std::size_t(topic)] != 0; }
    // Where the topic's title picture goes.
    JxCPoint TitlePosition(std::int32_t topic) const;
    std::int32_t GetSelectedTopic() const { return selected_; }

private:
    void redraw();

    JxCTableString iconName_;
    Layout layout_;
    std::array<JxCRect, kTopics> rects_{};
    std::array<std::int16_t, kTopics> done_{};
    std::unique_ptr<JxCBitmap> icon_;
    std::unique_ptr<JxCBitmap> title_;
    std::int32_t selected_ = -1;
};
