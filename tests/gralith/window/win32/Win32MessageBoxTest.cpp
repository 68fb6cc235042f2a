// The platform's message box, as the presentation's music notices use it: read and closed with a
// click on OK by a viewer on a second thread.

#include "gralith/Platform.h"
#include "gralith/window/win32/Win32Window.h"

#include "tests/support/Win32Viewer.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace GralithTest;

// Shows the box; the viewer reads its static texts, its buttons and whether expectedOwner owns
// it, in one line, then clicks OK.
std::string ShowAndClickOk(Gralith::Window* owner, HWND expectedOwner, const char* text, const char* caption,
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
    Gralith::Win32Window owner(200, 100, "owner", true);
    HWND handle = static_cast<HWND>(owner.GetHandle());
    EXPECT_EQ("BASS error, file not found? buttons: OK",
              ShowAndClickOk(&owner, handle, "BASS error, file not found?", "BASS", L"BASS"));

    // Once the window's handle is gone the box stands alone; texts are UTF-8.
    DestroyWindow(handle);
    EXPECT_EQ("caf\xc3\xa9 buttons: OK",
              ShowAndClickOk(&owner, nullptr, "caf\xc3\xa9", "BASS \xc3\xa9", L"BASS \u00e9"));
}

} // namespace
