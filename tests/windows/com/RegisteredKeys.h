#pragma once

namespace velnix::windows_platform {

// The keys under Software\Classes below which the class's registration writes every value.
inline constexpr const wchar_t* kRegisteredTopKeys[] = {
    L"CLSID\\{AC277015-7F55-468D-A277-4E71184CE45F}",
    L"Velnix.InternetTenaline",
    L"Velnix.InternetTenaline.1",
    L"Interface\\{798EF082-AFC8-4700-BC84-DBD347F87069}",
    L"Interface\\{BA6E29AD-0152-48B3-B51B-6F4AE52B5E15}",
    L"TypeLib\\{FCB37509-643D-435B-8505-49E70CAA5131}",
};

}  // namespace velnix::windows_platform
