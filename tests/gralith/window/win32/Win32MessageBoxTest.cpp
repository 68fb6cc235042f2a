// The platform's message box, as the presentation's music notices use it: read and closed with a
// click on OK by a viewer on a second thread.

#include "gralith/Platform.h"
#include "gralith/window/Window.h"

#include "tests/support/Win32Viewer.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace GralithTest;

// A window that is only a handle: the box's owner.
struct HandleWindow : Gralith::Window {
    explicit HandleWindow(HWND handle) : handle(handle) {}
    void SetPosition(int, int) override {}
    void SetTitle(const Gralith::Utils::String&) override {}
    void* GetHandle() override { return handle; }
    int GetWidth() override { return 0; }
    int GetHeight() override { return 0; }
    HWND handle;
};

// Shows the box; the viewer reads its static texts, its buttons and whether expectedOwner owns
// it, in one line, then clicks OK.
std::string ShowAndClickOk(HandleWindow* owner, HWND expectedOwner, const char* text, const char* caption,
                           const wchar_t* wideCaption) {
    std::string texts, buttons = " buttons:", owned = " (no box)";
    std::thread viewer([&] {
        HWND box = WaitForWindow(L"#32770", wideCaption);
        if (!box)
            return;
        Sleep(100);
        owned = GetWindow(box, GW_OWNER) == expectedOwner ? "" : " (owner wrong)";
        HWND ok = nullptr;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t kind[16];
            GetClassNameW(child, kind, 16);
            std::string t = TextOf(child);
            (lstrcmpiW(kind, L"Button") == 0 ? buttons += " " + t : texts += t);
            ok = t == "OK" ? child : ok;
        }
        if (ok)
            Click(ok);
    });
    Gralith::Platform::ShowMessageBox(owner, text, caption);
    viewer.join();
    return texts + buttons + owned;
}

TEST(Win32MessageBox, ShowsTheNoticeWithOnlyAnOkButtonOwnedByTheWindowUntilOkIsClicked) {
    HWND handle = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(handle);
    HandleWindow owner(handle);
    EXPECT_EQ("BASS error, file not found? buttons: OK",
              ShowAndClickOk(&owner, handle, "BASS error, file not found?", "BASS", L"BASS"));

    // Once the window's handle is gone the box stands alone; texts are UTF-8.
    DestroyWindow(handle);
    EXPECT_EQ("caf\xc3\xa9 buttons: OK",
              ShowAndClickOk(&owner, nullptr, "caf\xc3\xa9", "BASS \xc3\xa9", L"BASS \u00e9"));
}

} // namespace
