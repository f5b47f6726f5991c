#include "texts/SystemReasons.h"

#include <array>
#include <cerrno>
#include <cstring>

#include "texts/Texts.h"

namespace {

struct SystemReason {
    int error;
    Text device; // empty: the system's words
    Text file;
};

#ifdef EDQUOT
constexpr int QUOTA_EXCEEDED = EDQUOT;
#else
constexpr int QUOTA_EXCEEDED = -1; // Windows' C library knows no disk quotas
#endif

constexpr std::array<SystemReason, 16> SYSTEM_REASONS{{
    {ENOENT, texts::PORT_REASON_NO_DEVICE, texts::FILE_REASON_NO_FILE},
    {ENODEV, texts::PORT_REASON_NO_DEVICE, texts::FILE_REASON_IO_ERROR},
    {ENXIO, texts::PORT_REASON_NO_DEVICE, texts::FILE_REASON_IO_ERROR},
    {EACCES, texts::PORT_REASON_NO_PERMISSION, texts::FILE_REASON_NO_PERMISSION},
    {EPERM, texts::PORT_REASON_NO_PERMISSION, texts::FILE_REASON_NO_PERMISSION},
    {EBUSY, texts::PORT_REASON_IN_USE, texts::FILE_REASON_BUSY},
    {ETXTBSY, {}, texts::FILE_REASON_BUSY},
    {ENOTTY, texts::PORT_REASON_NOT_SERIAL, {}},
    {EISDIR, texts::PORT_REASON_NOT_SERIAL, texts::FILE_REASON_IS_FOLDER},
    {ENOTDIR, {}, texts::FILE_REASON_NOT_FOLDER},
    {EIO, texts::PORT_REASON_IO_ERROR, texts::FILE_REASON_IO_ERROR},
    {ENOSPC, {}, texts::FILE_REASON_NO_SPACE},
    {QUOTA_EXCEEDED, {}, texts::FILE_REASON_QUOTA},
    {EROFS, {}, texts::FILE_REASON_READ_ONLY},
    {EFBIG, {}, texts::FILE_REASON_TOO_LARGE},
    {ENAMETOOLONG, {}, texts::FILE_REASON_NAME_TOO_LONG},
}};

} // namespace

std::string systemReasonText(int error, ReasonFor subject)
{
    for (const SystemReason& row : SYSTEM_REASONS) {
        if (row.error != error)
            continue;
        const Text words = subject == ReasonFor::Device ? row.device : row.file;
        if (!words.empty())
            return toStdString(words);
    }
    return std::strerror(error);
}
