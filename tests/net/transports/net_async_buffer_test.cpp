// The receive queue: bytes come out as they went in, in order, inline below 32 bytes and on the
// heap from 32; a pushing thread never loses or tears a message; a drain can be stopped.

#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <thread>
#include <vector>

#include "net/transports/net_async_buffer.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Queue = kel::NetAsyncBuffer<32>;

Bytes counting(size_t length, uint8_t start) {
  Bytes bytes(length);
  std::iota(bytes.begin(), bytes.end(), start);
  return bytes;
}

}  // namespace

TEST(NetMessage, ThirtyOneBytesStayInlineAndThirtyTwoGoToTheHeapBothUnchanged) {
  const Bytes shortOne = counting(31, 1);
  const Bytes longOne = counting(32, 100);
  const kel::NetMessage inlineMessage(shortOne.data(), 31, 3);
  const kel::NetMessage heapMessage(longOne.data(), 32, 4);
  EXPECT_TRUE(inlineMessage.isInline());
  EXPECT_FALSE(heapMessage.isInline());
  EXPECT_EQ(Bytes(inlineMessage.data(), inlineMessage.data() + 31), shortOne);
  EXPECT_EQ(Bytes(heapMessage.data(), heapMessage.data() + 32), longOne);
  EXPECT_EQ(heapMessage.peer(), 4);
}

TEST(NetMessage, AMovedMessageTakesItsHeapCopyAlong) {
  const Bytes bytes = counting(200, 0);
  kel::NetMessage first(bytes.data(), 200, 1);
  kel::NetMessage second(std::move(first));
  EXPECT_EQ(Bytes(second.data(), second.data() + 200), bytes);
  kel::NetMessage third(bytes.data(), 2, 0);
  third = std::move(second);
  EXPECT_EQ(third.length(), 200u);
  EXPECT_EQ(Bytes(third.data(), third.data() + 200), bytes);
}

TEST(NetAsyncBuffer, AnEmptyQueueDrainsNothing) {
  Queue queue;
  EXPECT_EQ(queue.waiting(), 0u);
  EXPECT_EQ(queue.drain([](const Queue::Message&) { return true; }), 0u);
}

TEST(NetAsyncBuffer, MessagesComeOutInOrderWithTheirPeers) {
  Queue queue;
  const Bytes small = counting(4, 0);
  const Bytes big = counting(300, 7);
  queue.push(small.data(), 4, 1);
  queue.push(big.data(), 300, 2);
  queue.push(nullptr, 0, 3);
  EXPECT_EQ(queue.waiting(), 3u);
  std::vector<std::pair<Bytes, uint8_t>> seen;
  queue.drain([&](const Queue::Message& message) {
    seen.emplace_back(Bytes(message.data(), message.data() + message.length()), message.peer());
    return true;
  });
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], std::make_pair(small, uint8_t{1}));
  EXPECT_EQ(seen[1], std::make_pair(big, uint8_t{2}));
  EXPECT_EQ(seen[2], std::make_pair(Bytes{}, uint8_t{3}));
  EXPECT_EQ(queue.waiting(), 0u);
}

TEST(NetAsyncBuffer, AHandlerThatStopsLeavesTheMessagesBehindItUnhandled) {
  Queue queue;
  for (uint8_t i = 0; i < 5; ++i) queue.push(&i, 1, i);
  std::vector<uint8_t> handled;
  queue.drain([&](const Queue::Message& message) {
    handled.push_back(message.data()[0]);
    return message.data()[0] != 1;
  });
  EXPECT_EQ(handled, (std::vector<uint8_t>{0, 1}));
}

TEST(NetAsyncBuffer, APusherThreadAgainstTheDrainLosesAndTearsNothing) {
  Queue queue;
  constexpr uint32_t kMessages = 20000;
  std::atomic<bool> done{false};
  std::thread pusher([&] {
    for (uint32_t i = 0; i < kMessages; ++i) {
      // Alternately 31 bytes (inline) and 32 (heap), every byte the message's number.
      const Bytes bytes(i % 2 == 0 ? 31 : 32, static_cast<uint8_t>(i));
      queue.push(bytes.data(), static_cast<uint32_t>(bytes.size()), static_cast<uint8_t>(i % 7));
    }
    done = true;
  });
  uint32_t next = 0;
  bool intact = true;
  const auto check = [&](const Queue::Message& message) {
    const size_t expectedLength = next % 2 == 0 ? 31 : 32;
    intact = intact && message.length() == expectedLength && message.peer() == next % 7 &&
             message.isInline() == (expectedLength == 31);
    for (uint32_t i = 0; i < message.length(); ++i) {
      intact = intact && message.data()[i] == static_cast<uint8_t>(next);
    }
    ++next;
    return true;
  };
  while (!done || queue.waiting() != 0) queue.drain(check);
  pusher.join();
  queue.drain(check);
  EXPECT_TRUE(intact);
  EXPECT_EQ(next, kMessages);
}
