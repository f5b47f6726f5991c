// Loading and saving raw images on Windows, with the wide file functions (the
// engine's paths are UTF-8, so no name is lost to the ANSI code page). A save
// writes a new file next to the target, flushes it, and moves it over the
// target in one step (MoveFileExW with write-through), so that nothing
// half-done replaces the user's file.
#include "images/ImageFile.h"

#include <windows.h>

#include <cstdint>
#include <string>

#include "texts/WindowsSystemText.h"

namespace {

std::string systemReason(DWORD error)
{
    const std::string words = windowsErrorWords(error);
    return words.empty() ? "Windows error " + std::to_string(error) : words;
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle()
    {
        if (valid())
            ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    DWORD close()
    {
        const BOOL ok = ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return ok ? 0 : ::GetLastError();
    }

private:
    HANDLE handle_;
};

ImageLoad loadFailure(ImageFileFailure failure, std::string reason, std::uint64_t fileSize = 0)
{
    ImageLoad result;
    result.failure = failure;
    result.reason = std::move(reason);
    result.fileSize = fileSize;
    return result;
}

ImageSave saveFailure(ImageFileFailure failure, std::string reason) { return ImageSave{failure, std::move(reason)}; }

std::wstring folderOf(const std::wstring& path)
{
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return L".";
    return path.substr(0, slash == 0 ? 1 : slash);
}

} // namespace

ImageLoad loadImageFile(const std::string& path, const AfterSizeHook& afterSize)
{
    const std::wstring wide = widened(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return loadFailure(ImageFileFailure::NotRegularFile, systemReason(ERROR_DIRECTORY));
    Handle file(::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return loadFailure(ImageFileFailure::CannotOpen, systemReason(::GetLastError()));
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) // a COM port, a pipe, the console
        return loadFailure(ImageFileFailure::NotRegularFile, "not a regular file");
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size))
        return loadFailure(ImageFileFailure::ReadFailed, systemReason(::GetLastError()));
    const auto bytes = static_cast<std::uint64_t>(size.QuadPart);
    if (bytes > MAX_BUFFER_BYTES)
        return loadFailure(ImageFileFailure::TooLarge, "more than 9999999 bytes", bytes);
    if (afterSize)
        afterSize(-1);

    ImageLoad result;
    result.fileSize = bytes;
    result.bytes.resize(static_cast<std::size_t>(bytes));
    std::size_t done = 0;
    while (done < result.bytes.size()) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), result.bytes.data() + done, DWORD(result.bytes.size() - done), &got, nullptr))
            return loadFailure(ImageFileFailure::ReadFailed, systemReason(::GetLastError()), bytes);
        if (got == 0)
            return loadFailure(ImageFileFailure::ReadFailed, "the file became shorter while it was read", bytes);
        done += got;
    }
    return result;
}

ImageSave saveImageFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    const std::wstring target = widened(path);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return saveFailure(ImageFileFailure::NotRegularFile, systemReason(ERROR_DIRECTORY));
        // A file the user made read-only stays protected.
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return saveFailure(ImageFileFailure::CannotOpen, systemReason(ERROR_ACCESS_DENIED));
    }

    // Same folder, so that the move stays on one volume and is one step.
    wchar_t temporary[MAX_PATH + 1] = {};
    if (::GetTempFileNameW(folderOf(target).c_str(), L"rov", 0, temporary) == 0)
        return saveFailure(ImageFileFailure::CannotCreate, systemReason(::GetLastError()));
    struct RemoveUnlessMoved {
        const wchar_t* path;
        bool moved = false;
        ~RemoveUnlessMoved()
        {
            if (!moved)
                ::DeleteFileW(path);
        }
    } cleanup{temporary};

    Handle file(::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return saveFailure(ImageFileFailure::CannotCreate, systemReason(::GetLastError()));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!::WriteFile(file.get(), bytes.data() + done, DWORD(bytes.size() - done), &written, nullptr))
            return saveFailure(ImageFileFailure::WriteFailed, systemReason(::GetLastError()));
        if (written == 0)
            return saveFailure(ImageFileFailure::WriteFailed, systemReason(ERROR_DISK_FULL));
        done += written;
    }
    if (!::FlushFileBuffers(file.get()))
        return saveFailure(ImageFileFailure::WriteFailed, systemReason(::GetLastError()));
    if (const DWORD error = file.close(); error != 0)
        return saveFailure(ImageFileFailure::WriteFailed, systemReason(error));
    if (!::MoveFileExW(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return saveFailure(ImageFileFailure::WriteFailed, systemReason(::GetLastError()));
    cleanup.moved = true;
    return {};
}
