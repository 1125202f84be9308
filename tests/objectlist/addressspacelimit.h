// Running work in a child process whose address space may grow only so far beyond the test's
// own, as on a machine short of memory: whatever it allocates past that fails.
#pragma once

#include <cstddef>
#include <fstream>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace duebell::testlimits {

// The sanitizers reserve address space by the terabyte; under them no limit can be set.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool AddressSpaceCanBeLimited = false;
#else
constexpr bool AddressSpaceCanBeLimited = true;
#endif

constexpr std::size_t MiB = 1024 * 1024;

inline std::size_t AddressSpaceInUse() {
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    statm >> pages;
    return pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

// The exit code of work run in a child whose address space may grow by `extra` bytes; -1 when
// the child did not exit of itself (it crashed), 100 when it threw or no limit could be set.
inline int ExitCodeWithAddressSpaceOf(std::size_t extra, const std::function<int()>& work) {
    const std::size_t limit = AddressSpaceInUse() + extra;
    const pid_t child = ::fork();
    if (child == 0) {
        int code = 100;
        rlimit bound{};
        ::getrlimit(RLIMIT_AS, &bound);
        bound.rlim_cur = limit;
        if (::setrlimit(RLIMIT_AS, &bound) == 0) {
            try {
                code = work();
            } catch (...) {
            }
        }
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace duebell::testlimits
