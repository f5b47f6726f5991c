// Ctrl+C while the program waits for an answer on the terminal ends the wait.
#include <gtest/gtest.h>

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "cli/Interruption.h"

TEST(Interruption, CtrlCEndsTheWaitForAnAnswerButALineTypedIsRead)
{
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    ASSERT_EQ(::write(pipeEnds[1], "tak\n", 4), 4);
    catchInterruptions();
    EXPECT_EQ(readLineUnlessInterrupted(pipeEnds[0]), "tak");
    EXPECT_FALSE(interruptionRequested());

    const pthread_t waiting = ::pthread_self();
    std::thread ctrlC([waiting] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ::pthread_kill(waiting, SIGINT);
    });
    EXPECT_EQ(readLineUnlessInterrupted(pipeEnds[0]), std::nullopt); // nothing more is typed
    ctrlC.join();
    EXPECT_TRUE(interruptionRequested());

    ::signal(SIGINT, SIG_DFL); // already back after the first; SIGTERM still caught
    ::signal(SIGTERM, SIG_DFL);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
}
