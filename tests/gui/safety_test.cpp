// The safety of the move button in the real window: a refusal and an incomplete copy told in
// boxes that fit the screen, one run for a double click, and the environment broadcast that lets
// programs started later see a moved TEMP.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "registry_snapshot.h"
#include "tarnwick_process.h"
#include "wine/scratch_disk.h"

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;

void ExpectOnScreen(const RECT& frame) {
    EXPECT_GE(frame.left, 0);
    EXPECT_GE(frame.top, 0);
    EXPECT_LE(frame.right, 1024);
    EXPECT_LE(frame.bottom, 768);
}

class Safety : public ::testing::Test {
  protected:
    ~Safety() override {
        tarnwick_.reset();  // before the registry is put back and the scratch folder goes
    }
    fs::path Scratch() const { return scratch_.path(); }
    // Tarnwick started with the delete and copy options as given, and the folder selected.
    HWND Start(bool deleteTemporary, bool copy, ControlId selectBox, ControlId destinationBox,
               const fs::path& destination) {
        tarnwick_.emplace();
        const HWND window = tarnwick_->WaitForWindow();
        if (!window) {
            return nullptr;
        }
        if (!deleteTemporary) {
            Click(window, ControlId::ChkDelTmp);
        }
        if (!copy) {
            Click(window, ControlId::ChkCopy);
        }
        Click(window, selectBox);
        Type(window, destinationBox, destination.wstring());
        WaitFor([&] {
            return Checked(window, selectBox) &&
                   Checked(window, ControlId::ChkDelTmp) == deleteTemporary &&
                   Checked(window, ControlId::ChkCopy) == copy;
        });
        return window;
    }

    ScratchFolder scratch_{L"gui-safety"};
    RegistrySnapshot registry_;
    std::optional<TarnwickProcess> tarnwick_;
};

TEST_F(Safety, ARefusalAndAnIncompleteCopyAreToldInBoxesThatFitTheScreen) {
    // The old My Documents, one of whose files another program holds open.
    const fs::path oldDocuments = Scratch() / L"旧文档";
    fs::create_directories(oldDocuments);
    std::ofstream(oldDocuments / L"free.txt") << "free";
    std::ofstream(oldDocuments / L"busy.txt") << "busy";
    const std::wstring oldPath = oldDocuments.wstring();
    ASSERT_EQ(
        RegSetKeyValueW(HKEY_CURRENT_USER,
                        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                        L"Personal", REG_SZ, oldPath.c_str(),
                        static_cast<DWORD>((oldPath.size() + 1) * sizeof(wchar_t))),
        ERROR_SUCCESS);
    const HWND window =
        Start(false, true, ControlId::ChkDoc, ControlId::TxtDoc, Scratch() / L"NUL" / L"Docs");
    ASSERT_NE(window, nullptr);
    Click(window, ControlId::CmdOK);
    const auto refusal = AnswerMessageBox(tarnwick_->Id());
    ASSERT_TRUE(refusal) << "no refusal";
    EXPECT_EQ(Utf8(refusal->title), "不能转移");
    EXPECT_NE(refusal->text.find(L"\"NUL\" 是 Windows 保留的设备名"), std::wstring::npos)
        << Utf8(refusal->text);
    ExpectOnScreen(refusal->frame);

    const HANDLE busy = CreateFileW((oldDocuments / L"busy.txt").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(busy, INVALID_HANDLE_VALUE);
    const fs::path destination = Scratch() / L"新文档";
    Type(window, ControlId::TxtDoc, destination.wstring());
    Click(window, ControlId::CmdOK);
    const auto warning = AnswerMessageBox(tarnwick_->Id());
    CloseHandle(busy);
    ASSERT_TRUE(warning) << "an incomplete copy was not told";
    EXPECT_EQ(Utf8(warning->title), "复制没有完成");
    EXPECT_NE(warning->text.find(L"仍然在原来的位置"), std::wstring::npos) << Utf8(warning->text);
    ExpectOnScreen(warning->frame);
    EXPECT_TRUE(fs::exists(destination / L"free.txt"));
    EXPECT_TRUE(fs::exists(oldDocuments / L"busy.txt"));
    EXPECT_TRUE(WaitFor([&] {
        return WindowText(Control(window, ControlId::LblDoc)) == destination.wstring();
    })) << "the registry change should stay";
}

TEST_F(Safety, KeptTemporaryFoldersAreNamedInOneBoxThatFitsTheScreen) {
    // Four locations no deletion may touch, two of them long enough to widen any box.
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring longName(200, L'a');  // one word: no line can break inside it
    const std::pair<const wchar_t*, std::wstring> values[] = {
        {L"Temp", L"C:\\"},
        {L"Cookies", std::wstring(windows) + L"\\" + longName + L"\\.."},
        {L"History", std::wstring(windows) + L"\\system32"},
        {L"Cache", L"C:\\users\\" + longName + L"\\x%PATH%"},
    };
    for (const auto& [name, path] : values) {
        const wchar_t* key =
            std::wstring(name) == L"Temp"
                ? L"Environment"
                : L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, path.c_str(),
                                  static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    tarnwick_.emplace();
    const HWND window = tarnwick_->WaitForWindow();
    ASSERT_NE(window, nullptr);
    Click(window, ControlId::CmdOK);
    const auto kept = AnswerMessageBox(tarnwick_->Id());
    ASSERT_TRUE(kept);
    EXPECT_EQ(Utf8(kept->title), "保留临时文件夹");
    for (const wchar_t* folder : {L"TEMP:", L"Cookie:", L"历史文件夹:", L"IE缓存:"}) {
        EXPECT_NE(kept->text.find(folder), std::wstring::npos) << Utf8(kept->text);
    }
    ExpectOnScreen(kept->frame);
}

void DoubleClick(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    INPUT inputs[5] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
    }
    inputs[0].mi.dx = ((r.left + r.right) / 2) * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    inputs[0].mi.dy = ((r.top + r.bottom) / 2) * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = inputs[3].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = inputs[4].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(5, inputs, sizeof(INPUT));
}

TEST_F(Safety, ADoubleClickOnTheMoveButtonRunsOnce) {
    // A second run would find the folder already there and say that nothing needs moving.
    const fs::path destination = Scratch() / L"Favorites";
    const HWND window = Start(false, false, ControlId::ChkFav, ControlId::TxtFav, destination);
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(window);
    DoubleClick(Control(window, ControlId::CmdOK));
    ASSERT_TRUE(WaitFor([&] {
        return WindowText(Control(window, ControlId::LblFav)) == destination.wstring();
    })) << "the first click did not run";
    WaitForInputIdle(tarnwick_->Handle(), 10000);
    EXPECT_EQ(FindVisibleWindow(tarnwick_->Id(), L"#32770"), nullptr) << "the run ran twice";
}

// A top-level window of the driver's own that notes every WM_SETTINGCHANGE it receives.
class BroadcastListener {
  public:
    BroadcastListener() : thread_([this] { Listen(); }) {
        WaitFor([this] { return window_.load() != nullptr; });
    }
    ~BroadcastListener() {
        PostMessageW(window_.load(), WM_CLOSE, 0, 0);
        thread_.join();
    }
    BroadcastListener(const BroadcastListener&) = delete;
    BroadcastListener& operator=(const BroadcastListener&) = delete;
    int EnvironmentChanges() const { return environmentChanges_.load(); }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<BroadcastListener*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_SETTINGCHANGE && self && lParam &&
            std::wstring(reinterpret_cast<const wchar_t*>(lParam)) == L"Environment") {
            ++self->environmentChanges_;
        }
        if (message == WM_CLOSE) {
            DestroyWindow(window);
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    void Listen() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TarnwickBroadcastListener";
        RegisterClassW(&windowClass);
        const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1,
                                            nullptr, nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        window_ = window;
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            DispatchMessageW(&message);
        }
    }

    std::atomic<HWND> window_{nullptr};
    std::atomic<int> environmentChanges_{0};
    std::thread thread_;
};

TEST_F(Safety, ATempMoveIsAnnouncedToRunningPrograms) {
    const BroadcastListener listener;
    const HWND window =
        Start(false, false, ControlId::ChkTemp, ControlId::TxtTemp, Scratch() / L"Temp");
    ASSERT_NE(window, nullptr);
    Click(window, ControlId::CmdOK);
    EXPECT_TRUE(WaitFor([&] { return listener.EnvironmentChanges() == 1; }))
        << "no WM_SETTINGCHANGE \"Environment\" arrived";
}

}  // namespace
}  // namespace tarnwick::testing
