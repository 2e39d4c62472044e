#include "framewindow/picture_worker.h"

#include <objbase.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <utility>

#include "imaging/request_slots.h"

DWORD PictureWorkTimeoutMs = 10000;
int PictureOwner;

namespace {

// Requests live on the C heap: the library's own operator new would bring
// its exceptions into the exe.
struct WorkDeleter {
  void operator()(PictureWork* work) const {
    work->~PictureWork();
    std::free(work);
  }
};
using WorkPointer = std::unique_ptr<PictureWork, WorkDeleter>;

WorkPointer NewWork() {
  void* memory = std::malloc(sizeof(PictureWork));
  return WorkPointer(memory ? new (memory) PictureWork : nullptr);
}

// Everything below is shared by the two threads and read or changed only
// under the lock, but for the functions, which are set before the thread starts.
CRITICAL_SECTION Lock;
bool LockMade;
HANDLE Wake;  // set when a request waits or the worker is to stop
HWND Told[ORNAMENTS_MAX];
PictureWorkFunction Functions[PICTURE_KIND_COUNT];
// Per owner and kind.
RequestSlot Slots[ORNAMENTS_MAX][PICTURE_KIND_COUNT];
uint32_t Counter;
WorkPointer Asked[ORNAMENTS_MAX][PICTURE_KIND_COUNT];  // the waiting requests
WorkPointer Done[ORNAMENTS_MAX][PICTURE_KIND_COUNT];   // results the windows have not taken
// The work under way: its owner and kind (-1: none), its request and when it began.
int WorkingOwner;
int WorkingKind = -1;
char WorkingPath[PATH_BUFFER_SIZE];
ImageSource WorkingResource;
LPARAM WorkingTag;
DWORD WorkingSince;
// A worker given up on runs under an older generation and ends when it is back.
uint32_t Generation;
bool Stopping;
HANDLE Worker;

struct Locked {
  Locked() { EnterCriticalSection(&Lock); }
  ~Locked() { LeaveCriticalSection(&Lock); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
};

// Keeps a finished piece of work for the window when it is still the newest of its kind.
void Deliver(WorkPointer work) {
  const int owner = work->owner, kind = work->kind;
  const uint32_t number = work->number;
  if (!FinishRequest(Slots[owner][kind], number)) return;
  Done[owner][kind] = std::move(work);
  PostMessageA(Told[owner], MSG_PICTURE_READY, static_cast<WPARAM>(kind), static_cast<LPARAM>(number));
}

void DropOwnerWork(int owner, int kind) {
  DropRequests(Slots[owner][kind], Counter);
  Asked[owner][kind].reset();
  Done[owner][kind].reset();
}

// The next waiting request, in the kinds' order; null when none waits or this worker is no longer the one.
WorkPointer NextWork(uint32_t generation) {
  Locked locked;
  if (Stopping || generation != Generation) return nullptr;
  for (int kind = 0; kind < PICTURE_KIND_COUNT; ++kind) {
    for (int owner = 0; owner < ORNAMENTS_MAX; ++owner) {
      if (!Slots[owner][kind].waiting) continue;
      TakeRequest(Slots[owner][kind]);
      WorkPointer work = std::move(Asked[owner][kind]);
      WorkingOwner = owner;
      WorkingKind = kind;
      lstrcpynA(WorkingPath, work->path, PATH_BUFFER_SIZE);
      WorkingResource = work->resource;
      WorkingTag = work->tag;
      WorkingSince = GetTickCount();
      return work;
    }
  }
  return nullptr;
}

DWORD WINAPI WorkerMain(void* parameter) {
  const auto generation = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(parameter));
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  for (;;) {
    while (WorkPointer work = NextWork(generation)) {
      Functions[work->kind](*work);
      Locked locked;
      // Given up on meanwhile: its result, made too late, is dropped with it.
      if (generation != Generation) break;
      WorkingKind = -1;
      Deliver(std::move(work));
    }
    {
      Locked locked;
      if (Stopping || generation != Generation) break;
    }
    WaitForSingleObject(Wake, INFINITE);
  }
  CoUninitialize();
  return 0;
}

int StartWorkerThread() {
  HANDLE thread = CreateThread(nullptr, 0, WorkerMain, reinterpret_cast<void*>(static_cast<uintptr_t>(Generation)), 0,
                               nullptr);
  if (!thread) return 0;
  if (Worker) CloseHandle(Worker);
  Worker = thread;
  return 1;
}

}  // namespace

int StartPictureWorker(const PictureWorkFunction (&functions)[PICTURE_KIND_COUNT]) {
  if (!LockMade) {
    InitializeCriticalSection(&Lock);
    Wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    LockMade = true;
  }
  for (int kind = 0; kind < PICTURE_KIND_COUNT; ++kind) Functions[kind] = functions[kind];
  Stopping = false;
  ++Generation;
  return Wake && StartWorkerThread();
}

void StopPictureWorker() {
  if (!LockMade) return;
  {
    Locked locked;
    Stopping = true;
    for (int owner = 0; owner < ORNAMENTS_MAX; ++owner) {
      for (int kind = 0; kind < PICTURE_KIND_COUNT; ++kind) DropOwnerWork(owner, kind);
    }
  }
  SetEvent(Wake);
  // A worker stuck on a file that never answers is left to the process's end.
  if (Worker && WaitForSingleObject(Worker, 1000) == WAIT_OBJECT_0) {
    CloseHandle(Worker);
    Worker = nullptr;
  }
}

void SetPictureOwnerWindow(int owner, HWND window) {
  if (!LockMade) return;
  Locked locked;
  Told[owner] = window;
  if (window) return;
  for (int kind = 0; kind < PICTURE_KIND_COUNT; ++kind) DropOwnerWork(owner, kind);
}

uint32_t AskPictureWork(int kind, const char* path, ImageSource resource, LPARAM tag) {
  WorkPointer work = NewWork();
  if (!work) return 0;
  work->owner = PictureOwner;
  work->kind = kind;
  if (path) lstrcpynA(work->path, path, PATH_BUFFER_SIZE);
  work->resource = resource;
  work->tag = tag;
  {
    Locked locked;
    work->number = AskRequest(Slots[PictureOwner][kind], Counter);
    Asked[PictureOwner][kind] = std::move(work);
    Done[PictureOwner][kind].reset();
  }
  SetEvent(Wake);
  SetTimer(Told[PictureOwner], PICTURE_WATCH_TIMER_ID, PICTURE_WATCH_PERIOD_MS, nullptr);
  return Slots[PictureOwner][kind].newest;
}

void DropPictureWork(int kind) {
  Locked locked;
  DropOwnerWork(PictureOwner, kind);
}

namespace {

int OwnerWorkPending(int owner, int kind) {
  const RequestSlot& slot = Slots[owner][kind];
  return slot.waiting || (WorkingOwner == owner && WorkingKind == kind && slot.working) || Done[owner][kind] != nullptr;
}

}  // namespace

int PictureWorkPending(int kind) {
  Locked locked;
  return OwnerWorkPending(PictureOwner, kind);
}

int AnyPictureWorkPending() {
  if (!LockMade) return 0;
  Locked locked;
  int pending = 0;
  for (int owner = 0; owner < ORNAMENTS_MAX; ++owner) {
    for (int kind = 0; kind < PICTURE_KIND_COUNT; ++kind) pending = pending || OwnerWorkPending(owner, kind);
  }
  return pending;
}

int TakePictureWork(int kind, PictureWork& work) {
  WorkPointer done;
  {
    Locked locked;
    WorkPointer& result = Done[PictureOwner][kind];
    if (!result || !ResultCurrent(Slots[PictureOwner][kind], result->number)) return 0;
    done = std::move(result);
  }
  work = std::move(*done);
  return 1;
}

void WatchPictureWorker(HWND window) {
  Locked locked;
  bool pending = WorkingKind >= 0;
  for (int owner = 0; owner < ORNAMENTS_MAX; ++owner) {
    for (int kind = 0; kind < PICTURE_KIND_COUNT; ++kind) pending = pending || Slots[owner][kind].waiting;
  }
  if (!pending) KillTimer(window, PICTURE_WATCH_TIMER_ID);
  if (WorkingKind < 0 || GetTickCount() - WorkingSince < PictureWorkTimeoutMs) return;
  // The worker is stuck on a file: its request fails as one that does not
  // answer, and a new worker takes the others.
  WorkPointer failed = NewWork();
  const int kind = std::exchange(WorkingKind, -1);
  ++Generation;
  if (failed) {
    failed->owner = WorkingOwner;
    failed->kind = kind;
    failed->number = Slots[WorkingOwner][kind].working;
    lstrcpynA(failed->path, WorkingPath, PATH_BUFFER_SIZE);
    failed->resource = WorkingResource;
    failed->tag = WorkingTag;
    failed->refusal = Refusal::NO_ANSWER;
    Deliver(std::move(failed));
  }
  StartWorkerThread();
}
