// The real device: a handle of CreateFileW and the calls of the Win32 API.
#include "serial/CommDevice.h"

namespace {

DWORD outcome(BOOL ok) { return ok ? 0 : ::GetLastError(); }

class HandleCommDevice : public CommDevice {
public:
    explicit HandleCommDevice(HANDLE handle) : handle_(handle) {}
    ~HandleCommDevice() override { ::CloseHandle(handle_); }
    HandleCommDevice(const HandleCommDevice&) = delete;
    HandleCommDevice& operator=(const HandleCommDevice&) = delete;

    DWORD setupQueues(DWORD in, DWORD out) override { return outcome(::SetupComm(handle_, in, out)); }
    DWORD getState(DCB& state) override
    {
        state = DCB{};
        state.DCBlength = sizeof state;
        return outcome(::GetCommState(handle_, &state));
    }
    DWORD setState(const DCB& state) override
    {
        DCB copy = state;
        return outcome(::SetCommState(handle_, &copy));
    }
    DWORD setTimeouts(const COMMTIMEOUTS& timeouts) override
    {
        COMMTIMEOUTS copy = timeouts;
        return outcome(::SetCommTimeouts(handle_, &copy));
    }
    DWORD escape(DWORD function) override { return outcome(::EscapeCommFunction(handle_, function)); }
    DWORD write(const void* data, DWORD length, DWORD& written) override
    {
        written = 0;
        return outcome(::WriteFile(handle_, data, length, &written, nullptr));
    }
    DWORD read(void* data, DWORD length, DWORD& got) override
    {
        got = 0;
        return outcome(::ReadFile(handle_, data, length, &got, nullptr));
    }
    DWORD clearErrors(DWORD& errors, COMSTAT& status) override
    {
        errors = 0;
        status = COMSTAT{};
        return outcome(::ClearCommError(handle_, &errors, &status));
    }
    DWORD purge(DWORD flags) override { return outcome(::PurgeComm(handle_, flags)); }
    DWORD flush() override { return outcome(::FlushFileBuffers(handle_)); }

private:
    HANDLE handle_;
};

} // namespace

std::unique_ptr<CommDevice> openCommDevice(const std::wstring& path, DWORD& error)
{
    // No sharing: a second open, by this program or another, is refused.
    const HANDLE handle =
        ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = ::GetLastError();
        return nullptr;
    }
    auto device = std::make_unique<HandleCommDevice>(handle);
    DCB state{};
    error = device->getState(state);
    if (error != 0)
        return nullptr;
    return device;
}
