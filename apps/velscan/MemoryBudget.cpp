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

namespace VelScan {

struct TBudgetState {
    pthread_mutex_t Mutex;
    pthread_cond_t Freed;
    std::uint64_t Bytes;
    std::uint64_t Reserved[TMemoryBudget::MaxSlots];
    bool Waiting[TMemoryBudget::MaxSlots];
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

class TLock {
public:
    explicit TLock(pthread_mutex_t& mutex) : FMutex(mutex) {
        Recover(FMutex, pthread_mutex_lock(&FMutex));
    }
    ~TLock() { pthread_mutex_unlock(&FMutex); }
    TLock(const TLock&) = delete;
    TLock& operator=(const TLock&) = delete;

    // Waits for a release, or a moment at most: a worker killed while waiting may have taken
    // a wake-up with it.
    void WaitForRelease(pthread_cond_t& freed) {
        timespec until{};
        clock_gettime(CLOCK_MONOTONIC, &until);
        until.tv_nsec += 100'000'000;
        if (until.tv_nsec >= 1'000'000'000) {
            until.tv_nsec -= 1'000'000'000;
            ++until.tv_sec;
        }
        Recover(FMutex, pthread_cond_timedwait(&freed, &FMutex, &until));
    }

private:
    pthread_mutex_t& FMutex;
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
    FState->Waiting[slot] = true;
    while (ReservedBytes(*FState) + bytes > FState->Bytes)
        lock.WaitForRelease(FState->Freed);
    FState->Waiting[slot] = false;
    FState->Reserved[slot] = bytes;
}

void TMemoryBudget::Release(unsigned slot) {
    TLock lock(FState->Mutex);
    FState->Reserved[slot] = 0;
    FState->Waiting[slot] = false;
    pthread_cond_broadcast(&FState->Freed);
}

bool TMemoryBudget::Waiting(unsigned slot) {
    TLock lock(FState->Mutex);
    return FState->Waiting[slot];
}

} // namespace VelScan
