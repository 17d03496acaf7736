#pragma once
// The look of the program's popup menus: a gradient side bar down the left
// edge with a vertical caption ("  Keytide", read from the bottom up), items
// in bold Arial, the item under the mouse in the program's blue. The menu
// keeps its ids, check marks, separators and keyboard handling; only the
// drawing changes. The window that tracks the menu passes WM_MEASUREITEM and
// WM_DRAWITEM on to HandleMessage.
#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/UniqueHandle.h"
#include "widgets/FlatLook.h"

namespace keytide::win32 {

class FlatMenuLook {
public:
    struct Look {
        std::string sideBarCaption = "  Keytide";
        widgets::Color sideBarTop = widgets::kFlatBlue;
        widgets::Color sideBarBottom = widgets::Rgb(0x00, 0x3B, 0x5C);
        widgets::Color sideBarText = widgets::kWhite;
        widgets::Color background = widgets::kWhite;
        widgets::Color text = widgets::kBlack;
        widgets::Color selectedBackground = widgets::kFlatBlue;
        widgets::Color selectedText = widgets::kWhite;
        widgets::Color disabledText = widgets::kGray;
    };

    FlatMenuLook() : FlatMenuLook(Look{}) {}
    explicit FlatMenuLook(Look look);
    FlatMenuLook(const FlatMenuLook&) = delete;
    FlatMenuLook& operator=(const FlatMenuLook&) = delete;
    ~FlatMenuLook();

    // Dresses every item of the menu and of its submenus. Call it again after
    // adding or removing items. The look must outlive the menu's showings.
    void Apply(HMENU menu);

    // The answers for items that Apply dressed; false for any other item.
    bool Measure(MEASUREITEMSTRUCT& item) const;
    bool Draw(const DRAWITEMSTRUCT& item);

    // WM_MEASUREITEM and WM_DRAWITEM of this look's items: TRUE; else nothing.
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Item {
        HMENU menu = nullptr;
        std::string caption;
        bool separator = false;
        widgets::MenuItemBox box;
    };
    struct MenuBar {
        int height = 0;
        UniqueHbitmap picture;  // the side bar, made at the first drawing
    };

    const Item* Find(ULONG_PTR data) const;
    void MakeFonts();
    HBITMAP SideBar(HMENU menu);
    void DrawItem(HDC dc, const Item& item, const RECT& rect, UINT state);

    Look look_;
    int dpi_ = 96;
    widgets::MenuMetrics metrics_;
    int sideBarCaptionHeight_ = 0;  // the least height that shows the whole caption
    UniqueHfont itemFont_;
    UniqueHfont sideBarFont_;
    std::vector<std::unique_ptr<Item>> items_;
    std::map<HMENU, MenuBar> bars_;
};

}  // namespace keytide::win32
