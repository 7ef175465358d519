#include "platform/windows/com/ComTenaline.h"

#include <oleauto.h>
#include <olectl.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/Errors.h"
#include "platform/windows/com/ComErrors.h"
#include "platform/windows/com/ServerLifetime.h"
#include "platform/windows/com/TypeLibrary.h"
#include "platform/windows/system/WideText.h"

namespace velnix::windows_platform {

namespace {

// The dispatch identifiers of the events, as the type library numbers them.
constexpr DISPID kConnectedEvent = 1;
constexpr DISPID kDisconnectedEvent = 2;
constexpr DISPID kUpdateStateEvent = 3;

// Kept for the life of the process, as the library it comes from.
ITypeInfo* DualTypeInfo() {
    static ITypeInfo* const info = VtableTypeInfo(IID__InternetTenaline).Detach();
    return info;
}

BSTR AllocText(const std::string& text) {
    const std::optional<std::wstring> wide = WideFromUtf8(text);
    if (!wide) throw VelnixError("Texte invalide : il n'est pas en UTF-8.");
    BSTR copy = SysAllocStringLen(wide->data(), static_cast<UINT>(wide->size()));
    if (!copy) throw std::bad_alloc();
    return copy;
}

std::string TextOf(BSTR text) {
    const std::wstring_view wide(text ? text : L"", text ? SysStringLen(text) : 0);
    const std::optional<std::string> utf8 = Utf8FromWide(wide);
    if (!utf8) throw VelnixError("Texte invalide : il contient une moitié de caractère isolée.");
    return *utf8;
}

VARIANT_BOOL BoolOf(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

VARIANT LongArgument(int32_t value) {
    VARIANT argument;
    VariantInit(&argument);
    V_VT(&argument) = VT_I4;
    V_I4(&argument) = value;
    return argument;
}

}  // namespace

ComTenaline* ComTenaline::Create(std::shared_ptr<InternetTenaline> object) {
    return new ComTenaline(std::move(object));
}

ComTenaline::ComTenaline(std::shared_ptr<InternetTenaline> object)
    : object_(std::move(object)), events_(*this, DIID___InternetTenaline) {
    object_->Advise(this);
    AddServerReference();
}

ComTenaline::~ComTenaline() {
    object_->Unadvise(this);
    ReleaseServerReference();
}

HRESULT ComTenaline::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID__InternetTenaline)) {
        *object = static_cast<_InternetTenaline*>(this);
    } else if (IsEqualIID(iid, IID_IProvideClassInfo) || IsEqualIID(iid, IID_IProvideClassInfo2)) {
        *object = static_cast<IProvideClassInfo2*>(this);
    } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        *object = static_cast<IConnectionPointContainer*>(this);
    } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
        *object = static_cast<ISupportErrorInfo*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG ComTenaline::AddRef() { return ++references_; }

ULONG ComTenaline::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT ComTenaline::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT ComTenaline::GetTypeInfo(UINT index, LCID /*locale*/, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    ITypeInfo* dual = DualTypeInfo();
    if (!dual) return TYPE_E_ELEMENTNOTFOUND;
    dual->AddRef();
    *info = dual;
    return S_OK;
}

HRESULT ComTenaline::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID /*locale*/,
                                   DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* dual = DualTypeInfo();
    if (!dual) return TYPE_E_ELEMENTNOTFOUND;
    return dual->GetIDsOfNames(names, count, ids);
}

HRESULT ComTenaline::Invoke(DISPID id, REFIID iid, LCID /*locale*/, WORD flags,
                            DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                            UINT* argumentError) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* dual = DualTypeInfo();
    if (!dual) return TYPE_E_ELEMENTNOTFOUND;
    // A failing operation leaves its error object, which Invoke turns into EXCEPINFO.
    SetErrorInfo(0, nullptr);
    return dual->Invoke(static_cast<_InternetTenaline*>(this), id, flags, parameters, result,
                        exception, argumentError);
}

HRESULT ComTenaline::get_Tenaline(VARIANT_BOOL* result) {
    if (!result) return E_POINTER;
    return Guard(IID__InternetTenaline, [&] { *result = BoolOf(object_->Tenaline()); });
}

HRESULT ComTenaline::put_Tenaline(VARIANT_BOOL lTenaline) {
    return Guard(IID__InternetTenaline, [&] { object_->Tenaline(lTenaline != VARIANT_FALSE); });
}

HRESULT ComTenaline::get_Login(BSTR* result) {
    if (!result) return E_POINTER;
    *result = nullptr;
    return Guard(IID__InternetTenaline, [&] { *result = AllocText(object_->Login()); });
}

HRESULT ComTenaline::put_Login(BSTR lLogin) {
    return Guard(IID__InternetTenaline, [&] { object_->Login(TextOf(lLogin)); });
}

HRESULT ComTenaline::get_PassWord(BSTR* result) {
    if (!result) return E_POINTER;
    *result = nullptr;
    return Guard(IID__InternetTenaline, [&] { *result = AllocText(object_->PassWord()); });
}

HRESULT ComTenaline::put_PassWord(BSTR lPassWord) {
    return Guard(IID__InternetTenaline, [&] { object_->PassWord(TextOf(lPassWord)); });
}

HRESULT ComTenaline::get_Connection(BSTR* result) {
    if (!result) return E_POINTER;
    *result = nullptr;
    return Guard(IID__InternetTenaline, [&] { *result = AllocText(object_->Connection()); });
}

HRESULT ComTenaline::put_Connection(BSTR lConnection) {
    return Guard(IID__InternetTenaline, [&] { object_->Connection(TextOf(lConnection)); });
}

HRESULT ComTenaline::get_Connected(VARIANT_BOOL* result) {
    if (!result) return E_POINTER;
    return Guard(IID__InternetTenaline, [&] { *result = BoolOf(object_->Connected()); });
}

HRESULT ComTenaline::Connect() {
    return Guard(IID__InternetTenaline, [&] { object_->Connect(); });
}

HRESULT ComTenaline::Disconnect() {
    return Guard(IID__InternetTenaline, [&] { object_->Disconnect(); });
}

// An array of VARIANT texts, indexed from 0.
HRESULT ComTenaline::get_ConnectionList(VARIANT* result) {
    if (!result) return E_POINTER;
    VariantInit(result);
    return Guard(IID__InternetTenaline, [&] {
        const std::vector<std::string> names = object_->ConnectionList();
        SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(names.size()));
        if (!array) throw std::bad_alloc();
        VARIANT* items = nullptr;
        SafeArrayAccessData(array, reinterpret_cast<void**>(&items));
        try {
            for (size_t i = 0; i < names.size(); ++i) {
                V_VT(&items[i]) = VT_BSTR;
                V_BSTR(&items[i]) = AllocText(names[i]);
            }
        } catch (...) {
            SafeArrayUnaccessData(array);
            SafeArrayDestroy(array);
            throw;
        }
        SafeArrayUnaccessData(array);
        V_VT(result) = VT_ARRAY | VT_VARIANT;
        V_ARRAY(result) = array;
    });
}

HRESULT ComTenaline::GetClassInfo(ITypeInfo** info) {
    if (!info) return E_POINTER;
    ComRef<ITypeInfo> found = ProgramTypeInfo(CLSID_InternetTenaline);
    *info = found.Detach();
    return *info ? S_OK : TYPE_E_ELEMENTNOTFOUND;
}

HRESULT ComTenaline::GetGUID(DWORD kind, GUID* guid) {
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = DIID___InternetTenaline;
    return S_OK;
}

// The only connection point is found by its interface.
HRESULT ComTenaline::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points) *points = nullptr;
    return E_NOTIMPL;
}

HRESULT ComTenaline::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (!IsEqualIID(iid, DIID___InternetTenaline)) return CONNECT_E_NOCONNECTION;
    *point = &events_;
    events_.AddRef();
    return S_OK;
}

HRESULT ComTenaline::InterfaceSupportsErrorInfo(REFIID iid) {
    return IsEqualIID(iid, IID__InternetTenaline) ? S_OK : S_FALSE;
}

void ComTenaline::Connected() { events_.Fire(kConnectedEvent, {}); }

void ComTenaline::Disconnected() { events_.Fire(kDisconnectedEvent, {}); }

void ComTenaline::UpdateState(const std::string& sNom, int32_t lTemps, int32_t lOctetsRecus,
                              int32_t lOctetsEnvoyes, int32_t lVitesseD, int32_t lVitesseU) {
    VARIANT name;
    VariantInit(&name);
    V_VT(&name) = VT_BSTR;
    V_BSTR(&name) = AllocText(sNom);
    events_.Fire(kUpdateStateEvent,
                 {name, LongArgument(lTemps), LongArgument(lOctetsRecus),
                  LongArgument(lOctetsEnvoyes), LongArgument(lVitesseD), LongArgument(lVitesseU)});
}

}  // namespace velnix::windows_platform
