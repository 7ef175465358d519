#pragma once

#include <oaidl.h>

#include <string>
#include <vector>

namespace velnix::windows_platform {

// A client's receiver of the connection object's events: answers QueryInterface for the events'
// dispinterface and writes each call down, its arguments in the order of the event's parameters.
class EventSink : public IDispatch {
  public:
    struct Call {
        DISPID id = 0;
        std::wstring name;        // sNom, for UpdateState
        std::vector<long> longs;  // lTemps, lOctetsRecus, lOctetsEnvoyes, lVitesseD, lVitesseU
        bool wellTyped = true;    // every argument had its parameter's type
    };

    const std::vector<Call>& Calls() const { return calls_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // lives on the stack
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters,
                                     VARIANT*, EXCEPINFO*, UINT*) override;

  private:
    ULONG references_ = 1;
    std::vector<Call> calls_;
};

}  // namespace velnix::windows_platform
