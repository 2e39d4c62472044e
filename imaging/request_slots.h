// The rules between the window's thread, which asks for pictures, and the
// worker thread, which reads them: per kind of request, only the newest one
// counts. A newer request replaces an older one still waiting, and the result
// of a request that was replaced is dropped.
#pragma once
#include <cstdint>

struct RequestSlot {
  uint32_t newest;   // the number of the newest request; 0 before the first
  uint32_t waiting;  // the request the worker has not taken yet; 0 for none
  uint32_t working;  // the request the worker is on; 0 for none
};

// A new request: it is the newest and the one waiting. Its number, never 0.
uint32_t AskRequest(RequestSlot& slot, uint32_t& counter);

// The worker takes the waiting request; 0 when none waits.
uint32_t TakeRequest(RequestSlot& slot);

// The worker is done with `number`: 1 when its result is to be kept (no newer
// request came meanwhile), 0 when it is dropped.
int FinishRequest(RequestSlot& slot, uint32_t number);

// 1 when a result that reached the window's thread is still the newest request's.
int ResultCurrent(const RequestSlot& slot, uint32_t number);

// Every request so far stops counting: the waiting one is dropped and the
// result of the one being worked on will be.
void DropRequests(RequestSlot& slot, uint32_t& counter);
