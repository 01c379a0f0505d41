// Runs the built converter as a user's script would and checks what it prints, returns and writes.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lock_holder.hpp"
#include "shift_jis.hpp"

extern char** environ;

namespace rozuduzod {
namespace {

namespace fs = std::filesystem;

struct RunResult {
    int exit_code = -1;
    std::string out;
    std::string err;
};

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/rozuduzod-cli-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs the converter in the test's directory with the C locale (fallback day names).
    RunResult Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), ROZUDUZOD_CLI_PATH);
        std::vector<char*> argv;
        for (auto& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        std::vector<std::string> environment = {"LC_ALL=C", "LANG=C"};
        std::vector<char*> envp;
        for (auto& entry : environment) envp.push_back(entry.data());
        envp.push_back(nullptr);

        const fs::path out = dir_ / ".stdout", err = dir_ / ".stderr";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, dir_.c_str());
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        pid_t pid = 0;
        RunResult result;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        result.out = ReadBytes(out);
        result.err = ReadBytes(err);
        fs::remove(out);
        fs::remove(err);
        return result;
    }

    fs::path dir_;
};

// Two records: a full one dated before the tax change, and one whose line 4 is no number.
std::string SourceWithBadSecondRecord() {
    return Sjis(
        "1997\r\n3\r\n31\r\n412\r\n25\r\n1\r\n2\r\n2575\r\n0\r\n"
        "1998\r\n5\r\n17\r\n35,2\r\n");
}

TEST_F(CliTest, ConvertsTheSampleAsTheWindowSaves) {
    RunResult result = Run(
        {"-g", ROZUDUZOD_EXAMPLES_DIR "/gas.dat", ROZUDUZOD_EXAMPLES_DIR "/Ruviz.dat", "out.dat"});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ReadBytes(dir_ / "out.dat"),
              ReadBytes(ROZUDUZOD_EXAMPLES_DIR "/Diraz00.expected.dat"));
}

TEST_F(CliTest, DefaultsToDiraz00AndGasListOfCurrentDirectory) {
    WriteBytes(dir_ / "gas.dat", Sjis("中央通り\r\n"));
    WriteBytes(dir_ / "Ruviz.dat",
               Sjis("1998\r\n5\r\n17\r\n350.5\r\n30\r\n1\r\n1\r\n3000\r\n0\r\n"));
    RunResult result = Run({"-w", "曇り", "Ruviz.dat"});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(ReadBytes(dir_ / "Diraz00.dat"),
              Sjis("[DirazData]\r\nDataCount=1\r\n"
                   "001=0,1998/05/17,Sun,  :  ,曇り,350.5,,30.00,11.68,3000,95,レギュラー,"
                   "中央通り,\r\n"));
}

TEST_F(CliTest, ListsTheGridInUtf8WithEscapes) {
    WriteBytes(dir_ / "gas.dat", Sjis("A\tB\\C\r\n"));
    WriteBytes(dir_ / "log.dat", Sjis("1998\r\n5\r\n17\r\n350.5\r\n30\r\n1\r\n3\r\n3000\r\n0\r\n"));
    RunResult result = Run({"--list", "log.dat"});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out,
              "No\t年\t月\t日\t距離\t給油量\tガソリン\tスタンド\t金額\t燃費\n"
              "1\t1998\t5\t17\t 350.5\t 30.00\tA\\tB\\\\C\t軽油\t3000\t11.68\n");
    EXPECT_FALSE(fs::exists(dir_ / "Diraz00.dat"));
}

TEST_F(CliTest, ListShowsInvalidBytesAsReplacementCharacter) {
    WriteBytes(dir_ / "log.dat", std::string("\x82\r\n", 3));
    RunResult result = Run({"--list", "log.dat"});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out.substr(result.out.find('\n') + 1), "1\t\xEF\xBF\xBD\t\t\t\t\t\t\t\t\n");
}

TEST_F(CliTest, ListPrintsRowsReadBeforeAnError) {
    WriteBytes(dir_ / "log.dat", SourceWithBadSecondRecord());
    RunResult result = Run({"--list", "log.dat"});
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.out,
              "No\t年\t月\t日\t距離\t給油量\tガソリン\tスタンド\t金額\t燃費\n"
              "1\t1997\t3\t31\t 412.0\t 25.00\t\tハイオク\t2575\t16.48\n"
              "2\t1998\t5\t17\t\t\t\t\t\t\n");
    EXPECT_EQ(result.err, "rozuduzod-cli: '35,2' は浮動小数点数ではありません.\n");
}

TEST_F(CliTest, ConversionErrorLeavesDestinationUntouched) {
    WriteBytes(dir_ / "log.dat", SourceWithBadSecondRecord());
    WriteBytes(dir_ / "Diraz00.dat", "earlier");
    RunResult result = Run({"log.dat"});
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "rozuduzod-cli: '35,2' は浮動小数点数ではありません.\n");
    EXPECT_EQ(ReadBytes(dir_ / "Diraz00.dat"), "earlier");
}

struct FailureCase {
    std::vector<std::string> arguments;
    std::string message;
};

class CliFailureTest : public CliTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CliFailureTest, PrintsOneLineAndExitsWithOne) {
    WriteBytes(dir_ / "log.dat", Sjis("1998\r\n5\r\n17\r\n350.5\r\n30\r\n1\r\n1\r\n3000\r\n0\r\n"));
    RunResult result = Run(GetParam().arguments);
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.err, "rozuduzod-cli: " + GetParam().message + "\n");
    EXPECT_FALSE(fs::exists(dir_ / "Diraz00.dat"));
}

INSTANTIATE_TEST_SUITE_P(
    Errors, CliFailureTest,
    ::testing::Values(FailureCase{{"missing.dat"}, "ﾌｧｲﾙが見つかりません."},
                      FailureCase{{"-g", "nogas.dat", "log.dat"}, "ﾌｧｲﾙが見つかりません."},
                      FailureCase{{"no/such/dir/log.dat"}, "不正なﾌｧｲﾙ名です."},
                      FailureCase{{"-w", "晴れ\xF0\x9F\x98\x80", "log.dat"},
                                  "天気に Shift-JIS で表せない文字があります."},
                      FailureCase{{"-w", "晴れ,曇り", "log.dat"},
                                  "'晴れ,曇り' にはｶﾝﾏや改行を含められません."}));

class CliUsageTest : public CliTest,
                     public ::testing::WithParamInterface<std::vector<std::string>> {};

TEST_P(CliUsageTest, PrintsUsageAndExitsWithTwo) {
    RunResult result = Run(GetParam());
    EXPECT_EQ(result.exit_code, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("rozuduzod-cli: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find("usage: rozuduzod-cli"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    WrongUsage, CliUsageTest,
    ::testing::Values(std::vector<std::string>{}, std::vector<std::string>{"-x", "log.dat"},
                      std::vector<std::string>{"log.dat", "out.dat", "third.dat"},
                      std::vector<std::string>{"log.dat", "-w"},
                      std::vector<std::string>{"--list", "log.dat", "out.dat"},
                      std::vector<std::string>{"--list", "-w", "雨", "log.dat"},
                      std::vector<std::string>{"--help", "log.dat"},
                      std::vector<std::string>{"--help", "--version"}));

TEST_F(CliTest, HelpAndVersionGoToStandardOutput) {
    RunResult help = Run({"--help"});
    EXPECT_EQ(help.exit_code, 0);
    for (const char* word : {"--weather", "--gas", "--list", "--version", "DataCount="}) {
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    }
    RunResult version = Run({"--version"});
    EXPECT_EQ(version.exit_code, 0);
    EXPECT_EQ(version.out, "rozuduzod-cli " ROZUDUZOD_VERSION "\n");
}

TEST_F(CliTest, DoubleDashEndsOptions) {
    WriteBytes(dir_ / "-log.dat",
               Sjis("1998\r\n5\r\n17\r\n350.5\r\n30\r\n1\r\n1\r\n3000\r\n0\r\n"));
    RunResult result = Run({"--", "-log.dat"});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_TRUE(fs::exists(dir_ / "Diraz00.dat"));
}

TEST_F(CliTest, SourceLockedByAnotherProgramFailsWithCode32) {
    WriteBytes(dir_ / "log.dat", "1998\r\n");
    LockHolder writer((dir_ / "log.dat").string(), LOCK_EX);
    ASSERT_TRUE(writer.Locked());
    RunResult result = Run({"log.dat"});
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.err, "rozuduzod-cli: I/O ｴﾗｰ (32)\n");
}

}  // namespace
}  // namespace rozuduzod
