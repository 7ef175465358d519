#include "platform/windows/com/ClassFactory.h"

#include <utility>

#include "VelnixTypeLibrary.h"
#include "platform/windows/com/ComErrors.h"
#include "platform/windows/com/ComTenaline.h"
#include "platform/windows/com/ServerLifetime.h"

namespace velnix::windows_platform {

ClassFactory::ClassFactory(CreateObject createObject) : createObject_(std::move(createObject)) {}

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ClassFactory::AddRef() { return 2; }

ULONG ClassFactory::Release() { return 1; }

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    ComTenaline* created = nullptr;
    const HRESULT made =
        Guard(IID__InternetTenaline, [&] { created = ComTenaline::Create(createObject_()); });
    if (FAILED(made)) return made;
    const HRESULT result = created->QueryInterface(iid, object);
    created->Release();
    return result;
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    if (lock) {
        AddServerReference();
    } else {
        ReleaseServerReference();
    }
    return S_OK;
}

ClassRegistration::ClassRegistration(ClassFactory& factory) {
    if (SUCCEEDED(CoRegisterClassObject(CLSID_InternetTenaline, &factory, CLSCTX_LOCAL_SERVER,
                                        REGCLS_MULTIPLEUSE | REGCLS_SUSPENDED, &cookie_))) {
        CoResumeClassObjects();
    }
}

ClassRegistration::~ClassRegistration() {
    if (cookie_ != 0) CoRevokeClassObject(cookie_);
}

}  // namespace velnix::windows_platform
