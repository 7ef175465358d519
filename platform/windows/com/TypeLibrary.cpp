#include "platform/windows/com/TypeLibrary.h"

#include <oleauto.h>

#include <string>

#include "platform/windows/com/ProgramFile.h"

namespace velnix::windows_platform {

namespace {

ITypeLib* Library() {
    static ITypeLib* const library = []() -> ITypeLib* {
        const std::wstring path = ProgramFile();
        ITypeLib* loaded = nullptr;
        // Kept for the life of the process.
        if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &loaded))) return nullptr;
        return loaded;
    }();
    return library;
}

}  // namespace

ComRef<ITypeInfo> ProgramTypeInfo(REFGUID guid) {
    ComRef<ITypeInfo> info;
    if (ITypeLib* library = Library()) library->GetTypeInfoOfGuid(guid, info.Receive());
    return info;
}

ComRef<ITypeInfo> VtableTypeInfo(REFIID iid) {
    ComRef<ITypeInfo> dispatchSide = ProgramTypeInfo(iid);
    ComRef<ITypeInfo> vtableSide;
    HREFTYPE reference = 0;
    if (dispatchSide && SUCCEEDED(dispatchSide->GetRefTypeOfImplType(-1, &reference))) {
        dispatchSide->GetRefTypeInfo(reference, vtableSide.Receive());
        return vtableSide;
    }
    // A library may hand out the vtable side itself.
    return dispatchSide;
}

}  // namespace velnix::windows_platform
