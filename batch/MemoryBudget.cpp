#include "MemoryBudget.h"

#include <cerrno>
#include <ctime>
#include <numeric>
#include <pthread.h>
#include <string>
#include <sys/mman.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace VelBatch {

struct TBudgetState {
    pthread_mutex_t Mutex;
    pthread_cond_t Freed;
    std::uint64_t Bytes;
    std::uint64_t Reserved[TMemoryBudget::MaxSlots];
    std::uint64_t Wanted[TMemoryBudget::MaxSlots]; // of a waiting slot; 0 when not waiting
};

namespace {

[[noreturn]] void Fail(const char* what, int error = errno) {
    throw std::system_error(error, std::generic_category(), std::string("memory budget: ") + what);
}

void Check(const char* what, int error) {
    if (error != 0)
        Fail(what, error);
}

TBudgetState* Map(int fd) {
    void* memory = mmap(nullptr, sizeof(TBudgetState), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory == MAP_FAILED)
        Fail("mmap");
    return static_cast<TBudgetState*>(memory);
}

// The mutex is robust: a worker killed while holding it does not stop the others.
void Initialise(TBudgetState& state, std::uint64_t bytes) {
    pthread_mutexattr_t mutexAttributes;
    Check("mutex attributes", pthread_mutexattr_init(&mutexAttributes));
    pthread_mutexattr_setpshared(&mutexAttributes, PTHREAD_PROCESS_SHARED);
    pthread_mutexattr_setrobust(&mutexAttributes, PTHREAD_MUTEX_ROBUST);
    Check("mutex", pthread_mutex_init(&state.Mutex, &mutexAttributes));
    pthread_mutexattr_destroy(&mutexAttributes);
    pthread_condattr_t conditionAttributes;
    Check("condition attributes", pthread_condattr_init(&conditionAttributes));
    pthread_condattr_setpshared(&conditionAttributes, PTHREAD_PROCESS_SHARED);
    pthread_condattr_setclock(&conditionAttributes, CLOCK_MONOTONIC);
    Check("condition", pthread_cond_init(&state.Freed, &conditionAttributes));
    pthread_condattr_destroy(&conditionAttributes);
    state.Bytes = bytes;
}

void Recover(pthread_mutex_t& mutex, int error) {
    if (error == EOWNERDEAD)
        pthread_mutex_consistent(&mutex);
}

// A moment from now on the clock: how long a wait for a release lasts at most (monotonic), and
// how long a look at the budget waits for its lock (real time, the clock of
// pthread_mutex_timedlock, which the thread sanitizer knows as a lock).
timespec MomentLater(clockid_t clock) {
    timespec until{};
    clock_gettime(clock, &until);
    until.tv_nsec += 100'000'000;
    if (until.tv_nsec >= 1'000'000'000) {
        until.tv_nsec -= 1'000'000'000;
        ++until.tv_sec;
    }
    return until;
}

class TLock {
public:
    explicit TLock(pthread_mutex_t& mutex) : FMutex(mutex), FHeld(true) {
        Recover(FMutex, pthread_mutex_lock(&FMutex));
    }
    // Tries for a moment only; see Held().
    struct TMoment {};
    TLock(pthread_mutex_t& mutex, TMoment) : FMutex(mutex) {
        const timespec until = MomentLater(CLOCK_REALTIME);
        const int error = pthread_mutex_timedlock(&FMutex, &until);
        Recover(FMutex, error);
        FHeld = error == 0 || error == EOWNERDEAD;
    }
    ~TLock() {
        if (FHeld)
            pthread_mutex_unlock(&FMutex);
    }
    TLock(const TLock&) = delete;
    TLock& operator=(const TLock&) = delete;

    bool Held() const { return FHeld; }

    // Waits for a release, or a moment at most: a worker killed while waiting may have taken
    // a wake-up with it.
    void WaitForRelease(pthread_cond_t& freed) {
        const timespec until = MomentLater(CLOCK_MONOTONIC);
        Recover(FMutex, pthread_cond_timedwait(&freed, &FMutex, &until));
    }

private:
    pthread_mutex_t& FMutex;
    bool FHeld = false;
};

std::uint64_t ReservedBytes(const TBudgetState& state) {
    return std::accumulate(std::begin(state.Reserved), std::end(state.Reserved), std::uint64_t{0});
}

} // namespace

TMemoryBudget::TMemoryBudget(std::uint64_t bytes)
    : FFd(memfd_create("velscan-memory-budget", MFD_CLOEXEC)), FState(nullptr) {
    if (FFd < 0)
        Fail("memfd_create");
    if (ftruncate(FFd, sizeof(TBudgetState)) != 0) {
        close(FFd);
        Fail("ftruncate");
    }
    FState = Map(FFd);
    Initialise(*FState, bytes);
}

TMemoryBudget TMemoryBudget::Attach(int fd) {
    return TMemoryBudget(fd, Map(fd));
}

TMemoryBudget::TMemoryBudget(TMemoryBudget&& other) noexcept
    : FFd(std::exchange(other.FFd, -1)), FState(std::exchange(other.FState, nullptr)) {}

TMemoryBudget::~TMemoryBudget() {
    if (FState != nullptr)
        munmap(FState, sizeof(TBudgetState));
    if (FFd >= 0)
        close(FFd);
}

std::uint64_t TMemoryBudget::Bytes() const {
    return FState->Bytes;
}

void TMemoryBudget::Reserve(unsigned slot, std::uint64_t bytes) {
    TLock lock(FState->Mutex);
    FState->Wanted[slot] = bytes;
    while (ReservedBytes(*FState) + bytes > FState->Bytes)
        lock.WaitForRelease(FState->Freed);
    FState->Wanted[slot] = 0;
    FState->Reserved[slot] = bytes;
}

void TMemoryBudget::Release(unsigned slot) {
    TLock lock(FState->Mutex);
    FState->Reserved[slot] = 0;
    FState->Wanted[slot] = 0;
    pthread_cond_broadcast(&FState->Freed);
}

bool TMemoryBudget::Blocked(unsigned slot) {
    const TLock lock(FState->Mutex, TLock::TMoment{});
    if (!lock.Held())
        return false;
    const std::uint64_t wanted = FState->Wanted[slot];
    return wanted > 0 && ReservedBytes(*FState) + wanted > FState->Bytes;
}

} // namespace VelBatch
