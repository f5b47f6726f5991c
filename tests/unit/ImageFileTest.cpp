#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "images/ImageFile.h"

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes randomBytes(std::size_t count, unsigned seed)
{
    std::mt19937 generator(seed);
    Bytes bytes(count);
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(generator());
    return bytes;
}

void writeFile(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

Bytes readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A sparse file of `size` bytes: cheap whatever its size.
void makeSparseFile(const fs::path& path, off_t size)
{
    writeFile(path, {});
    ASSERT_EQ(::truncate(path.c_str(), size), 0);
}

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t permissionsOf(const fs::path& path)
{
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0);
    return st.st_mode & 07777;
}

class ImageFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "rovidada-files-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override
    {
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder_);
    }
    fs::path at(const char* name) const { return folder_ / name; }

    fs::path folder_;
};

} // namespace

TEST_F(ImageFileTest, LoadsEveryByteOfFilesOfAnySize)
{
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{17}, std::size_t{1} << 20}) {
        const Bytes bytes = randomBytes(size, static_cast<unsigned>(size));
        writeFile(at("image.bin"), bytes);
        const ImageLoad load = loadImageFile(at("image.bin"));
        ASSERT_TRUE(load.ok()) << size << ": " << load.reason;
        EXPECT_EQ(load.fileSize, size);
        EXPECT_TRUE(load.bytes == bytes) << "bytes differ for a file of " << size;
    }
}

TEST_F(ImageFileTest, LoadRefusesWhatIsNoImageFile)
{
    ASSERT_EQ(::mkfifo(at("pipe").c_str(), 0600), 0);
    fs::create_directory(at("folder"));
    const struct {
        const char* name;
        ImageFileFailure failure;
    } cases[] = {
        {"missing.bin", ImageFileFailure::CannotOpen},
        {"folder", ImageFileFailure::NotRegularFile},
        {"pipe", ImageFileFailure::NotRegularFile}, // and opening it does not wait for a writer
    };
    for (const auto& c : cases) {
        const ImageLoad load = loadImageFile(at(c.name));
        EXPECT_EQ(load.failure, c.failure) << c.name;
        EXPECT_FALSE(load.reason.empty()) << c.name;
        EXPECT_TRUE(load.bytes.empty()) << c.name;
    }
    EXPECT_EQ(loadImageFile("/dev/zero").failure, ImageFileFailure::NotRegularFile);
}

TEST_F(ImageFileTest, TenMillionBytesAreRefusedBeforeAnyIsRead)
{
    makeSparseFile(at("huge.bin"), 10'000'000);
    bool readStarted = false;
    const ImageLoad load = loadImageFile(at("huge.bin"), [&](int) { readStarted = true; });
    EXPECT_EQ(load.failure, ImageFileFailure::TooLarge);
    EXPECT_EQ(load.fileSize, 10'000'000u);
    EXPECT_FALSE(readStarted);
    EXPECT_TRUE(load.bytes.empty());

    makeSparseFile(at("largest.bin"), 9'999'999);
    const ImageLoad largest = loadImageFile(at("largest.bin"));
    ASSERT_TRUE(largest.ok()) << largest.reason;
    EXPECT_EQ(largest.bytes.size(), 9'999'999u);
}

TEST_F(ImageFileTest, AFileThatShrinksWhileItIsReadLoadsNothing)
{
    writeFile(at("shrinking.bin"), randomBytes(100, 7));
    const fs::path path = at("shrinking.bin");
    // Another program cuts the file after its size was taken.
    const ImageLoad load = loadImageFile(path, [&](int) { ASSERT_EQ(::truncate(path.c_str(), 40), 0); });
    EXPECT_EQ(load.failure, ImageFileFailure::ReadFailed);
    EXPECT_EQ(load.fileSize, 100u);
    EXPECT_TRUE(load.bytes.empty()) << "40 read bytes and 60 zeros must not pass for the file";
}

TEST_F(ImageFileTest, SavesExactlyTheBytesGivenAsANewFile)
{
    const mode_t previousMask = ::umask(027);
    for (std::size_t size : {std::size_t{0}, std::size_t{20}, std::size_t{65536}}) {
        const Bytes bytes = randomBytes(size, 3);
        const ImageSave save = saveImageFile(at("out.bin"), bytes);
        ASSERT_TRUE(save.ok()) << size << ": " << save.reason;
        EXPECT_TRUE(readFile(at("out.bin")) == bytes) << size;
        EXPECT_EQ(namesIn(folder_), std::vector<std::string>{"out.bin"}) << "a temporary file was left";
        fs::remove(at("out.bin"));
    }
    ASSERT_TRUE(saveImageFile(at("fresh.bin"), Bytes{1, 2}).ok());
    EXPECT_EQ(permissionsOf(at("fresh.bin")), 0640u) << "a new file takes 0666 less the umask";
    ::umask(previousMask);
}

TEST_F(ImageFileTest, ReplacingAFileKeepsItsPermissions)
{
    writeFile(at("image.bin"), randomBytes(300, 1));
    ASSERT_EQ(::chmod(at("image.bin").c_str(), 0604), 0);
    const Bytes bytes = randomBytes(20, 2);
    ASSERT_TRUE(saveImageFile(at("image.bin"), bytes).ok());
    EXPECT_TRUE(readFile(at("image.bin")) == bytes) << "the old file's tail must be gone";
    EXPECT_EQ(permissionsOf(at("image.bin")), 0604u);
}

TEST_F(ImageFileTest, SavingThroughALinkReplacesTheFileItNames)
{
    writeFile(at("real.bin"), randomBytes(10, 1));
    fs::create_symlink("real.bin", at("link.bin"));
    const Bytes bytes = randomBytes(20, 2);
    ASSERT_TRUE(saveImageFile(at("link.bin"), bytes).ok());
    EXPECT_TRUE(fs::is_symlink(at("link.bin")));
    EXPECT_TRUE(readFile(at("real.bin")) == bytes);

    fs::create_symlink("nowhere.bin", at("dangling.bin"));
    EXPECT_EQ(saveImageFile(at("dangling.bin"), bytes).failure, ImageFileFailure::CannotOpen);
    EXPECT_FALSE(fs::exists(at("nowhere.bin")));
}

TEST_F(ImageFileTest, SaveRefusesFoldersAndMissingFolders)
{
    fs::create_directory(at("folder"));
    EXPECT_EQ(saveImageFile(at("folder"), Bytes{1}).failure, ImageFileFailure::NotRegularFile);
    const ImageSave save = saveImageFile(at("missing/out.bin"), Bytes{1});
    EXPECT_EQ(save.failure, ImageFileFailure::CannotCreate);
    EXPECT_FALSE(save.reason.empty());
    EXPECT_EQ(namesIn(folder_), std::vector<std::string>{"folder"});
}

TEST_F(ImageFileTest, WriteProtectionIsRespected)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    const Bytes old = randomBytes(50, 1);
    writeFile(at("locked.bin"), old);
    ASSERT_EQ(::chmod(at("locked.bin").c_str(), 0444), 0);
    EXPECT_EQ(saveImageFile(at("locked.bin"), Bytes{1, 2, 3}).failure, ImageFileFailure::CannotOpen);
    EXPECT_TRUE(readFile(at("locked.bin")) == old);

    ASSERT_EQ(::chmod(folder_.c_str(), 0555), 0);
    EXPECT_EQ(saveImageFile(at("new.bin"), Bytes{1, 2, 3}).failure, ImageFileFailure::CannotCreate);
    EXPECT_EQ(namesIn(folder_), std::vector<std::string>{"locked.bin"});
}

TEST_F(ImageFileTest, AFailedWriteLeavesTheOldFileByteForByte)
{
    // A file-size limit makes the kernel take the first 4096 bytes and then
    // refuse the rest with EFBIG, as a full disk would (SIGXFSZ ignored, so the
    // refusal comes back as an error instead of ending the process).
    const Bytes old = randomBytes(50, 1);
    writeFile(at("image.bin"), old);
    struct rlimit previousLimit {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previousLimit), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = previousLimit;
    limit.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);

    const ImageSave save = saveImageFile(at("image.bin"), randomBytes(10000, 2));

    ::setrlimit(RLIMIT_FSIZE, &previousLimit);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(save.failure, ImageFileFailure::WriteFailed);
    EXPECT_FALSE(save.reason.empty());
    EXPECT_TRUE(readFile(at("image.bin")) == old);
    EXPECT_EQ(namesIn(folder_), std::vector<std::string>{"image.bin"}) << "the temporary file was left";
}
