#include "toolkit/win32/file_worker.h"

#include <objbase.h>

#include <deque>
#include <exception>
#include <optional>
#include <vector>

#include "core/error.h"
#include "core/messages.h"
#include "toolkit/win32/handles.h"

namespace quevor::win32 {
namespace {

// Threads at most: enough for a drive that does not answer to hold one up while the others go
// on. A thread ends as soon as no job waits, so a bar at rest has none (each costs about a
// megabyte under Wine).
constexpr int kMostThreads = 2;

}  // namespace

// What the worker threads and the user-interface thread share; it lives until the last of them
// lets go, so a job that outlasts the window finds it still there.
struct FileWorker::Shared {
    SRWLOCK lock = SRWLOCK_INIT;
    std::deque<Job> waiting;
    std::deque<Delivery> ready;
    int outstanding = 0;  // jobs posted and not yet finished
    int threads = 0;
    HWND window = nullptr;  // nullptr once the worker is gone: nobody is told any more
    UINT message = 0;
    UniqueHandle readyEvent;

    void finish(Delivery delivery) {
        AcquireSRWLockExclusive(&lock);
        ready.push_back(std::move(delivery));
        // Told before the job counts as done: whoever sees no job out finds the message there.
        if (window) PostMessageW(window, message, 0, 0);
        --outstanding;
        ReleaseSRWLockExclusive(&lock);
        SetEvent(readyEvent.get());
    }

    // The next job, or none: then the thread is no longer counted and ends.
    std::optional<Job> next() {
        AcquireSRWLockExclusive(&lock);
        std::optional<Job> job;
        if (waiting.empty()) {
            --threads;
        } else {
            job = std::move(waiting.front());
            waiting.pop_front();
        }
        ReleaseSRWLockExclusive(&lock);
        return job;
    }
};

namespace {

DWORD WINAPI runJobs(void* context) noexcept {
    const std::unique_ptr<std::shared_ptr<FileWorker::Shared>> owner(
        static_cast<std::shared_ptr<FileWorker::Shared>*>(context));
    FileWorker::Shared& shared = **owner;
    while (auto job = shared.next()) {
        FileWorker::Delivery delivery;
        try {
            delivery = (*job)();
        } catch (...) {
            delivery = [error = std::current_exception()] { std::rethrow_exception(error); };
        }
        shared.finish(std::move(delivery));
    }
    return 0;
}

}  // namespace

FileWorker::FileWorker(HWND window, UINT message) : shared_(std::make_shared<Shared>()) {
    shared_->window = window;
    shared_->message = message;
    shared_->readyEvent.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!shared_->readyEvent) fail(Message::cannotStartWork, {lastReason()});
}

FileWorker::~FileWorker() {
    AcquireSRWLockExclusive(&shared_->lock);
    shared_->window = nullptr;
    std::deque<Job> unstarted = std::move(shared_->waiting);
    std::deque<Delivery> dropped = std::move(shared_->ready);
    ReleaseSRWLockExclusive(&shared_->lock);
}

void FileWorker::post(Job job) {
    AcquireSRWLockExclusive(&shared_->lock);
    shared_->waiting.push_back(std::move(job));
    ++shared_->outstanding;
    // A new thread only when every thread there has a job already.
    const int running = shared_->outstanding - static_cast<int>(shared_->waiting.size());
    const bool more = shared_->threads < kMostThreads && running >= shared_->threads;
    if (more) ++shared_->threads;
    ReleaseSRWLockExclusive(&shared_->lock);
    if (!more) return;
    auto owner = std::make_unique<std::shared_ptr<Shared>>(shared_);
    if (const HANDLE thread = CreateThread(nullptr, 0, &runJobs, owner.get(), 0, nullptr)) {
        owner.release();
        CloseHandle(thread);
        return;
    }
    const std::u16string reason = lastReason();
    AcquireSRWLockExclusive(&shared_->lock);
    --shared_->threads;
    const bool none = shared_->threads == 0;
    if (none) {
        shared_->waiting.pop_back();
        --shared_->outstanding;
    }
    ReleaseSRWLockExclusive(&shared_->lock);
    // With another thread still there, the job waits for it.
    if (none) fail(Message::cannotStartWork, {reason});
}

bool FileWorker::idle() const {
    AcquireSRWLockShared(&shared_->lock);
    const bool none = shared_->outstanding == 0;
    ReleaseSRWLockShared(&shared_->lock);
    return none;
}

std::vector<FileWorker::Delivery> FileWorker::takeReady() {
    AcquireSRWLockExclusive(&shared_->lock);
    std::vector<Delivery> out(std::make_move_iterator(shared_->ready.begin()),
                              std::make_move_iterator(shared_->ready.end()));
    shared_->ready.clear();
    ReleaseSRWLockExclusive(&shared_->lock);
    return out;
}

void FileWorker::await(int limitMs, const std::function<void(const Delivery&)>& run) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(limitMs);
    while (true) {
        for (const Delivery& delivery : takeReady()) run(delivery);
        AcquireSRWLockShared(&shared_->lock);
        const bool done = shared_->outstanding == 0 && shared_->ready.empty();
        ReleaseSRWLockShared(&shared_->lock);
        const ULONGLONG now = GetTickCount64();
        if (done || now >= end) return;
        WaitForSingleObject(shared_->readyEvent.get(), static_cast<DWORD>(end - now));
    }
}

JobApartment::JobApartment() {
    static auto* const coInitializeEx =
        systemFunction<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    entered_ =
        SUCCEEDED(coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

JobApartment::~JobApartment() {
    static auto* const coUninitialize =
        systemFunction<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize");
    if (entered_) coUninitialize();
}

}  // namespace quevor::win32
