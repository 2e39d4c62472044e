// The rules between the window's thread and the picture worker: only the
// newest request of a kind counts.
#include <gtest/gtest.h>

#include <tuple>

#include "imaging/request_slots.h"

namespace {

auto State(const RequestSlot& slot) { return std::tuple(slot.newest, slot.waiting, slot.working); }

TEST(RequestSlots, ANewerRequestReplacesAWaitingOneAndOnlyTheNewestResultIsKept) {
  RequestSlot slot = {};
  uint32_t counter = 0;
  EXPECT_EQ(TakeRequest(slot), 0u) << "nothing waits";
  // Two requests before the worker looks: it takes only the second.
  EXPECT_EQ(AskRequest(slot, counter), 1u);
  EXPECT_EQ(AskRequest(slot, counter), 2u);
  EXPECT_EQ(TakeRequest(slot), 2u);
  EXPECT_EQ(State(slot), std::tuple(2u, 0u, 2u));
  // A third while the worker is on the second: the second's result is dropped, at the worker and at the window.
  AskRequest(slot, counter);
  EXPECT_EQ(FinishRequest(slot, 2), 0);
  EXPECT_EQ(std::tuple(ResultCurrent(slot, 2), State(slot)), std::tuple(0, std::tuple(3u, 3u, 0u)));
  EXPECT_EQ(TakeRequest(slot), 3u);
  EXPECT_EQ(FinishRequest(slot, 3), 1);
  EXPECT_EQ(ResultCurrent(slot, 3), 1);
  // Dropped: the result under way no longer counts, and nothing waits.
  AskRequest(slot, counter);
  TakeRequest(slot);
  AskRequest(slot, counter);
  DropRequests(slot, counter);
  EXPECT_EQ(TakeRequest(slot), 0u);
  EXPECT_EQ(FinishRequest(slot, 4), 0);
  EXPECT_EQ(ResultCurrent(slot, 5), 0);
  // The numbers go on past their end without 0, which means none.
  counter = UINT32_MAX;
  EXPECT_EQ(AskRequest(slot, counter), 1u);
  EXPECT_EQ(std::pair(FinishRequest(slot, 0), ResultCurrent(slot, 0)), std::pair(0, 0));
  EXPECT_EQ(TakeRequest(slot), 1u);
  EXPECT_EQ(FinishRequest(slot, 1), 1);
  EXPECT_EQ(ResultCurrent(slot, 1), 1) << "the first number is a request like any other";
}

}  // namespace
