#pragma once

#include <unknwn.h>

#include <functional>
#include <memory>

#include "engine/InternetTenaline.h"

namespace velnix::windows_platform {

// The class object of InternetTenaline: each creation makes a new connection object, which
// runs its initialisation and so shows a main window of its own, and hands out its COM face.
class ClassFactory : public IClassFactory {
  public:
    using CreateObject = std::function<std::shared_ptr<InternetTenaline>()>;

    explicit ClassFactory(CreateObject createObject);
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    // The class object lives as long as the program: its count only answers.
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  private:
    CreateObject createObject_;
};

// The class object entered in COM's table for the life of this value (every copy of the program
// enters it, so that activation reaches the copy that runs), and withdrawn at its end.
class ClassRegistration {
  public:
    explicit ClassRegistration(ClassFactory& factory);
    ~ClassRegistration();
    ClassRegistration(const ClassRegistration&) = delete;
    ClassRegistration& operator=(const ClassRegistration&) = delete;

  private:
    DWORD cookie_ = 0;
};

}  // namespace velnix::windows_platform
