// The built program as a production script runs it: several instances at once
// on simulated boards, two on one port, and Ctrl+C during a write. These run
// on the real clock, so their ranges are kept short.
#include <fcntl.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "CliTestSupport.h"

extern char** environ;

namespace {

// One run of the program, its output and errors in files of the test's folder.
class Program {
public:
    Program(const TempFolder& folder, const std::string& name, std::vector<std::string> arguments)
        : out_(folder.path(name + ".out")), err_(folder.path(name + ".err"))
    {
        arguments.insert(arguments.begin(), CLI_EXECUTABLE);
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&files, STDERR_FILENO, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        EXPECT_EQ(posix_spawn(&pid_, argv[0], &files, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&files);
    }
    ~Program()
    {
        if (pid_ > 0 && !finished_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    pid_t pid() const { return pid_; }
    // The exit status, or -1 when the program has not ended within the time
    // (it is then killed: a hang must not hold up the test run).
    int wait(std::chrono::milliseconds limit = std::chrono::seconds(60))
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        int status = 0;
        while (::waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > end)
                return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        finished_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::string out() const { return slurp(out_); }
    std::string err() const { return slurp(err_); }

private:
    static std::string slurp(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string out_;
    std::string err_;
    pid_t pid_ = -1;
    bool finished_ = false;
};

// Whether the process has the device open, as its descriptors show.
bool holds(pid_t pid, const std::string& device)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error))
        if (std::filesystem::read_symlink(entry.path(), error) == device)
            return true;
    return false;
}

} // namespace

TEST(CliProcesses, FourInstancesServeFourBoardsAtOnce)
{
    TempFolder folder;
    const std::vector<std::pair<std::string, std::string>> boards = {
        {"sim:HC12B@4MHz", "HC12B"},
        {"sim:HC912D60x@8MHz", "HC912D60x"},
        {"sim:MC9S12DT128@16MHz", "MC9S12DT128"},
        {"sim:MC9S12DBx@8MHz", "MC9S12DBx"},
    };
    std::vector<std::unique_ptr<Program>> programs;
    for (std::size_t i = 0; i < boards.size(); ++i)
        programs.push_back(std::make_unique<Program>(
            folder, "board" + std::to_string(i),
            std::vector<std::string>{"-p", boards[i].first, "-m", boards[i].second, "-n", "64", "--json", "read", "-o",
                                     folder.path("board" + std::to_string(i) + ".bin")}));
    for (std::size_t i = 0; i < programs.size(); ++i) {
        SCOPED_TRACE(boards[i].first);
        EXPECT_EQ(programs[i]->wait(), 0) << programs[i]->err();
        EXPECT_EQ(folder.read("board" + std::to_string(i) + ".bin"), Bytes(64, 0xFF)); // a fresh board is erased
        EXPECT_NE(programs[i]->out().find("\"device\": \"" + boards[i].first + "\""), std::string::npos)
            << programs[i]->out();
    }
}

TEST(CliProcesses, TheSecondInstanceOnAPortInUseFailsAtOnce)
{
    int master = -1, slave = -1;
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    const std::string device = ::ttyname(slave);
    ::close(slave);
    TempFolder folder;
    // Nothing answers on the pseudo-terminal: the first waits for a greeting
    // (flush, reset, 300 ms) while it holds the port.
    Program first(folder, "first", {"-p", device, "-m", "HC12B", "-c", "16", "connect"});
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!holds(first.pid(), device) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    Program second(folder, "second", {"-p", device, "-m", "HC12B", "-c", "16", "connect"});

    EXPECT_EQ(second.wait(), 4);
    EXPECT_EQ(second.err(), "Błąd: Niewłaściwa nazwa portu lub port jest aktywny.\n" + device +
                                ": port jest używany przez inny program\n");
    EXPECT_EQ(first.wait(), 5);
    EXPECT_EQ(first.err(), "Błąd: Nieudane połączenie z interfejsem\n");
    ::close(master);
}

TEST(CliProcesses, CtrlCDuringAWriteFinishesTheWordReleasesThePortAndSaysHowFar)
{
    TempFolder folder;
    folder.write("board.bin", patternBytes(768));
    // 384 words of about 150 ms each: a minute, unless interrupted.
    Program write(folder, "write", {"-p", "sim:HC12B", "-m", "HC12B", "-c", "16", "write", folder.path("board.bin")});
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ::kill(write.pid(), SIGINT);

    EXPECT_EQ(write.wait(std::chrono::seconds(10)), 130);
    const std::string err = write.err();
    EXPECT_NE(err.find("Zapisano  "), std::string::npos) << err;
    EXPECT_EQ(err.find("Zapisano  768"), std::string::npos) << err;
    EXPECT_NE(err.find("interrupted: stopped between two words, the port is released\n"), std::string::npos) << err;
}
