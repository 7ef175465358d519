#include "tests/windows/com/EventSink.h"

#include "VelnixTypeLibrary.h"

namespace velnix::windows_platform {

HRESULT EventSink::QueryInterface(REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, DIID___InternetTenaline)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT EventSink::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT EventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    *info = nullptr;
    return E_NOTIMPL;
}

HRESULT EventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                          EXCEPINFO*, UINT*) {
    Call call;
    call.id = id;
    // The arguments arrive last first.
    for (UINT i = parameters->cArgs; i-- > 0;) {
        const VARIANT& argument = parameters->rgvarg[i];
        if (i == parameters->cArgs - 1 && id == 3) {
            call.wellTyped = call.wellTyped && V_VT(&argument) == VT_BSTR;
            if (V_VT(&argument) == VT_BSTR) call.name = V_BSTR(&argument);
        } else {
            call.wellTyped = call.wellTyped && V_VT(&argument) == VT_I4;
            if (V_VT(&argument) == VT_I4) call.longs.push_back(V_I4(&argument));
        }
    }
    calls_.push_back(call);
    return S_OK;
}

}  // namespace velnix::windows_platform
