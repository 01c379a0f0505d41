#include "text_file.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "errors.hpp"

namespace rozuduzod {
namespace {

constexpr size_t kChunkSize = size_t{64} * 1024;
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kEndOfData = '\x1A';

// As many links as the system itself follows before it gives up with ELOOP.
constexpr int kMaxLinkDepth = 40;

// The temporary file's name repeats the start of the destination's name, so that a leftover
// after a crash shows what it belonged to, and stays within the length a name may have.
constexpr size_t kNameInTemporary = 64;

// Operating system errors without a code of their own are numbered from here: above every code
// the file error messages are written for (2 to 106), so such a failure always shows its number
// and never the message of another cause.
constexpr int kUnmappedErrorBase = 1000;

[[noreturn]] void ThrowInOut(int error_number, const std::string& path) {
    throw EInOutError(InOutCodeFromErrno(error_number, path));
}

void CloseQuietly(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

std::string ParentDirectory(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameInDirectory(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);  // npos + 1 is the whole path
}

bool IsDirectory(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string ReadLinkTarget(const std::string& link) {
    std::string target(256, '\0');
    for (;;) {
        ssize_t length = readlink(link.c_str(), target.data(), target.size());
        if (length < 0) {
            ThrowInOut(errno, link);
        }
        if (static_cast<size_t>(length) < target.size()) {
            target.resize(length);
            return target;
        }
        target.resize(target.size() * 2);  // the target may have been cut off
    }
}

// The file that saving to `path` must replace: links followed to their end, a dangling link to
// the path it names, so that the link itself stays as it is.
std::string ResolveLinks(const std::string& path) {
    std::string resolved = path;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat status;
        if (lstat(resolved.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return resolved;
        }
        std::string target = ReadLinkTarget(resolved);
        if (target.starts_with('/')) {
            resolved = std::move(target);
        } else {
            resolved = ParentDirectory(resolved).append("/").append(target);
        }
    }
    ThrowInOut(ELOOP, path);
}

// Writes all of `bytes`, going on after a partial write; false, with errno set, on failure.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// The permissions of a newly created file. The file mode mask can only be read by setting it,
// so it is set back at once.
mode_t NewFileMode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// 0, or the errno of a failed sync, which makes a rename in the directory durable.
int SyncDirectory(const std::string& directory) {
    int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    int error = fsync(fd) == 0 ? 0 : errno;
    close(fd);
    return error;
}

// The error that keeps an opened file from being read as a text file, or 0: a directory, or
// another program's lock on the file.
int ReadableFileProblem(int fd) {
    struct stat status;
    if (fstat(fd, &status) != 0) {
        return errno;
    }
    if (S_ISDIR(status.st_mode)) {
        return EISDIR;
    }
    return flock(fd, LOCK_SH | LOCK_NB) == 0 ? 0 : errno;
}

}  // namespace

bool IsRegularFile(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

int InOutCodeFromErrno(int error_number, const std::string& path) {
    switch (error_number) {
        case ENOENT:
            return IsDirectory(ParentDirectory(path)) ? io_code::kFileNotFound
                                                      : io_code::kPathNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
            return io_code::kPathNotFound;
        case EMFILE:
        case ENFILE:
            return io_code::kTooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
            return io_code::kAccessDenied;
        case EWOULDBLOCK:  // the same number as EAGAIN: a lock another program holds
        case ETXTBSY:
            return io_code::kSharingViolation;
        case ENOSPC:
        case EDQUOT:
            return io_code::kDiskFull;
        default:
            return kUnmappedErrorBase + error_number;
    }
}

TextFileReader::TextFileReader(const std::string& path) : path_(path), buffer_(kChunkSize) {
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        ThrowInOut(errno, path);
    }
    if (int error = ReadableFileProblem(fd_); error != 0) {
        CloseQuietly(fd_);
        ThrowInOut(error, path);
    }
}

TextFileReader::~TextFileReader() { CloseQuietly(fd_); }

bool TextFileReader::AtEnd() {
    int next = PeekByte();
    return next < 0 || next == kEndOfData;
}

std::string TextFileReader::ReadLine() {
    std::string line;
    while (FillBuffer()) {
        const char* begin = buffer_.data() + position_;
        const char* end = buffer_.data() + filled_;
        const char* stop = std::find_if(
            begin, end, [](char byte) { return byte == kCarriageReturn || byte == kEndOfData; });
        line.append(begin, stop);
        position_ += stop - begin;
        if (stop == end) {
            continue;
        }
        if (*stop == kCarriageReturn) {
            ++position_;
            if (PeekByte() == kLineFeed) {
                ++position_;
            }
        }
        return line;  // a 0x1A stays unread, so the end-of-file test holds from now on
    }
    return line;
}

bool TextFileReader::FillBuffer() {
    if (position_ < filled_) {
        return true;
    }
    if (end_of_file_) {
        return false;
    }
    ssize_t count;
    do {
        count = read(fd_, buffer_.data(), buffer_.size());
    } while (count < 0 && errno == EINTR);
    if (count < 0) {
        ThrowInOut(errno, path_);
    }
    position_ = 0;
    filled_ = count;
    end_of_file_ = count == 0;
    return !end_of_file_;
}

int TextFileReader::PeekByte() {
    return FillBuffer() ? static_cast<unsigned char>(buffer_[position_]) : -1;
}

AtomicTextFileWriter::AtomicTextFileWriter(const std::string& destination)
    : destination_(ResolveLinks(destination)) {
    LockExistingDestination();
    CreateTemporary();
}

AtomicTextFileWriter::~AtomicTextFileWriter() { Discard(); }

void AtomicTextFileWriter::WriteLine(std::string_view line) {
    pending_.append(line);
    pending_.append("\r\n");
    if (pending_.size() >= kChunkSize) {
        Flush();
    }
}

void AtomicTextFileWriter::Commit() {
    Flush();
    CopyDestinationMode();
    if (fsync(temporary_fd_) != 0) {
        Fail(errno, destination_);
    }
    ReplaceDestination();
    int error = SyncDirectory(ParentDirectory(destination_));
    if (error != 0) {
        ThrowInOut(error, destination_);
    }
}

void AtomicTextFileWriter::LockExistingDestination() {
    struct stat status;
    if (stat(destination_.c_str(), &status) != 0) {
        if (errno == ENOENT) {
            return;  // a new file; a missing directory shows when the temporary file is made
        }
        Fail(errno, destination_);
    }
    // Only a regular file is replaced. A file without any write permission is kept as it is
    // even for a user whom the system would let write it.
    if (!S_ISREG(status.st_mode) || (status.st_mode & 0222) == 0) {
        Fail(EACCES, destination_);
    }
    destination_fd_ = open(destination_.c_str(), O_RDONLY | O_CLOEXEC);
    if (destination_fd_ < 0 || flock(destination_fd_, LOCK_EX | LOCK_NB) != 0) {
        Fail(errno, destination_);
    }
}

void AtomicTextFileWriter::CreateTemporary() {
    std::string name = NameInDirectory(destination_).substr(0, kNameInTemporary);
    std::string pattern = ParentDirectory(destination_) + "/." + name + ".XXXXXX";
    temporary_fd_ = mkostemp(pattern.data(), O_CLOEXEC);
    if (temporary_fd_ < 0) {
        Fail(errno, destination_);
    }
    temporary_ = pattern;
}

void AtomicTextFileWriter::Flush() {
    if (!WriteAll(temporary_fd_, pending_)) {
        Fail(errno, destination_);
    }
    pending_.clear();
}

void AtomicTextFileWriter::CopyDestinationMode() {
    mode_t mode = NewFileMode();
    if (destination_fd_ >= 0) {
        struct stat status;
        if (fstat(destination_fd_, &status) != 0) {
            Fail(errno, destination_);
        }
        mode = status.st_mode & 07777;
    }
    if (fchmod(temporary_fd_, mode) != 0) {
        Fail(errno, destination_);
    }
}

void AtomicTextFileWriter::ReplaceDestination() {
    int fd = std::exchange(temporary_fd_, -1);
    if (close(fd) != 0) {
        Fail(errno, destination_);
    }
    if (rename(temporary_.c_str(), destination_.c_str()) != 0) {
        Fail(errno, destination_);
    }
    temporary_.clear();
    CloseQuietly(destination_fd_);  // the lock on the replaced file is no longer needed
}

void AtomicTextFileWriter::Discard() noexcept {
    CloseQuietly(temporary_fd_);
    if (!temporary_.empty()) {
        unlink(temporary_.c_str());
        temporary_.clear();
    }
    CloseQuietly(destination_fd_);
}

void AtomicTextFileWriter::Fail(int error_number, const std::string& path) {
    Discard();
    ThrowInOut(error_number, path);
}

}  // namespace rozuduzod
