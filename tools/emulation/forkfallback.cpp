// Preloaded into every program that build-armhf/emulate starts.
//
// The toolkit's process launcher asks the kernel whether it can wait on a
// process through a file descriptor (waitid with P_PIDFD) and, if so, starts
// processes with clone()'s CLONE_PIDFD. Under qemu-user the question reaches
// the host's kernel, which says yes, while qemu-user itself refuses the flag
// in clone(): every process start fails with "fork failure: Invalid
// argument". Answering the question as a kernel without the feature does
// (EINVAL) makes the launcher take its classic fork path, which qemu-user
// runs. The board's kernel has both; nothing of this goes onto it.
#include <dlfcn.h>
#include <errno.h>
#include <stdarg.h>
#include <stdlib.h>
#include <sys/syscall.h>

namespace {

constexpr long wait_for_pidfd = 3; // P_PIDFD

using SyscallFunction = long (*)(long, ...);

SyscallFunction next_syscall()
{
    static const auto next = reinterpret_cast<SyscallFunction>(dlsym(RTLD_NEXT, "syscall"));
    return next;
}

// The emulated program's children that are host programs would only warn
// that an ARM library cannot be preloaded into them; ARM children get it
// again from the emulate script.
__attribute__((constructor)) void keep_to_this_process()
{
    unsetenv("LD_PRELOAD");
}

} // namespace

extern "C" long syscall(long number, ...)
{
    // A system call takes at most six arguments; reading six whatever the
    // caller passed is what the C library's own syscall() does.
    long arguments[6];
    va_list list;
    va_start(list, number);
    for (long& argument : arguments)
        argument = va_arg(list, long);
    va_end(list);
    if (number == SYS_waitid && arguments[0] == wait_for_pidfd) {
        errno = EINVAL;
        return -1;
    }
    return next_syscall()(number, arguments[0], arguments[1], arguments[2], arguments[3],
                          arguments[4], arguments[5]);
}
