// Loading and saving raw images with POSIX calls, so that every short read,
// short write and failed flush is seen and nothing half-done reaches the user's
// buffer or replaces the user's file.
#include "images/ImageFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

// A failure's words and, when the system gave one, its error number.
struct Reason {
    Reason(const char* words) : text(words) {}
    Reason(std::string words, int number) : text(std::move(words)), error(number) {}
    std::string text;
    int error = 0;
};

Reason systemReason(int error)
{
    return {std::error_code(error, std::generic_category()).message(), error};
}

Reason notRegularReason(const struct stat& st)
{
    return S_ISDIR(st.st_mode) ? systemReason(EISDIR) : Reason("not a regular file");
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

ImageLoad loadFailure(ImageFileFailure failure, Reason reason, std::uint64_t fileSize = 0)
{
    ImageLoad result;
    result.failure = failure;
    result.reason = std::move(reason.text);
    result.error = reason.error;
    result.fileSize = fileSize;
    return result;
}

ImageSave saveFailure(ImageFileFailure failure, Reason reason)
{
    return ImageSave{failure, std::move(reason.text), reason.error};
}

// Reads `count` bytes; 0 or the error. endedEarly: the file ended first (it shrank).
int readFully(int fd, std::uint8_t* data, std::size_t count, bool& endedEarly)
{
    endedEarly = false;
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(fd, data + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0) {
            endedEarly = true;
            return 0;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// Writes every byte, also when the kernel takes them a piece at a time; 0 or the error.
int writeFully(int fd, const std::uint8_t* data, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(fd, data + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return ENOSPC; // write(2) taking nothing from a regular file means the device is full
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return path.substr(0, slash == 0 ? 1 : slash);
}

std::string nameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t currentUmask()
{
    // The only way to read the mask is to set it; the program has one thread,
    // so nothing else creates a file between the two calls.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The file a save lands in. A symbolic link is followed, so the link stays a
// link and the file it names gets the new bytes (what editors do); a link to
// nothing is refused rather than creating a file where the user did not look.
struct SaveTarget {
    std::string path;
    bool exists = false;
    struct stat old {};
    ImageSave failure;
};

SaveTarget resolveSaveTarget(const std::string& path)
{
    SaveTarget target;
    target.path = path;
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0) {
        if (errno != ENOENT)
            target.failure = saveFailure(ImageFileFailure::CannotOpen, systemReason(errno));
        else if (path.empty() || path.back() == '/')
            target.failure = saveFailure(ImageFileFailure::CannotOpen, systemReason(ENOENT));
        return target;
    }
    if (S_ISLNK(link.st_mode)) {
        char* real = ::realpath(path.c_str(), nullptr);
        if (real == nullptr) {
            target.failure = saveFailure(ImageFileFailure::CannotOpen, systemReason(errno));
            return target;
        }
        target.path = real;
        std::free(real);
    }
    if (::stat(target.path.c_str(), &target.old) != 0) {
        target.failure = saveFailure(ImageFileFailure::CannotOpen, systemReason(errno));
        return target;
    }
    if (!S_ISREG(target.old.st_mode)) {
        target.failure = saveFailure(ImageFileFailure::NotRegularFile, notRegularReason(target.old));
        return target;
    }
    // Renaming over a file needs only a writable folder; a file the user made
    // read-only stays protected, as it would be when opened for writing.
    if (::access(target.path.c_str(), W_OK) != 0) {
        target.failure = saveFailure(ImageFileFailure::CannotOpen, systemReason(errno));
        return target;
    }
    target.exists = true;
    return target;
}

// The name a temporary file of ours has next to `target` (".name." and six
// letters or digits), so that a stale one can be told from the user's files.
std::string temporaryPrefix(const std::string& target)
{
    // Short enough that ".name.XXXXXX" stays within a file name's 255 bytes.
    return "." + nameOf(target).substr(0, 200) + ".";
}

bool isTemporaryName(const std::string& name, const std::string& prefix)
{
    constexpr std::size_t SUFFIX = 6;
    if (name.size() != prefix.size() + SUFFIX || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(name.begin() + std::ptrdiff_t(prefix.size()), name.end(),
                       [](unsigned char c) { return std::isalnum(c) != 0; });
}

// A save killed between making its named temporary file and the rename (only
// possible where the file system has no unnamed files) left one behind: the
// next save of the same target removes it.
void removeStaleTemporaries(const std::string& target)
{
    const std::string folder = folderOf(target);
    const std::string prefix = temporaryPrefix(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const std::string base = folder.back() == '/' ? folder : folder + "/";
    while (const dirent* entry = ::readdir(dir)) {
        struct stat st {};
        const std::string path = base + entry->d_name;
        if (isTemporaryName(entry->d_name, prefix) && ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid())
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}

// A new file next to the target (same folder, so the rename stays on one file
// system and is atomic). Where the file system allows, it has no name at all
// (O_TMPFILE) until just before the rename, so a save killed at any moment
// before leaves nothing behind; elsewhere it is named from the start and
// removed again unless it was renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) : prefix_(folderOf(target))
    {
        prefix_ += (prefix_.back() == '/' ? "" : "/") + temporaryPrefix(target);
        fd_ = ::open(folderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd_ >= 0)
            return;
        // No unnamed files here (EOPNOTSUPP, EISDIR or EINVAL on older kernels):
        // a named one; any other error is the folder's, which mkostemp meets too.
        path_ = prefix_ + "XXXXXX";
        fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
        if (fd_ < 0)
            error_ = errno;
    }
    ~TemporaryFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!path_.empty() && error_ == 0 && !renamed_)
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int createError() const { return error_; }
    int fd() const { return fd_; }
    // Gives an unnamed file its temporary name, then closes it; 0 or the error.
    int nameAndClose()
    {
        if (path_.empty()) {
            if (const int error = linkUnnamed(); error != 0)
                return error;
        }
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0 ? 0 : errno;
    }
    int renameTo(const std::string& target)
    {
        if (::rename(path_.c_str(), target.c_str()) != 0)
            return errno;
        renamed_ = true;
        return 0;
    }

private:
    int linkUnnamed()
    {
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        std::random_device random;
        static constexpr char LETTERS[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = prefix_;
            for (int i = 0; i < 6; ++i)
                name += LETTERS[random() % (sizeof LETTERS - 1)];
            // Through /proc; AT_EMPTY_PATH would need a capability users lack.
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                path_ = std::move(name);
                return 0;
            }
            // Without /proc: the direct way, where the user may use it.
            if (errno == ENOENT && ::linkat(fd_, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) {
                path_ = std::move(name);
                return 0;
            }
            if (errno != EEXIST)
                return errno;
        }
        return EEXIST;
    }

    std::string prefix_; // folder and ".name."
    std::string path_;   // empty while the file has no name
    int fd_ = -1;
    int error_ = 0;
    bool renamed_ = false;
};

// After the rename the new name must reach the disk too; by then the save has
// happened, so a failure here has nothing left to undo and is not reported.
void flushFolderOf(const std::string& target)
{
    Descriptor dir(::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

} // namespace

ImageLoad loadImageFile(const std::string& path, const AfterSizeHook& afterSize)
{
    // Devices are refused before they are opened: opening one can already act
    // (a tape rewinds, a serial line raises DTR). fstat below settles it for good.
    if (struct stat st {}; ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return loadFailure(ImageFileFailure::NotRegularFile, notRegularReason(st));
    // O_NONBLOCK: a named pipe put in the file's place meanwhile must not make the open wait for a writer.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.get() < 0)
        return loadFailure(ImageFileFailure::CannotOpen, systemReason(errno));

    struct stat st {};
    if (::fstat(file.get(), &st) != 0)
        return loadFailure(ImageFileFailure::ReadFailed, systemReason(errno));
    if (!S_ISREG(st.st_mode))
        return loadFailure(ImageFileFailure::NotRegularFile, notRegularReason(st));
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (size > MAX_BUFFER_BYTES)
        return loadFailure(ImageFileFailure::TooLarge, Reason("more than " + std::to_string(MAX_BUFFER_BYTES) + " bytes", 0), size);
    ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);

    if (afterSize)
        afterSize(file.get());

    ImageLoad result;
    result.fileSize = size;
    result.bytes.resize(static_cast<std::size_t>(size));
    bool endedEarly = false;
    if (const int error = readFully(file.get(), result.bytes.data(), result.bytes.size(), endedEarly); error != 0)
        return loadFailure(ImageFileFailure::ReadFailed, systemReason(error), size);
    if (endedEarly)
        return loadFailure(ImageFileFailure::ReadFailed, "the file became shorter while it was read", size);
    return result;
}

ImageSave saveImageFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    const SaveTarget target = resolveSaveTarget(path);
    if (!target.failure.ok())
        return target.failure;

    removeStaleTemporaries(target.path);
    TemporaryFile temp(target.path);
    if (temp.createError() != 0)
        return saveFailure(ImageFileFailure::CannotCreate, systemReason(temp.createError()));

    // Best effort: only root may hand a file to another owner; otherwise the new
    // file belongs to whoever saved it, as with any editor, so a refusal is no failure.
    if (target.exists && (target.old.st_uid != ::geteuid() || target.old.st_gid != ::getegid()))
        (void)!::fchown(temp.fd(), target.old.st_uid, target.old.st_gid);
    // After fchown, which may clear set-id bits.
    const mode_t mode = target.exists ? (target.old.st_mode & 07777) : (0666 & ~currentUmask());
    if (::fchmod(temp.fd(), mode) != 0)
        return saveFailure(ImageFileFailure::WriteFailed, systemReason(errno));

    if (const int error = writeFully(temp.fd(), bytes.data(), bytes.size()); error != 0)
        return saveFailure(ImageFileFailure::WriteFailed, systemReason(error));
    if (::fsync(temp.fd()) != 0)
        return saveFailure(ImageFileFailure::WriteFailed, systemReason(errno));
    if (const int error = temp.nameAndClose(); error != 0)
        return saveFailure(ImageFileFailure::WriteFailed, systemReason(error));
    if (const int error = temp.renameTo(target.path); error != 0)
        return saveFailure(ImageFileFailure::WriteFailed, systemReason(error));

    flushFolderOf(target.path);
    return {};
}
