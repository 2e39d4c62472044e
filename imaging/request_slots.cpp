#include "imaging/request_slots.h"

namespace {

uint32_t NextNumber(uint32_t& counter) {
  if (++counter == 0) ++counter;
  return counter;
}

}  // namespace

uint32_t AskRequest(RequestSlot& slot, uint32_t& counter) {
  slot.newest = NextNumber(counter);
  slot.waiting = slot.newest;
  return slot.newest;
}

uint32_t TakeRequest(RequestSlot& slot) {
  slot.working = slot.waiting;
  slot.waiting = 0;
  return slot.working;
}

int FinishRequest(RequestSlot& slot, uint32_t number) {
  if (slot.working == number) slot.working = 0;
  return number != 0 && number == slot.newest;
}

int ResultCurrent(const RequestSlot& slot, uint32_t number) { return number != 0 && number == slot.newest; }

void DropRequests(RequestSlot& slot, uint32_t& counter) {
  slot.newest = NextNumber(counter);
  slot.waiting = 0;
}
