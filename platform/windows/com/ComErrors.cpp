#include "platform/windows/com/ComErrors.h"

#include <oleauto.h>

#include <string>

#include "common/Errors.h"
#include "platform/windows/com/ComRef.h"
#include "platform/windows/system/WideText.h"

namespace velnix::windows_platform {

namespace {

// The automation error numbers Visual Basic gives these failures.
HRESULT ResultOf(const std::exception& failure) {
    if (dynamic_cast<const TypeMismatchError*>(&failure)) return DISP_E_TYPEMISMATCH;
    if (dynamic_cast<const OutOfRangeError*>(&failure)) return DISP_E_BADINDEX;
    if (dynamic_cast<const OverflowError*>(&failure)) return DISP_E_OVERFLOW;
    if (dynamic_cast<const ProcessStartError*>(&failure)) {
        return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 53);  // file not found
    }
    return E_FAIL;
}

}  // namespace

HRESULT ReportFailure(const std::exception& failure, REFIID iid) {
    std::string text = failure.what();
    if (!dynamic_cast<const VelnixError*>(&failure)) text = "Erreur interne : " + text;
    ComRef<ICreateErrorInfo> created;
    if (SUCCEEDED(CreateErrorInfo(created.Receive()))) {
        const std::wstring description = WideFromUtf8(text).value_or(L"Erreur");
        created->SetDescription(const_cast<LPOLESTR>(description.c_str()));
        created->SetSource(const_cast<LPOLESTR>(kErrorSource));
        created->SetGUID(iid);
        ComRef<IErrorInfo> info;
        if (SUCCEEDED(created->QueryInterface(IID_IErrorInfo, info.ReceiveVoid()))) {
            SetErrorInfo(0, info.Get());
        }
    }
    return ResultOf(failure);
}

}  // namespace velnix::windows_platform
