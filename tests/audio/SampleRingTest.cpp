#include "audio/SampleRing.h"

#include <gtest/gtest.h>

#include <numeric>
#include <thread>
#include <vector>

using audio::SampleRing;
using namespace std::chrono_literals;

TEST(SampleRing, keepsOrderAcrossWrapAround) {
    SampleRing ring(16);
    std::vector<std::uint8_t> in(12);
    std::iota(in.begin(), in.end(), 1);
    std::vector<std::uint8_t> out(12);
    for (int round = 0; round < 5; ++round) {
        ASSERT_EQ(ring.push(in.data(), 12, 0ms), 0u);
        ASSERT_EQ(ring.pop(out.data(), 8), 8u);
        ASSERT_EQ(ring.pop(out.data() + 8, 8), 4u);
        EXPECT_EQ(out, in) << "round " << round;
    }
    EXPECT_EQ(ring.droppedBytes(), 0u);
}

TEST(SampleRing, dropsWhatDoesNotFitAfterBoundedWaitAndCountsIt) {
    SampleRing ring(8);
    const std::vector<std::uint8_t> in(12, 7);
    EXPECT_EQ(ring.push(in.data(), 12, 1ms), 4u);
    EXPECT_EQ(ring.droppedBytes(), 4u);
}

TEST(SampleRing, dropsAtOnceWhenConsumerHasGone) {
    SampleRing ring(8);
    ring.abandon();
    const std::vector<std::uint8_t> in(4, 1);
    // A wait this long would fail the test's time limit if it were taken.
    EXPECT_EQ(ring.push(in.data(), 4, std::chrono::milliseconds(3600 * 1000)), 4u);
}

TEST(SampleRing, drainsRemainderAfterCloseThenReportsEnd) {
    SampleRing ring(8);
    const std::vector<std::uint8_t> in{1, 2, 3};
    ring.push(in.data(), 3, 0ms);
    ring.close();
    std::vector<std::uint8_t> out(8);
    EXPECT_EQ(ring.pop(out.data(), 8), 3u);
    EXPECT_EQ(ring.pop(out.data(), 8), 0u);
}

TEST(SampleRing, carriesLongSequenceBetweenThreadsWithoutLossWhenConsumerKeepsUp) {
    SampleRing ring(1000);
    constexpr std::size_t Total = 4'000'000;
    std::thread producer([&ring] {
        std::vector<std::uint8_t> block(997);
        std::size_t sent = 0;
        while (sent < Total) {
            const std::size_t n = std::min(block.size(), Total - sent);
            for (std::size_t i = 0; i < n; ++i)
                block[i] = static_cast<std::uint8_t>((sent + i) % 251);
            ring.push(block.data(), n, std::chrono::milliseconds(60000));
            sent += n;
        }
        ring.close();
    });
    std::vector<std::uint8_t> buf(4096);
    std::size_t received = 0;
    bool inOrder = true;
    for (;;) {
        const std::size_t n = ring.pop(buf.data(), buf.size());
        if (n == 0)
            break;
        for (std::size_t i = 0; i < n; ++i)
            inOrder = inOrder && buf[i] == static_cast<std::uint8_t>((received + i) % 251);
        received += n;
    }
    producer.join();
    EXPECT_EQ(received, Total);
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(ring.droppedBytes(), 0u);
}
