#include "text_file.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "errors.hpp"
#include "lock_holder.hpp"
#include "shift_jis.hpp"

namespace rozuduzod {
namespace {

// A fresh directory for each test.
class TextFileTest : public ::testing::Test {
  public:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "/text_file_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        directory_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(directory_); }

    std::string PathOf(const std::string& name) const { return directory_ + "/" + name; }

    void WriteBytes(const std::string& name, const std::string& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
    }

    std::string ReadBytes(const std::string& name) const {
        std::ifstream in(PathOf(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    void MakeDirectory(const std::string& name) const {
        std::filesystem::create_directory(PathOf(name));
    }

    void MakeLink(const std::string& name, const std::string& target) const {
        std::filesystem::create_symlink(target, PathOf(name));
    }

    // The names in the directory (and its subdirectories), sorted; temporary files show here.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(directory_)) {
            names.push_back(entry.path().lexically_relative(directory_).string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    mode_t ModeOf(const std::string& name) const {
        struct stat status {};
        stat(PathOf(name).c_str(), &status);
        return status.st_mode & 07777;
    }

    void Save(const std::string& name, const std::vector<std::string>& lines) const {
        AtomicTextFileWriter file(PathOf(name));
        for (const std::string& line : lines) {
            file.WriteLine(line);
        }
        file.Commit();
    }

  private:
    std::string directory_;
};

// The file error code of `action`, 0 when it succeeds.
int CodeOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EInOutError& error) {
        return error.Code();
    }
    return 0;
}

std::vector<std::string> ReadAllLines(const std::string& path) {
    TextFileReader file(path);
    std::vector<std::string> lines;
    while (!file.AtEnd()) {
        lines.push_back(file.ReadLine());
    }
    EXPECT_EQ(file.ReadLine(), "") << "reading at the end gives an empty text";
    EXPECT_TRUE(file.AtEnd());
    return lines;
}

// --- Reading by lines ---

struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

void PrintTo(const ReadCase& test_case, std::ostream* out) { *out << test_case.name; }

class ReadLinesTest : public TextFileTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadLinesTest, SplitsAtCrOrCrLfAndStopsAtCtrlZ) {
    WriteBytes("in.dat", GetParam().bytes);
    EXPECT_EQ(ReadAllLines(PathOf("in.dat")), GetParam().lines);
}

// A chunk of the reader's buffer is 64 KiB: this line's CR is the chunk's last byte and its LF
// the next chunk's first.
const std::string kLineBeforeChunkEnd(64 * 1024 - 1, 'x');
const std::string kLongLine(200000, 'y');

INSTANTIATE_TEST_SUITE_P(
    Files, ReadLinesTest,
    ::testing::Values(
        ReadCase{"Cr", "a\rb\r", {"a", "b"}}, ReadCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
        ReadCase{"LfOnlyIsOneLine", "a\nb\n", {"a\nb\n"}},
        ReadCase{"Mixed", "a\r\nb\rc\nd\r\n", {"a", "b", "c\nd"}},
        ReadCase{"LfBeforeCrStaysInLine", "a\n\rb", {"a\n", "b"}},
        ReadCase{"CrThenCrLfIsEmptyLine", "a\r\r\n", {"a", ""}},
        ReadCase{"CtrlZInsideLine",
                 "ab\x1A"
                 "cd\r\nef\r\n",
                 {"ab"}},
        ReadCase{"CtrlZFirstByte",
                 "\x1A"
                 "abc\r\n",
                 {}},
        ReadCase{"CtrlZAfterLineEnd", "a\r\n\x1A", {"a"}},
        ReadCase{"LastLineWithoutLineEnd", "a\r\nb", {"a", "b"}},
        ReadCase{"FinalLineEndAddsNoLine", "a\r\n", {"a"}},
        ReadCase{"ExtraLineEndAddsEmptyLine", "a\r\n\r\n", {"a", ""}},
        ReadCase{"OnlyLineEnd", "\r\n", {""}}, ReadCase{"EmptyFile", "", {}},
        ReadCase{"NulBytesKept", std::string("a\0b\r\n\0", 6), {std::string("a\0b", 3), {"\0", 1}}},
        ReadCase{"CrLfAcrossChunks", kLineBeforeChunkEnd + "\r\nz", {kLineBeforeChunkEnd, "z"}},
        ReadCase{"LineLongerThanChunk", kLongLine + "\r\nz\r\n", {kLongLine, "z"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct OpenFailureCase {
    const char* name;
    const char* path;
    int code;
};

void PrintTo(const OpenFailureCase& test_case, std::ostream* out) { *out << test_case.name; }

class ReaderOpenFailureTest : public TextFileTest,
                              public ::testing::WithParamInterface<OpenFailureCase> {};

TEST_P(ReaderOpenFailureTest, GivesCodeOfCause) {
    WriteBytes("file.dat", "a\r\n");
    MakeDirectory("folder.dat");
    MakeLink("dangling.dat", "missing.dat");
    EXPECT_EQ(CodeOf([&] { TextFileReader file(PathOf(GetParam().path)); }), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ReaderOpenFailureTest,
    ::testing::Values(OpenFailureCase{"MissingFile", "missing.dat", io_code::kFileNotFound},
                      OpenFailureCase{"MissingDirectory", "missing/in.dat", io_code::kPathNotFound},
                      OpenFailureCase{"FileAsDirectory", "file.dat/in.dat", io_code::kPathNotFound},
                      OpenFailureCase{"Directory", "folder.dat", io_code::kAccessDenied},
                      OpenFailureCase{"DanglingLink", "dangling.dat", io_code::kFileNotFound}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextFileTest, ReaderMeetsWritingProgramWithCode32) {
    WriteBytes("in.dat", "a\r\n");
    LockHolder writer(PathOf("in.dat"), LOCK_EX);
    ASSERT_TRUE(writer.Locked());
    try {
        TextFileReader file(PathOf("in.dat"));
        FAIL() << "opened a file another program writes";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Code(), io_code::kSharingViolation);
        EXPECT_EQ(error.Message(), Sjis("I/O ｴﾗｰ (32)"));
    }
    writer.Release();
    EXPECT_EQ(ReadAllLines(PathOf("in.dat")), std::vector<std::string>{"a"});
}

TEST_F(TextFileTest, ReaderSharesFileWithOtherReaders) {
    WriteBytes("in.dat", "a\r\n");
    LockHolder reader(PathOf("in.dat"), LOCK_SH);
    ASSERT_TRUE(reader.Locked());
    EXPECT_EQ(ReadAllLines(PathOf("in.dat")), std::vector<std::string>{"a"});
}

// --- Atomic writing ---

TEST_F(TextFileTest, WriterEndsEveryLineWithCrLf) {
    // Enough lines to be written out in several chunks before the commit.
    std::vector<std::string> lines = {"a", "", std::string("x\0y", 3), "\x82\xA0"};
    for (int number = 0; number < 20000; ++number) {
        lines.push_back("line " + std::to_string(number));
    }
    Save("out.dat", lines);

    std::string expected;
    for (const std::string& line : lines) {
        expected += line + "\r\n";
    }
    EXPECT_EQ(ReadBytes("out.dat"), expected);
    EXPECT_EQ(Entries(), std::vector<std::string>{"out.dat"});
}

TEST_F(TextFileTest, UncommittedSaveLeavesNewDestinationAbsent) {
    {
        AtomicTextFileWriter file(PathOf("out.dat"));
        file.WriteLine("a");
    }
    EXPECT_EQ(Entries(), std::vector<std::string>{});
}

TEST_F(TextFileTest, ExistingDestinationChangesOnlyOnCommit) {
    WriteBytes("out.dat", "old\r\n");
    {
        AtomicTextFileWriter file(PathOf("out.dat"));
        file.WriteLine("dropped");
    }
    EXPECT_EQ(ReadBytes("out.dat"), "old\r\n");

    AtomicTextFileWriter file(PathOf("out.dat"));
    file.WriteLine("new");
    EXPECT_EQ(ReadBytes("out.dat"), "old\r\n");
    file.Commit();
    EXPECT_EQ(ReadBytes("out.dat"), "new\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"out.dat"});
}

struct RefusedSaveCase {
    const char* name;
    std::function<void(const TextFileTest&)> prepare;
    const char* destination;
    int code;
};

void PrintTo(const RefusedSaveCase& test_case, std::ostream* out) { *out << test_case.name; }

class RefusedSaveTest : public TextFileTest,
                        public ::testing::WithParamInterface<RefusedSaveCase> {};

TEST_P(RefusedSaveTest, FailsWithCodeAndChangesNothing) {
    WriteBytes("other.dat", "other\r\n");
    GetParam().prepare(*this);
    std::vector<std::string> entries_before = Entries();

    EXPECT_EQ(CodeOf([&] { AtomicTextFileWriter file(PathOf(GetParam().destination)); }),
              GetParam().code);
    EXPECT_EQ(Entries(), entries_before);
    EXPECT_EQ(ReadBytes("other.dat"), "other\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Destinations, RefusedSaveTest,
    ::testing::Values(RefusedSaveCase{"Directory",
                                      [](const TextFileTest& test) {
                                          test.MakeDirectory("out.dat");
                                      },
                                      "out.dat", io_code::kAccessDenied},
                      RefusedSaveCase{"LinkToDirectory",
                                      [](const TextFileTest& test) {
                                          test.MakeDirectory("folder");
                                          test.MakeLink("out.dat", "folder");
                                      },
                                      "out.dat", io_code::kAccessDenied},
                      RefusedSaveCase{"MissingDirectory", [](const TextFileTest&) {},
                                      "missing/out.dat", io_code::kPathNotFound},
                      RefusedSaveCase{"FileAsDirectory", [](const TextFileTest&) {},
                                      "other.dat/out.dat", io_code::kPathNotFound}),
    [](const auto& info) { return std::string(info.param.name); });

// Only the mode bits decide, so a read-only file is kept even for the superuser.
TEST_F(TextFileTest, ReadOnlyDestinationIsRefusedAndKept) {
    WriteBytes("out.dat", "old\r\n");
    chmod(PathOf("out.dat").c_str(), 0444);
    EXPECT_EQ(CodeOf([&] { AtomicTextFileWriter file(PathOf("out.dat")); }),
              io_code::kAccessDenied);
    EXPECT_EQ(ReadBytes("out.dat"), "old\r\n");
    EXPECT_EQ(ModeOf("out.dat"), 0444u);
    EXPECT_EQ(Entries(), std::vector<std::string>{"out.dat"});
}

TEST_F(TextFileTest, SaveThroughLinkReplacesTargetAndKeepsLink) {
    WriteBytes("target.dat", "old\r\n");
    MakeDirectory("sub");
    MakeLink("sub/first.dat", "second.dat");  // relative to the link's own directory
    MakeLink("sub/second.dat", "../target.dat");

    Save("sub/first.dat", {"new"});

    EXPECT_EQ(ReadBytes("target.dat"), "new\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("sub/first.dat")));
    EXPECT_EQ(std::filesystem::read_symlink(PathOf("sub/second.dat")), "../target.dat");
    EXPECT_EQ(Entries(),
              (std::vector<std::string>{"sub", "sub/first.dat", "sub/second.dat", "target.dat"}));
}

TEST_F(TextFileTest, SaveThroughDanglingLinkCreatesTarget) {
    MakeLink("link.dat", "target.dat");
    Save("link.dat", {"new"});
    EXPECT_EQ(ReadBytes("target.dat"), "new\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("link.dat")));
}

TEST_F(TextFileTest, ReplacementKeepsDestinationMode) {
    WriteBytes("out.dat", "old\r\n");
    chmod(PathOf("out.dat").c_str(), 0640);
    Save("out.dat", {"new"});
    EXPECT_EQ(ModeOf("out.dat"), 0640u);
}

TEST_F(TextFileTest, NewFileGetsModeOfFileMask) {
    mode_t mask = umask(0);
    umask(mask);
    Save("out.dat", {"new"});
    EXPECT_EQ(ModeOf("out.dat"), 0666u & ~mask);
}

TEST_F(TextFileTest, SaveOverFileReadByAnotherProgramFailsWithCode32) {
    WriteBytes("out.dat", "old\r\n");
    LockHolder reader(PathOf("out.dat"), LOCK_SH);
    ASSERT_TRUE(reader.Locked());

    EXPECT_EQ(CodeOf([&] { Save("out.dat", {"new"}); }), io_code::kSharingViolation);
    EXPECT_EQ(ReadBytes("out.dat"), "old\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"out.dat"});

    reader.Release();
    Save("out.dat", {"new"});  // a save after a failed save
    EXPECT_EQ(ReadBytes("out.dat"), "new\r\n");
}

TEST_F(TextFileTest, DestinationIsLockedWhileSaving) {
    WriteBytes("out.dat", "old\r\n");
    {
        AtomicTextFileWriter file(PathOf("out.dat"));
        EXPECT_EQ(CodeOf([&] { TextFileReader reader(PathOf("out.dat")); }),
                  io_code::kSharingViolation);
        EXPECT_EQ(CodeOf([&] { AtomicTextFileWriter second(PathOf("out.dat")); }),
                  io_code::kSharingViolation);
    }
    EXPECT_EQ(ReadAllLines(PathOf("out.dat")), std::vector<std::string>{"old"});
    Save("out.dat", {"new"});
    EXPECT_EQ(ReadAllLines(PathOf("out.dat")), std::vector<std::string>{"new"});
}

// --- Every path closes its files ---

size_t OpenFileCount() {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                         std::filesystem::directory_iterator());
}

TEST_F(TextFileTest, FilesAreClosedOnEveryPath) {
    WriteBytes("in.dat", "a\r\nb\r\n");
    WriteBytes("read_only.dat", "old\r\n");
    chmod(PathOf("read_only.dat").c_str(), 0444);
    MakeDirectory("folder.dat");
    size_t open_before = OpenFileCount();

    ReadAllLines(PathOf("in.dat"));
    {
        TextFileReader half_read(PathOf("in.dat"));
        half_read.ReadLine();
    }
    CodeOf([&] { TextFileReader file(PathOf("folder.dat")); });
    CodeOf([&] { TextFileReader file(PathOf("missing.dat")); });
    Save("in.dat", {"c"});
    {
        AtomicTextFileWriter uncommitted(PathOf("in.dat"));
        uncommitted.WriteLine("d");
    }
    CodeOf([&] { Save("read_only.dat", {"e"}); });
    CodeOf([&] { Save("folder.dat", {"e"}); });
    CodeOf([&] { Save("missing/out.dat", {"e"}); });
    {
        LockHolder reader(PathOf("in.dat"), LOCK_SH);
        CodeOf([&] { Save("in.dat", {"e"}); });
    }

    EXPECT_EQ(OpenFileCount(), open_before);
}

// --- Error codes ---

struct ErrnoCase {
    int error_number;
    int code;
};

class InOutCodeTest : public ::testing::TestWithParam<ErrnoCase> {};

TEST_P(InOutCodeTest, MapsErrorToCodeOfSameMeaning) {
    EXPECT_EQ(InOutCodeFromErrno(GetParam().error_number, "/"), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, InOutCodeTest,
    ::testing::Values(ErrnoCase{ENOTDIR, 3}, ErrnoCase{ENAMETOOLONG, 3}, ErrnoCase{EMFILE, 4},
                      ErrnoCase{ENFILE, 4}, ErrnoCase{EACCES, 5}, ErrnoCase{EPERM, 5},
                      ErrnoCase{EISDIR, 5}, ErrnoCase{EROFS, 5}, ErrnoCase{EWOULDBLOCK, 32},
                      ErrnoCase{EAGAIN, 32}, ErrnoCase{ETXTBSY, 32}, ErrnoCase{ENOSPC, 101},
                      ErrnoCase{EDQUOT, 101},
                      // Errors without a code of their own never take the message of another.
                      ErrnoCase{EIO, 1000 + EIO}, ErrnoCase{EBADF, 1000 + EBADF},
                      ErrnoCase{ELOOP, 1000 + ELOOP}));

TEST_F(TextFileTest, MissingFileCodeDependsOnItsDirectory) {
    EXPECT_EQ(InOutCodeFromErrno(ENOENT, PathOf("missing.dat")), io_code::kFileNotFound);
    EXPECT_EQ(InOutCodeFromErrno(ENOENT, PathOf("missing/out.dat")), io_code::kPathNotFound);
}

TEST_F(TextFileTest, IsRegularFileTakesOnlyFiles) {
    WriteBytes("file.dat", "");
    MakeDirectory("folder.dat");
    MakeLink("link.dat", "file.dat");
    EXPECT_TRUE(IsRegularFile(PathOf("file.dat")));
    EXPECT_TRUE(IsRegularFile(PathOf("link.dat")));
    EXPECT_FALSE(IsRegularFile(PathOf("folder.dat")));
    EXPECT_FALSE(IsRegularFile(PathOf("missing.dat")));
}

}  // namespace
}  // namespace rozuduzod
