#pragma once
// Another program holding an advisory lock on a file, for tests of what the program does when a
// file is in use: a child process takes the lock and keeps it until it is released.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace rozuduzod {

// Another program that holds a lock on a file until it is told to let go.
class LockHolder {
  public:
    // `operation` is LOCK_SH or LOCK_EX.
    LockHolder(const std::string& path, int operation) {
        int ready[2];
        int release[2];
        if (pipe(ready) != 0 || pipe(release) != 0) {
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            close(ready[0]);
            close(release[1]);
            int fd = open(path.c_str(), O_RDONLY);
            char locked = fd >= 0 && flock(fd, operation | LOCK_NB) == 0 ? '1' : '0';
            (void)!write(ready[1], &locked, 1);
            char ignored;
            (void)!read(release[0], &ignored, 1);  // returns when the parent closes its end
            _exit(0);
        }
        close(ready[1]);
        close(release[0]);
        release_fd_ = release[1];
        char locked = '0';
        locked_ = pid_ > 0 && read(ready[0], &locked, 1) == 1 && locked == '1';
        close(ready[0]);
    }
    ~LockHolder() { Release(); }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    bool Locked() const { return locked_; }

    void Release() {
        if (release_fd_ >= 0) {
            close(release_fd_);
            release_fd_ = -1;
        }
        if (pid_ > 0) {
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

  private:
    pid_t pid_ = -1;
    int release_fd_ = -1;
    bool locked_ = false;
};

}  // namespace rozuduzod
