// The Windows calls a serial port makes on its device, one method each, so
// that tests can stand in below them: Wine on a pseudo-terminal cannot show
// what RTS, DTR or the line errors do. Each returns 0 or the Windows error.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

class CommDevice {
public:
    virtual ~CommDevice() = default;
    virtual DWORD setupQueues(DWORD inBytes, DWORD outBytes) = 0;       // SetupComm
    virtual DWORD getState(DCB& state) = 0;                             // GetCommState
    virtual DWORD setState(const DCB& state) = 0;                       // SetCommState
    virtual DWORD setTimeouts(const COMMTIMEOUTS& timeouts) = 0;        // SetCommTimeouts
    virtual DWORD escape(DWORD function) = 0;                           // EscapeCommFunction
    virtual DWORD write(const void* data, DWORD length, DWORD& written) = 0; // WriteFile
    virtual DWORD read(void* data, DWORD length, DWORD& got) = 0;       // ReadFile
    virtual DWORD clearErrors(DWORD& errors, COMSTAT& status) = 0;      // ClearCommError
    virtual DWORD purge(DWORD flags) = 0;                               // PurgeComm
    virtual DWORD flush() = 0;                                          // FlushFileBuffers
};

// Opens a serial device ("\\.\COM5") for exclusive use. Empty and the error
// when it cannot be opened or is no serial port (GetCommState refuses it).
std::unique_ptr<CommDevice> openCommDevice(const std::wstring& path, DWORD& error);
