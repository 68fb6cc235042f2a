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
class HandleWindow : public Gralith::Window {
public:
    explicit HandleWindow(HWND handle) : handle(handle) {}
    void SetPosition(int, int) override {}
    void SetTitle(const Gralith::Utils::String&) override {}
    void* GetHandle() override { return handle; }
    int GetWidth() override { return 0; }
    int GetHeight() override { return 0; }

private:
    HWND handle;
};

// The box's non-empty static texts, then " buttons: " and its buttons' texts, in window order
// within each kind.
struct Seen {
    std::string texts, buttons;
    HWND owner = nullptr;
    std::string Line() const { return texts + " buttons: " + buttons; }
};

// Shows the box and has the viewer read its texts and owner, then click OK.
Seen ShowAndClickOk(Gralith::Window* owner, const char* text, const char* caption, const wchar_t* wideCaption) {
    Seen seen;
    bool found = false;
    std::thread viewer([&] {
        HWND box = WaitForWindow(L"#32770", wideCaption);
        found = box != nullptr;
        if (!box)
            return;
        Sleep(100);
        seen.owner = GetWindow(box, GW_OWNER);
        HWND ok = nullptr;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            std::string t = TextOf(child);
            wchar_t kind[16];
            GetClassNameW(child, kind, 16);
            std::string& list = lstrcmpiW(kind, L"Button") == 0 ? seen.buttons : seen.texts;
            if (!t.empty())
                list += (list.empty() ? "" : "|") + t;
            if (t == "OK")
                ok = child;
        }
        if (ok)
            Click(ok);
    });
    Gralith::Platform::ShowMessageBox(owner, text, caption);
    viewer.join();
    EXPECT_TRUE(found) << "no message box";
    return seen;
}

TEST(Win32MessageBox, ShowsTheNoticeWithOnlyAnOkButtonOwnedByTheWindowUntilOkIsClicked) {
    HWND handle = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(handle);
    HandleWindow owner(handle);
    Seen seen = ShowAndClickOk(&owner, "BASS error, file not found?", "BASS", L"BASS");
    EXPECT_EQ("BASS error, file not found? buttons: OK", seen.Line());
    EXPECT_EQ(handle, seen.owner);

    // Without a window, and with one whose handle is gone, the box stands alone; texts are UTF-8.
    DestroyWindow(handle);
    seen = ShowAndClickOk(&owner, "caf\xc3\xa9", "BASS \xc3\xa9", L"BASS \u00e9");
    EXPECT_EQ("caf\xc3\xa9 buttons: OK", seen.Line());
    EXPECT_EQ(nullptr, seen.owner);
    seen = ShowAndClickOk(nullptr, "BASS error", "BASS", L"BASS");
    EXPECT_EQ("BASS error buttons: OK", seen.Line());
}

} // namespace
