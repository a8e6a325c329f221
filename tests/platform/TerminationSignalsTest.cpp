#include "../support/WaitFor.h"

#include "platform/qt/TerminationSignals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <vector>

namespace velatask {
namespace {

volatile std::sig_atomic_t g_earlierHandlerSaw = 0;

extern "C" void earlierHandler(int signalNumber) {
    g_earlierHandlerSaw = signalNumber;
}

TEST(TerminationSignals, EachSignalArrivesInTheEventLoopAndTheEarlierHandlersComeBack) {
    for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
        std::signal(sig, earlierHandler);
    }
    {
        TerminationSignals termination;
        ASSERT_TRUE(termination.installed());
        std::vector<int> received;
        QObject::connect(&termination, &TerminationSignals::received,
                         [&](int sig) { received.push_back(sig); });
        for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
            received.clear();
            std::raise(sig);
            EXPECT_TRUE(received.empty()) << "nothing runs inside the handler";
            EXPECT_TRUE(waitFor([&] { return !received.empty(); })) << sig;
            EXPECT_EQ(received, std::vector<int>{sig});
        }
        EXPECT_EQ(g_earlierHandlerSaw, 0);
    }
    std::raise(SIGHUP);
    EXPECT_EQ(g_earlierHandlerSaw, SIGHUP);
    for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
        std::signal(sig, SIG_DFL);
    }
}

} // namespace
} // namespace velatask
