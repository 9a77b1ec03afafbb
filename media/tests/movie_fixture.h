#pragma once
// A product whose first page shows in the main window with one panel at
// (0, 60) holding a marker object (id 5) and the object that owns the test's
// actions, the movie layer started over the scripted movie library, and a
// five-frame movie "\FIVE.mov" (100 ms a frame) under the data path.

#include <memory>
#include <string>
#include <vector>

#include "events/JxCAction.h"
#include "media/JxCQT3Overseer.h"
#include "media/tests/media_fixture.h"
#include "platform/movie/fake_movies.h"
#include "platform/screen/screen.h"
#include "runtime/JxCPanelObject.h"

namespace media_test {

inline const std::vector<std::uint32_t> kMovieColours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF};
constexpr std::int32_t kMovieFrame = 60;  // 100 ms at 600 a second

// A panel that notes the areas it is asked to draw.
class RecordingPanel : public JxCPanelObject {
public:
    std::int16_t Draw(JxCSlate*, const JxCRect* clip, std::int16_t transition) override
    {
        draws.push_back(clip ? *clip : JxCRect(-1, -1, -1, -1));
        transitions.push_back(transition);
        return 1;
    }
    std::vector<JxCRect> draws;
    std::vector<std::int16_t> transitions;
};

// An action that notes how often it was told to stop.
class StopProbe : public JxCAction {
public:
    std::int16_t Stop() override
    {
        ++stops;
        return JxCAction::Stop();
    }
    std::int16_t OnResourceStopped() override
    {
        ++told;
        return 1;
    }
    int stops = 0;
    int told = 0;
};

class MovieTest : public MediaTest {
protected:
    void SetUp() override
    {
        MediaTest::SetUp();
        fakes.library().add("\\FIVE.MOV", plat::FakeMovie::Frames(5, kMovieFrame, kMovieColours));
        ASSERT_TRUE(StartMovieLayer());
        page = new product_test::TestPage({}, log);
        page->window = window;
        product().GetPageList().Add(page);
        product().SetCurrentPage(page);
        panel.SetRect(JxCRect(0, 60, 640, 420));
        panel.SetOwnerPage(page);
        marker = addObject(5, JxCRect(100, 40, 164, 88));
        owner = addObject(1, JxCRect(0, 0, 20, 20));
        action.SetOwner(owner);
        harness.runUntilIdle();
    }
    void TearDown() override
    {
        EndMovieLayer();
        panel.SetOwnerPage(nullptr);  // the page goes with the product
        MediaTest::TearDown();
    }

    JxCDisplayObject* addObject(std::int32_t id, const JxCRect& rect)
    {
        auto* object = new JxCDisplayObject;
        object->SetId(id);
        object->SetRect(rect);
        object->SetContainer(&panel);
        panel.GetDisplayObjects().Add(object);
        return object;
    }
    std::uint32_t pixel(int x, int y) const
    {
        plat::POINT p{x, y};
        plat::ClientToScreen(window, &p);
        return plat::TheScreen().pixels()[p.y * plat::TheScreen().stride() + p.x] & 0xFFFFFF;
    }

    plat::FakeMovies fakes;
    product_test::TestPage* page = nullptr;  // the product's
    RecordingPanel panel;
    JxCDisplayObject* marker = nullptr;
    JxCDisplayObject* owner = nullptr;
    StopProbe action;
};

}  // namespace media_test
