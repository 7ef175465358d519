#pragma once

#include <oaidl.h>

#include "platform/windows/com/ComRef.h"

namespace velnix::windows_platform {

// The type information of one interface of the type library the program carries (its TYPELIB
// resource 1), loaded once; null when the program's file holds none.
ComRef<ITypeInfo> ProgramTypeInfo(REFGUID guid);

// The vtable side of the dual interface `iid`, which ITypeInfo::Invoke calls through.
ComRef<ITypeInfo> VtableTypeInfo(REFIID iid);

}  // namespace velnix::windows_platform
