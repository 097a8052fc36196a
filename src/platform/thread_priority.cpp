#include "platform/thread_priority.hpp"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace vantrek {

void LowerCurrentThreadPriority() {
    // On Linux the nice value belongs to the thread named by its id.
    const auto thread = static_cast<id_t>(syscall(SYS_gettid));
    setpriority(PRIO_PROCESS, thread, 19);
}

}  // namespace vantrek
