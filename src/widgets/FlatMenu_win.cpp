#include "widgets/FlatMenu_win.h"

#include <algorithm>

#include "widgets/FlatPaint_win.h"
#include "widgets/Gradient.h"

namespace keytide::win32 {

namespace {

// Between the side bar's caption and the bar's ends, at 96 DPI.
constexpr int kSideBarCaptionMargin = 4;

// The caption as shown: "&&" is one ampersand, "&x" underlines x.
std::string WithoutPrefixes(const std::string& caption) {
    std::string shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        shown += caption[i];
    }
    return shown;
}

std::string ItemCaption(HMENU menu, UINT position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    if (!GetMenuItemInfoA(menu, position, TRUE, &info) || info.cch == 0) return {};
    std::string caption(info.cch + 1, '\0');
    info.dwTypeData = caption.data();
    info.cch += 1;
    if (!GetMenuItemInfoA(menu, position, TRUE, &info)) return {};
    caption.resize(info.cch);
    return caption;
}

}  // namespace

FlatMenuLook::FlatMenuLook(Look look) : look_(std::move(look)) {}

FlatMenuLook::~FlatMenuLook() = default;

void FlatMenuLook::MakeFonts() {
    WindowDc screen(nullptr);
    dpi_ = std::max(GetDeviceCaps(screen.get(), LOGPIXELSY), 1);
    itemFont_ = CreateFlatFont(FontStyle{"Arial", 13, true}, dpi_);
    sideBarFont_ = CreateFlatFont(FontStyle{"Arial", 15, true, false, false, 900}, dpi_);
    TEXTMETRICA metrics{};
    {
        SelectedObject font(screen.get(), itemFont_.get());
        GetTextMetricsA(screen.get(), &metrics);
    }
    metrics_ = widgets::MenuMetricsFor(dpi_, metrics.tmHeight);
    // The side bar's caption runs up from near its bottom; a short menu is
    // made as tall as the whole caption with a margin at each end.
    SIZE caption{0, 0};
    {
        SelectedObject font(screen.get(), sideBarFont_.get());
        GetTextExtentPoint32A(screen.get(), look_.sideBarCaption.c_str(),
                              static_cast<int>(look_.sideBarCaption.size()), &caption);
    }
    sideBarCaptionHeight_ = caption.cx + 2 * widgets::ScaleToDpi(kSideBarCaptionMargin, dpi_);
}

void FlatMenuLook::Apply(HMENU menu) {
    if (menu == nullptr) return;
    if (!itemFont_) MakeFonts();
    std::erase_if(items_, [menu](const std::unique_ptr<Item>& item) { return item->menu == menu; });
    bars_.erase(menu);

    WindowDc screen(nullptr);
    SelectedObject font(screen.get(), itemFont_.get());
    std::vector<Item*> dressed;
    std::vector<widgets::MenuEntry> entries;
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) continue;

        auto item = std::make_unique<Item>();
        item->menu = menu;
        item->separator = (info.fType & MFT_SEPARATOR) != 0;
        if (!item->separator) item->caption = ItemCaption(menu, static_cast<UINT>(position));
        SIZE extent{0, 0};
        const std::string shown = WithoutPrefixes(item->caption);
        GetTextExtentPoint32A(screen.get(), shown.c_str(), static_cast<int>(shown.size()), &extent);
        entries.push_back({item->separator, extent.cx});

        MENUITEMINFOA dress{};
        dress.cbSize = sizeof dress;
        dress.fMask = MIIM_FTYPE | MIIM_DATA;
        dress.fType = info.fType | MFT_OWNERDRAW;
        dress.dwItemData = reinterpret_cast<ULONG_PTR>(item.get());
        SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &dress);
        dressed.push_back(item.get());
        items_.push_back(std::move(item));
        if (info.hSubMenu != nullptr) Apply(info.hSubMenu);
    }
    const std::vector<widgets::MenuItemBox> boxes = widgets::LayOutMenu(entries, metrics_, sideBarCaptionHeight_);
    for (std::size_t i = 0; i < dressed.size(); ++i) dressed[i]->box = boxes[i];
    bars_[menu].height = boxes.empty() ? 0 : boxes.back().top + boxes.back().height;
}

const FlatMenuLook::Item* FlatMenuLook::Find(ULONG_PTR data) const {
    for (const std::unique_ptr<Item>& item : items_) {
        if (reinterpret_cast<ULONG_PTR>(item.get()) == data) return item.get();
    }
    return nullptr;
}

bool FlatMenuLook::Measure(MEASUREITEMSTRUCT& item) const {
    if (item.CtlType != ODT_MENU) return false;
    const Item* found = Find(item.itemData);
    if (found == nullptr) return false;
    item.itemWidth = static_cast<UINT>(found->box.width);
    item.itemHeight = static_cast<UINT>(found->box.height);
    return true;
}

HBITMAP FlatMenuLook::SideBar(HMENU menu) {
    MenuBar& bar = bars_[menu];
    if (bar.picture || bar.height <= 0) return bar.picture.get();
    const int width = metrics_.sideBarWidth;
    WindowDc screen(nullptr);
    UniqueHbitmap picture(CreateCompatibleBitmap(screen.get(), width, bar.height));
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!picture || !dc) return nullptr;
    {
        SelectedObject selected(dc.get(), picture.get());
        const widgets::GradientLook gradient{look_.sideBarTop, look_.sideBarBottom, widgets::GradientStyle::Vertical};
        PaintShapes(dc.get(), widgets::GradientShapes(gradient, width, bar.height));
        SelectedObject font(dc.get(), sideBarFont_.get());
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc.get(), &metrics);
        SetBkMode(dc.get(), TRANSPARENT);
        SetTextColor(dc.get(), ToColorRef(look_.sideBarText));
        // Turned a quarter to the left: the text runs up from the bottom and
        // its letters stand to the right of the starting point.
        const int x = (width - metrics.tmHeight) / 2;
        const int y = bar.height - widgets::ScaleToDpi(kSideBarCaptionMargin, dpi_);
        TextOutA(dc.get(), x, y, look_.sideBarCaption.c_str(), static_cast<int>(look_.sideBarCaption.size()));
    }
    bar.picture = std::move(picture);
    return bar.picture.get();
}

void FlatMenuLook::DrawItem(HDC dc, const Item& item, const RECT& rect, UINT state) {
    // This item's slice of the menu's side bar.
    if (HBITMAP bar = SideBar(item.menu)) {
        UniqueMemoryDc source(CreateCompatibleDC(nullptr));
        if (source) {
            SelectedObject selected(source.get(), bar);
            BitBlt(dc, rect.left, rect.top, metrics_.sideBarWidth, item.box.height, source.get(), 0, item.box.top,
                   SRCCOPY);
        }
    }
    const RECT content{rect.left + metrics_.sideBarWidth, rect.top, rect.right, rect.bottom};
    const bool disabled = (state & (ODS_DISABLED | ODS_GRAYED)) != 0;
    const bool selected = (state & ODS_SELECTED) != 0 && !item.separator;
    FillSolid(dc, content, selected ? look_.selectedBackground : look_.background);

    if (item.separator) {
        const int middle = (content.top + content.bottom) / 2;
        const int inset = widgets::ScaleToDpi(4, dpi_);
        FillSolid(dc, {content.left + inset, middle, content.right - inset, middle + 1}, look_.selectedBackground);
        return;
    }
    const widgets::Color ink = disabled ? look_.disabledText : (selected ? look_.selectedText : look_.text);
    if (state & ODS_CHECKED) {
        const int size = std::min(metrics_.checkColumnWidth, static_cast<int>(content.bottom - content.top)) / 2;
        const int left = content.left + (metrics_.checkColumnWidth - size) / 2;
        const int top = (content.top + content.bottom - size) / 2;
        const POINT tick[] = {{left, top + size / 2}, {left + size / 3, top + size * 5 / 6}, {left + size, top}};
        UniqueHpen pen(CreatePen(PS_SOLID, std::max(2, size / 5), ToColorRef(ink)));
        if (pen) {
            SelectedObject selectedPen(dc, pen.get());
            Polyline(dc, tick, 3);
        }
    }
    SelectedObject font(dc, itemFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(ink));
    RECT text{content.left + metrics_.checkColumnWidth, content.top, content.right, content.bottom};
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    if (state & ODS_NOACCEL) format |= DT_HIDEPREFIX;
    DrawTextA(dc, item.caption.c_str(), -1, &text, format);
}

bool FlatMenuLook::Draw(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU) return false;
    const Item* found = Find(item.itemData);
    if (found == nullptr) return false;
    OffscreenCanvas canvas(item.hDC, item.rcItem);
    DrawItem(canvas.dc(), *found, item.rcItem, item.itemState);
    return true;
}

std::optional<LRESULT> FlatMenuLook::HandleMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_MEASUREITEM && Measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
    if (message == WM_DRAWITEM && Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
    return std::nullopt;
}

}  // namespace keytide::win32
