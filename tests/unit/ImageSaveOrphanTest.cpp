// A save killed at any moment leaves the target whole. The file it writes has
// no name until just before the rename, so only a save killed between the two
// calls leaves it behind, and the next save removes it.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "images/ImageFile.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

class ImageSaveOrphan : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "rovidada-orphan-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::vector<std::string> names() const
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder_))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }
    Bytes contentOf(const fs::path& path) const
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    fs::path folder_;
};

} // namespace

TEST_F(ImageSaveOrphan, ASaveKilledAtAnyMomentLeavesTheTargetWholeAndRarelyATemporaryFile)
{
    const fs::path target = folder_ / "image.bin";
    const Bytes old(1000, 0x11);
    const Bytes large(9'000'000, 0x22);
    int leftBehind = 0;
    for (const int delayUs : {0, 2000, 10000, 30000}) {
        SCOPED_TRACE(delayUs);
        ASSERT_TRUE(saveImageFile(target.string(), old).ok());
        ASSERT_EQ(names(), std::vector<std::string>{"image.bin"}) << "the save removes what a killed one left";
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                (void)saveImageFile(target.string(), large);
        }
        ::usleep(useconds_t(delayUs));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const Bytes now = contentOf(target);
        EXPECT_TRUE(now == old || now == large) << "torn: " << now.size() << " bytes";
        const std::vector<std::string> left = names();
        if (left.size() == 2) {
            ++leftBehind;
            EXPECT_EQ(left[0].rfind(".image.bin.", 0), 0u) << left[0];
        } else {
            EXPECT_EQ(left, std::vector<std::string>{"image.bin"});
        }
    }
    // A file named from the start would be left by nearly every kill.
    EXPECT_LE(leftBehind, 1);
}

TEST_F(ImageSaveOrphan, TheNextSaveRemovesATemporaryFileOfOurOwnLeftBehind)
{
    // As a save killed between naming its file and the rename leaves it.
    std::ofstream(folder_ / ".image.bin.Q7xk2P") << "stale";
    std::ofstream(folder_ / ".image.bin.keep") << "not ours";  // not six letters
    std::ofstream(folder_ / ".other.bin.Q7xk2P") << "another"; // another target's
    ASSERT_TRUE(saveImageFile((folder_ / "image.bin").string(), Bytes{1, 2, 3}).ok());
    EXPECT_EQ(names(), (std::vector<std::string>{".image.bin.keep", ".other.bin.Q7xk2P", "image.bin"}));
}
