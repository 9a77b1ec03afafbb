#pragma once
// The movies alive, as one service of the message loop: it runs each
// playing movie when its time comes and draws a movie again after its
// window paints. Internal to the movie module.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/window/loop_service.h"

namespace plat {

class Movie;

class MovieScheduler final : public LoopService {
public:
    static MovieScheduler& instance();

    // Each movie joins while it lives; the service is in the loop only
    // while there is a movie.
    void join(Movie* movie);
    void leave(Movie* movie);

    std::optional<std::uint64_t> nextDue() const override;
    void serviceDue(std::uint64_t now) override;
    void windowPainted(HWND hwnd) override;

private:
    std::vector<Movie*> movies_;
};

}  // namespace plat
