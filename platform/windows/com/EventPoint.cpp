#include "platform/windows/com/EventPoint.h"

#include <oleauto.h>
#include <olectl.h>

#include <algorithm>

namespace velnix::windows_platform {

EventPoint::EventPoint(IConnectionPointContainer& container, REFIID events)
    : container_(container), events_(events) {}

void EventPoint::Fire(DISPID id, std::vector<VARIANT> arguments) {
    // Invoke takes the arguments last first.
    std::reverse(arguments.begin(), arguments.end());
    DISPPARAMS parameters{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
    // A handler may advise or unadvise while it runs: the sinks of the moment are called, each
    // kept alive by a reference of its own.
    std::vector<std::pair<DWORD, ComRef<IDispatch>>> called;
    for (const Sink& sink : sinks_) {
        called.emplace_back(sink.cookie, ComRef<IDispatch>::Share(sink.dispatch.Get()));
    }
    for (auto& [cookie, dispatch] : called) {
        const HRESULT result = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                                &parameters, nullptr, nullptr, nullptr);
        if (result == RPC_E_DISCONNECTED ||
            result == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) || result == RPC_E_SERVER_DIED ||
            result == RPC_E_SERVER_DIED_DNE) {
            Unadvise(cookie);  // the client is gone
        }
    }
    for (VARIANT& argument : arguments) VariantClear(&argument);
}

HRESULT EventPoint::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
        *object = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG EventPoint::AddRef() { return container_.AddRef(); }

ULONG EventPoint::Release() { return container_.Release(); }

HRESULT EventPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = events_;
    return S_OK;
}

HRESULT EventPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) return E_POINTER;
    *container = &container_;
    container_.AddRef();
    return S_OK;
}

HRESULT EventPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    // The sink of the events' own dispinterface, else any IDispatch (script hosts).
    ComRef<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(events_, dispatch.ReceiveVoid())) &&
        FAILED(sink->QueryInterface(IID_IDispatch, dispatch.ReceiveVoid()))) {
        return CONNECT_E_CANNOTCONNECT;
    }
    *cookie = nextCookie_++;
    sinks_.push_back({*cookie, std::move(dispatch)});
    return S_OK;
}

HRESULT EventPoint::Unadvise(DWORD cookie) {
    const auto found = std::find_if(sinks_.begin(), sinks_.end(),
                                    [cookie](const Sink& sink) { return sink.cookie == cookie; });
    if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
    // The sink's release may call back into this object: it leaves the list first.
    ComRef<IDispatch> leaving = std::move(found->dispatch);
    sinks_.erase(found);
    return S_OK;
}

// The sinks are not listed to callers.
HRESULT EventPoint::EnumConnections(IEnumConnections** connections) {
    if (connections) *connections = nullptr;
    return E_NOTIMPL;
}

}  // namespace velnix::windows_platform
