#include "platform/movie/movie_scheduler.h"

#include <algorithm>

#include "platform/movie/movie.h"

namespace plat {

MovieScheduler& MovieScheduler::instance()
{
    static MovieScheduler scheduler;
    return scheduler;
}

void MovieScheduler::join(Movie* movie)
{
    if (movies_.empty())
        AddLoopService(this);
    movies_.push_back(movie);
}

void MovieScheduler::leave(Movie* movie)
{
    std::erase(movies_, movie);
    if (movies_.empty())
        RemoveLoopService(this);
}

std::optional<std::uint64_t> MovieScheduler::nextDue() const
{
    std::optional<std::uint64_t> next;
    for (Movie* m : movies_)
        if (auto due = m->nextDue(); due && (!next || *due < *next))
            next = due;
    return next;
}

void MovieScheduler::serviceDue(std::uint64_t now)
{
    // A movie's drawing cannot delete movies, but walk a copy all the same.
    const std::vector<Movie*> snapshot = movies_;
    for (Movie* m : snapshot)
        if (std::find(movies_.begin(), movies_.end(), m) != movies_.end())
            if (auto due = m->nextDue(); due && *due <= now)
                m->service(now);
}

void MovieScheduler::windowPainted(HWND hwnd)
{
    for (Movie* m : movies_)
        if (m->window() == hwnd)
            m->redraw();
}

}  // namespace plat
