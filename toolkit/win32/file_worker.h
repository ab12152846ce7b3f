#pragma once

// Work that touches program files, done on a few threads of its own: a file on a sleeping or
// unreachable drive can take many seconds to answer, and the user-interface thread never waits
// for one. What a job gives back runs on the user-interface thread.

#include <functional>
#include <memory>
#include <vector>

#include "toolkit/win32/win32.h"

namespace quevor::win32 {

class FileWorker {
  public:
    // Runs on the user-interface thread once its job is done.
    using Delivery = std::function<void()>;
    // Runs on a worker thread (a JobApartment gives it COM); what it throws is rethrown by its
    // delivery.
    using Job = std::function<Delivery()>;

    // Each finished job posts message to window, which then calls takeReady.
    FileWorker(HWND window, UINT message);
    // Deliveries not taken are dropped; jobs still running finish on their own and find no one.
    ~FileWorker();
    FileWorker(const FileWorker&) = delete;
    FileWorker& operator=(const FileWorker&) = delete;

    void post(Job job);
    // No job is out (their deliveries may still wait to be taken).
    bool idle() const;
    // The deliveries ready, in the order their jobs finished; they are no longer held here.
    std::vector<Delivery> takeReady();
    // Runs the deliveries as they become ready until no job is out or limitMs has passed.
    void await(int limitMs, const std::function<void(const Delivery&)>& run);

    struct Shared;

  private:
    std::shared_ptr<Shared> shared_;
};

// COM for the rest of a job, for the jobs that ask the shell (most icons need none): the thread
// leaves the apartment when the job ends.
class JobApartment {
  public:
    JobApartment();
    ~JobApartment();
    JobApartment(const JobApartment&) = delete;
    JobApartment& operator=(const JobApartment&) = delete;

  private:
    bool entered_ = false;
};

}  // namespace quevor::win32
