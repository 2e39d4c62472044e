#include "imaging/refusal.h"

namespace {

// The system's error numbers for a name that leads nowhere.
constexpr uint32_t NAME_ERRORS[] = {
    2,    // ERROR_FILE_NOT_FOUND
    3,    // ERROR_PATH_NOT_FOUND
    15,   // ERROR_INVALID_DRIVE
    21,   // ERROR_NOT_READY: a drive without its disc or stick
    53,   // ERROR_BAD_NETPATH
    67,   // ERROR_BAD_NET_NAME
    123,  // ERROR_INVALID_NAME
    161,  // ERROR_BAD_PATHNAME
};

}  // namespace

Refusal RefusalOfOpenError(uint32_t error) {
  for (const uint32_t name : NAME_ERRORS) {
    if (error == name) return Refusal::NOT_FOUND;
  }
  return Refusal::UNREADABLE;
}
