#include "toolkit/win32/file_worker.h"

#include <objbase.h>

#include <deque>
#include <exception>
#include <vector>

#include "core/error.h"
#include "core/messages.h"
#include "toolkit/win32/handles.h"

namespace quevor::win32 {

// What the pool threads and the user-interface thread share; it lives until the last of them
// lets go, so a job that outlasts the window finds it still there.
struct FileWorker::Shared {
    SRWLOCK lock = SRWLOCK_INIT;
    std::deque<Delivery> ready;
    int outstanding = 0;
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
};

namespace {

struct Task {
    std::shared_ptr<FileWorker::Shared> shared;
    FileWorker::Job job;
};

DWORD runTask(Task* raw) noexcept {
    std::unique_ptr<Task> task(raw);
    FileWorker::Delivery delivery;
    try {
        delivery = task->job();
    } catch (...) {
        delivery = [error = std::current_exception()] { std::rethrow_exception(error); };
    }
    task->shared->finish(std::move(delivery));
    return 0;
}

void CALLBACK poolCallback(PTP_CALLBACK_INSTANCE, void* context) noexcept {
    runTask(static_cast<Task*>(context));
}

DWORD WINAPI threadStart(void* context) noexcept { return runTask(static_cast<Task*>(context)); }

}  // namespace

FileWorker::FileWorker(HWND window, UINT message) : shared_(std::make_shared<Shared>()) {
    shared_->window = window;
    shared_->message = message;
    shared_->readyEvent.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!shared_->readyEvent) fail(Message::cannotStartWork, {lastReason()});
    InitializeThreadpoolEnvironment(&environment_);
    pool_ = CreateThreadpool(nullptr);
    if (pool_) {  // without one, the system's shared pool
        SetThreadpoolThreadMaximum(pool_, 4);
        SetThreadpoolCallbackPool(&environment_, pool_);
    }
}

FileWorker::~FileWorker() {
    AcquireSRWLockExclusive(&shared_->lock);
    shared_->window = nullptr;
    std::deque<Delivery> dropped = std::move(shared_->ready);
    ReleaseSRWLockExclusive(&shared_->lock);
    // Jobs still running keep their threads; the pool goes once they are done.
    if (pool_) CloseThreadpool(pool_);
    DestroyThreadpoolEnvironment(&environment_);
}

void FileWorker::post(Job job) {
    auto task = std::make_unique<Task>(Task{shared_, std::move(job)});
    AcquireSRWLockExclusive(&shared_->lock);
    ++shared_->outstanding;
    ReleaseSRWLockExclusive(&shared_->lock);
    if (TrySubmitThreadpoolCallback(&poolCallback, task.get(), &environment_)) {
        task.release();
        return;
    }
    // Without the pool, a thread of its own.
    if (const HANDLE thread = CreateThread(nullptr, 0, &threadStart, task.get(), 0, nullptr)) {
        task.release();
        CloseHandle(thread);
        return;
    }
    const std::u16string reason = lastReason();
    AcquireSRWLockExclusive(&shared_->lock);
    --shared_->outstanding;
    ReleaseSRWLockExclusive(&shared_->lock);
    fail(Message::cannotStartWork, {reason});
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
