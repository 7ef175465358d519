#pragma once

#include <cstdint>
#include <string_view>

namespace velnix::reg {

// Keys are 32-bit handle values; the predefined roots are fixed values.
using HKey = uint32_t;
inline constexpr HKey kHKeyClassesRoot = 0x80000000;
inline constexpr HKey kHKeyCurrentUser = 0x80000001;
inline constexpr HKey kHKeyLocalMachine = 0x80000002;
inline constexpr HKey kHKeyUsers = 0x80000003;

// Status codes: the Win32 error codes of the registry calls.
inline constexpr int32_t kErrorSuccess = 0;
inline constexpr int32_t kErrorFileNotFound = 2;       // key or value does not exist
inline constexpr int32_t kErrorAccessDenied = 5;       // the rights asked for are refused
inline constexpr int32_t kErrorInvalidHandle = 6;      // not an open key
inline constexpr int32_t kErrorWriteFault = 29;        // the data could not be stored
inline constexpr int32_t kErrorReadFault = 30;         // the data could not be read
inline constexpr int32_t kErrorInvalidParameter = 87;  // a value this key cannot hold
inline constexpr int32_t kErrorMoreData = 234;         // the data does not fit the room given

// Value types.
inline constexpr uint32_t kRegNone = 0;
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;
inline constexpr uint32_t kRegMultiSz = 7;

// Access rights asked for when a key is opened.
inline constexpr uint32_t kKeyQueryValue = 0x0001;
inline constexpr uint32_t kKeySetValue = 0x0002;
inline constexpr uint32_t kKeyCreateSubKey = 0x0004;
inline constexpr uint32_t kKeyEnumerateSubKeys = 0x0008;
inline constexpr uint32_t kKeyNotify = 0x0010;
inline constexpr uint32_t kKeyCreateLink = 0x0020;
inline constexpr uint32_t kReadControl = 0x00020000;
// Query, set, create-subkey, enumerate, notify and create-link: what writing asks for.
inline constexpr uint32_t kKeyWriteAccess = 0x3F;
// Query, enumerate and notify: what reading asks for.
inline constexpr uint32_t kKeyQueryAccess = 0x19;
// KEY_READ: the same with read-control.
inline constexpr uint32_t kKeyRead = 0x20019;
// The rights that let a caller change a key.
inline constexpr uint32_t kKeyChangeRights = kKeySetValue | kKeyCreateSubKey | kKeyCreateLink;

// The system registry, with the contract of the five Windows calls. Key paths are relative to
// the key given and compared without regard to letter case; keys are only opened, never
// created. Names and text data cross this interface as the program's text (UTF-8), and text
// sizes count its bytes; the Windows implementation converts to and from the W calls' UTF-16.
class Registry {
  public:
    virtual ~Registry() = default;

    // RegOpenKeyEx: opens `subKey` below `key` with the rights in `access`; on success sets
    // `result` to a new handle that must be closed.
    virtual int32_t OpenKey(HKey key, std::string_view subKey, uint32_t access, HKey& result) = 0;

    // RegQueryValueEx: sets `type` and, with `data` null, sets `size` to the data's byte count.
    // With `data` given, `size` is the room on entry; data that fits is copied and `size` set to
    // its byte count; data that does not fit gives kErrorMoreData with `size` set to the count.
    virtual int32_t QueryValue(HKey key, std::string_view valueName, uint32_t& type, uint8_t* data,
                               uint32_t& size) = 0;

    // RegSetValueEx: stores `size` bytes of `data` as the value, with its type.
    virtual int32_t SetValue(HKey key, std::string_view valueName, uint32_t type,
                             const uint8_t* data, uint32_t size) = 0;

    // RegDeleteValue.
    virtual int32_t DeleteValue(HKey key, std::string_view valueName) = 0;

    // RegCloseKey.
    virtual int32_t CloseKey(HKey key) = 0;
};

}  // namespace velnix::reg
