#pragma once

#include <windows.h>

#include <exception>

namespace velnix::windows_platform {

// The source every error of the class names.
inline constexpr wchar_t kErrorSource[] = L"Velnix-Connect";

// Turns a failure of the connection object into what COM callers get: the error object of the
// thread (IErrorInfo, French description, source "Velnix-Connect", interface `iid`) and the
// HRESULT of its kind, which late-bound callers receive as DISP_E_EXCEPTION with that text.
HRESULT ReportFailure(const std::exception& failure, REFIID iid);

// Runs `operation`, mapping any exception it throws through ReportFailure: no exception crosses
// the COM boundary.
template <typename Operation>
HRESULT Guard(REFIID iid, Operation operation) noexcept {
    try {
        operation();
        return S_OK;
    } catch (const std::exception& failure) {
        return ReportFailure(failure, iid);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace velnix::windows_platform
