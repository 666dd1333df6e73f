// Long work off the window's thread: the window keeps painting while a worker thread computes.
#pragma once

#include <QEventLoop>
#include <QMetaObject>

#include <optional>
#include <thread>
#include <utility>

namespace kalvoro::widgets {

// Runs `work` on a worker thread and returns its result. Meanwhile this thread runs an event loop that paints
// and runs timers but leaves the user's input waiting until the work is done, so nothing the user does can
// change what the work reads. The worker gets only what `work` holds, which should be copies.
template <class Work> auto RunWhilePainting(Work work) -> decltype(work())
{
    std::optional<decltype(work())> result;
    QEventLoop loop;
    std::jthread worker([&result, &loop, &work] {
        result.emplace(work());
        // Posted to the loop's thread, so it ends the loop even when it comes before the loop has started.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    return std::move(*result);
}

} // namespace kalvoro::widgets
