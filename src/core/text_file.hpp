#pragma once
// Text files by lines, as the fuel logs and the gas list are kept: a line ends at CR or CR LF, a
// lone LF is an ordinary byte, and a byte 0x1A ends the data. Reading takes a shared lock and
// writing an exclusive one, both without waiting: another program's lock fails with code 32.

#include <string>
#include <string_view>
#include <vector>

namespace rozuduzod {

// True when `path` names a regular file (a link to one included).
bool IsRegularFile(const std::string& path);

// The file error code for an operating system error `error_number` met on `path`.
int InOutCodeFromErrno(int error_number, const std::string& path);

class TextFileReader {
  public:
    // Opens for reading with a shared lock; EInOutError when that fails.
    explicit TextFileReader(const std::string& path);
    ~TextFileReader();
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;

    // True when no byte remains or the next byte is 0x1A.
    bool AtEnd();
    // The bytes up to the line end, which is skipped; an empty text at the end.
    std::string ReadLine();

  private:
    bool FillBuffer();  // false at the end of the file
    int PeekByte();     // -1 at the end of the file

    int fd_ = -1;
    std::string path_;
    std::vector<char> buffer_;
    size_t position_ = 0;  // the next byte to take from buffer_
    size_t filled_ = 0;    // the bytes of buffer_ that hold file data
    bool end_of_file_ = false;
};

// Writes a whole text file or nothing: lines go to a temporary file beside the destination,
// which replaces the destination only on Commit, when everything is written and synced.
class AtomicTextFileWriter {
  public:
    // Checks that the destination may be replaced, locks it and creates the temporary file;
    // EInOutError when any of that fails.
    explicit AtomicTextFileWriter(const std::string& destination);
    ~AtomicTextFileWriter();  // removes the temporary file unless committed
    AtomicTextFileWriter(const AtomicTextFileWriter&) = delete;
    AtomicTextFileWriter& operator=(const AtomicTextFileWriter&) = delete;

    // Appends `line` and CR LF.
    void WriteLine(std::string_view line);
    // Writes out, syncs and puts the file in the destination's place.
    void Commit();

  private:
    void LockExistingDestination();
    void CreateTemporary();
    void Flush();
    void CopyDestinationMode();  // the existing destination's permissions, or a new file's
    void ReplaceDestination();
    void Discard() noexcept;  // closes everything and removes the temporary file
    [[noreturn]] void Fail(int error_number, const std::string& path);

    std::string destination_;  // the file itself, links resolved
    std::string temporary_;    // empty once it replaced the destination or was removed
    int temporary_fd_ = -1;
    int destination_fd_ = -1;  // holds the lock on an existing destination
    std::string pending_;
};

}  // namespace rozuduzod
