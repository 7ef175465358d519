#pragma once

#include <ocidl.h>

#include <memory>

#include "VelnixTypeLibrary.h"
#include "engine/InternetTenaline.h"
#include "engine/TenalineEvents.h"
#include "platform/windows/com/EventPoint.h"

namespace velnix::windows_platform {

// A connection object as COM clients see it: the dual interface _InternetTenaline, dispatched
// through the program's type library, with its events on the connection point of
// __InternetTenaline. It holds the object as one more holder: the object lives while a client
// holds it, even once its window is closed. Each one counts as a server reference.
class ComTenaline : public _InternetTenaline,
                    public IProvideClassInfo2,
                    public IConnectionPointContainer,
                    public ISupportErrorInfo,
                    private TenalineEvents {
  public:
    // A new COM face for `object`, with one reference for the caller.
    static ComTenaline* Create(std::shared_ptr<InternetTenaline> object);

    ComTenaline(const ComTenaline&) = delete;
    ComTenaline& operator=(const ComTenaline&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

    // _InternetTenaline
    HRESULT STDMETHODCALLTYPE get_Tenaline(VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE put_Tenaline(VARIANT_BOOL lTenaline) override;
    HRESULT STDMETHODCALLTYPE get_Login(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE put_Login(BSTR lLogin) override;
    HRESULT STDMETHODCALLTYPE get_PassWord(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE put_PassWord(BSTR lPassWord) override;
    HRESULT STDMETHODCALLTYPE get_Connection(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE put_Connection(BSTR lConnection) override;
    HRESULT STDMETHODCALLTYPE get_Connected(VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE Connect() override;
    HRESULT STDMETHODCALLTYPE Disconnect() override;
    HRESULT STDMETHODCALLTYPE get_ConnectionList(VARIANT* result) override;

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

  private:
    explicit ComTenaline(std::shared_ptr<InternetTenaline> object);
    ~ComTenaline();

    // TenalineEvents
    void Connected() override;
    void Disconnected() override;
    void UpdateState(const std::string& sNom, int32_t lTemps, int32_t lOctetsRecus,
                     int32_t lOctetsEnvoyes, int32_t lVitesseD, int32_t lVitesseU) override;

    ULONG references_ = 1;
    std::shared_ptr<InternetTenaline> object_;
    EventPoint events_;
};

}  // namespace velnix::windows_platform
