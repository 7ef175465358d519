// velnix.exe as an automation server, seen from client code in another process: the class found
// by its ProgIDs, each operation through the vtable and by name, the events through a sink,
// errors as exceptions in French, one window per object, and the server's end with the last
// object. The server is a copy of velnix.exe beside the stand-in rasapi32.dll, entered by its
// own /RegServer for the suite and removed by /UnregServer at its end; the stand-in rasdial.exe
// comes first on the PATH the server inherits.
#include <windows.h>

#include <ocidl.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "VelnixTypeLibrary.h"
#include "platform/windows/com/ComRef.h"
#include "platform/windows/system/Handles.h"
#include "tests/windows/ScratchFolder.h"
#include "tests/windows/com/EventSink.h"
#include "tests/windows/com/RegisteredKeys.h"

namespace velnix::windows_platform {
namespace {

constexpr char kEntry[] = "Numéris Île-de-France";
constexpr char kPhoneBook[] = "entry\tFournisseur ADSL\nentry\tNuméris Île-de-France\n";
constexpr wchar_t kProgramKey[] = L"Software\\Quorath_Software\\Tenaline";
constexpr wchar_t kMainWindowClass[] = L"VelnixMainWindow";

std::filesystem::path BuildFolder() {
    wchar_t own[MAX_PATH];
    GetModuleFileNameW(nullptr, own, MAX_PATH);
    return std::filesystem::path(own).parent_path();
}

// Runs a command line to its end; its exit code, or -1.
long RunToEnd(std::wstring commandLine, HANDLE output = nullptr) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, output != nullptr, 0,
                        nullptr, nullptr, &startup, &started)) {
        return -1;
    }
    UniqueHandle process(started.hProcess);
    CloseHandle(started.hThread);
    DWORD code = 0;
    if (WaitForSingleObject(process.Get(), 120000) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.Get(), &code)) {
        return -1;
    }
    return static_cast<long>(code);
}

// Dispatches this apartment's messages (the events' incoming calls) until `done` holds, at most
// `limitMs`. A client that stopped dispatching would hold up an event the server is sending.
template <typename Done>
bool PumpUntil(Done done, ULONGLONG limitMs = 20000) {
    const ULONGLONG end = GetTickCount64() + limitMs;
    while (!done()) {
        if (GetTickCount64() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    return true;
}

bool Ended(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }

std::wstring Quoted(const std::filesystem::path& path) { return L"\"" + path.wstring() + L"\""; }

// The server's folder and registration, for the whole suite.
class ServerInstall : public ::testing::Environment {
  public:
    static ScratchFolder& Folder() { return *folder_; }
    static std::filesystem::path Program() { return folder_->Path(L"velnix.exe"); }

    void SetUp() override {
        folder_ = std::make_unique<ScratchFolder>();
        const std::filesystem::path build = BuildFolder();
        const auto replace = std::filesystem::copy_options::overwrite_existing;
        std::filesystem::copy_file(build / L"velnix.exe", Program(), replace);
        std::filesystem::copy_file(build / L"fakeras" / L"rasapi32.dll",
                                   folder_->Path(L"rasapi32.dll"), replace);
        SetState(kPhoneBook);
        wchar_t path[32767];
        GetEnvironmentVariableW(L"PATH", path, 32767);
        SetEnvironmentVariableW(L"PATH", ((build / L"fakedialer").wstring() + L";" + path).c_str());
        SetEnvironmentVariableW(L"VELNIX_FAKE_RAS_STATE", folder_->Path(L"ras.txt").c_str());
        SetEnvironmentVariableW(L"VELNIX_FAKE_DIALER_LOG", folder_->Path(L"rasdial.txt").c_str());
        // No redial of its own by any object the suite makes.
        RegSetKeyValueW(HKEY_CURRENT_USER, kProgramKey, L"AutoReconnect", REG_SZ, L"False",
                        sizeof L"False");
        ASSERT_EQ(RunToEnd(Quoted(Program()) + L" /RegServer"), 0);
    }

    void TearDown() override {
        EXPECT_EQ(RunToEnd(Quoted(Program()) + L" /UnregServer"), 0);
        for (const HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
            for (const wchar_t* key : kRegisteredTopKeys) {
                UniqueKey left;
                EXPECT_NE(RegOpenKeyExW(root, (std::wstring(L"Software\\Classes\\") + key).c_str(),
                                        0, KEY_READ, left.Receive()),
                          ERROR_SUCCESS)
                    << "left behind: " << std::filesystem::path(key).string();
            }
        }
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quorath_Software");
        folder_.reset();
    }

    // Replaced whole: the stand-ins never read half a state.
    static void SetState(const std::string& lines) {
        folder_->Write(L"ras.txt.part", lines);
        std::filesystem::rename(folder_->Path(L"ras.txt.part"), folder_->Path(L"ras.txt"));
    }

  private:
    static inline std::unique_ptr<ScratchFolder> folder_;
};

[[maybe_unused]] ::testing::Environment* const kInstall =
    ::testing::AddGlobalTestEnvironment(new ServerInstall);

std::wstring WideOf(const std::string& text) { return Wide(text); }

class ComClientTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    }
    void TearDown() override {
        EndServer();
        CoUninitialize();
    }

    ComRef<_InternetTenaline> Create() {
        CLSID clsid{};
        EXPECT_EQ(CLSIDFromProgID(L"Velnix.InternetTenaline", &clsid), S_OK);
        ComRef<_InternetTenaline> object;
        EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID__InternetTenaline,
                                   object.ReceiveVoid()),
                  S_OK);
        return object;
    }

    // The main windows on the desktop, all the server's.
    static std::vector<HWND> MainWindows() {
        std::vector<HWND> found;
        for (HWND window = FindWindowExW(nullptr, nullptr, kMainWindowClass, nullptr); window;
             window = FindWindowExW(nullptr, window, kMainWindowClass, nullptr)) {
            found.push_back(window);
        }
        return found;
    }

    static UniqueHandle ServerProcess() {
        const std::vector<HWND> windows = MainWindows();
        if (windows.empty()) return {};
        DWORD id = 0;
        GetWindowThreadProcessId(windows.front(), &id);
        return UniqueHandle(OpenProcess(SYNCHRONIZE, FALSE, id));
    }

    // Closes the server's windows; it ends once the test has let go of its objects too.
    void EndServer() {
        UniqueHandle process = ServerProcess();
        for (HWND window : MainWindows()) PostMessageW(window, WM_CLOSE, 0, 0);
        if (process.Get()) {
            EXPECT_TRUE(PumpUntil([&] { return Ended(process.Get()); }));
        }
    }

    static std::string DialerLog() {
        std::ifstream file(ServerInstall::Folder().Path(L"rasdial.txt"), std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
};

std::wstring Take(BSTR text) {
    std::wstring copy(text ? text : L"", text ? SysStringLen(text) : 0);
    SysFreeString(text);
    return copy;
}

std::vector<std::wstring> Texts(VARIANT& list) {
    std::vector<std::wstring> texts;
    if (V_VT(&list) != (VT_ARRAY | VT_VARIANT)) return texts;
    LONG low = 0, high = -1;
    SafeArrayGetLBound(V_ARRAY(&list), 1, &low);
    SafeArrayGetUBound(V_ARRAY(&list), 1, &high);
    for (LONG i = low; i <= high; ++i) {
        VARIANT item;
        VariantInit(&item);
        SafeArrayGetElement(V_ARRAY(&list), &i, &item);
        texts.push_back(V_VT(&item) == VT_BSTR ? V_BSTR(&item) : L"<pas un texte>");
        VariantClear(&item);
    }
    VariantClear(&list);
    return texts;
}

TEST_F(ComClientTest, BothProgIdsNameTheClassWhoseObjectsDescribeThemselves) {
    for (const wchar_t* progId : {L"Velnix.InternetTenaline", L"Velnix.InternetTenaline.1"}) {
        CLSID clsid{};
        ASSERT_EQ(CLSIDFromProgID(progId, &clsid), S_OK);
        EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_InternetTenaline));
    }
    ComRef<_InternetTenaline> object = Create();
    ASSERT_TRUE(object);
    ComRef<IProvideClassInfo2> info;
    ASSERT_EQ(object->QueryInterface(IID_IProvideClassInfo2, info.ReceiveVoid()), S_OK);
    GUID events{};
    ASSERT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
    EXPECT_TRUE(IsEqualIID(events, DIID___InternetTenaline));
    ComRef<ITypeInfo> coclass;
    ASSERT_EQ(info->GetClassInfo(coclass.Receive()), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualCLSID(attributes->guid, CLSID_InternetTenaline));
    EXPECT_EQ(attributes->cImplTypes, 2);
    coclass->ReleaseTypeAttr(attributes);
}

TEST_F(ComClientTest, EveryOperationThroughTheVtable) {
    ComRef<_InternetTenaline> object = Create();
    ASSERT_TRUE(object);
    VARIANT_BOOL flag = VARIANT_TRUE;
    for (const VARIANT_BOOL written : {VARIANT_TRUE, VARIANT_FALSE}) {
        ASSERT_EQ(object->put_Tenaline(written), S_OK);
        ASSERT_EQ(object->get_Tenaline(&flag), S_OK);
        EXPECT_EQ(flag, written);
    }
    using Put = HRESULT (STDMETHODCALLTYPE _InternetTenaline::*)(BSTR);
    using Get = HRESULT (STDMETHODCALLTYPE _InternetTenaline::*)(BSTR*);
    const struct {
        Put put;
        Get get;
        std::string value;
    } texts[] = {
        {&_InternetTenaline::put_Login, &_InternetTenaline::get_Login, "jean.dupont@fai.fr"},
        {&_InternetTenaline::put_PassWord, &_InternetTenaline::get_PassWord, "mot de \"passe\""},
        {&_InternetTenaline::put_Connection, &_InternetTenaline::get_Connection, kEntry},
    };
    for (const auto& text : texts) {
        BSTR value = SysAllocString(WideOf(text.value).c_str());
        ASSERT_EQ((object.Get()->*text.put)(value), S_OK);
        SysFreeString(value);
        BSTR read = nullptr;
        ASSERT_EQ((object.Get()->*text.get)(&read), S_OK);
        EXPECT_EQ(Take(read), WideOf(text.value));
    }

    VARIANT list;
    VariantInit(&list);
    ASSERT_EQ(object->get_ConnectionList(&list), S_OK);
    EXPECT_EQ(Texts(list), (std::vector<std::wstring>{L"Fournisseur ADSL", WideOf(kEntry)}));

    ASSERT_EQ(object->get_Connected(&flag), S_OK);
    EXPECT_EQ(flag, VARIANT_FALSE);
    ASSERT_EQ(object->Connect(), S_OK);
    EXPECT_TRUE(PumpUntil([&] {
        return SUCCEEDED(object->get_Connected(&flag)) && flag == VARIANT_TRUE;
    })) << "the stand-in dialer never brought the link up";
    EXPECT_NE(DialerLog().find(std::string("[") + kEntry + "]\n[jean.dupont@fai.fr]\n"),
              std::string::npos);
    ASSERT_EQ(object->Disconnect(), S_OK);
    EXPECT_TRUE(PumpUntil(
        [&] { return SUCCEEDED(object->get_Connected(&flag)) && flag == VARIANT_FALSE; }));
    EXPECT_NE(DialerLog().find(std::string("[") + kEntry + "]\n[/disconnect]\n"),
              std::string::npos);
}

// Calls by name, as scripts make them.
class LateBound {
  public:
    explicit LateBound(IDispatch* object) : object_(object) {}

    HRESULT Call(const wchar_t* name, WORD flags, VARIANT* argument, VARIANT* result,
                 EXCEPINFO* exception) {
        DISPID id = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        const HRESULT found = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(found)) return found;
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS parameters{argument, nullptr, argument ? 1u : 0u, 0};
        if (flags == DISPATCH_PROPERTYPUT) {
            parameters.rgdispidNamedArgs = &put;
            parameters.cNamedArgs = 1;
        }
        return object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, result,
                               exception, nullptr);
    }

  private:
    IDispatch* object_;
};

TEST_F(ComClientTest, LateBoundCallsByName) {
    ComRef<_InternetTenaline> object = Create();
    ASSERT_TRUE(object);
    LateBound late(object.Get());
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = SysAllocString(L"Hélène");
    ASSERT_EQ(late.Call(L"Login", DISPATCH_PROPERTYPUT, &value, nullptr, nullptr), S_OK);
    VariantClear(&value);
    ASSERT_EQ(late.Call(L"login", DISPATCH_PROPERTYGET, nullptr, &value, nullptr), S_OK);
    ASSERT_EQ(V_VT(&value), VT_BSTR);
    EXPECT_STREQ(V_BSTR(&value), L"Hélène");
    VariantClear(&value);

    // A script's number for a boolean.
    V_VT(&value) = VT_I4;
    V_I4(&value) = 0;
    ASSERT_EQ(late.Call(L"Tenaline", DISPATCH_PROPERTYPUT, &value, nullptr, nullptr), S_OK);
    ASSERT_EQ(late.Call(L"Tenaline", DISPATCH_PROPERTYGET, nullptr, &value, nullptr), S_OK);
    ASSERT_EQ(V_VT(&value), VT_BOOL);
    EXPECT_EQ(V_BOOL(&value), VARIANT_FALSE);

    ASSERT_EQ(late.Call(L"ConnectionList", DISPATCH_PROPERTYGET, nullptr, &value, nullptr), S_OK);
    EXPECT_EQ(Texts(value), (std::vector<std::wstring>{L"Fournisseur ADSL", WideOf(kEntry)}));
    ASSERT_EQ(late.Call(L"Connect", DISPATCH_METHOD, nullptr, nullptr, nullptr), S_OK);
    ASSERT_EQ(late.Call(L"Disconnect", DISPATCH_METHOD, nullptr, nullptr, nullptr), S_OK);
    ASSERT_EQ(late.Call(L"Connected", DISPATCH_PROPERTYGET, nullptr, &value, nullptr), S_OK);
    EXPECT_EQ(V_VT(&value), VT_BOOL);
    EXPECT_EQ(late.Call(L"PollConnection", DISPATCH_METHOD, nullptr, nullptr, nullptr),
              DISP_E_UNKNOWNNAME);
}

TEST_F(ComClientTest, AFailureIsAnExceptionInFrenchFromVelnixConnect) {
    ComRef<_InternetTenaline> object = Create();
    ASSERT_TRUE(object);
    RegSetKeyValueW(HKEY_CURRENT_USER, kProgramKey, L"AutoReconnect", REG_SZ, L"peut-être",
                    sizeof L"peut-être");
    VARIANT value;
    VariantInit(&value);
    EXCEPINFO exception{};
    const HRESULT result =
        LateBound(object.Get())
            .Call(L"Tenaline", DISPATCH_PROPERTYGET, nullptr, &value, &exception);
    RegSetKeyValueW(HKEY_CURRENT_USER, kProgramKey, L"AutoReconnect", REG_SZ, L"False",
                    sizeof L"False");
    ASSERT_EQ(result, DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Take(exception.bstrSource), L"Velnix-Connect");
    EXPECT_EQ(Take(exception.bstrDescription).rfind(L"Incompatibilité de type", 0), 0u);
    SysFreeString(exception.bstrHelpFile);
}

TEST_F(ComClientTest, EventsReachASinkInTheirOrderWithTheirArguments) {
    ComRef<_InternetTenaline> object = Create();
    ASSERT_TRUE(object);
    BSTR entry = SysAllocString(WideOf(kEntry).c_str());
    ASSERT_EQ(object->put_Connection(entry), S_OK);
    SysFreeString(entry);
    ComRef<IConnectionPointContainer> container;
    ASSERT_EQ(object->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid()), S_OK);
    ComRef<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(DIID___InternetTenaline, point.Receive()), S_OK);
    EventSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    EXPECT_NE(cookie, 0u);

    const auto count = [&sink](DISPID id) {
        size_t n = 0;
        for (const EventSink::Call& call : sink.Calls()) n += call.id == id;
        return n;
    };
    ASSERT_EQ(object->Connect(), S_OK);
    ASSERT_TRUE(PumpUntil([&] { return count(1) == 1; })) << "no Connected";
    // Counters from the next tick on, after the baseline the tick after Connected takes.
    const size_t updates = count(3);
    ASSERT_TRUE(PumpUntil([&] { return count(3) > updates; }));
    std::string state;
    {
        std::ifstream file(ServerInstall::Folder().Path(L"ras.txt"), std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        state = text.str();
    }
    const size_t link = state.find("link\t");
    ASSERT_NE(link, std::string::npos);
    const std::string handle = state.substr(link + 5, state.find('\t', link + 5) - link - 5);
    ServerInstall::SetState(kPhoneBook + std::string("link\t") + handle + "\t" + kEntry +
                            "\t5000\t1200\t65000\n");
    ASSERT_TRUE(PumpUntil([&] {
        return !sink.Calls().empty() && sink.Calls().back().id == 3 &&
               sink.Calls().back().longs.size() == 5 && sink.Calls().back().longs[1] == 5000;
    }));
    const EventSink::Call update = sink.Calls().back();
    EXPECT_TRUE(update.wellTyped);
    EXPECT_EQ(update.name, WideOf(kEntry));
    EXPECT_EQ(update.longs, (std::vector<long>{65000, 5000, 1200, 5000, 1200}));

    ASSERT_EQ(object->Disconnect(), S_OK);
    ASSERT_TRUE(PumpUntil([&] { return count(2) == 1; })) << "no Disconnected";
    // Connected once, then the state with the counters, then Disconnected once; the state
    // also comes every second before and after.
    const std::vector<EventSink::Call>& calls = sink.Calls();
    const auto first = [&calls](auto test) {
        return std::find_if(calls.begin(), calls.end(), test) - calls.begin();
    };
    const auto connected = first([](const EventSink::Call& call) { return call.id == 1; });
    const auto counted = first([](const EventSink::Call& call) {
        return call.id == 3 && call.longs.size() == 5 && call.longs[1] == 5000;
    });
    const auto disconnected = first([](const EventSink::Call& call) { return call.id == 2; });
    EXPECT_LT(connected, counted);
    EXPECT_LT(counted, disconnected);
    EXPECT_EQ(count(1), 1u);
    EXPECT_TRUE(calls[connected].longs.empty() && calls[connected].name.empty());
    EXPECT_TRUE(calls[disconnected].longs.empty() && calls[disconnected].name.empty());
    EXPECT_EQ(point->Unadvise(cookie), S_OK);
}

TEST_F(ComClientTest, EachObjectHasAWindowOfItsOwnInOneServer) {
    ComRef<_InternetTenaline> first = Create();
    ComRef<_InternetTenaline> second = Create();
    ASSERT_TRUE(first && second);
    std::vector<HWND> windows;
    ASSERT_TRUE(PumpUntil([&] { return (windows = MainWindows()).size() == 2; }));
    DWORD firstProcess = 0, secondProcess = 0;
    GetWindowThreadProcessId(windows[0], &firstProcess);
    GetWindowThreadProcessId(windows[1], &secondProcess);
    EXPECT_EQ(firstProcess, secondProcess);
    EXPECT_TRUE(IsWindowVisible(windows[0]) && IsWindowVisible(windows[1]));
}

TEST_F(ComClientTest, TheServerEndsWithTheLastObjectOnceItsWindowsAreClosed) {
    ComRef<_InternetTenaline> object = Create();
    ASSERT_TRUE(object);
    UniqueHandle process = ServerProcess();
    ASSERT_TRUE(process.Get());
    for (HWND window : MainWindows()) PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([] { return MainWindows().empty(); }));
    // The object still answers, its window gone.
    BSTR login = nullptr;
    EXPECT_EQ(object->get_Login(&login), S_OK);
    SysFreeString(login);
    EXPECT_FALSE(PumpUntil([&] { return Ended(process.Get()); }, 1500));
    object.Reset();
    EXPECT_TRUE(PumpUntil([&] { return Ended(process.Get()); }));
}

// Wine's own script host runs the script client against the registered class.
TEST_F(ComClientTest, AVBScriptClientWorks) {
    const std::filesystem::path script = BuildFolder() / L"ScriptClient.vbs";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const std::filesystem::path outputFile = ServerInstall::Folder().Path(L"cscript.txt");
    long code = -1;
    {
        UniqueHandle output(CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                        &inherit, CREATE_ALWAYS, 0, nullptr));
        ASSERT_NE(output.Get(), INVALID_HANDLE_VALUE);
        code = RunToEnd(L"cscript.exe //nologo " + Quoted(script) + L" \"Fournisseur ADSL|" +
                            WideOf(kEntry) + L"|\"",
                        output.Get());
    }
    std::ifstream file(outputFile, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    EXPECT_EQ(code, 0) << text.str();
    EXPECT_NE(text.str().find("Client de script : tout est conforme."), std::string::npos)
        << text.str();
}

}  // namespace
}  // namespace velnix::windows_platform
