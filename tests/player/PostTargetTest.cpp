// The guard between the streaming threads that post notices and repaints and
// a window that the UI thread may clear, or destroy, at any moment.

#include "player/graph/PostTarget.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

#include <atomic>
#include <thread>

TEST(PostTarget, NothingIsPostedOnceTheReceiverIsClearedOrGone)
{
    CPostTarget target;
    auto post = [&] { return target.PostCall([](QObject*) {}); };
    {
        QObject receiver;
        target.Set(&receiver);
        EXPECT_TRUE(post());
        target.Set(nullptr);
        EXPECT_FALSE(post());
        target.Set(&receiver);
    }
    EXPECT_FALSE(post()); // its destructor cleared it

    // Also while another thread posts to it.
    for (int i = 0; i < 50; ++i) {
        auto* pReceiver = new QObject;
        target.Set(pReceiver);
        std::atomic<bool> bStop { false };
        std::thread poster([&] {
            while (!bStop)
                target.PostEvent(new QEvent(QEvent::User));
        });
        std::this_thread::yield();
        delete pReceiver;
        bStop = true;
        poster.join();
        QCoreApplication::processEvents();
    }
}
