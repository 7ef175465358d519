#pragma once

#include <ocidl.h>

#include <vector>

#include "platform/windows/com/ComRef.h"

namespace velnix::windows_platform {

// The connection point of one event dispinterface, part of the object that contains it: it
// shares that object's reference count. Sinks are called through IDispatch::Invoke in the order
// they were advised; a sink whose process is gone is dropped.
class EventPoint : public IConnectionPoint {
  public:
    EventPoint(IConnectionPointContainer& container, REFIID events);
    EventPoint(const EventPoint&) = delete;
    EventPoint& operator=(const EventPoint&) = delete;

    // Calls member `id` of every sink with `arguments` in the order of the event's parameters, and
    // clears them.
    void Fire(DISPID id, std::vector<VARIANT> arguments);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE
    GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

  private:
    struct Sink {
        DWORD cookie;
        ComRef<IDispatch> dispatch;
    };

    IConnectionPointContainer& container_;
    IID events_;
    std::vector<Sink> sinks_;
    DWORD nextCookie_ = 1;  // 0 is never a cookie
};

}  // namespace velnix::windows_platform
