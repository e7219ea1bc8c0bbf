// Preloaded into the fault probe: makes chosen system calls of a save fail.
// QUILLET_FAULT="CALL:N" fails the N-th call of that kind once, "CALL:*"
// fails every one; CALL is open, write, fdatasync, fsync, close, rename or
// link. QUILLET_FAULT_ERRNO gives the error number (default EIO). Calls are
// only counted while the probe has armed the shim around its save. A failed
// close still releases the descriptor, as on Linux.
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <unistd.h>

extern "C" {

namespace {
int armed;
int injections;
int calls;
}  // namespace

void quillet_fault_arm(int on) { armed = on; }
int quillet_fault_injections(void) { return injections; }

// Whether this call of `kind` is to fail; sets errno when it is.
static bool ShouldFail(const char* kind) {
    if (!armed) return false;
    const char* wanted = getenv("QUILLET_FAULT");
    const size_t length = strlen(kind);
    if (!wanted || strncmp(wanted, kind, length) != 0 || wanted[length] != ':') return false;
    ++calls;
    const char* which = wanted + length + 1;
    if (strcmp(which, "*") != 0 && atoi(which) != calls) return false;
    const char* number = getenv("QUILLET_FAULT_ERRNO");
    ++injections;
    errno = number ? atoi(number) : EIO;
    return true;
}

#define REAL(name) (reinterpret_cast<decltype(&name)>(dlsym(RTLD_NEXT, #name)))

static mode_t ModeOf(int flags, va_list args) {
    const bool hasMode = (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
    return hasMode ? va_arg(args, mode_t) : 0;
}

int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeOf(flags, args);
    va_end(args);
    return ShouldFail("open") ? -1 : REAL(open)(path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeOf(flags, args);
    va_end(args);
    return ShouldFail("open") ? -1 : REAL(open64)(path, flags, mode);
}

int openat64(int dir, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeOf(flags, args);
    va_end(args);
    return ShouldFail("open") ? -1 : REAL(openat64)(dir, path, flags, mode);
}

int openat(int dir, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeOf(flags, args);
    va_end(args);
    return ShouldFail("open") ? -1 : REAL(openat)(dir, path, flags, mode);
}

ssize_t write(int fd, const void* data, size_t size) {
    return ShouldFail("write") ? -1 : REAL(write)(fd, data, size);
}

int fdatasync(int fd) { return ShouldFail("fdatasync") ? -1 : REAL(fdatasync)(fd); }

int fsync(int fd) { return ShouldFail("fsync") ? -1 : REAL(fsync)(fd); }

int close(int fd) {
    if (!ShouldFail("close")) return REAL(close)(fd);
    const int error = errno;
    REAL(close)(fd);
    errno = error;
    return -1;
}

int rename(const char* from, const char* to) {
    return ShouldFail("rename") ? -1 : REAL(rename)(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to) {
    return ShouldFail("rename") ? -1 : REAL(renameat)(fromDir, from, toDir, to);
}

int linkat(int fromDir, const char* from, int toDir, const char* to, int flags) {
    return ShouldFail("link") ? -1 : REAL(linkat)(fromDir, from, toDir, to, flags);
}

}  // extern "C"
