// Translates a page dialog's messages into its page model's calls.
#pragma once

#include "pages/Page.h"

#include "app/win32/PageDialog.h"

namespace ravel {

// What a page window carries in its user data from WM_INITDIALOG on.
struct PageBinding {
    Page* page;
    PageDialog dialog;
};

// The dialog procedure of the page whose binding is `binding`.
INT_PTR RunPageProcedure(PageBinding& binding, HWND window, UINT message, WPARAM wParam,
                         LPARAM lParam);

}  // namespace ravel
